#include "platform/processlist.h"

#include <algorithm>

#ifdef _WIN32
#include <windows.h>
#include <tlhelp32.h>

#include "platform/pathtext.h"
#else
#include <dirent.h>

#include <cctype>
#include <fstream>
#include <iterator>
#endif

#include "platform/asciicase.h"

namespace bw {

#ifdef _WIN32

std::vector<std::string> RunningExecutableNames() {
  std::vector<std::string> names;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return names;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
    names.push_back(Utf8(entry.szExeFile));
  }
  CloseHandle(snapshot);
  return names;
}

#else

namespace {

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool AllDigits(const char* name) {
  if (!*name) return false;
  for (; *name; ++name) {
    if (!std::isdigit(static_cast<unsigned char>(*name))) return false;
  }
  return true;
}

}  // namespace

std::vector<std::string> RunningExecutableNames() {
  std::vector<std::string> names;
  DIR* proc = opendir("/proc");
  if (!proc) return names;
  while (dirent* entry = readdir(proc)) {
    if (!AllDigits(entry->d_name)) continue;
    const std::string folder = std::string("/proc/") + entry->d_name;
    std::string comm = ReadWhole(folder + "/comm");
    if (!comm.empty() && comm.back() == '\n') comm.pop_back();
    if (!comm.empty()) names.push_back(comm);
    // argv[0] ends at the first NUL of the command line.
    const std::string cmdline = ReadWhole(folder + "/cmdline");
    const std::string argv0 = cmdline.substr(0, cmdline.find('\0'));
    if (!argv0.empty()) names.push_back(argv0);
  }
  closedir(proc);
  return names;
}

#endif

bool ExecutableNameMatches(const std::string& entryName, const std::string& exeFileName) {
  // Only a to z are folded; bytes of other letters (umlauts in UTF-8 ...) stay as they are.
  const std::string wanted = AsciiLower(exeFileName);
  const std::size_t cut = entryName.find_last_of("/\\");
  const std::string fileName = cut == std::string::npos ? entryName : entryName.substr(cut + 1);
  return AsciiLower(fileName) == wanted || AsciiLower(entryName) == wanted;
}

bool ProcessExists(const std::string& exeFileName) {
  return std::ranges::any_of(RunningExecutableNames(),
                             [&](const std::string& name) { return ExecutableNameMatches(name, exeFileName); });
}

}  // namespace bw
