#include "platform/local_time.h"

#include <windows.h>

namespace c51 {

bool LocalTimeOf(int64_t file_time, CalendarTime* out) {
  if (file_time < 0) return false;
  const uint64_t ticks = static_cast<uint64_t>(file_time);
  FILETIME utc_file;
  utc_file.dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFFu);
  utc_file.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  // Not FileTimeToLocalFileTime: it applies today's daylight-saving bias to
  // every date, so a winter file would show an hour off in summer.
  SYSTEMTIME utc, local;
  if (!FileTimeToSystemTime(&utc_file, &utc)) return false;
  if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) return false;
  out->year = local.wYear;
  out->month = local.wMonth;
  out->day = local.wDay;
  out->hour = local.wHour;
  out->minute = local.wMinute;
  out->second = local.wSecond;
  return true;
}

}  // namespace c51
