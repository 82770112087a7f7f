#include "platform/local_time.h"

#include <time.h>

namespace c51 {
namespace {

// Seconds between 1601-01-01 (FILETIME) and 1970-01-01 (Unix).
constexpr int64_t kFileTimeToUnixSeconds = 11644473600LL;
constexpr int64_t kTicksPerSecond = 10000000LL;

}  // namespace

bool LocalTimeOf(int64_t file_time, CalendarTime* out) {
  if (file_time < 0) return false;
  const int64_t unix_seconds = file_time / kTicksPerSecond - kFileTimeToUnixSeconds;
  const time_t t = static_cast<time_t>(unix_seconds);
  if (static_cast<int64_t>(t) != unix_seconds) return false;
  // localtime_r need not look at TZ again; localtime does, and so do we, so
  // that a zone changed while the process runs is the one used.
  tzset();
  struct tm local;
  if (localtime_r(&t, &local) == nullptr) return false;
  out->year = local.tm_year + 1900;
  out->month = local.tm_mon + 1;
  out->day = local.tm_mday;
  out->hour = local.tm_hour;
  out->minute = local.tm_min;
  out->second = local.tm_sec;
  return true;
}

}  // namespace c51
