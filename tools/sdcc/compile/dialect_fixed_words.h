// An int or a long at a fixed address: a device's 16-bit register pair
// ("#define PWMC (*(unsigned int volatile xdata *)0xFFF0)") or a word
// ABSACC.H names ("XWORD[0x100]", the word at 0x200). The original compiler
// keeps the high byte at the address and reaches it first; sdcc keeps the
// low byte there, so the device would see its halves swapped. Each access
// becomes byte accesses in the original's order:
//
//   PWMC = e;    => { unsigned int __c51_w = (unsigned int)(e);
//                     *(unsigned char volatile __xdata *)0xFFF0 = (unsigned char)(__c51_w >> 8);
//                     *(unsigned char volatile __xdata *)0xFFF1 = (unsigned char)__c51_w; }
//   PWMC |= e;   => the same block, its value read first and combined with e
//   x = PWMC;    => x = (__c51_word1 = (unsigned int)*(...)0xFFF0 << 8,
//                        (unsigned int)(__c51_word1 | *(...)0xFFF1));
//
// all on the statement's line (shown here on several). e is evaluated once; the high byte is
// read and written first (a pair that latches on its low byte takes both halves together). A
// read keeps its order through a temporary the function declares at its start; an element
// whose index is not constant has its address taken once. A long goes the same way, four
// bytes. An increment, an assignment used as a value and an address taken are left as sdcc
// reads them, and so is a float: each gets a warning at its line.
#ifndef C51_TOOLS_SDCC_COMPILE_DIALECT_FIXED_WORDS_H_
#define C51_TOOLS_SDCC_COMPILE_DIALECT_FIXED_WORDS_H_

#include <vector>

#include "sdcc/compile/dialect_source.h"

namespace c51::sdcc {

void BridgeFixedWords(DialectSource* source, std::vector<DialectIssue>* warnings);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_DIALECT_FIXED_WORDS_H_
