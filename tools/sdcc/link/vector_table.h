// The interrupt vector table the linker lays down itself. sdcc writes the
// table only into the module that defines main() and only for the interrupts
// declared there, so a routine in a file of its own would never run. When a
// routine lives outside the main module, or the user's absolute code takes
// the place of sdcc's table, the linker assembles a module of its own with
// an absolute area per vector:
//
//   .org 0x0000   ljmp __sdcc_gsinit_startup   (the reset)
//   .org 0x0003   reti                         (a vector nobody uses)
//   .org 0x000B   ljmp _t0                     (interrupt 1)
//
// sdld fits relocatable areas into the gaps between absolute ones, but not
// reliably: sdcc's own table in HOME, too big for the gap between two
// vectors, could land across a vector above it. So HOME, with all the code
// sdld places after it, starts past the table's last byte; sdcc's table
// there is never jumped to. The user's absolute code wins over a generated
// entry at the same address, the reset included. When nothing calls for the
// table the link stays as sdcc makes it.
#ifndef C51_TOOLS_SDCC_LINK_VECTOR_TABLE_H_
#define C51_TOOLS_SDCC_LINK_VECTOR_TABLE_H_

#include <cstdint>
#include <string>
#include <vector>

#include "sdcc/link/link_controls.h"

namespace c51::sdcc {

// Bytes [start, end) of code memory and who put them there, for messages:
// "<file> (<MODULE>)" or "AREA CSEG".
struct CodeRange {
  uint32_t start = 0;
  uint32_t end = 0;
  std::string owner;
};

struct InterruptRoutine {
  uint32_t number = 0;
  std::string symbol;  // "_t0"
  std::string module;  // "<file> (<MODULE>)"
  bool in_main_module = false;
  bool is_public = true;  // a static routine cannot be reached from another module
};

struct VectorPlan {
  // The sdas8051 source of the table module; empty when the link needs none.
  std::string source;
  std::vector<CodeRange> entries;      // what the table places
  std::vector<std::string> map_lines;  // "  000BH     1          t0    <module>"
  std::vector<LinkMessage> messages;
  // Where sdld is to put the HOME area: past the table. 0 while there is no
  // table, as a table always has a byte at or above the base.
  uint32_t home_base = 0;
};

// The symbol sdcc's start-up code begins at.
constexpr char kStartupSymbol[] = "__sdcc_gsinit_startup";

// `absolute` is the user's absolute code; `base` the start of code memory
// (CODE(...), where sdcc puts its own table); `main_home_size` the size of
// the main module's HOME area, which holds sdcc's table (0 without a main
// module). Two routines for one number are an error naming both.
VectorPlan PlanVectorTable(const std::vector<InterruptRoutine>& routines,
                           const std::vector<CodeRange>& absolute, uint32_t base,
                           uint32_t main_home_size);

// "0x000B"-style address text of the table's source and messages: "000BH".
std::string AddressText(uint32_t address);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_LINK_VECTOR_TABLE_H_
