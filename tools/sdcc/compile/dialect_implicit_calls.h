// Calls of a function no declaration precedes ("led_set(0x5A);" with
// led_set defined further down or in another file). The original compiler
// warns (C206) and passes the arguments as they are; sdcc takes the call
// for one of "int led_set(void)" and refuses its arguments ("too many
// parameters"), and without arguments reads an int where the function may
// return a char. So the function containing the first such call is preceded
// by a prototype made from the definition: this file's, else one in a C
// file beside it, spelled in another letter case too (the original linker
// ignores case), with the call's spelling, on the same line:
//
//   void main(void) { led_set(0x5A); }
//   => void led_set(unsigned char v); void main(void) { led_set(0x5A); }
//
// Every such call keeps its C206. A definition whose types this file does
// not know where the prototype goes, a static one in another file and an
// old-style one are left to sdcc, as is a call with no definition found.
// _getkey, which the original's stdio.h declares and sdcc's does not, gets
// the original's prototype without a warning in a file that includes it.
#ifndef C51_TOOLS_SDCC_COMPILE_DIALECT_IMPLICIT_CALLS_H_
#define C51_TOOLS_SDCC_COMPILE_DIALECT_IMPLICIT_CALLS_H_

#include <string>
#include <vector>

#include "sdcc/compile/dialect_rewriter.h"
#include "sdcc/compile/dialect_source.h"

namespace c51::sdcc {

// `consulted` gets the other files read; `calls` each call so declared,
// for its C206.
void DeclareImplicitCalls(DialectSource* source, const DefinitionFinder& find,
                          std::vector<std::string>* consulted, std::vector<DialectIssue>* calls);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_DIALECT_IMPLICIT_CALLS_H_
