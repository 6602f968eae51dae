#pragma once

#include <string>

namespace bw {

// Today's date in the user's short date format, as UTF-8 (German: 15.06.2023). Linux:
// strftime "%x" under the user's LC_TIME, which is in force once the application object
// exists (Qt sets it from the environment). Windows: the user's locale setting.
std::string LocalShortDate();

// The user's short date and long time of the same moment, joined by a space (German:
// 15.06.2023 18:13:56). Linux: strftime "%x %X".
std::string LocalDateAndTime();

}  // namespace bw
