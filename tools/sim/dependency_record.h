// The dependency record at the start of every object file the compiler and
// the assembler write. The build reads it to find the headers a source used:
//
//   0x70, body length (16 bits, little-endian), 0xFF, body
//   body: n, n bytes of tool name, entries
//   entry: type, 5 bytes, name length, name bytes
//
// The first entry is the source (type kSourceEntry); one kIncludeEntry per
// header follows. Our 5 bytes: the file's modification time in seconds since
// 1970 (32 bits, little-endian) and a 0; readers skip them.
#ifndef C51_TOOLS_SIM_DEPENDENCY_RECORD_H_
#define C51_TOOLS_SIM_DEPENDENCY_RECORD_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace c51::sim {

constexpr uint8_t kDependencyRecordType = 0x70;
constexpr uint8_t kSourceEntry = 1;
constexpr uint8_t kIncludeEntry = 2;
constexpr size_t kMaxRecordBody = 0xFFFF;

struct DependencyEntry {
  uint8_t type = kIncludeEntry;
  int64_t time = 0;  // seconds since 1970; stored modulo 2^32
  std::string name;
};

// The whole record. An entry whose name is longer than 255 bytes is left out
// (a cut name would name another file), and so is every entry that would
// push the body past 65535 bytes; `dropped` (may be null) counts them.
std::string BuildDependencyRecord(std::string_view tool,
                                  const std::vector<DependencyEntry>& entries, int* dropped);

// Where the bytes after a leading record begin: 0 when `bytes` does not
// start with one; false when the record claims more bytes than there are.
bool SkipDependencyRecord(std::string_view bytes, size_t* end);

}  // namespace c51::sim

#endif  // C51_TOOLS_SIM_DEPENDENCY_RECORD_H_
