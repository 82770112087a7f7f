// File times as the local clock read them.
#ifndef C51_PLATFORM_LOCAL_TIME_H_
#define C51_PLATFORM_LOCAL_TIME_H_

#include <cstdint>

namespace c51 {

struct CalendarTime {
  int year = 0;    // e.g. 2011
  int month = 0;   // 1-12
  int day = 0;     // 1-31
  int hour = 0;    // 0-23
  int minute = 0;  // 0-59
  int second = 0;  // 0-59 (60 where the system counts a leap second)
};

// `file_time` (100-nanosecond ticks since 1601-01-01 UTC, the scale of
// ModificationTime) in the local time zone, with the daylight-saving rule
// in force at that moment. Sub-second ticks are dropped. False for a
// negative time or one the system cannot convert.
bool LocalTimeOf(int64_t file_time, CalendarTime* out);

}  // namespace c51

#endif  // C51_PLATFORM_LOCAL_TIME_H_
