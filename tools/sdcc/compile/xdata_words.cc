#include "sdcc/compile/xdata_words.h"

#include <set>
#include <string>

namespace c51::sdcc {

namespace {

constexpr size_t kNone = DialectSource::kNone;

// The function's own copy of the value being written.
constexpr char kWord[] = "__c51_word";

// The operators of a compound assignment, written before its "=".
bool IsCompoundOperator(std::string_view t) {
  return t == "+" || t == "-" || t == "*" || t == "/" || t == "%" || t == "&" || t == "|" ||
         t == "^" || t == "<<" || t == ">>";
}

// Whether the token at `k` ends an operand, so that a "&" after it is the
// binary operator: a name, a number, a literal, ")" or "]".
bool EndsOperand(const DialectSource& s, size_t k) {
  if (s.IsWord(k)) return !s.Is(k, "return") && !s.Is(k, "sizeof") && !s.Is(k, "case");
  return s.IsNumber(k) || s.token(k).kind == TokenKind::kLiteral || s.Is(k, ")") || s.Is(k, "]");
}

// The token after the right operand of an assignment that starts at `k`.
size_t OperandEnd(const DialectSource& s, size_t k) {
  int questions = 0;
  for (; k < s.size(); ++k) {
    if (s.token(k).kind != TokenKind::kPunct) continue;
    const std::string_view t = s.At(k);
    if (t == ";" || t == "," || t == ")" || t == "]" || t == "}" || t == "{") return k;
    if (t == "?") ++questions;
    if (t == ":" && questions-- == 0) return k;
    if (t == "(" || t == "[") {
      const size_t mate = s.Mate(k);
      if (mate == kNone) return s.size();
      k = mate;
    }
  }
  return k;
}

struct Register {
  std::string high;  // the byte at the address
  std::string low;   // the byte after it
  std::string Read() const { return "((unsigned int)" + high + " << 8 | " + low + ")"; }
  // The stores of kWord, high byte first as the original compiler stores.
  std::string Write() const {
    return high + " = " + kWord + " >> 8, " + low + " = (unsigned char)" + kWord;
  }
};

Register RegisterAt(const std::string& address) {
  return Register{"(*(unsigned char volatile __xdata *)(" + address + "))",
                  "(*(unsigned char volatile __xdata *)((" + address + ") + 1))"};
}

}  // namespace

void BridgeXdataWords(DialectSource* source) {
  DialectSource& s = *source;
  std::set<size_t> declared;  // function bodies given kWord
  for (size_t i = 0; i + 3 < s.size(); ++i) {
    if (!s.Is(i, kXdataWordMark) || !s.Is(i + 1, "(")) continue;
    const size_t close = s.Mate(i + 1);
    if (close == kNone || close == i + 2) continue;
    const Register reg = RegisterAt(s.Join(i + 2, close));
    const size_t after = close + 1;
    const bool prefix = i > 0 && (s.Is(i - 1, "++") || s.Is(i - 1, "--"));
    const bool postfix = s.Is(after, "++") || s.Is(after, "--");
    const bool assign = s.Is(after, "=");
    const bool compound = IsCompoundOperator(s.At(after)) && s.Is(after + 1, "=") &&
                          s.token(after).end == s.token(after + 1).begin;
    if (i > 0 && s.Is(i - 1, "&") && !(i > 1 && EndsOperand(s, i - 2))) {
      s.Issue(i,
              "the address of a 16-bit XDATA register kept high byte first cannot be taken: "
              "sdcc's pointers read an int low byte first; use its two byte registers");
      continue;
    }
    if (!prefix && !postfix && !assign && !compound) {
      s.Replace(i, after, reg.Read());
      continue;
    }
    const size_t body = s.BodyOf(i);
    if (body == kNone) {
      s.Issue(i, "a 16-bit XDATA register can be written only inside a function");
      continue;
    }
    if (declared.insert(body).second) {
      s.InsertAfter(body, std::string(" unsigned int ") + kWord + ";");
    }
    const std::string store = ", " + reg.Write() + ", " + kWord;
    if (prefix || postfix) {
      const std::string step = s.Is(prefix ? i - 1 : after, "++") ? " + 1" : " - 1";
      const std::string undo = postfix ? (step == " + 1" ? " - 1" : " + 1") : "";
      s.Replace(prefix ? i - 1 : i, prefix ? after : after + 1,
                std::string("(") + kWord + " = " + reg.Read() + step + store + undo + ")");
      continue;
    }
    const size_t value = assign ? after + 1 : after + 2;
    const size_t end = OperandEnd(s, value);
    if (end == value || end >= s.size()) continue;  // no operand: sdcc reports it
    const std::string start = assign ? std::string("(") + kWord + " = ("
                                     : std::string("(") + kWord + " = " + reg.Read() + " " +
                                           std::string(s.At(after)) + " (";
    s.Replace(i, value, start);
    s.InsertAfter(end - 1, ")" + store + ")");
  }
}

}  // namespace c51::sdcc
