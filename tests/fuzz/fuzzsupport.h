#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

namespace bw::fuzz {

// Ends the run as a finding: libFuzzer keeps the input that got here.
[[noreturn]] inline void Finding(const std::string& what, std::string_view detail = {}) {
  std::fprintf(stderr, "FINDING: %s\n%.*s\n", what.c_str(), int(detail.size()), detail.data());
  std::abort();
}

// A private folder for this fuzzer process, below $TMPDIR (tools/fuzz removes it).
inline const std::filesystem::path& ScratchFolder() {
  static const std::filesystem::path folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "brennwick-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) Finding("cannot create a scratch folder");
    return std::filesystem::path(pattern);
  }();
  return folder;
}

inline void WriteBytes(const std::filesystem::path& path, const uint8_t* data, size_t size) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f || std::fwrite(data, 1, size, f) != size || std::fclose(f) != 0) Finding("cannot write " + path.string());
}

}  // namespace bw::fuzz
