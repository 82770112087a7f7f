// The build's reading of an object file's dependency record, written again
// here so the tests do not check the writer against itself: 4 header bytes,
// the body, entries from body[0] + 1, type-2 names after the first entry.
#ifndef C51_TESTS_TOOLS_RECORD_READER_H_
#define C51_TESTS_TOOLS_RECORD_READER_H_

#include <cstdint>
#include <string>
#include <vector>

namespace c51::sim {

struct ReadBack {
  bool ok = false;  // the entries fill the body exactly
  std::vector<uint8_t> types;
  std::vector<std::string> names;    // every entry's name
  std::vector<std::string> headers;  // the type-2 names
};

inline ReadBack ReadRecord(const std::string& bytes) {
  ReadBack out;
  if (bytes.size() < 4 || static_cast<uint8_t>(bytes[0]) != 0x70 ||
      static_cast<uint8_t>(bytes[3]) != 0xFF) {
    return out;
  }
  const size_t n = static_cast<uint8_t>(bytes[1]) | (static_cast<uint8_t>(bytes[2]) << 8);
  if (bytes.size() < 4 + n || n == 0) return out;
  const std::string body = bytes.substr(4, n);
  size_t pos = static_cast<uint8_t>(body[0]) + 1;
  while (pos + 7 <= body.size()) {
    const uint8_t type = static_cast<uint8_t>(body[pos]);
    const size_t length = static_cast<uint8_t>(body[pos + 6]);
    if (pos + 7 + length > body.size()) return out;
    out.types.push_back(type);
    out.names.push_back(body.substr(pos + 7, length));
    if (type == 2) out.headers.push_back(out.names.back());
    pos += 7 + length;
  }
  out.ok = pos == body.size();
  return out;
}

}  // namespace c51::sim

#endif  // C51_TESTS_TOOLS_RECORD_READER_H_
