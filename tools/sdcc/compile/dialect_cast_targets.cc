#include "sdcc/compile/dialect_cast_targets.h"

namespace c51::sdcc {

namespace {

constexpr size_t kNone = DialectSource::kNone;

// Whether a statement starts at token `i` (in a function body).
bool StartsStatement(const DialectSource& s, size_t i) {
  if (i == 0) return false;
  const size_t before = i - 1;
  if (s.Is(before, ";") || s.Is(before, "{") || s.Is(before, "}") || s.Is(before, ":") ||
      s.Is(before, "else")) {
    return true;
  }
  // The body of "if (...)", "while (...)", "for (...)".
  if (!s.Is(before, ")")) return false;
  const size_t open = s.Mate(before);
  return open != kNone && open > 0 && open < before &&
         (s.Is(open - 1, "if") || s.Is(open - 1, "while") || s.Is(open - 1, "for"));
}

}  // namespace

void DropCastsOfAssignedNames(DialectSource* source) {
  DialectSource& s = *source;
  for (size_t i = 0; i + 3 < s.size(); ++i) {
    if (!s.Is(i, "(") || !s.User(i) || s.BodyOf(i) == kNone) continue;
    const size_t close = s.Mate(i);
    if (close == kNone || close <= i + 1) continue;
    bool words = s.IsWord(i + 1);
    for (size_t k = i + 1; k < close && words; ++k) words = s.IsWord(k) || s.Is(k, "*");
    if (!words || !s.IsWord(close + 1) || !s.Is(close + 2, "=")) continue;
    if (!StartsStatement(s, i)) continue;
    s.Replace(i, close + 1, "");
    i = close;
  }
}

}  // namespace c51::sdcc
