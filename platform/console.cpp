#include "platform/console.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>

#include <string>

#include "platform/pathtext.h"
#endif

namespace bw {

void PrintUtf8(std::FILE* stream, std::string_view utf8) {
#ifdef _WIN32
  HANDLE console = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
  DWORD mode;
  if (GetConsoleMode(console, &mode)) {
    std::fflush(stream);
    const std::wstring wide = Wide(utf8);
    DWORD written;
    WriteConsoleW(console, wide.data(), DWORD(wide.size()), &written, nullptr);
    return;
  }
#endif
  std::fwrite(utf8.data(), 1, utf8.size(), stream);
  std::fflush(stream);
}

}  // namespace bw
