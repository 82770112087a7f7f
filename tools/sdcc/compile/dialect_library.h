// Functions of the original run-time library that sdcc's lacks, or has
// with other parameters: a file that calls one without declaring it (the
// original headers declared them) gets its own static copy, declared at the
// top on the first line and defined after the last, and the calls go to it.
//
//   toint(c)          the value of a hex digit, -1 for other characters
//   _tolower(c)       c - 'A' + 'a', for a letter known to be upper case
//   _toupper(c)       c - 'a' + 'A'
//   toascii(c)        c & 0x7F
//   cabs(c)           a char's absolute value
//   strpos(s, c)      the index of the first c in s, -1 when there is none
//   strrpos(s, c)     the index of the last c in s, -1 when there is none
//   strrpbrk(s, set)  the last character of s that is in set, or null
//   init_mempool(p, n)  makes the n bytes of XDATA at p the memory malloc,
//                     calloc, realloc and free manage
//   gets(s, n)        with two arguments: a line of at most n characters
//                     from getchar, its line end replaced by the terminator
//                     (sdcc's gets takes no length)
#ifndef C51_TOOLS_SDCC_COMPILE_DIALECT_LIBRARY_H_
#define C51_TOOLS_SDCC_COMPILE_DIALECT_LIBRARY_H_

#include "sdcc/compile/dialect_source.h"

namespace c51::sdcc {

void BridgeLibraryFunctions(DialectSource* source);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_DIALECT_LIBRARY_H_
