#include "sdcc/compile/dialect_bit_fields.h"

#include <set>
#include <string>
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

namespace {

// Names declared as bit fields in any struct or union of the file:
// "unsigned char dir : 1;" or "int a:3, b:2;".
std::set<std::string, std::less<>> BitFieldNames(const DialectSource& s) {
  std::set<std::string, std::less<>> names;
  for (size_t i = 1; i + 2 < s.size(); ++i) {
    if (s.IsWord(i) && s.Is(i + 1, ":") && s.IsNumber(i + 2) &&
        (s.Is(i + 3, ";") || s.Is(i + 3, ",")) && s.BodyOf(i) == kNone) {
      names.emplace(s.At(i));
    }
  }
  return names;
}

}  // namespace

void BridgeBitFieldToElement(DialectSource* source) {
  DialectSource& s = *source;
  std::set<std::string, std::less<>> fields;
  bool read = false;
  bool used = false;
  for (size_t i = 1; i + 1 < s.size(); ++i) {
    if (!s.User(i) || !s.Is(i, "=") || s.BodyOf(i) == kNone) continue;
    // The destination: anything but a plain variable (an element, a
    // member, a pointer's target), which sdcc stores right.
    if (s.IsWord(i - 1) && !(s.Is(i - 2, ".") || s.Is(i - 2, "->") || s.Is(i - 2, "*"))) continue;
    if (!s.IsWord(i - 1) && !s.Is(i - 1, "]")) continue;
    // The value: a chain of names, members and elements ending in a member.
    size_t end = i + 1;
    while (end < s.size() && !s.Is(end, ";")) {
      if (s.Is(end, "[") && s.Mate(end) != kNone) {
        end = s.Mate(end) + 1;
      } else if (s.IsWord(end) || s.Is(end, ".") || s.Is(end, "->")) {
        ++end;
      } else {
        break;
      }
    }
    if (!s.Is(end, ";") || end < i + 4 || !s.IsWord(end - 1) ||
        !(s.Is(end - 2, ".") || s.Is(end - 2, "->"))) {
      continue;
    }
    if (!read) {
      fields = BitFieldNames(s);
      read = true;
    }
    if (fields.count(s.At(end - 1)) == 0) continue;
    s.InsertBefore(i + 1, "__c51_field(");
    s.InsertAfter(end - 1, ")");
    used = true;
    i = end;
  }
  if (!used) return;
  s.InsertOnFirstLine("static long __c51_field(long v) { return v; } ");
}

}  // namespace c51::sdcc
