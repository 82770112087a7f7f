#include "sdcc/compile/dialect_byte_formats.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace c51::sdcc {

namespace {

constexpr size_t kNone = DialectSource::kNone;

// One conversion of a format that takes an argument.
struct Conversion {
  bool byte = false;     // with the b modifier
  bool signed_ = false;  // d or i
  size_t b_offset = 0;   // where the b is in the text
};

// A character of the format and where it is in the text; escapes are
// one character that is never a '%'.
struct FormatChar {
  char c;
  size_t offset;
};

// The characters of the string literals [first, last).
std::vector<FormatChar> FormatText(const DialectSource& s, size_t first, size_t last) {
  std::vector<FormatChar> out;
  for (size_t k = first; k < last; ++k) {
    const std::string_view text = s.At(k);
    const size_t base = s.token(k).begin;
    for (size_t n = 1; n + 1 < text.size(); ++n) {
      if (text[n] == '\\') {
        out.push_back(FormatChar{'\\', base + n});
        ++n;
        continue;
      }
      out.push_back(FormatChar{text[n], base + n});
    }
  }
  return out;
}

// The arguments the format takes, in order: one per "*" and one per
// conversion other than %%.
std::vector<Conversion> Conversions(const std::vector<FormatChar>& f) {
  std::vector<Conversion> out;
  size_t n = 0;
  auto at = [&](size_t k) { return k < f.size() ? f[k].c : '\0'; };
  while (n < f.size()) {
    if (f[n++].c != '%') continue;
    if (at(n) == '%') {
      ++n;
      continue;
    }
    while (at(n) != '\0' && std::strchr("-+ #0", at(n)) != nullptr) ++n;
    if (at(n) == '*') {
      out.push_back(Conversion{});
      ++n;
    }
    while (at(n) >= '0' && at(n) <= '9') ++n;
    if (at(n) == '.') {
      ++n;
      if (at(n) == '*') {
        out.push_back(Conversion{});
        ++n;
      }
      while (at(n) >= '0' && at(n) <= '9') ++n;
    }
    Conversion c;
    if (at(n) == 'b' || at(n) == 'B') {
      c.byte = true;
      c.b_offset = f[n].offset;
      ++n;
    } else {
      while (at(n) == 'l' || at(n) == 'L' || at(n) == 'h') ++n;
    }
    const char type = at(n);
    if (type == '\0') break;
    ++n;
    const bool is_signed = type == 'd' || type == 'i';
    c.byte = c.byte && (is_signed || std::strchr("uxXoc", type) != nullptr);
    c.signed_ = c.byte && is_signed;
    out.push_back(c);
  }
  return out;
}

// Rewrites the %b conversions of a literal format; the arguments it
// wrapped come back marked.
std::vector<bool> Call(DialectSource* source, size_t open, size_t format) {
  DialectSource& s = *source;
  const std::vector<std::pair<size_t, size_t>> args = s.Items(open);
  std::vector<bool> wrapped(args.size(), false);
  if (args.size() <= format) return wrapped;
  const auto [first, last] = args[format];
  for (size_t k = first; k < last; ++k) {
    if (!s.IsString(k)) return wrapped;
  }
  const std::vector<Conversion> conversions = Conversions(FormatText(s, first, last));
  for (size_t n = 0; n < conversions.size() && format + 1 + n < args.size(); ++n) {
    const Conversion& c = conversions[n];
    if (!c.byte) continue;
    const auto [arg_first, arg_last] = args[format + 1 + n];
    if (arg_first == arg_last) continue;
    // The conversion of an int: sdcc promotes some byte arguments to int
    // even when cast (a call, an element, a shift), so no byte is passed
    // for sure; and its printf reads the byte of %bd unsigned.
    s.edits()->push_back(Edit{c.b_offset, c.b_offset + 1, ""});
    s.InsertBefore(arg_first, c.signed_ ? "(int)(signed char)(" : "(unsigned int)(unsigned char)(");
    s.InsertAfter(arg_last - 1, ")");
    wrapped[format + 1 + n] = true;
  }
  return wrapped;
}

// The functions with "..." the file declares or defines, its own and its
// headers': name => how many parameters come before the "...".
std::map<std::string, size_t, std::less<>> VariadicFunctions(const DialectSource& s) {
  std::map<std::string, size_t, std::less<>> out;
  for (size_t i = 0; i + 1 < s.size(); ++i) {
    if (!s.IsWord(i) || !s.Is(i + 1, "(") || s.BodyOf(i) != DialectSource::kNone) continue;
    const size_t close = s.Mate(i + 1);
    // The tokenizer may give "..." as three points.
    if (close == DialectSource::kNone || close < 4 ||
        !(s.Is(close - 1, "...") || (s.Is(close - 1, ".") && s.Is(close - 3, ".")))) {
      continue;
    }
    out.emplace(std::string(s.At(i)), s.Items(i + 1).size() - 1);
  }
  return out;
}

// Whether [first, last) opens with a cast to a char type: "(char)",
// "(unsigned char)", "(u8)" for a typedef of one.
bool OpensWithCharCast(const DialectSource& s, size_t first, size_t last,
                       const TypedefWords& typedefs) {
  if (!s.Is(first, "(")) return false;
  const size_t close = s.Mate(first);
  if (close == DialectSource::kNone || close + 1 >= last || close == first + 1) return false;
  bool is_char = false;
  for (size_t k = first + 1; k < close; ++k) {
    if (!s.IsWord(k)) return false;
    const std::string_view w = s.At(k);
    if (w == "char") {
      is_char = true;
    } else if (const auto t = typedefs.find(w); t != typedefs.end()) {
      const std::vector<std::string>& words = t->second;
      if (std::find(words.begin(), words.end(), "*") != words.end()) return false;
      is_char = is_char || std::find(words.begin(), words.end(), "char") != words.end();
    } else if (!IsTypeWord(w) || w == "int" || w == "long" || w == "short" || w == "float" ||
               w == "double" || w == "struct" || w == "union" || w == "enum") {
      return false;
    }
  }
  return is_char;
}

}  // namespace

