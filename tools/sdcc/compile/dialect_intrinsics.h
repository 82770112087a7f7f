// Calls of the intrinsic functions that INTRINS.H declares. The header
// declares them only: function bodies in a header give every module that
// includes it the same global debug symbols, which then clash at link time.
// Each call becomes the code it stands for:
//
//   _nop_();                 => __asm__("nop");           a statement
//   x = 1, _nop_(), y = 2;   => x = 1, __c51_nop(), y = 2;
//                               an inline function defined at the top
//   c = _crol_(P1, 3);       => c = (__c51_r1 = (P1), (unsigned char)((__c51_r1 << 3) |
//                               (__c51_r1 >> 5)));
//   c = _crol_(P1, 1);       => c = (__c51_v8 = (P1), __c51_r1 = __c51_v8, (unsigned char)(
//                               (__c51_r1 << 1) | (__c51_r1 >> 7)));   "rl a"
//   if (_testbit_(f))        => if (((f) ? ((f) = 0, 1) : 0))
//
// A rotation reads its operand once, through a variable declared at the
// start of the function body; outside a function its count must be a
// constant. Counts sdcc makes a rotate or swap instruction of pass the
// operand through a volatile first (see Rotate). Names count as intrinsics
// when a file called INTRINS.H (any letter case) declares them, so a
// project's own copy of that header works too; a call of one this compiler
// does not know, or any use other than a call, is reported.
#ifndef C51_TOOLS_SDCC_COMPILE_DIALECT_INTRINSICS_H_
#define C51_TOOLS_SDCC_COMPILE_DIALECT_INTRINSICS_H_

#include "sdcc/compile/dialect_source.h"

namespace c51::sdcc {

void BridgeIntrinsics(DialectSource* source);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_DIALECT_INTRINSICS_H_
