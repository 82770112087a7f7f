// Expressions of classic 8051 assembly (and of the constants in C register
// headers) read into a tree, then written for sdas8051 with every operation
// in parentheses, because the two assemblers rank operators differently:
// classic "1 + 2 SHL 1" is 5, sdas8051's "1 + 2 << 1" is 6.
//
//   0FFH  1010B  17O  17Q  99D  'A'  'AB'  $    => 0xFF 10 15 15 99 0x41 0x4142 .
//   HIGH x  LOW x  NOT x  -x                     => >x  <x  ~x  -x
//   a MOD b  a SHL b  a SHR b  a AND b  a OR b  a XOR b  => % << >> & | ^
//   ACC.7 (a register sdas8051 knows)           => ACC.7
//   20H.3 (bit-addressable RAM: (20H-20H)*8+3)  => 3
//   FLAGS.2 (FLAGS DATA 21H in the file)        => 10
//   REG.n (an address only the linker knows)    => the formula that gives RAM
//                                                  or SFR bit addresses alike
// EQ NE LT LE GT GE (= <> < <= > >=) have no counterpart in sdas8051's
// expressions; the translator turns a comparison at the top of an IF into
// one of its conditionals, and refuses it anywhere else.
#ifndef C51_TOOLS_SDCC_COMPILE_A51_EXPR_H_
#define C51_TOOLS_SDCC_COMPILE_A51_EXPR_H_

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sdcc/compile/a51_tokens.h"

namespace c51::sdcc {

struct A51Expr {
  enum Kind { kNumber, kName, kHere, kUnary, kBinary, kBit };
  Kind kind = kNumber;
  uint32_t number = 0;
  std::string name;  // kName, as written
  std::string op;    // kUnary and kBinary, upper case: "-", "NOT", "HIGH", "MOD", "EQ"...
  std::unique_ptr<A51Expr> left, right;  // kBit: the byte and the bit number

  bool IsComparison() const;
};

// Classic assembly, or the constant expressions of a C header (C's numbers
// and operators, C's ranking).
enum class ExprSyntax { kClassic, kC };

// Reads one expression from tokens[*pos] up to `end` or a "," outside
// parentheses; *pos ends after it. Null with `err` (upper case) when the
// tokens do not make one.
std::unique_ptr<A51Expr> ParseA51Expr(const std::vector<A51Token>& tokens, size_t* pos, size_t end,
                                      ExprSyntax syntax, std::string* err);

// How the translator's names enter an expression.
struct ExprNames {
  // The name as sdas8051 is to see it.
  std::function<std::string(const std::string&)> spell;
  // Its value when the file defines it as a constant; else nothing.
  std::function<std::optional<int64_t>(const std::string&)> value;
};

// The value, when every name in it has one and there is no "$".
std::optional<int64_t> EvaluateA51(const A51Expr& expr, const ExprNames& names);

// sdas8051's text for `expr`. False with `err` (upper case) for a comparison
// and for a bit of a byte that has no bit addresses.
bool EmitA51(const A51Expr& expr, const ExprNames& names, std::string* out, std::string* err);

// A value as the translation writes it: 0 to 9 in decimal, else "0x1F".
std::string A51NumberText(int64_t value);

// The bit address of bit `bit` of the byte at `byte`; false when that byte
// is not bit-addressable (only 20H..2FH and SFRs at multiples of 8 are).
bool BitAddress(int64_t byte, int64_t bit, int64_t* address);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_A51_EXPR_H_
