// The memory image in the Intel HEX file sdld writes, as runs of adjacent
// bytes: what the absolute program keeps and what the hex converter writes
// back out.
#ifndef C51_TOOLS_SDCC_LINK_IHX_IMAGE_H_
#define C51_TOOLS_SDCC_LINK_IHX_IMAGE_H_

#include <string>
#include <string_view>
#include <vector>

#include "sim/intel_hex.h"

namespace c51::sdcc {

// Data (00), end (01), extended segment (02) and extended linear (04)
// records are read; start address records (03, 05) are skipped. Runs come
// sorted by address; a byte given twice keeps its last value. False with
// `err` (upper case) on a bad record or checksum, or a text without an end
// record.
//   ":0300000002000BF0" ":00000001FF"  => one run at 0: 02 00 0B
bool ReadIntelHex(std::string_view text, std::vector<c51::sim::HexChunk>* runs, std::string* err);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_LINK_IHX_IMAGE_H_
