#include "platform/regularfile.h"

#include <stdexcept>
#include <string>

#include "platform/pathtext.h"

namespace bw {

bool OpenRegularFile(const std::filesystem::path& path, std::ifstream& in) {
  std::error_code ec;
  const std::filesystem::file_type type = std::filesystem::status(path, ec).type();
  if (type == std::filesystem::file_type::not_found) return false;
  const std::string name = "Die Datei „" + Utf8Text(path) + "“ ";
  if (!ec && type != std::filesystem::file_type::regular) throw std::runtime_error(name + "ist keine reguläre Datei.");
  if (!ec) in.open(path, std::ios::binary);
  // A folder on the way that may not be searched, or a file that may not be read.
  if (ec || !in) throw std::runtime_error(name + "kann nicht gelesen werden.");
  return true;
}

}  // namespace bw
