#include "sdcc/compile/dialect_library.h"

#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "sdcc/compile/float_formats.h"

namespace c51::sdcc {

namespace {

// What a stand-in needs defined before it: nothing, the input scanner of
// scanf and sscanf, its float reader (strtod's too).
enum Support : unsigned { kNoSupport = 0, kScanner = 1, kReadsFloats = 2 };

struct LibraryFunction {
  const char* name;
  int arguments;     // a call with another count is not this function
  const char* head;  // "static <result> __c51_<name>(<parameters>)"
  const char* body;
  bool variadic = false;  // `arguments` or more
  unsigned support = kNoSupport;
};

// The next character of a string, or of getchar when the string pointer
// is null; -1 at the string's end.
constexpr char kScannerNext[] =
    "static int __c51_scan_next(const char **sc_p) __C51_SCAN_LOCALS { "
    "if (*sc_p == 0) return getchar(); if (**sc_p == 0) return -1; "
    "return (unsigned char)*(*sc_p)++; }";

// Whether `c` is in a "[set]" of `n` characters ("a-z" ranges).
constexpr char kScannerSet[] =
    "static unsigned char __c51_scan_in(const char *sc_set, unsigned char sc_n, int sc_c) "
    "__C51_SCAN_LOCALS { "
    "unsigned char sc_i; for (sc_i = 0; sc_i < sc_n; sc_i++) { "
    "if (sc_set[sc_i + 1] == '-' && sc_i + 2 < sc_n) { "
    "if (sc_c >= (unsigned char)sc_set[sc_i] && sc_c <= (unsigned char)sc_set[sc_i + 2]) "
    "return 1; sc_i += 2; } else if (sc_c == (unsigned char)sc_set[sc_i]) return 1; } "
    "return 0; }";

// A float as the original scanf and strtod read it: a sign, digits with
// one point, an exponent, at most `w` characters, from the scanner's
// source and lookahead. Stored when `to` is not null; false when there is
// no digit. Few locals and no buffer: in the small model they take DATA.
constexpr char kScannerFloat[] =
    "static unsigned char __c51_scan_float(const char **sc_p, int *sc_c, unsigned char sc_w, "
    "float *sc_to) __C51_SCAN_LOCALS { float sc_v = 0; int sc_e = 0, sc_x = 0; "
    "unsigned char sc_neg = 0, sc_digits = 0, sc_xneg = 0; "
    "if (sc_w && (*sc_c == '-' || *sc_c == '+')) { sc_neg = *sc_c == '-'; "
    "*sc_c = __c51_scan_next(sc_p); sc_w--; } "
    "for (; sc_w && *sc_c >= '0' && *sc_c <= '9'; sc_w--) { "
    "sc_v = sc_v * 10 + (*sc_c - '0'); sc_digits = 1; *sc_c = __c51_scan_next(sc_p); } "
    "if (sc_w && *sc_c == '.') { *sc_c = __c51_scan_next(sc_p); sc_w--; "
    "for (; sc_w && *sc_c >= '0' && *sc_c <= '9'; sc_w--) { "
    "sc_v = sc_v * 10 + (*sc_c - '0'); sc_e--; sc_digits = 1; *sc_c = __c51_scan_next(sc_p); } } "
    "if (!sc_digits) return 0; "
    "if (sc_w && (*sc_c == 'e' || *sc_c == 'E')) { *sc_c = __c51_scan_next(sc_p); sc_w--; "
    "if (sc_w && (*sc_c == '-' || *sc_c == '+')) { sc_xneg = *sc_c == '-'; "
    "*sc_c = __c51_scan_next(sc_p); sc_w--; } "
    "for (; sc_w && *sc_c >= '0' && *sc_c <= '9'; sc_w--) { "
    "if (sc_x < 100) sc_x = sc_x * 10 + (*sc_c - '0'); *sc_c = __c51_scan_next(sc_p); } "
    "sc_e += sc_xneg ? -sc_x : sc_x; } "
    "for (; sc_e > 0; sc_e--) sc_v *= 10; for (; sc_e < 0; sc_e++) sc_v /= 10; "
    "if (sc_to) *sc_to = sc_neg ? -sc_v : sc_v; return 1; }";

// The conversions of the original scanf: d i u o x X c s [set] and, when
// `floats`, f e g; a width, `*` to skip, `b` and `hh` for a char, `h` for
// an int, `l` for a long or a float. The result counts the values stored,
// -1 when the input ended before the first conversion.
std::string ScannerSource(bool floats) {
  std::string text =
      "static int __c51_scan(const char *sc_p, const char *sc_f, va_list sc_ap) "
      "__C51_SCAN_LOCALS { "
      "int sc_c; unsigned char sc_count = 0, sc_fc, sc_skip, sc_size, sc_neg, sc_base, "
      "sc_digits, sc_d, sc_n, sc_width; unsigned long sc_v; char *sc_to; "
      "sc_c = __c51_scan_next(&sc_p); "
      "while (*sc_f) { sc_fc = *sc_f++; "
      "if (sc_fc == ' ' || sc_fc == '\\t' || sc_fc == '\\n' || sc_fc == '\\r') { "
      "while (sc_c == ' ' || sc_c == '\\t' || sc_c == '\\n' || sc_c == '\\r') "
      "sc_c = __c51_scan_next(&sc_p); continue; } "
      "if (sc_fc != '%' || *sc_f == '%') { if (sc_fc == '%') sc_f++; "
      "if (sc_c != sc_fc) break; sc_c = __c51_scan_next(&sc_p); continue; } "
      "sc_skip = 0; sc_size = 1; sc_width = 0; "
      "if (*sc_f == '*') { sc_skip = 1; sc_f++; } "
      "while (*sc_f >= '0' && *sc_f <= '9') sc_width = sc_width * 10 + (*sc_f++ - '0'); "
      "if (*sc_f == 'b') { sc_size = 0; sc_f++; } "
      "else if (*sc_f == 'h') { if (*++sc_f == 'h') { sc_size = 0; sc_f++; } } "
      "else if (*sc_f == 'l' || *sc_f == 'L') { sc_size = 2; sc_f++; } "
      "sc_fc = *sc_f++; if (sc_fc == 0) break; "
      "if (sc_width == 0) sc_width = sc_fc == 'c' ? 1 : 255; "
      "if (sc_fc != 'c' && sc_fc != '[') "
      "while (sc_c == ' ' || sc_c == '\\t' || sc_c == '\\n' || sc_c == '\\r') "
      "sc_c = __c51_scan_next(&sc_p); "
      "if (sc_c < 0) return sc_count ? sc_count : -1; "
      "if (sc_fc == 'd' || sc_fc == 'i' || sc_fc == 'u' || sc_fc == 'o' || sc_fc == 'x' || "
      "sc_fc == 'X') { sc_v = 0; sc_neg = 0; sc_digits = 0; "
      "sc_base = sc_fc == 'o' ? 8 : (sc_fc == 'x' || sc_fc == 'X') ? 16 : 10; "
      "if (sc_c == '-' || sc_c == '+') { sc_neg = sc_c == '-'; sc_c = __c51_scan_next(&sc_p); "
      "sc_width--; } "
      "if ((sc_fc == 'i' || sc_base == 16) && sc_c == '0' && sc_width) { "
      "sc_c = __c51_scan_next(&sc_p); sc_width--; sc_digits = 1; "
      "if ((sc_c == 'x' || sc_c == 'X') && sc_width) { sc_base = 16; sc_digits = 0; "
      "sc_c = __c51_scan_next(&sc_p); sc_width--; } else if (sc_fc == 'i') sc_base = 8; } "
      "for (; sc_width; sc_width--) { "
      "if (sc_c >= '0' && sc_c <= '9') sc_d = sc_c - '0'; "
      "else if (sc_c >= 'a' && sc_c <= 'f') sc_d = sc_c - 'a' + 10; "
      "else if (sc_c >= 'A' && sc_c <= 'F') sc_d = sc_c - 'A' + 10; else break; "
      "if (sc_d >= sc_base) break; sc_v = sc_v * sc_base + sc_d; sc_digits = 1; "
      "sc_c = __c51_scan_next(&sc_p); } "
      "if (!sc_digits) break; if (sc_neg) sc_v = -sc_v; if (sc_skip) continue; "
      "if (sc_size == 0) *va_arg(sc_ap, char *) = (char)sc_v; "
      "else if (sc_size == 1) *va_arg(sc_ap, int *) = (int)sc_v; "
      "else *va_arg(sc_ap, long *) = (long)sc_v; sc_count++; } "
      "else if (sc_fc == 'c') { sc_to = sc_skip ? 0 : va_arg(sc_ap, char *); "
      "for (; sc_width && sc_c >= 0; sc_width--) { if (sc_to) *sc_to++ = (char)sc_c; "
      "sc_c = __c51_scan_next(&sc_p); } if (!sc_skip) sc_count++; } "
      "else if (sc_fc == 's' || sc_fc == '[') { sc_to = sc_skip ? 0 : va_arg(sc_ap, char *); "
      "sc_neg = 0; sc_n = 0; "
      "if (sc_fc == '[') { if (*sc_f == '^') { sc_neg = 1; sc_f++; } "
      "if (sc_f[0] == ']') sc_n = 1; while (sc_f[sc_n] && sc_f[sc_n] != ']') sc_n++; } "
      "sc_digits = 0; "
      "for (; sc_width && sc_c >= 0; sc_width--) { "
      "if (sc_fc == 's' ? (sc_c == ' ' || sc_c == '\\t' || sc_c == '\\n' || sc_c == '\\r') "
      ": __c51_scan_in(sc_f, sc_n, sc_c) == sc_neg) break; "
      "if (sc_to) *sc_to++ = (char)sc_c; sc_digits = 1; sc_c = __c51_scan_next(&sc_p); } "
      "if (sc_fc == '[') sc_f += sc_f[sc_n] ? sc_n + 1 : sc_n; "
      "if (!sc_digits) break; if (sc_to) { *sc_to = 0; sc_count++; } } ";
  if (floats) {
    text +=
        "else if (sc_fc == 'f' || sc_fc == 'e' || sc_fc == 'g' || sc_fc == 'E' || "
        "sc_fc == 'G') { if (!__c51_scan_float(&sc_p, &sc_c, sc_width, "
        "sc_skip ? (float *)0 : va_arg(sc_ap, float *))) break; if (!sc_skip) sc_count++; } ";
  }
  text += "else break; } return sc_count; }";
  return text;
}

constexpr LibraryFunction kFunctions[] = {
    {"toint", 1, "static signed char __c51_toint(unsigned char c)",
     "{ if (c >= '0' && c <= '9') return c - '0'; c |= 0x20; "
     "if (c >= 'a' && c <= 'f') return c - 'a' + 10; return -1; }"},
    {"_tolower", 1, "static int __c51__tolower(int c)", "{ return c - 'A' + 'a'; }"},
    {"_toupper", 1, "static int __c51__toupper(int c)", "{ return c - 'a' + 'A'; }"},
    {"toascii", 1, "static int __c51_toascii(int c)", "{ return c & 0x7F; }"},
    {"cabs", 1, "static signed char __c51_cabs(signed char v)", "{ return v < 0 ? -v : v; }"},
    {"strpos", 2, "static int __c51_strpos(const char *s, char c)",
     "{ int i; for (i = 0; s[i]; i++) if (s[i] == c) return i; return -1; }"},
    {"strrpos", 2, "static int __c51_strrpos(const char *s, char c)",
     "{ int i, last = -1; for (i = 0; s[i]; i++) if (s[i] == c) last = i; return last; }"},
    {"strrpbrk", 2, "static char *__c51_strrpbrk(char *s, const char *set)",
     "{ char *last = 0; const char *p; for (; *s; s++) for (p = set; *p; p++) "
     "if (*s == *p) last = s; return last; }"},
    // The pool becomes the free list sdcc's malloc, calloc, realloc and free
    // work on, laid out as its own heap is at its first use.
    {"init_mempool", 2, "static void __c51_init_mempool(void __xdata *p, unsigned int size)",
     "{ struct __c51_block { struct __c51_block __xdata *next; struct __c51_block __xdata "
     "*next_free; }; extern struct __c51_block __xdata *__xdata __sdcc_heap_free; struct "
     "__c51_block __xdata *b = p; b->next = (struct __c51_block __xdata *)((char __xdata *)p + "
     "size - 1); b->next_free = 0; __sdcc_heap_free = b; }"},
    {"gets", 2, "static char *__c51_gets(char *s, int n)",
     "{ int i = 0, c; while (i < n) { c = getchar(); if (c == '\\n' || c < 0) break; "
     "s[i++] = (char)c; } s[i] = 0; return s; }"},
    {"sscanf", 2, "static int __c51_sscanf(const char *sc_s, const char *sc_f, ...)",
     "{ va_list sc_ap; int sc_n; va_start(sc_ap, sc_f); sc_n = __c51_scan(sc_s, sc_f, sc_ap); "
     "va_end(sc_ap); return sc_n; }",
     true, kScanner},
    {"scanf", 1, "static int __c51_scanf(const char *sc_f, ...)",
     "{ va_list sc_ap; int sc_n; va_start(sc_ap, sc_f); sc_n = __c51_scan(0, sc_f, sc_ap); "
     "va_end(sc_ap); return sc_n; }",
     true, kScanner},
    {"strtod", 2, "static float __c51_strtod(const char *sc_s, char **sc_end)",
     "{ const char *sc_p = sc_s; int sc_c; float sc_x = 0; "
     "while (*sc_p == ' ' || *sc_p == '\\t' || *sc_p == '\\n' || *sc_p == '\\r') sc_p++; "
     "sc_c = __c51_scan_next(&sc_p); "
     "if (!__c51_scan_float(&sc_p, &sc_c, 255, &sc_x)) sc_p = sc_s; "
     "else if (sc_c >= 0) sc_p--; if (sc_end) *sc_end = (char *)sc_p; return sc_x; }",
     false, kReadsFloats},
    // float and double are one type here; the quotient truncated toward zero.
    {"fmod", 2, "static float __c51_fmod(float x, float y)",
     "{ float q; if (y == 0) return 0; q = x / y; q = q < 0 ? ceilf(q) : floorf(q); "
     "return x - q * y; }"},
    // 0 a number, 1 zero, 2 +INF, 3 -INF, 4 NaN, as the original intrinsic.
    {"_chkfloat_", 1, "static unsigned char __c51__chkfloat_(float f)",
     "{ union { float f; unsigned long l; } v; unsigned char e; v.f = f; "
     "e = (unsigned char)(v.l >> 23); if (e == 0xFF) return (v.l & 0x7FFFFFUL) ? 4 : "
     "(v.l & 0x80000000UL) ? 3 : 2; return e == 0 ? 1 : 0; }"},
};

}  // namespace

void BridgeLibraryFunctions(DialectSource* source) {
  DialectSource& s = *source;
  // Names the file declares itself, at file scope: its own functions win.
  std::set<std::string> declared;
  for (size_t i = 0; i + 1 < s.size(); ++i) {
    if (s.IsWord(i) && s.Is(i + 1, "(") && s.BodyOf(i) == DialectSource::kNone) {
      declared.emplace(s.At(i));
    }
  }
  std::vector<bool> used(std::size(kFunctions), false);
  for (size_t i = 0; i + 1 < s.size(); ++i) {
    if (!s.User(i) || !s.IsWord(i) || !s.Is(i + 1, "(") || s.BodyOf(i) == DialectSource::kNone ||
        (i > 0 && (s.Is(i - 1, ".") || s.Is(i - 1, "->")))) {
      continue;
    }
    const std::string_view word = s.At(i);
    for (size_t f = 0; f < std::size(kFunctions); ++f) {
      const LibraryFunction& function = kFunctions[f];
      if (word != function.name) continue;
      // sdcc's gets is declared; only a call with a length is the other one.
      const bool by_count = word == "gets";
      if (!by_count && declared.count(function.name) != 0) break;
      const int count = static_cast<int>(s.Items(i + 1).size());
      if (function.variadic ? count < function.arguments : count != function.arguments) break;
      s.Replace(i, i + 1, std::string("__c51_") + function.name);
      used[f] = true;
      break;
    }
  }
  std::string top, bottom;
  unsigned support = kNoSupport;
  for (size_t f = 0; f < std::size(kFunctions); ++f) {
    if (used[f]) support |= kFunctions[f].support;
  }
  // The scanner reads floats only for a file that has a float's format:
  // the float arithmetic costs a few kilobytes of code.
  const bool floats = (support & kScanner) != 0 && HasFloatFormat(s.text());
  if (floats) support |= kReadsFloats;
  // In the small model the scanner keeps its 30-odd bytes of locals on the
  // stack, where they cost DATA only while it runs: as frames they would
  // lie on every path through sscanf for good.
  if (support & (kScanner | kReadsFloats)) {
    bottom +=
        "\n#include <stdarg.h>\n#ifdef __SDCC_MODEL_SMALL\n#define __C51_SCAN_LOCALS __reentrant\n"
        "#else\n#define __C51_SCAN_LOCALS\n#endif\n";
  }
  if (support & (kScanner | kReadsFloats)) bottom += std::string(" ") + kScannerNext;
  if (support & kReadsFloats) bottom += std::string(" ") + kScannerFloat;
  if (support & kScanner) bottom += std::string(" ") + kScannerSet + " " + ScannerSource(floats);
  for (size_t f = 0; f < std::size(kFunctions); ++f) {
    if (!used[f]) continue;
    top += std::string(kFunctions[f].head) + "; ";
    bottom += std::string(" ") + kFunctions[f].head + " " + kFunctions[f].body;
  }
  if (top.empty()) return;
  s.InsertOnFirstLine(top);
  s.InsertAtOffset(s.text().size(), bottom + "\n");
}

}  // namespace c51::sdcc
