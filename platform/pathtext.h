#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace bw {

// A path given as UTF-8 text, as the platform's file functions take it. Windows: converted
// to UTF-16, with backslashes as its delimiters.
std::filesystem::path PathFromUtf8(std::string_view utf8);

// A path as UTF-8 text for messages; the inverse of PathFromUtf8.
std::string Utf8Text(const std::filesystem::path& path);

// The folder the developer keeps the game's icons in, where the platform fixes one
// (Windows: "G:\CORVANAICONS\"); "" elsewhere, where the caller decides.
std::string FixedIconFolder();

#ifdef _WIN32
// UTF-8 to UTF-16 and back, for the system's wide functions.
std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);
#endif

}  // namespace bw
