#pragma once

#include <filesystem>
#include <string>

namespace bw {

// Replaces the whole file at once through a temporary file in the same folder and a
// rename, so a crash or a full disk never leaves a torn file. Missing parent folders are
// created. Failures raise std::runtime_error with a German message naming the file.
void ReplaceFile(const std::filesystem::path& path, const std::string& bytes);

}  // namespace bw
