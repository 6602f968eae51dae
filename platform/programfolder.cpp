#include "platform/programfolder.h"

#ifndef _WIN32
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#endif

namespace bw {

#ifdef _WIN32

std::string ProgramFolder(const std::string& exeFolder) { return exeFolder; }

#else

namespace {

bool IsInstalledProgramsPlace(const std::filesystem::path& folder) {
  std::error_code ec;
  const std::string path = std::filesystem::weakly_canonical(folder, ec).string();  // /bin is /usr/bin
  if (path == "/usr" || path.starts_with("/usr/")) return true;
  return std::filesystem::exists(folder / ".." / "share" / "applications" / "brennwick.desktop", ec);
}

std::filesystem::path UserDataFolder() {
  // A relative XDG_DATA_HOME is invalid and ignored.
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && data[0] == '/') return data;
  const char* home = std::getenv("HOME");
  if (!home || home[0] != '/') {
    const passwd* user = getpwuid(getuid());
    home = user ? user->pw_dir : "/";
  }
  return std::filesystem::path(home) / ".local" / "share";
}

}  // namespace

// Linux paths are the UTF-8 text as it stands.
std::string ProgramFolder(const std::string& exeFolder) {
  if (access(exeFolder.c_str(), W_OK) == 0 && !IsInstalledProgramsPlace(exeFolder)) return exeFolder;
  const std::filesystem::path data = UserDataFolder();
  const std::filesystem::path folder = data / "Brennwick";
  // A folder that can't be made is named by the first start's error report.
  std::error_code ec;
  std::filesystem::create_directories(data, ec);
  mkdir(folder.c_str(), 0700);
  return folder.string();
}

#endif

}  // namespace bw
