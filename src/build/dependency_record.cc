// Every read checks its offset against the body's size: the record comes
// from a file on disk and may be cut off or garbage.
#include "build/dependency_record.h"

namespace c51 {
namespace {

constexpr unsigned char kRecordType = 0x70;
constexpr unsigned char kRecordMark = 0xFF;
constexpr unsigned char kIncludeEntry = 2;
constexpr size_t kEntryHead = 7;  // type, 5 skipped bytes, name length

unsigned char Byte(std::string_view bytes, size_t i) {
  return static_cast<unsigned char>(bytes[i]);
}

// Bytes from `pos` to the end; 0 when a length has carried `pos` past it.
size_t Remaining(std::string_view body, size_t pos) {
  return pos < body.size() ? body.size() - pos : 0;
}

}  // namespace

DependencyRecord ReadDependencyRecord(std::string_view bytes) {
  DependencyRecord record;
  if (bytes.size() < 4 || Byte(bytes, 0) != kRecordType || Byte(bytes, 3) != kRecordMark) {
    return record;
  }
  const size_t length = Byte(bytes, 1) | static_cast<size_t>(Byte(bytes, 2)) << 8;
  if (bytes.size() - 4 < length) {
    record.status = RecordStatus::kTruncated;
    return record;
  }
  record.status = RecordStatus::kRead;
  const std::string_view body = bytes.substr(4, length);
  if (body.empty()) return record;

  size_t pos = static_cast<size_t>(Byte(body, 0)) + 1;
  // Entries before the first include entry.
  while (Remaining(body, pos) >= kEntryHead && Byte(body, pos) != kIncludeEntry) {
    pos += kEntryHead + Byte(body, pos + 6);
  }
  // The run of include entries.
  while (Remaining(body, pos) >= kEntryHead && Byte(body, pos) == kIncludeEntry) {
    size_t name_length = Byte(body, pos + 6);
    size_t name_start = pos + kEntryHead;
    if (Remaining(body, name_start) < name_length) break;
    record.includes.push_back(body.substr(name_start, name_length));
    pos = name_start + name_length;
  }
  return record;
}

}  // namespace c51
