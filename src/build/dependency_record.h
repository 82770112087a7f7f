// The dependency record a compiler puts at the start of an object file:
// which include files the translation read, so that a changed header
// rebuilds the sources that use it.
//
// Layout: 0x70, a 16-bit little-endian body length n, 0xFF, then n body
// bytes. Entries start at body offset body[0] + 1; each is a type byte, 5
// bytes this reader skips, a name length L and L name bytes, and the next
// follows at +7+L. The include files are the type-2 entries: the reader
// skips the entries before the first of them and takes the run of type-2
// entries from there; the run ends at an entry of another type or when
// fewer than 7 bytes are left.
#ifndef C51_BUILD_DEPENDENCY_RECORD_H_
#define C51_BUILD_DEPENDENCY_RECORD_H_

#include <cstddef>
#include <string_view>
#include <vector>

namespace c51 {

// Enough of an object file's start for any record: header and the
// longest body.
constexpr size_t kDependencyRecordMaxBytes = 4 + 0xFFFF;

enum class RecordStatus {
  kNone,       // fewer than 4 bytes, or no 0x70 ... 0xFF header
  kTruncated,  // the header promises more body bytes than there are
  kRead,       // `includes` holds the record's include files
};

struct DependencyRecord {
  RecordStatus status = RecordStatus::kNone;
  // Point into the bytes given to ReadDependencyRecord. Empty unless kRead.
  std::vector<std::string_view> includes;
};

// Reads the record from the start of an object file (`bytes`: the whole
// file, or at least its first kDependencyRecordMaxBytes). Never reads
// outside `bytes`, whatever the lengths inside claim: an entry whose name
// runs past the body's end ends the run without being taken.
DependencyRecord ReadDependencyRecord(std::string_view bytes);

}  // namespace c51

#endif  // C51_BUILD_DEPENDENCY_RECORD_H_
