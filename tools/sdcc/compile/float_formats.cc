#include "sdcc/compile/float_formats.h"

#include "sdcc/compile/c_tokens.h"

namespace c51::sdcc {

namespace {

bool FloatConversionAt(std::string_view s, size_t i) {
  // Flags, width, precision, length: "%-08.3lf".
  while (i < s.size() &&
         (s[i] == '-' || s[i] == '+' || s[i] == ' ' || s[i] == '#' || s[i] == '0')) {
    ++i;
  }
  while (i < s.size() && ((s[i] >= '0' && s[i] <= '9') || s[i] == '*')) ++i;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && ((s[i] >= '0' && s[i] <= '9') || s[i] == '*')) ++i;
  }
  while (i < s.size() && (s[i] == 'l' || s[i] == 'L' || s[i] == 'h')) ++i;
  return i < s.size() &&
         (s[i] == 'f' || s[i] == 'F' || s[i] == 'e' || s[i] == 'E' || s[i] == 'g' || s[i] == 'G');
}

}  // namespace

bool HasFloatFormat(std::string_view text) {
  TokenList list;
  Tokenize(text, &list);
  for (const Token& t : list.tokens) {
    if (t.kind != TokenKind::kLiteral || t.system) continue;
    const std::string_view s = text.substr(t.begin, t.end - t.begin);
    if (s.empty() || s.back() != '"') continue;
    for (size_t i = 0; i + 1 < s.size(); ++i) {
      if (s[i] != '%') continue;
      if (s[i + 1] == '%') {
        ++i;
        continue;
      }
      if (FloatConversionAt(s, i + 1)) return true;
    }
  }
  return false;
}

}  // namespace c51::sdcc
