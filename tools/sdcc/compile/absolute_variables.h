// sdcc gives a variable placed with __at an address and no room: the
// assembly has an equate ("_keep = 0x0030" in DSEG) that sdld knows nothing
// of, so it would lay other variables and the stack over it. The linker
// keeps them off once the object records each such variable with its size
// (rel_object.h). sdcc alone knows the size, so the compiler asks it with a
// probe per placed variable at the end of the text, an address that is the
// size and no room of its own:
//
//   static __xdata __at(sizeof(keep)) unsigned char __c51_atsize_keep;
//
// and reads the probe's equate back from the assembly, taking it out.
#ifndef C51_TOOLS_SDCC_COMPILE_ABSOLUTE_VARIABLES_H_
#define C51_TOOLS_SDCC_COMPILE_ABSOLUTE_VARIABLES_H_

#include <string>
#include <vector>

#include "sdcc/rel_object.h"

namespace c51::sdcc {

// The probe lines for `names`, each ended by "\n".
std::string SizeProbes(const std::vector<std::string>& names);

// Takes the probes' equates out of sdcc's `assembly`; the variables placed in
// DATA, IDATA and XDATA that a probe sized.
std::vector<RelAbsolute> TakeAbsoluteVariables(std::string* assembly);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_ABSOLUTE_VARIABLES_H_
