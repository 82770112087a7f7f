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

}  // namespace

void BridgeBitComplement(DialectSource* source) {
  DialectSource& s = *source;
  std::set<std::string> bits;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s.IsWord(i) && IsBitWord(s.At(i))) DeclaredNames(s, i, &bits);
  }
  if (bits.empty()) return;
  for (size_t i = 0; i < s.size(); ++i) {
    if (!s.User(i) || !s.Is(i, "~")) continue;
    size_t name = i + 1;
    size_t after = i + 2;
    if (s.Is(name, "(") && s.Mate(name) == name + 2) {
      ++name;
      after = name + 2;
    }
    if (!s.IsWord(name) || bits.count(std::string(s.At(name))) == 0) continue;
    if (ExtendsOperand(s, after)) continue;
    s.Replace(i, i + 1, "!");
  }
}

}  // namespace c51::sdcc
