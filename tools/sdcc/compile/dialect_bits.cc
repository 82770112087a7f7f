#include "sdcc/compile/dialect_bits.h"

#include <set>
#include <string>

namespace c51::sdcc {

namespace {

constexpr size_t kNone = DialectSource::kNone;

bool IsBitWord(std::string_view w) {
  return w == "bit" || w == "__bit" || w == "sbit" || w == "__sbit";
}

// The token after the bracketed group that opens at `k`, or k + 1.
size_t Skip(const DialectSource& s, size_t k) {
  const size_t mate = s.Mate(k);
  return mate != kNone && mate > k ? mate + 1 : k + 1;
}

// Whether the parameter whose type word is at `i` belongs to a function's
// definition: a prototype's names (a header's "bit _testbit_(bit b);") are
// no names of the file.
bool DefinitionParameter(const DialectSource& s, size_t i) {
  size_t open = i - 1;
  while (open > 0 && !s.Is(open, "(")) {
    if (s.Is(open, ";") || s.Is(open, "{") || s.Is(open, "}")) return false;
    if (s.Is(open, ")") && s.Mate(open) != kNone && s.Mate(open) < open) {
      open = s.Mate(open);
    }
    --open;
  }
  const size_t close = s.Mate(open);
  if (!s.Is(open, "(") || close == kNone) return false;
  size_t k = close + 1;
  while (k < s.size() && (s.IsWord(k) || s.IsNumber(k) || s.Is(k, "("))) k = Skip(s, k);
  return s.Is(k, "{");
}

// The names the declaration whose type word is at `i` declares:
//   sbit A = P1^2, B = 0x93;  __sbit __at(0x93) C;  bit d, e = 1;  f(bit g) {
// A function returning bit declares none, a prototype's parameter none.
void DeclaredNames(const DialectSource& s, size_t i, std::set<std::string>* names) {
  if (i > 0 && (s.Is(i - 1, ".") || s.Is(i - 1, "->"))) return;
  const bool parameter = i > 0 && (s.Is(i - 1, "(") || s.Is(i - 1, ","));
  if (parameter && !DefinitionParameter(s, i)) return;
  size_t j = i + 1;
  if (s.Is(j, "__at") && s.Is(j + 1, "(")) j = Skip(s, j + 1);
  while (s.IsWord(j)) {
    const size_t next = j + 1;
    if (!(s.Is(next, ",") || s.Is(next, ";") || s.Is(next, "=") || s.Is(next, ")"))) return;
    names->insert(std::string(s.At(j)));
    if (parameter) return;
    size_t k = next;
    while (k < s.size() && !s.Is(k, ",")) {
      if (s.Is(k, ";") || s.Is(k, ")") || s.Is(k, "{") || s.Is(k, "}")) return;
      k = Skip(s, k);
    }
    j = k + 1;
  }
}

// Tokens that make the word before them more than a name: a call, an
// element, a member, an increment.
bool ExtendsOperand(const DialectSource& s, size_t k) {
  return s.Is(k, "(") || s.Is(k, "[") || s.Is(k, ".") || s.Is(k, "->") || s.Is(k, "++") ||
         s.Is(k, "--");
}

// The function a declaration whose type word is at `i` declares as
// returning bit ("bit Ack(void);", "static bit f(x) {"): its name, or none.
std::string_view BitFunction(const DialectSource& s, size_t i) {
  if (i > 0 && (s.Is(i - 1, "(") || s.Is(i - 1, ",") || s.Is(i - 1, ".") || s.Is(i - 1, "->"))) {
    return {};
  }
  if (!s.IsWord(i + 1) || !s.Is(i + 2, "(")) return {};
  return s.At(i + 1);
}

// The token after the operand "~" at `i` applies to, when that operand is
// a bit: a bit's name or a call of a function returning bit, each maybe in
// brackets of its own; kNone otherwise.
size_t BitOperandEnd(const DialectSource& s, size_t i, const std::set<std::string>& bits,
                     const std::set<std::string>& functions) {
  size_t name = i + 1;
  size_t bracket_close = kNone;
  if (s.Is(name, "(")) {
    bracket_close = s.Mate(name);
    ++name;
  }
  if (!s.IsWord(name)) return kNone;
  const std::string word(s.At(name));
  size_t end = kNone;
  if (bits.count(word) != 0 && !s.Is(name + 1, "(")) {
    end = name + 1;
  } else if (functions.count(word) != 0 && s.Is(name + 1, "(") && s.Mate(name + 1) != kNone) {
    end = s.Mate(name + 1) + 1;
  }
  if (end == kNone) return kNone;
  if (bracket_close != kNone) {
    if (bracket_close != end) return kNone;
    ++end;
  }
  return ExtendsOperand(s, end) ? kNone : end;
}

}  // namespace

void BridgeBitComplement(DialectSource* source) {
  DialectSource& s = *source;
  std::set<std::string> bits;
  std::set<std::string> functions;
  for (size_t i = 0; i < s.size(); ++i) {
    if (!s.IsWord(i) || !IsBitWord(s.At(i))) continue;
    DeclaredNames(s, i, &bits);
    const std::string_view function = BitFunction(s, i);
    if (!function.empty()) functions.insert(std::string(function));
  }
  if (bits.empty() && functions.empty()) return;
  for (size_t i = 0; i < s.size(); ++i) {
    if (!s.User(i) || !s.Is(i, "~")) continue;
    if (BitOperandEnd(s, i, bits, functions) == kNone) continue;
    s.Replace(i, i + 1, "!");
  }
}

}  // namespace c51::sdcc
