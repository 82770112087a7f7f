#include "markup/element_name.h"

#include "markup/char_class.h"
#include "platform/ascii_case.h"

namespace c51 {

using markup::ByteClass;
using markup::kBlank;
using markup::kElemNameEnd;
using markup::kLeadByte;
using markup::UnitLength;

std::string_view ElementNameAt(const char* p) {
  while (ByteClass(*p) & kBlank) ++p;
  const char* q = p;
  for (;;) {
    uint16_t cls = ByteClass(*q);
    if (cls & kElemNameEnd) break;
    q += (cls & kLeadByte) ? UnitLength(q) : 1;
  }
  // A stop byte right away still makes a one-character name.
  if (q == p && *p != 0) q = p + 1;
  return std::string_view(p, static_cast<size_t>(q - p));
}

namespace {

bool SameByte(char a, char b, bool ignore_case) {
  if (a == b) return true;
  return ignore_case && ToLowerAscii(a) == ToLowerAscii(b);
}

}  // namespace

bool ElementNameMatches(std::string_view name, std::string_view wanted, bool ignore_case) {
  size_t i = 0;
  while (i < name.size()) {
    if (i >= wanted.size()) return false;
    size_t n = UnitLength(name, i);
    if (n != UnitLength(wanted, i)) return false;
    if (n == 2) {
      // A trail byte may look like a letter: never fold it.
      if (name[i] != wanted[i] || name[i + 1] != wanted[i + 1]) return false;
    } else if (!SameByte(name[i], wanted[i], ignore_case)) {
      return false;
    }
    i += n;
  }
  if (i == wanted.size()) return true;
  char c = wanted[i];
  return c == ' ' || c == '=' || c == '/' || c == '[' || c == ']';
}

}  // namespace c51
