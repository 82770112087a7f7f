// The variables the user placed at fixed addresses in DATA, IDATA and XDATA
// (rel_object.h's ABSOLUTE records), which sdcc gives an address and no
// room. The linker reserves them with a module of its own, one absolute
// area per space, so sdld lays relocatable variables around them as around
// any absolute area:
//
//   .area IABS (ABS,DATA)     .org 0x0030   .ds 1
//   .area XABS (ABS,XDATA)    .org 0x0100   .ds 1
//
// One variable defined in several modules (a header placing a device
// register) and variables that share bytes make one range.
#ifndef C51_TOOLS_SDCC_LINK_ABSOLUTE_VARIABLES_H_
#define C51_TOOLS_SDCC_LINK_ABSOLUTE_VARIABLES_H_

#include <cstdint>
#include <string>
#include <vector>

#include "sdcc/link/link_module.h"

namespace c51::sdcc {

// Bytes [start, end) of one space and the first variable that holds them.
struct AbsoluteRange {
  uint32_t start = 0;
  uint32_t end = 0;
  std::string symbol;  // "_keep"
  std::string module;  // "<file> (<MODULE>)"
};

struct AbsolutePlan {
  std::vector<AbsoluteRange> internal;  // DATA and IDATA, by address
  std::vector<AbsoluteRange> external;  // XDATA, by address
  std::string source;                   // sdas8051 source; empty when nothing is placed
};

// From the modules `linked` marks.
AbsolutePlan PlanAbsoluteVariables(const std::vector<LinkModule>& modules,
                                   const std::vector<bool>& linked);

// True when `linked` differs from `planned` in a module with such variables.
bool AbsoluteInputsChanged(const std::vector<LinkModule>& modules, const std::vector<bool>& planned,
                           const std::vector<bool>& linked);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_LINK_ABSOLUTE_VARIABLES_H_
