#pragma once

#include <string>

namespace bw {

// What an operating system error number (errno) means for the user, as one German
// sentence; messages put it after the name of the file at fault.
std::string GermanReason(int error);

#ifdef _WIN32
// The same for a Windows system error code (GetLastError).
std::string GermanSystemReason(unsigned long error);
#endif

}  // namespace bw
