#pragma once

#include <string>
#include <vector>

namespace bw {

// The executable names of the running processes. Linux: for each process its kernel name
// (/proc/<pid>/comm) and its argv[0] (/proc/<pid>/cmdline), which under Wine may be a
// Windows path. Windows: the executable file name of each entry of a process snapshot.
std::vector<std::string> RunningExecutableNames();

// True when `entryName` names the executable `exeFileName`: either the whole entry or its
// file-name part (after the last '/' or '\') equals it, with only the letters a to z
// compared without case.
bool ExecutableNameMatches(const std::string& entryName, const std::string& exeFileName);

// True when a running process has the executable name `exeFileName`.
bool ProcessExists(const std::string& exeFileName);

}  // namespace bw
