// Cuts the code of one line of classic 8051 assembly (its comment already
// gone) into tokens for the translator:
//   "LOOP: MOV  A,#'x'+0FH"  => LOOP  :  MOV  A  ,  #  'x'  +  0FH
// Names start with a letter, "_" or "?" and go on with those and digits;
// numbers start with a digit and take every letter and digit after it
// ("0FFH", "1010B", "0x1F"); texts are quoted with ' or " (a doubled quote
// stands for one); operators are one character, or "<=", ">=", "<>", "<<",
// ">>". "$" is an operator token (the location counter, or a control line).
#ifndef C51_TOOLS_SDCC_COMPILE_A51_TOKENS_H_
#define C51_TOOLS_SDCC_COMPILE_A51_TOKENS_H_

#include <string>
#include <string_view>
#include <vector>

namespace c51::sdcc {

struct A51Token {
  enum Kind { kName, kNumber, kText, kOperator };
  Kind kind = kOperator;
  std::string text;   // as written; a text without its quotes, doubled quotes made single
  size_t offset = 0;  // where it starts in the line

  bool Is(std::string_view op) const { return kind == kOperator && text == op; }
  // A name, compared ignoring letter case with an upper-case word.
  bool IsWord(std::string_view upper) const;
};

// False with `err` (upper case) on a character no token starts with or a
// text that is not closed.
bool TokenizeA51(std::string_view code, std::vector<A51Token>* tokens, std::string* err);

// Classic numbers: "0FFH", "1010B", "17O", "17Q", "99D", "99", and C's "0x1F".
// False for anything else and for values above 32 bits.
bool ParseA51Number(std::string_view text, uint32_t* value);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_A51_TOKENS_H_
