#include "sdcc/link/ihx_image.h"

#include <cstdint>
#include <map>

namespace c51::sdcc {

namespace {

int HexDigit(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  if (u >= '0' && u <= '9') return u - '0';
  if (u >= 'a' && u <= 'f') return u - 'a' + 10;
  if (u >= 'A' && u <= 'F') return u - 'A' + 10;
  return -1;
}

// The bytes of one record's text after ":"; false on an odd count or a
// character that is not a hexadecimal digit.
bool DecodeRecord(std::string_view digits, std::vector<uint8_t>* bytes) {
  if (digits.size() % 2 != 0) return false;
  bytes->clear();
  for (size_t i = 0; i < digits.size(); i += 2) {
    const int high = HexDigit(digits[i]), low = HexDigit(digits[i + 1]);
    if (high < 0 || low < 0) return false;
    bytes->push_back(static_cast<uint8_t>(high * 16 + low));
  }
  return true;
}

}  // namespace

bool ReadIntelHex(std::string_view text, std::vector<c51::sim::HexChunk>* runs, std::string* err) {
  runs->clear();
  std::map<uint32_t, uint8_t> image;
  uint32_t base = 0;  // from the last 02 or 04 record
  bool ended = false;
  size_t pos = 0;
  int line_number = 0;
  std::vector<uint8_t> record;
  while (pos < text.size() && !ended) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    ++line_number;
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
    if (line.empty()) continue;
    const std::string where = " IN LINE " + std::to_string(line_number);
    if (line[0] != ':' || !DecodeRecord(line.substr(1), &record) || record.size() < 5 ||
        record.size() != static_cast<size_t>(record[0]) + 5) {
      *err = "BAD HEX RECORD" + where;
      return false;
    }
    uint8_t sum = 0;
    for (uint8_t b : record) sum = static_cast<uint8_t>(sum + b);
    if (sum != 0) {
      *err = "BAD HEX CHECKSUM" + where;
      return false;
    }
    const uint32_t offset = static_cast<uint32_t>(record[1]) << 8 | record[2];
    const uint8_t* data = record.data() + 4;
    switch (record[3]) {
      case 0x00:
        for (size_t i = 0; i < record[0]; ++i)
          image[base + offset + static_cast<uint32_t>(i)] = data[i];
        break;
      case 0x01:
        ended = true;
        break;
      case 0x02:
      case 0x04:
        if (record[0] != 2) {
          *err = "BAD HEX RECORD" + where;
          return false;
        }
        base = (static_cast<uint32_t>(data[0]) << 8 | data[1]) << (record[3] == 0x02 ? 4 : 16);
        break;
      case 0x03:
      case 0x05:
        break;
      default:
        *err = "BAD HEX RECORD TYPE" + where;
        return false;
    }
  }
  if (!ended) {
    *err = "HEX FILE WITHOUT END RECORD";
    return false;
  }
  for (const auto& [address, byte] : image) {
    if (runs->empty() ||
        runs->back().address + runs->back().bytes.size() != static_cast<uint64_t>(address)) {
      runs->push_back(c51::sim::HexChunk{address, {}});
    }
    runs->back().bytes.push_back(byte);
  }
  return true;
}

}  // namespace c51::sdcc
