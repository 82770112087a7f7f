// Declarations of a variable placed with _at_. Our users declare it in a
// header and place it in one source:
//
//   extern unsigned char idata flag;         (config.h)
//   unsigned char idata flag _at_ 0xF0;      (main.c)
//
// sdcc takes the address as part of the declaration and refuses the second
// line as a mismatch, so every extern declaration of a name the same file
// places gets the address too:
//
//   extern unsigned char idata flag;  =>  extern unsigned char idata __at(0xF0) flag;
//
// Only a declaration of one name ("extern T name;", "extern T name[n];")
// at file scope is changed; the placing line itself is the main rewriter's.
//
// `placed` gets the names placed at file scope whose size sdcc can tell
// (none declared with "[]"), for the size probes (absolute_variables.h).
#ifndef C51_TOOLS_SDCC_COMPILE_DIALECT_EXTERN_AT_H_
#define C51_TOOLS_SDCC_COMPILE_DIALECT_EXTERN_AT_H_

#include <string>
#include <vector>

#include "sdcc/compile/dialect_source.h"

namespace c51::sdcc {

void PlaceExternDeclarations(DialectSource* source, std::vector<std::string>* placed);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_DIALECT_EXTERN_AT_H_
