#include "platform/pathtext.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace bw {

#ifdef _WIN32

std::wstring Wide(std::string_view utf8) {
  std::wstring out(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), out.data(), int(out.size()));
  return out;
}

std::string Utf8(std::wstring_view wide) {
  std::string out(WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), out.data(), int(out.size()), nullptr, nullptr);
  return out;
}

// The C++ library would take narrow text in the ANSI code page, which can't hold every name.
std::filesystem::path PathFromUtf8(std::string_view utf8) { return std::filesystem::path(Wide(utf8)).make_preferred(); }

std::string Utf8Text(const std::filesystem::path& path) { return Utf8(path.native()); }

std::string FixedIconFolder() { return "G:\\CORVANAICONS\\"; }

#else

std::filesystem::path PathFromUtf8(std::string_view utf8) { return std::filesystem::path(utf8); }

std::string Utf8Text(const std::filesystem::path& path) { return path.string(); }

std::string FixedIconFolder() { return {}; }

#endif

}  // namespace bw
