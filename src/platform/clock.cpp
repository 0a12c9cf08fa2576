#include "platform/clock.h"

#include <ctime>

namespace kelvo::platform {

text::DateTime SystemClock::now() const {
  const std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  text::DateTime d;
  d.year = tm.tm_year + 1900;
  d.month = tm.tm_mon + 1;
  d.day = tm.tm_mday;
  d.hour = tm.tm_hour;
  d.minute = tm.tm_min;
  d.second = tm.tm_sec > 59 ? 59 : tm.tm_sec;  // a leap second would make "hh:mm:60"
  d.weekday = tm.tm_wday;
  return d;
}

}  // namespace kelvo::platform
