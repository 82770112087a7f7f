// "~" on a bit. In the dialect it flips the bit; sdcc promotes the bit to
// int first, so ~0 and ~1 are both true and "LED = ~LED;" sets LED for
// good, with only a warning; "if (~Ack())" is always taken, without one.
// Applied straight to a name declared with sbit or bit, or to a call of a
// function declared to return bit (in the file or in any header it
// includes), "~" becomes "!":
//
//   LED = ~LED;          =>  LED = !LED;
//   f = ~ (f);           =>  f = ! (f);
//   if (~Ack()) ...      =>  if (!Ack()) ...     with "bit Ack(void);"
//   x = ~mask;           =>  stays: mask is no bit; so do ~g(), ~s.b, ~(a | b)
//
// A local variable that hides a bit of the same name is not told apart.
#ifndef C51_TOOLS_SDCC_COMPILE_DIALECT_BITS_H_
#define C51_TOOLS_SDCC_COMPILE_DIALECT_BITS_H_

#include "sdcc/compile/dialect_source.h"

namespace c51::sdcc {

void BridgeBitComplement(DialectSource* source);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_DIALECT_BITS_H_
