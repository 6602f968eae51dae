#include "platform/localtime.h"

#include <ctime>

namespace bw {

std::string LocalTimeText(const char* strftimeFormat) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  char text[128];
  const size_t n = std::strftime(text, sizeof text, strftimeFormat, &local);
  return std::string(text, n);
}

}  // namespace bw
