#include "sim/intel_hex.h"

#include <gtest/gtest.h>

#include <map>

namespace c51::sim {
namespace {

struct Record {
  uint8_t type;
  uint16_t address;
  std::vector<uint8_t> data;
};

int Hex(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;  // lower case is not what we write
}

// Checks each line's syntax and checksum and decodes it.
std::vector<Record> Decode(const std::string& text) {
  std::vector<Record> records;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t end = text.find("\r\n", pos);
    EXPECT_NE(std::string::npos, end) << "line without CR LF";
    if (end == std::string::npos) break;
    const std::string line = text.substr(pos, end - pos);
    pos = end + 2;
    EXPECT_EQ(':', line[0]) << line;
    EXPECT_EQ(1u, line.size() % 2) << line;
    std::vector<uint8_t> bytes;
    for (size_t i = 1; i + 1 < line.size(); i += 2) {
      const int high = Hex(line[i]), low = Hex(line[i + 1]);
      EXPECT_TRUE(high >= 0 && low >= 0) << line;
      bytes.push_back(static_cast<uint8_t>(high * 16 + low));
    }
    uint8_t sum = 0;
    for (uint8_t b : bytes) sum = static_cast<uint8_t>(sum + b);
    EXPECT_EQ(0, sum) << "checksum of " << line;
    EXPECT_EQ(bytes.size(), 5u + bytes[0]) << line;
    if (bytes.size() < 5) continue;
    records.push_back(Record{bytes[3], static_cast<uint16_t>(bytes[1] << 8 | bytes[2]),
                             std::vector<uint8_t>(bytes.begin() + 4, bytes.end() - 1)});
  }
  return records;
}

// Replays the records into a memory image keyed by linear address.
std::map<uint32_t, uint8_t> Image(const std::vector<Record>& records) {
  std::map<uint32_t, uint8_t> image;
  uint32_t upper = 0;
  for (const Record& r : records) {
    if (r.type == 0x04) upper = static_cast<uint32_t>(r.data[0] << 8 | r.data[1]) << 16;
    if (r.type != 0x00) continue;
    EXPECT_LE(r.data.size(), 16u);
    EXPECT_LE(r.address + r.data.size(), 0x10000u) << "record crosses a 64 KB page";
    for (size_t i = 0; i < r.data.size(); ++i) {
      EXPECT_TRUE(image.emplace(upper + r.address + static_cast<uint32_t>(i), r.data[i]).second);
    }
  }
  return image;
}

TEST(IntelHexTest, KnownRecords) {
  EXPECT_EQ(":00000001FF\r\n", FormatIntelHex({}));
  // Checked by hand: 03+00+30+00+02+33+7A = 0xE2, two's complement 0x1E.
  EXPECT_EQ(":0300300002337A1E\r\n:00000001FF\r\n",
            FormatIntelHex({HexChunk{0x30, {0x02, 0x33, 0x7A}}}));
}

TEST(IntelHexTest, EveryByteArrivesOnceAcrossPagesAndRecordLimits) {
  std::vector<HexChunk> chunks;
  std::map<uint32_t, uint8_t> expected;
  auto add = [&](uint32_t address, size_t size, uint8_t seed) {
    HexChunk chunk{address, {}};
    for (size_t i = 0; i < size; ++i) {
      chunk.bytes.push_back(static_cast<uint8_t>(seed + i * 7));
      expected[address + static_cast<uint32_t>(i)] = chunk.bytes.back();
    }
    chunks.push_back(chunk);
  };
  add(0x0000, 1, 1);
  add(0x0010, 37, 2);   // three records: 16 + 16 + 5
  add(0xFFF5, 20, 3);   // crosses into page 1
  add(0x18000, 16, 4);  // bank 1 in page 1
  add(0x28000, 3, 5);   // bank 2
  add(0x0100, 2, 6);    // back to page 0
  const std::vector<Record> records = Decode(FormatIntelHex(chunks));
  EXPECT_EQ(expected, Image(records));
  ASSERT_FALSE(records.empty());
  EXPECT_EQ(0x01, records.back().type);
  size_t extended = 0;
  for (const Record& r : records) extended += r.type == 0x04 ? 1 : 0;
  EXPECT_EQ(3u, extended);  // to page 1, page 2, back to page 0 (page 1 once: 0xFFF5 run continues)
}

}  // namespace
}  // namespace c51::sim
