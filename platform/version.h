#pragma once

#include <string>

namespace bw {

// "major.minor.release.build" without leading zeros, as the version text shows it.
std::string FormatVersion(unsigned short major, unsigned short minor, unsigned short release,
                          unsigned short build);

// The version compiled into this executable (18.2.4.17 for this release).
std::string ProgramVersion();

}  // namespace bw
