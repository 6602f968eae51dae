#include "platform/programfolder.h"

#ifdef _WIN32
#include <shlobj.h>
#include <windows.h>

#include <vector>

#include "platform/pathtext.h"
#else
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "platform/userfolders.h"
#endif

namespace bw {

#ifdef _WIN32

namespace {

// Whether the folder's access rules let this user make files and folders in it; nothing is
// made to find out. (C:\Program Files lets only administrators.)
bool MayCreateIn(const std::wstring& folder) {
  const SECURITY_INFORMATION parts = OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
  DWORD size = 0;
  GetFileSecurityW(folder.c_str(), parts, nullptr, 0, &size);
  std::vector<BYTE> rules(size);
  if (!size || !GetFileSecurityW(folder.c_str(), parts, rules.data(), size, &size)) return false;
  HANDLE process = nullptr;
  HANDLE user = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_DUPLICATE | TOKEN_QUERY, &process)) return false;
  const bool impersonating = DuplicateToken(process, SecurityImpersonation, &user);
  CloseHandle(process);
  if (!impersonating) return false;
  GENERIC_MAPPING mapping{FILE_GENERIC_READ, FILE_GENERIC_WRITE, FILE_GENERIC_EXECUTE, FILE_ALL_ACCESS};
  PRIVILEGE_SET privileges;
  DWORD privilegesSize = sizeof privileges;
  DWORD granted = 0;
  BOOL allowed = FALSE;
  const bool checked = AccessCheck(rules.data(), user, FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY, &mapping, &privileges,
                                   &privilegesSize, &granted, &allowed);
  CloseHandle(user);
  return checked && allowed;
}

}  // namespace

std::string ProgramFolder(const std::string& exeFolder) {
  if (MayCreateIn(Wide(exeFolder))) return exeFolder;
  wchar_t* local = nullptr;
  if (FAILED(SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_CREATE, nullptr, &local))) {
    // Then the first start's error report names the executable's folder.
    CoTaskMemFree(local);
    return exeFolder;
  }
  const std::wstring folder = std::wstring(local) + L"\\Brennwick";
  CoTaskMemFree(local);
  // A folder that can't be made is named by the first start's error report.
  CreateDirectoryW(folder.c_str(), nullptr);
  return Utf8(folder);
}

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
