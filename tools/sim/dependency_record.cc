#include "sim/dependency_record.h"

namespace c51::sim {

std::string BuildDependencyRecord(std::string_view tool,
                                  const std::vector<DependencyEntry>& entries, int* dropped) {
  int left_out = 0;
  std::string body;
  const std::string_view name = tool.substr(0, 255);
  body += static_cast<char>(name.size());
  body += name;
  for (const DependencyEntry& entry : entries) {
    if (entry.name.size() > 255 || body.size() + 7 + entry.name.size() > kMaxRecordBody) {
      ++left_out;
      continue;
    }
    const uint32_t time = static_cast<uint32_t>(static_cast<uint64_t>(entry.time));
    body += static_cast<char>(entry.type);
    for (int shift = 0; shift < 32; shift += 8) body += static_cast<char>((time >> shift) & 0xFF);
    body += '\0';
    body += static_cast<char>(entry.name.size());
    body += entry.name;
  }
  if (dropped != nullptr) *dropped = left_out;
  std::string record;
  record += static_cast<char>(kDependencyRecordType);
  record += static_cast<char>(body.size() & 0xFF);
  record += static_cast<char>((body.size() >> 8) & 0xFF);
  record += static_cast<char>(0xFF);
  record += body;
  return record;
}

bool SkipDependencyRecord(std::string_view bytes, size_t* end) {
  *end = 0;
  if (bytes.size() < 4 || static_cast<uint8_t>(bytes[0]) != kDependencyRecordType ||
      static_cast<uint8_t>(bytes[3]) != 0xFF) {
    return true;
  }
  const size_t length = static_cast<uint8_t>(bytes[1]) | (static_cast<uint8_t>(bytes[2]) << 8);
  if (4 + length > bytes.size()) return false;
  *end = 4 + length;
  return true;
}

}  // namespace c51::sim
