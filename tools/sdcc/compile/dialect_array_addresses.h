// The address of a whole array where a pointer to its elements is wanted,
// which the original compiler takes with a warning and sdcc refuses
// ("indirections to different types"): the same address, converted.
//
//   unsigned char *q = &buf;     =>  unsigned char *q = (void *)&buf;
//   p = &tab + i;                =>  p = (void *)(&tab + i);
//   send(&buf, 4);               =>  send((void *)&buf, 4);   (a declared pointer parameter)
//
// A destination declared as a pointer to an array or a void pointer, a
// parameter that is one or is not declared, and an array parameter (a
// pointer) are left alone. And a string's address stored in a char
// element, which the original compiler cuts to its low byte with a
// warning, is cut so here:
//
//   buf[0] = "abc";              =>  buf[0] = (unsigned char)"abc";
//
// Each gets a warning at its line.
#ifndef C51_TOOLS_SDCC_COMPILE_DIALECT_ARRAY_ADDRESSES_H_
#define C51_TOOLS_SDCC_COMPILE_DIALECT_ARRAY_ADDRESSES_H_

#include <vector>

#include "sdcc/compile/dialect_rewriter.h"
#include "sdcc/compile/dialect_source.h"

namespace c51::sdcc {

void ConvertArrayAddresses(DialectSource* source, std::vector<DialectIssue>* warnings);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_DIALECT_ARRAY_ADDRESSES_H_
