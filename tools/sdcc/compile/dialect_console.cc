#include "sdcc/compile/dialect_console.h"

#include <set>
#include <string>

namespace c51::sdcc {

namespace {

constexpr size_t kNone = DialectSource::kNone;

const std::set<std::string_view> kReturnWords = {"char",     "int",  "short", "long",    "signed",
                                                 "unsigned", "void", "const", "volatile"};

// The first of the type words that end just before `last`.
size_t TypeRunStart(const DialectSource& s, size_t last) {
  size_t first = last;
  while (first > 0 && s.IsWord(first - 1) && kReturnWords.count(s.At(first - 1)) != 0) --first;
  return first;
}

bool HasWord(const DialectSource& s, size_t first, size_t last, std::string_view word) {
  for (size_t k = first; k < last; ++k) {
    if (s.Is(k, word)) return true;
  }
  return false;
}

// "putchar ( ... )" at `name`, `close` its ")", declared with a type.
void Putchar(DialectSource* source, size_t name, size_t close) {
  DialectSource& s = *source;
  const size_t returns = TypeRunStart(s, name);
  if (returns == name) return;  // a call
  if (HasWord(s, returns, name, "void")) {
    s.Issue(name,
            "'putchar' must return its character: the library's printf and puts call "
            "'int putchar(int)'; declare 'char putchar(char c)' or 'int putchar(int c)'");
    return;
  }
  if (HasWord(s, returns, name, "char")) s.Replace(returns, name, "int");
  // The one parameter: "[register] [const] [signed|unsigned] char [c]".
  size_t first = name + 2;
  if (s.Is(first, "register")) ++first;
  size_t last = first;
  while (last < close && s.IsWord(last) && kReturnWords.count(s.At(last)) != 0) ++last;
  const bool named = last + 1 == close && s.IsWord(last);
  if ((last == close || named) && HasWord(s, first, last, "char")) s.Replace(first, last, "int");
}

}  // namespace

void BridgeConsoleFunctions(DialectSource* source) {
  DialectSource& s = *source;
  size_t getkey = kNone;
  bool getchar = false;
  for (size_t i = 0; i < s.size(); ++i) {
    if (!s.User(i) || !s.IsWord(i) || !s.Is(i + 1, "(")) continue;
    const size_t close = s.Mate(i + 1);
    if (close == kNone) continue;
    const std::string_view w = s.At(i);
    if (w == "putchar") {
      Putchar(source, i, close);
    } else if (w == "_getkey" && s.IsBodyOpen(close + 1)) {
      getkey = i;
    } else if (w == "getchar" && s.IsBodyOpen(close + 1)) {
      getchar = true;
    }
  }
  if (getkey != kNone && !getchar) {
    s.InsertAfter(s.size() - 1, " int getchar(void) { return (unsigned char)_getkey(); }");
  }
}

}  // namespace c51::sdcc
