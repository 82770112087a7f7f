// A cast written before the variable an assignment sets, as some of our
// users' code does ("(uint) ad1 = (float)sw1 * ad3;"): the original
// compiler takes it as the plain assignment it means, sdcc refuses it (an
// assignment to a cast is no lvalue). At the start of a statement such a
// cast can mean nothing else, so it goes:
//
//   (unsigned int) a = f * 3;  =>  a = f * 3;
//
// Only a parenthesised list of words (and "*") directly before a name and
// "=" (not "=="), at the start of a statement in a function body.
#ifndef C51_TOOLS_SDCC_COMPILE_DIALECT_CAST_TARGETS_H_
#define C51_TOOLS_SDCC_COMPILE_DIALECT_CAST_TARGETS_H_

#include "sdcc/compile/dialect_source.h"

namespace c51::sdcc {

void DropCastsOfAssignedNames(DialectSource* source);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_DIALECT_CAST_TARGETS_H_
