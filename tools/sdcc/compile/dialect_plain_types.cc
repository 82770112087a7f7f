#include "sdcc/compile/dialect_plain_types.h"

#include <set>
#include <string>
#include <string_view>

namespace c51::sdcc {

namespace {

constexpr size_t kNone = DialectSource::kNone;

// Words that open a declaration with a type, or a construct of the dialect.
const std::set<std::string_view> kDeclarationWords = {
    "typedef",  "extern",   "static",    "auto",  "register",  "const", "volatile", "inline",
    "restrict", "void",     "char",      "short", "int",       "long",  "float",    "double",
    "signed",   "unsigned", "struct",    "union", "enum",      "sfr",   "sfr16",    "sfr32",
    "sbit",     "bit",      "data",      "idata", "pdata",     "xdata", "code",     "bdata",
    "far",      "near",     "interrupt", "using", "reentrant", "_at_",  "_task_",   "_priority_",
    "alien",    "small",    "compact",   "large"};

// Words that may stand before a declaration's type.
const std::set<std::string_view> kModifierWords = {
    "extern", "static", "const",  "volatile", "data",    "idata",   "pdata", "xdata",
    "code",   "bdata",  "__data", "__idata",  "__pdata", "__xdata", "__code"};

}  // namespace

void MakeDoublesFloat(DialectSource* source) {
  DialectSource& s = *source;
  for (size_t i = 0; i < s.size(); ++i) {
    if (!s.User(i) || !s.Is(i, "double")) continue;
    if (i > 0 && s.Is(i - 1, "long") && s.User(i - 1)) {
      s.Replace(i - 1, i + 1, "float");
    } else if (s.Is(i + 1, "long")) {
      s.Replace(i, i + 2, "float");
      ++i;
    } else {
      s.Replace(i, i + 1, "float");
    }
  }
}

void AddImplicitInt(DialectSource* source) {
  DialectSource& s = *source;
  const std::set<std::string, std::less<>> typedefs = TypedefNames(s);
  bool start = true;  // a declaration may open at `i`
  for (size_t i = 0; i < s.size();) {
    // A function declared or defined without its result ("ReadOneChar(void);"
    // or "... {") is an int function too.
    const size_t params = s.Is(i + 1, "(") ? s.Mate(i + 1) : kNone;
    bool function =
        params != kNone && params > i + 1 && (s.Is(params + 1, ";") || s.IsBodyOpen(params + 1));
    // Parameters, not a call's arguments: no numbers or strings.
    for (size_t k = i + 2; function && k < params; ++k) {
      function = !s.IsNumber(k) && !s.IsString(k);
    }
    // Storage class, qualifiers and memory type with no type after them
    // ("code tab[] = {..};", "static xdata cnt;": often a "#define uchar
    // unsigned char;" that ate the type): the name is an int too.
    if (start && s.User(i) && kModifierWords.count(s.At(i)) != 0) {
      size_t name = i;
      while (name < s.size() && kModifierWords.count(s.At(name)) != 0) ++name;
      if (name < s.size() && s.IsWord(name) && kDeclarationWords.count(s.At(name)) == 0 &&
          typedefs.count(s.At(name)) == 0 && s.At(name).substr(0, 2) != "__" &&
          (s.Is(name + 1, "[") || s.Is(name + 1, "=") || s.Is(name + 1, ",") ||
           s.Is(name + 1, ";"))) {
        s.InsertBefore(name, "int ");
      }
    }
    if (start && s.User(i) && s.IsWord(i) &&
        (s.Is(i + 1, "[") || s.Is(i + 1, "=") || s.Is(i + 1, ",") || s.Is(i + 1, ";") ||
         function)) {
      const std::string_view w = s.At(i);
      if (kDeclarationWords.count(w) == 0 && typedefs.count(w) == 0 && w.substr(0, 2) != "__" &&
          w != "_Bool" && w != "_Static_assert") {
        s.InsertBefore(i, "int ");
      }
    }
    start = s.Is(i, ";");
    const size_t mate = s.Mate(i);
    if (mate != kNone && mate > i) {
      // After a function's body a declaration may open again.
      start = s.IsBodyOpen(i);
      i = mate + 1;
      continue;
    }
    ++i;
  }
}

}  // namespace c51::sdcc
