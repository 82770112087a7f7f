// The final check of the code image: sdld lays relocatable areas around the
// absolute ones but never compares absolute areas with each other, so two
// modules' code at one address (a start-up file's and a table's, say) would
// end up as whichever sdld wrote last. Every byte of code memory must have
// one owner; a shared byte is an error naming both.
#ifndef C51_TOOLS_SDCC_LINK_CODE_OVERLAP_H_
#define C51_TOOLS_SDCC_LINK_CODE_OVERLAP_H_

#include <string_view>
#include <vector>

#include "sdcc/link/link_controls.h"
#include "sdcc/link/vector_table.h"

namespace c51::sdcc {

// The relocatable code areas of sdld's map, where it placed them:
//   CSEG   00000070    0000000A =   10. bytes (REL,CON,CODE)
// Owners are "AREA CSEG". Empty areas are left out.
std::vector<CodeRange> RelocatedCodeAreas(std::string_view sdld_map);

// One ERROR L224 per pair of ranges that share a byte, lowest address first.
std::vector<LinkMessage> CheckCodeOverlaps(std::vector<CodeRange> ranges);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_LINK_CODE_OVERLAP_H_
