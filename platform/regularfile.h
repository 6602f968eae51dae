#pragma once

#include <filesystem>
#include <fstream>

namespace bw {

// Opens `path` for reading only when it is a regular file. That is checked before opening,
// so a FIFO is never opened (which would block) and a device never read (which would not
// end). Returns false when nothing is there; anything else under the name, or a failing
// open, raises std::runtime_error with a German message naming the file.
bool OpenRegularFile(const std::filesystem::path& path, std::ifstream& in);

}  // namespace bw
