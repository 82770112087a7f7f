#include "sim/intel_hex.h"

namespace c51::sim {

namespace {

constexpr size_t kRecordBytes = 16;

void AppendRecord(uint8_t type, uint16_t address, const uint8_t* data, size_t count,
                  std::string* out) {
  static const char kDigits[] = "0123456789ABCDEF";
  uint8_t sum = 0;
  auto put = [&](uint8_t b) {
    *out += kDigits[b >> 4];
    *out += kDigits[b & 0x0F];
    sum = static_cast<uint8_t>(sum + b);
  };
  *out += ':';
  put(static_cast<uint8_t>(count));
  put(static_cast<uint8_t>(address >> 8));
  put(static_cast<uint8_t>(address & 0xFF));
  put(type);
  for (size_t i = 0; i < count; ++i) put(data[i]);
  const uint8_t checksum = static_cast<uint8_t>(0x100 - sum);
  *out += kDigits[checksum >> 4];
  *out += kDigits[checksum & 0x0F];
  *out += "\r\n";
}

}  // namespace

std::string FormatIntelHex(const std::vector<HexChunk>& chunks) {
  std::string out;
  uint32_t page = 0;  // upper 16 bits in force; 0 needs no record
  for (const HexChunk& chunk : chunks) {
    size_t offset = 0;
    while (offset < chunk.bytes.size()) {
      const uint64_t address = static_cast<uint64_t>(chunk.address) + offset;
      if (address > 0xFFFFFFFFull) break;
      const uint32_t linear = static_cast<uint32_t>(address);
      if ((linear >> 16) != page) {
        page = linear >> 16;
        const uint8_t upper[2] = {static_cast<uint8_t>(page >> 8), static_cast<uint8_t>(page)};
        AppendRecord(0x04, 0, upper, 2, &out);
      }
      const size_t to_boundary = 0x10000 - (linear & 0xFFFF);
      size_t count = chunk.bytes.size() - offset;
      if (count > kRecordBytes) count = kRecordBytes;
      if (count > to_boundary) count = to_boundary;
      AppendRecord(0x00, static_cast<uint16_t>(linear & 0xFFFF), chunk.bytes.data() + offset, count,
                   &out);
      offset += count;
    }
  }
  AppendRecord(0x01, 0, nullptr, 0, &out);
  return out;
}

}  // namespace c51::sim
