#pragma once

#include <algorithm>
#include <string>

namespace bw {

// Registry key paths and value names compare without case (A-Z only, as they are ASCII).
inline std::string AsciiLower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : char(c); });
  return text;
}

}  // namespace bw
