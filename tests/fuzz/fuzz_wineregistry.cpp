// Any bytes as a Wine system.reg: looking up the game's install records must not fail.

#include <cstdint>
#include <sstream>

#include "platform/wineregistry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  for (const char* key : {"SOFTWARE\\WOW6432Node\\UbiSoft\\Corvana 1800", "SOFTWARE\\WOW6432Node\\Ubisoft\\Launcher\\Installs\\4553"}) {
    std::istringstream reg(text);
    (void)bw::ReadWineString(reg, key, "InstallDir");
  }
  return 0;
}
