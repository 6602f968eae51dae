#pragma once

#include <string>

namespace bw {

// The current local time through strftime under the user's LC_TIME: "%x" is the user's
// short date, "%X" the long time (German: 15.06.2023 and 18:13:56). The user's locale is in
// force once the application object exists (Qt sets it from the environment on Unix).
std::string LocalTimeText(const char* strftimeFormat);

}  // namespace bw
