#include "app/platform/regularfile.h"

#include <stdexcept>
#include <string>

namespace bw {

bool OpenRegularFile(const std::filesystem::path& path, std::ifstream& in) {
  std::error_code ec;
  const std::filesystem::file_type type = std::filesystem::status(path, ec).type();
  if (type == std::filesystem::file_type::not_found) return false;
  const std::string name = "Die Datei „" + path.string() + "“ ";
  if (type != std::filesystem::file_type::regular) {
    throw std::runtime_error(name + (ec ? "kann nicht gelesen werden: " + ec.message() : "ist keine reguläre Datei."));
  }
  in.open(path, std::ios::binary);
  if (!in) throw std::runtime_error(name + "kann nicht gelesen werden.");
  return true;
}

}  // namespace bw