void BridgeByteFormats(DialectSource* source) {
  DialectSource& s = *source;
  const auto variadic = VariadicFunctions(s);
  TypedefWords typedefs;
  bool typedefs_read = false;
  for (size_t i = 0; i + 1 < s.size(); ++i) {
    if (!s.User(i) || !s.IsWord(i) || !s.Is(i + 1, "(")) continue;
    if (i > 0 && (s.Is(i - 1, ".") || s.Is(i - 1, "->"))) continue;
    const std::string_view w = s.At(i);
    std::vector<bool> wrapped;
    if (w == "printf") wrapped = Call(source, i + 1, 0);
    if (w == "sprintf") wrapped = Call(source, i + 1, 1);
    // The original compiler passes a char to a variadic function as one
    // byte and its library reads %b and %c from one byte; sdcc passes an
    // uncast char as an int and a cast one as a byte, and our build of its
    // library reads them from an int: a cast one becomes an int too, for
    // a format the call does not show (a wrapper handing it to vsprintf).
    const auto named = variadic.find(w);
    if (named == variadic.end() || s.BodyOf(i) == DialectSource::kNone) continue;
    const std::vector<std::pair<size_t, size_t>> args = s.Items(i + 1);
    for (size_t n = named->second; n < args.size(); ++n) {
      if (n < wrapped.size() && wrapped[n]) continue;
      const auto [first, last] = args[n];
      if (first == last) continue;
      if (!typedefs_read) {
        typedefs = PlainTypedefs(s);
        typedefs_read = true;
      }
      if (!OpensWithCharCast(s, first, last, typedefs)) continue;
      s.InsertBefore(first, "(int)(");
      s.InsertAfter(last - 1, ")");
    }
  }
}

}  // namespace c51::sdcc
