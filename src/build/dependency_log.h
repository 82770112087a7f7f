// The dependency log: what each object's dependency record said, kept in
// one file in the object folder, so that a build in a new process learns
// every object's include files from one read instead of opening every
// object (ninja keeps .ninja_deps for the same reason). This file only
// writes and reads its bytes; object_records.h decides what to trust.
//
// The file, "<object folder>.c51deps", little-endian throughout:
//   "C51DEPS" 0x1A, u32 version (1), u64 HashText of every byte after it;
//   u32 n, n bytes: the object folder the log was written for;
//   u32 include count, each include path as u32 n, n bytes;
//   u32 object count, each object as u32 n, n bytes of its name inside the
//     folder, i64 time, i64 size (of the object when its record was read),
//     u8 flags (1: the record was cut short), u32 k, k u32 include numbers
//     (each below the include count).
// Nothing follows the last object.
#ifndef C51_BUILD_DEPENDENCY_LOG_H_
#define C51_BUILD_DEPENDENCY_LOG_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fs.h"

namespace c51 {

constexpr const char* kDependencyLogName = ".c51deps";

struct LoggedObject {
  std::string_view name;  // inside the log's folder: no separator
  FileStamp stamp;
  bool truncated = false;
  // This object's include numbers: `count` of DependencyLogView::numbers
  // from `first`.
  uint32_t first = 0;
  uint32_t count = 0;
};

// A log's contents. Every view points into the bytes it was read from, or
// into texts the writer keeps alive while it formats.
struct DependencyLogView {
  std::string_view folder;
  std::vector<std::string_view> includes;
  std::vector<LoggedObject> objects;
  std::vector<uint32_t> numbers;
};

// The bytes of the file for `log`.
std::string FormatDependencyLog(const DependencyLogView& log);

// Reads a log. False when `bytes` are not one whole, undamaged log of this
// version: a wrong header or checksum, a length or count past the end, an
// include number out of range, an object name that is empty, "." or ".."
// or holds a separator, or bytes after the last object. Never reads
// outside `bytes` and never reserves more entries than the bytes left
// could hold, whatever the counts inside claim.
bool ParseDependencyLog(std::string_view bytes, DependencyLogView* log);

}  // namespace c51

#endif  // C51_BUILD_DEPENDENCY_LOG_H_
