#pragma once

#include <filesystem>
#include <string>

namespace bw {

// "major.minor.release.build" without leading zeros, as the version text shows it.
std::string FormatVersion(unsigned short major, unsigned short minor, unsigned short release,
                          unsigned short build);

// The version of this executable (18.2.4.17 for this release). Linux: the numbers compiled
// into it. Windows: the file version of its VERSIONINFO resource, read as ExecutableVersion
// reads it.
std::string ProgramVersion();

#ifdef _WIN32
// The file version in the VERSIONINFO resource of an executable file. A file without one, or
// one that can't be read, raises std::runtime_error with a German message naming the file.
std::string ExecutableVersion(const std::filesystem::path& file);
#endif

}  // namespace bw
