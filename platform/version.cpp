#include "platform/version.h"

#include <cstdio>

#ifdef _WIN32
#include <windows.h>

#include <stdexcept>
#include <vector>

#include "platform/oserror.h"
#include "platform/pathtext.h"
#else
#include "buildversion.h"
#endif

namespace bw {

std::string FormatVersion(unsigned short major, unsigned short minor, unsigned short release,
                          unsigned short build) {
  char text[32];
  std::snprintf(text, sizeof text, "%d.%d.%d.%d", major, minor, release, build);
  return text;
}

#ifdef _WIN32

std::string ExecutableVersion(const std::filesystem::path& file) {
  const auto fail = [&file] {
    throw std::runtime_error("Die Versionsangabe der Datei „" + Utf8Text(file) +
                             "“ kann nicht gelesen werden: " + GermanSystemReason(GetLastError()));
  };
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
  if (size == 0) fail();
  std::vector<BYTE> resource(size);
  if (!GetFileVersionInfoW(file.c_str(), 0, size, resource.data())) fail();
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(resource.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) || !fixed) fail();
  return FormatVersion(HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
                       LOWORD(fixed->dwFileVersionLS));
}

std::string ProgramVersion() {
  std::wstring path(MAX_PATH, L'\0');
  DWORD n;
  while ((n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()))) == path.size()) path.resize(path.size() * 2);
  path.resize(n);
  return ExecutableVersion(path);
}

#else

std::string ProgramVersion() {
  return FormatVersion(version::major, version::minor, version::release, version::build);
}

#endif

}  // namespace bw
