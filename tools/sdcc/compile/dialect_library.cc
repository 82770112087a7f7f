#include "sdcc/compile/dialect_library.h"

#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace c51::sdcc {

namespace {

struct LibraryFunction {
  const char* name;
  int arguments;     // a call with another count is not this function
  const char* head;  // "static <result> __c51_<name>(<parameters>)"
  const char* body;
};

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
      if (static_cast<int>(s.Items(i + 1).size()) != function.arguments) break;
      s.Replace(i, i + 1, std::string("__c51_") + function.name);
      used[f] = true;
      break;
    }
  }
  std::string top, bottom;
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
