#include "platform/version.h"

#include <cstdio>

#include "buildversion.h"

namespace bw {

std::string FormatVersion(unsigned short major, unsigned short minor, unsigned short release,
                          unsigned short build) {
  char text[32];
  std::snprintf(text, sizeof text, "%d.%d.%d.%d", major, minor, release, build);
  return text;
}

std::string ProgramVersion() {
  return FormatVersion(version::major, version::minor, version::release, version::build);
}

}  // namespace bw
