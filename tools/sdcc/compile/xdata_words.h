// 16-bit registers in XDATA that keep their high byte at the lower address
// (the STC15W4K series' PWM counter and flip points: PWMC at 0xFFF0, PWM2T1
// at 0xFF00). The original compiler stores an int high byte first, so the
// vendors' headers name them "(*(unsigned int volatile xdata *)0xFFF0)";
// sdcc stores it low byte first and would swap the halves. Our headers name
// them "__c51_xdata_word(0xFFF0)" instead, and each use becomes byte
// accesses in the original's order, high byte first, in an expression of
// the same value:
//
//   PWMC = v          =>  (w = (v), HI = w >> 8, LO = (unsigned char)w, w)
//   PWMC += v         =>  (w = READ + (v), HI = ..., LO = ..., w)   (any op=)
//   ++PWMC, PWMC++    =>  (w = READ + 1, HI = ..., LO = ..., w)  (w - 1 after)
//   x = PWMC          =>  x = ((unsigned int)HI << 8 | LO)   (READ)
//
// where HI and LO are the two bytes as XDATA bytes and w is an unsigned
// int declared at the top of the function. Taking the address ("&PWMC") is
// an error: no pointer sdcc has reads the bytes in that order.
#ifndef C51_TOOLS_SDCC_COMPILE_XDATA_WORDS_H_
#define C51_TOOLS_SDCC_COMPILE_XDATA_WORDS_H_

#include "sdcc/compile/dialect_source.h"

namespace c51::sdcc {

// The word our headers put where such a register is named.
inline constexpr char kXdataWordMark[] = "__c51_xdata_word";

void BridgeXdataWords(DialectSource* source);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_XDATA_WORDS_H_
