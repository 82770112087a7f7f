// sdcc's debug records of source lines are public symbols named after the
// file and line ("C$flag.h$3$1_0$3"). A header whose lines make code (a
// static with an initializer, an inline function) gives every module that
// includes it the same names, and sdld refuses the program (multiple
// definitions) where the original links two private copies. The records
// of a name after its first get the module's number appended, so each
// stays in its module's debug information.
#ifndef C51_TOOLS_SDCC_LINK_LINE_RECORDS_H_
#define C51_TOOLS_SDCC_LINK_LINE_RECORDS_H_

#include <vector>

#include "sdcc/link/link_module.h"

namespace c51::sdcc {

void KeepLineRecordsApart(std::vector<LinkModule>* modules);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_LINK_LINE_RECORDS_H_
