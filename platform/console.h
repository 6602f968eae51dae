#pragma once

#include <cstdio>
#include <string_view>

namespace bw {

// Writes UTF-8 text to stdout or stderr and flushes it. Windows: a console gets the text as
// UTF-16, which it shows whatever its code page; a file or a pipe gets the UTF-8 bytes.
void PrintUtf8(std::FILE* stream, std::string_view utf8);

}  // namespace bw
