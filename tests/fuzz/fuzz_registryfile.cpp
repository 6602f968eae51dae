// Any bytes as the record file: reading it must not fail, and what was read, written out,
// must read back to the same record.

#include <cstdint>

#include "platform/registryfile.h"
#include "tests/fuzz/fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::filesystem::path path = bw::fuzz::ScratchFolder() / "registry.ini";
  bw::fuzz::WriteBytes(path, data, size);
  const bw::RegistryFile record(path);
  // The look-ups the program makes at every start.
  const std::string key = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Brennwick";
  if (record.HasKey(key)) (void)record.Value(key, "GameLocation");
  const std::string text = record.Text();
  const std::filesystem::path saved = bw::fuzz::ScratchFolder() / "saved.ini";
  bw::fuzz::WriteBytes(saved, reinterpret_cast<const uint8_t*>(text.data()), text.size());
  const std::string again = bw::RegistryFile(saved).Text();
  if (again != text) bw::fuzz::Finding("a saved record reads back differently", text + "\n---\n" + again);
  return 0;
}
