// The sizes the "Program Size:" line shows, read from the memory summary
// sdld writes beside the program (".mem"):
//
//   Internal RAM layout:
//         0 1 2 3 4 5 6 7 8 9 A B C D E F
//   0x00:|0|0|0|0|0|0|0|0|1|1|1|1|1|1|1|1|
//   0x10:|a|b|b|S|S|S|S|S|S|S|S|S|S|S|S|S|
//   ...
//   Other memory:
//      Name             Start    End      Size     Max
//      PAGED EXT. RAM                         0      256
//      EXTERNAL RAM     0x0001   0x0bb8    3000    65536
//
// Internal RAM counts every used cell but the stack's ("S"): register
// banks, data, bits, overlays, idata and absolute bytes. External RAM is
// the paged and the plain external sizes together.
#ifndef C51_TOOLS_SDCC_LINK_MEMORY_SUMMARY_H_
#define C51_TOOLS_SDCC_LINK_MEMORY_SUMMARY_H_

#include <cstdint>
#include <string_view>
#include <vector>

namespace c51::sdcc {

// The directly addressed cells, 00H-7FH.
constexpr uint32_t kDataCells = 0x80;

struct MemoryUse {
  uint32_t data = 0;   // bytes of internal RAM
  uint32_t xdata = 0;  // bytes of external RAM, paged included
  int stack = -1;  // bytes of stack ("Stack starts at: ... with N bytes available"); -1: none said
  // Per cell of 00H-7FH, true when nothing but the stack holds it; empty
  // when the summary has no layout.
  std::vector<bool> free_data;
};

MemoryUse ReadMemorySummary(std::string_view mem);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_LINK_MEMORY_SUMMARY_H_
