#include "sdcc/compile/dialect_bit_fields.h"

#include <string_view>

namespace c51::sdcc {

namespace {

constexpr size_t kNone = DialectSource::kNone;

bool IsOne(std::string_view t) {
  return t == "1" || t == "1u" || t == "1U" || t == "0x01" || t == "0x1" || t == "0X01" ||
         t == "0X1";
}

// Operators that bind less tightly than "&": the value's last operation
// would be one of them.
bool BindsLooser(std::string_view t) {
  for (std::string_view op : {"^", "|", "&&", "||", "?", ":", ",", "=",
                              "+=", "-=", "*=", "/=", "%=", "&=", "|=", "^=", "<<=", ">>="}) {
    if (t == op) return true;
  }
  return false;
}

}  // namespace

void BridgeLowBitToMember(DialectSource* source) {
  DialectSource& s = *source;
  for (size_t i = 2; i + 1 < s.size(); ++i) {
    if (!s.User(i) || !s.Is(i, "=") || !s.IsWord(i - 1) ||
        !(s.Is(i - 2, ".") || s.Is(i - 2, "->")) || s.BodyOf(i) == kNone) {
      continue;
    }
    // The value: up to the ";" at its own depth.
    size_t end = i + 1;
    bool plain = true;
    for (; end < s.size() && !s.Is(end, ";"); ++end) {
      const size_t mate = s.Mate(end);
      if ((s.Is(end, "(") || s.Is(end, "[")) && mate != kNone) {
        end = mate;
        continue;
      }
      if (s.Is(end, ")") || s.Is(end, "]") || s.Is(end, "{") || s.Is(end, "}") ||
          BindsLooser(s.At(end))) {
        plain = false;
        break;
      }
    }
    if (!plain || end >= s.size() || end < i + 4 || !IsOne(s.At(end - 1)) || !s.Is(end - 2, "&")) {
      continue;
    }
    // "& 1" is binary only after an operand.
    const std::string_view before = s.At(end - 3);
    if (!(s.IsWord(end - 3) || s.IsNumber(end - 3) || before == ")" || before == "]")) continue;
    s.InsertBefore(i + 1, "((");
    s.InsertAfter(end - 1, ") != 0)");
    i = end;
  }
}

}  // namespace c51::sdcc
