// A prototype and its function's definition that differ only in "const"
// on a parameter:
//
//   void show(const unsigned char *s);      (a header)
//   void show(unsigned char *s) { ... }     (the source)
//
// The original compiler takes them as one function; sdcc refuses the
// definition ("conflict with previous declaration"). The "const" of such a
// parameter goes from both, which changes no code: a qualifier only limits
// what the source may write through the name.
//
// A parameter that points into code memory ("char code *s") becomes a
// pointer to const in every declaration: sdcc makes the prototype's one
// when a call passes a string, and then refuses the definition.
#ifndef C51_TOOLS_SDCC_COMPILE_DIALECT_QUALIFIERS_H_
#define C51_TOOLS_SDCC_COMPILE_DIALECT_QUALIFIERS_H_

#include "sdcc/compile/dialect_source.h"

namespace c51::sdcc {

void MatchParameterQualifiers(DialectSource* source);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_DIALECT_QUALIFIERS_H_
