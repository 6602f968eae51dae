#include "platform/localtime.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/pathtext.h"
#else
#include <ctime>
#endif

namespace bw {

#ifdef _WIN32

namespace {

std::string DateText(const SYSTEMTIME& time) {
  wchar_t text[128];
  const int n = GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, text, 128, nullptr);
  return n > 0 ? Utf8(std::wstring_view(text, size_t(n - 1))) : std::string();
}

std::string TimeText(const SYSTEMTIME& time) {
  wchar_t text[128];
  const int n = GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &time, nullptr, text, 128);
  return n > 0 ? Utf8(std::wstring_view(text, size_t(n - 1))) : std::string();
}

}  // namespace

std::string LocalShortDate() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return DateText(now);
}

std::string LocalDateAndTime() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return DateText(now) + ' ' + TimeText(now);
}

#else

namespace {

std::string Now(const char* strftimeFormat) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[128];
  const size_t n = std::strftime(text, sizeof text, strftimeFormat, &local);
  return std::string(text, n);
}

}  // namespace

std::string LocalShortDate() { return Now("%x"); }

std::string LocalDateAndTime() { return Now("%x %X"); }

#endif

}  // namespace bw
