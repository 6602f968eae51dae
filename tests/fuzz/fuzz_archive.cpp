// Any bytes as the workspace archive: extracting it may fail with an error, but must write
// nothing outside the target folder. The target is a folder inside another one, so a write
// beside it or above it shows up as an extra entry.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "tests/fuzz/fuzzsupport.h"
#include "workspace/archive.h"
#include "workspace/error.h"

namespace fs = std::filesystem;

namespace {

// The names in a folder, sorted, one a line.
std::string Entries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const fs::directory_entry& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  std::string lines;
  for (const std::string& n : names) lines += n + '\n';
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fs::path root = bw::fuzz::ScratchFolder();
  // A path the extraction leaves relative lands here, beside the program folder.
  fs::current_path(root);
  const fs::path program = root / "program";
  fs::remove_all(program);
  fs::create_directories(program / "target");
  try {
    bw::ExtractArchive(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)),
                       QString::fromStdString((program / "target").string()));
  } catch (const bw::Error&) {
  }
  if (Entries(root) != "program\n") {
    bw::fuzz::Finding("extraction wrote beside the program folder", Entries(root));
  }
  if (Entries(program) != "target\n") bw::fuzz::Finding("extraction wrote beside the target folder", Entries(program));
  if (fs::is_symlink(program / "target") || !fs::is_directory(program / "target")) {
    bw::fuzz::Finding("extraction replaced the target folder");
  }
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(program / "target")) {
    if (e.is_symlink()) bw::fuzz::Finding("extraction made a link", e.path().string());
  }
  return 0;
}
