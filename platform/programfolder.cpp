#include "platform/programfolder.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "platform/userfolders.h"
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

}  // namespace

// Linux paths are the UTF-8 text as it stands.
std::string ProgramFolder(const std::string& exeFolder) {
  if (access(exeFolder.c_str(), W_OK) == 0 && !IsInstalledProgramsPlace(exeFolder)) return exeFolder;
  const std::filesystem::path data = UserFolderPath(UserFolder::Data);
  const std::filesystem::path folder = data / "Brennwick";
  // A folder that can't be made is named by the first start's error report.
  std::error_code ec;
  std::filesystem::create_directories(data, ec);
  mkdir(folder.c_str(), 0700);
  return folder.string();
}

#endif

}  // namespace bw
