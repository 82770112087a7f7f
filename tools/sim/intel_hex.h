// Intel HEX text for the hex converter.
#ifndef C51_TOOLS_SIM_INTEL_HEX_H_
#define C51_TOOLS_SIM_INTEL_HEX_H_

#include <cstdint>
#include <string>
#include <vector>

namespace c51::sim {

struct HexChunk {
  uint32_t address = 0;  // linear; above 0xFFFF for code banks
  std::vector<uint8_t> bytes;
};

// Data records (type 00) of at most 16 bytes that never cross a 64 KB
// boundary, an extended linear address record (type 04) before the first
// record of every 64 KB page other than page 0, and the end record
// ":00000001FF". Each record: ":", count, address, type, data, checksum
// (two's complement of the byte sum), upper-case hex, "\r\n".
// Bytes past 0xFFFFFFFF are dropped.
std::string FormatIntelHex(const std::vector<HexChunk>& chunks);

}  // namespace c51::sim

#endif  // C51_TOOLS_SIM_INTEL_HEX_H_
