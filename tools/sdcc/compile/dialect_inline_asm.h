// Classic assembly between "#pragma asm" and "#pragma endasm" (any letter
// case), which the original compiler copies into its assembly output. sdcc
// takes inline assembly as "__asm ... __endasm;" in its own assembler's
// syntax, so each block is translated line for line as classic assembly
// files are (a51_classic.h):
//
//   void delay(void) {               void delay(void) {
//   #pragma asm                      __asm
//       MOV  R7,#0FFH                \tMOV R7,#0xFF
//   D1: DJNZ R7,D1                   D1:\tDJNZ R7,D1
//       MOV  count,A                 \tMOV _count,A
//   #pragma endasm                   __endasm;
//   }                                }
//
// A name the C file uses (a variable, an sfr, a function called without
// register parameters) gets sdcc's "_" in front; the block's own labels and
// names sdas8051 knows as they are. A block that opens a function body (or
// follows only statements that make no code: "v = v;", "(void)v;",
// declarations without an initializer) finds
// the function's first parameters where the original compiler passes them
// (R7, R6:R7, R4..R7; then R5 or R4:R5, R3 or R2:R3): moves from where sdcc
// passes them go first. A block outside any function becomes a
// naked function of its own that nothing calls, and code memory is chosen
// again after it, so a block that sets its own segment (CSEG AT 23H) leaves
// sdcc's functions where they were.
//
// The preprocessor's output goes through two steps: CutInlineAssembly takes
// each block's text out before the other passes read the tokens, leaving a
// placeholder statement and the block's line ends; BridgeInlineAssembly then
// puts the translation where the placeholder is. Every line stays on its line.
#ifndef C51_TOOLS_SDCC_COMPILE_DIALECT_INLINE_ASM_H_
#define C51_TOOLS_SDCC_COMPILE_DIALECT_INLINE_ASM_H_

#include <string>
#include <string_view>
#include <vector>

#include "sdcc/compile/c_tokens.h"
#include "sdcc/compile/dialect_source.h"

namespace c51::sdcc {

struct InlineAsmBlock {
  std::string placeholder;         // the word standing in for the block in the cut text
  int line = 0;                    // of "#pragma asm"
  std::vector<std::string> lines;  // the block's lines, without line ends
};

// The blocks of `text` (tokenized as `list`) cut out into `cut`, with the
// lines each one spans. False when there is none: `cut` is then left empty.
// A "#pragma asm" without its "#pragma endasm", or the other way round, is
// an issue.
bool CutInlineAssembly(std::string_view text, const TokenList& list, std::string* cut,
                       std::vector<InlineAsmBlock>* blocks, std::vector<LineRange>* ranges,
                       std::vector<DialectIssue>* issues);

// The words "#pragma asm" or "#pragma endasm" (as the directive's text after
// the '#'), which the pragma pass leaves to this one.
bool IsInlineAsmPragma(std::string_view word);

void BridgeInlineAssembly(DialectSource* source, const std::vector<InlineAsmBlock>& blocks);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_DIALECT_INLINE_ASM_H_
