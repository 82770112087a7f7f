#include "sdcc/compile/dialect_rewriter.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <set>

#include "sdcc/compile/c_tokens.h"
#include "sdcc/compile/dialect_array_addresses.h"
#include "sdcc/compile/dialect_bdata.h"
#include "sdcc/compile/dialect_bit_fields.h"
#include "sdcc/compile/dialect_bits.h"
#include "sdcc/compile/dialect_braces.h"
#include "sdcc/compile/dialect_byte_formats.h"
#include "sdcc/compile/dialect_byte_order.h"
#include "sdcc/compile/dialect_cast_targets.h"
#include "sdcc/compile/dialect_console.h"
#include "sdcc/compile/dialect_extern_at.h"
#include "sdcc/compile/dialect_fixed_words.h"
#include "sdcc/compile/dialect_implicit_calls.h"
#include "sdcc/compile/dialect_inline_asm.h"
#include "sdcc/compile/dialect_intrinsics.h"
#include "sdcc/compile/dialect_library.h"
#include "sdcc/compile/dialect_old_style.h"
#include "sdcc/compile/dialect_plain_types.h"
#include "sdcc/compile/dialect_pointer_calls.h"
#include "sdcc/compile/dialect_qualifiers.h"
#include "sdcc/compile/dialect_source.h"
#include "sdcc/compile/dialect_struct_values.h"
#include "sdcc/compile/dialect_unsized_arrays.h"
#include "sdcc/compile/sdcc_sfr_names.h"
#include "sim/controls.h"

namespace c51::sdcc {

namespace {

std::string Hex(uint32_t value, int digits) {
  char text[16];
  snprintf(text, sizeof text, "0x%0*X", digits, value);
  return text;
}

// Pragmas that only steer listings, debug records or optimisation: sdcc's
// output does not change in a way the program can tell, so they are dropped.
const std::set<std::string, std::less<>> kIgnoredPragmas = {
    "PRINT", "NOPRINT", "PR", "CODE", "CD", "SYMBOLS", "SB", "LISTINCLUDE", "LC", "COND", "CO",
    "NOCOND", "DEBUG", "DB", "OBJECTEXTEND", "OE", "PAGELENGTH", "PL", "PAGEWIDTH", "PW", "EJECT",
    "EJ", "AREGS", "NOAREGS", "ORDER", "OR", "INTPROMOTE", "IP", "NOINTPROMOTE", "NOIP", "OPTIMIZE",
    "OT", "SAVE", "RESTORE", "WARNINGLEVEL", "WL", "ROM", "FLOATFUZZY", "FF", "PREPRINT", "PP",
    "NOAMAKE", "REGPARMS", "NOREGPARMS", "OBJECT", "OJ", "NOOBJECT", "NOOJ",
    // Code generation details with no counterpart here: the overlay (the
    // linker overlays what can share memory), string placement, the second
    // data pointer, the extensions switch and the interrupt vectors (the
    // linker lays them down from the routines).
    "NOOVERLAY", "NOOL", "STRING", "STR", "NOEXTEND", "MODDP2", "NOMODDP2", "MODP2", "NOMODP2",
    "MODA2", "NOMODA2", "USERCLASS", "UCL", "NOINTVECTOR", "NOIV",
    // The bank a file's functions address registers in: sdcc's routine
    // with `using n` switches back to bank 0 around each call it makes.
    "REGISTERBANK", "RB"};

// sdcc's own pragmas: written in its dialect, passed to it unchanged.
const std::set<std::string, std::less<>> kSdccPragmas = {"save",
                                                         "restore",
                                                         "callee_saves",
                                                         "exclude",
                                                         "noinduction",
                                                         "noinvariant",
                                                         "noiv",
                                                         "nojtbound",
                                                         "noloopreverse",
                                                         "nogcse",
                                                         "nooverlay",
                                                         "less_pedantic",
                                                         "disable_warning",
                                                         "stackauto",
                                                         "opt_code_speed",
                                                         "opt_code_size",
                                                         "opt_code_balanced",
                                                         "std_c89",
                                                         "std_sdcc89",
                                                         "std_c99",
                                                         "std_sdcc99",
                                                         "std_c11",
                                                         "std_sdcc11",
                                                         "std_c2x",
                                                         "std_sdcc2x",
                                                         "codeseg",
                                                         "constseg",
                                                         "once"};

// The kernel's highest task number.
constexpr uint32_t kHighestTask = 15;

const std::set<std::string, std::less<>> kMemoryTypes = {"data", "idata", "pdata", "xdata", "code"};

// Words that start an expression, after which a memory type word is a name.
const std::set<std::string, std::less<>> kExpressionWords = {"return", "case",  "sizeof", "goto",
                                                             "struct", "union", "enum"};

class Rewriter {
 public:
  Rewriter(std::string_view text, const TokenList& list, RewriteResult* result,
           DialectSource* source)
      : text_(text),
        list_(list),
        tokens_(list.tokens),
        result_(result),
        source_(source),
        bdata_(source) {}

  void Run() {
    for (const Directive& d : list_.directives) Pragma(d);
    for (size_t i = 0; i < tokens_.size(); ++i) {
      const Token& t = tokens_[i];
      if (t.kind != TokenKind::kWord) continue;
      const std::string_view w = Text(t);
      // sdcc's own headers declare sfrs the user's sbits name too.
      if (w == "__sfr") NoteSdccSfr(*source_, i, &sfr_);
      if (t.system) continue;
      if (w == "main" && DefinesMain(i)) result_->defines_main = true;
      if (w == "sfr" || w == "sfr16") {
        i = Sfr(i, w == "sfr16");
      } else if (w == "sbit") {
        i = Sbit(i);
      } else if (w == "bit") {
        if (IsTypeWord(i, true)) Replace(i, "__bit");
      } else if (kMemoryTypes.count(w) != 0) {
        if (PointerMemoryTypeInParentheses(i) || NameMemoryTypeInParentheses(i)) continue;
        if (IsTypeWord(i, false)) Replace(i, "__" + std::string(w));
      } else if (w == "bdata") {
        if (IsTypeWord(i, false)) {
          Replace(i, "__data");
          bdata_.Declare(i);
        }
      } else if (w == "_at_") {
        i = At(i);
      } else if (w == "interrupt" || w == "using") {
        if (InAttributePlace(i) &&
            (IsWord(i + 1) || Is(i + 1, "(") ||
             (i + 1 < tokens_.size() && tokens_[i + 1].kind == TokenKind::kNumber)))
          i = Attribute(i, w == "interrupt" ? "__interrupt" : "__using");
      } else if (w == "reentrant") {
        if (InAttributePlace(i) &&
            (IsWord(i + 1) || Is(i + 1, "{") || Is(i + 1, ";") || Is(i + 1, ","))) {
          Replace(i, "__reentrant");
          attribute_end_ = i + 1;
        }
      } else if (w == "small" || w == "compact" || w == "large") {
        if (InAttributePlace(i)) {
          // Dropped in every file alike, so callers and the function agree
          // on where its parameters are.
          result_->warnings.push_back(DialectIssue{
              list_.files[t.file], t.line,
              "'" + std::string(w) +
                  "': a memory model per function is ignored: the function's parameters and "
                  "locals go where the program's model puts them"});
          Replace(i, "");
          attribute_end_ = i + 1;
        }
      } else if ((w == "_task_" || w == "_priority_") && InAttributePlace(i)) {
        i = TaskAttribute(i);
      } else if (w == "_task_" || w == "_priority_" || w == "alien") {
        Issue(t, "'" + std::string(w) + "' is not supported");
      } else if (bdata_.IsBit(w)) {
        i = bdata_.Use(i);
      }
    }
    bdata_.Finish();
    MarkInterruptPrototypes();
    MarkCriticalFunctions();
  }

 private:
  std::string_view Text(const Token& t) const { return text_.substr(t.begin, t.end - t.begin); }
  std::string_view TextAt(size_t i) const {
    return i < tokens_.size() ? Text(tokens_[i]) : std::string_view();
  }
  bool Is(size_t i, std::string_view s) const { return i < tokens_.size() && TextAt(i) == s; }
  bool IsWord(size_t i) const { return i < tokens_.size() && tokens_[i].kind == TokenKind::kWord; }

  void Issue(const Token& t, std::string text) {
    result_->issues.push_back(DialectIssue{list_.files[t.file], t.line, std::move(text)});
  }
  void Issue(int file, int line, std::string text) {
    result_->issues.push_back(DialectIssue{list_.files[file], line, std::move(text)});
  }
  void Replace(size_t i, std::string text) {
    source_->edits()->push_back(Edit{tokens_[i].begin, tokens_[i].end, std::move(text)});
  }
  // Replaces tokens [first, last) with `text`, keeping their line ends.
  void ReplaceRange(size_t first, size_t last, std::string text) {
    const size_t begin = tokens_[first].begin;
    const size_t end = tokens_[last - 1].end;
    text += std::string(std::count(text_.begin() + begin, text_.begin() + end, '\n'), '\n');
    source_->edits()->push_back(Edit{begin, end, std::move(text)});
  }
  std::string Join(size_t first, size_t last) const {
    std::string out;
    for (size_t i = first; i < last; ++i) {
      if (i > first) out += ' ';
      out += TextAt(i);
    }
    return out;
  }
  // The first token at or after `i` at parenthesis depth 0 that is one of
  // `stops`; tokens_.size() when none.
  size_t FindStop(size_t i, std::initializer_list<std::string_view> stops) const {
    int depth = 0;
    for (; i < tokens_.size(); ++i) {
      const std::string_view s = TextAt(i);
      if (depth == 0 && tokens_[i].kind != TokenKind::kLiteral &&
          std::find(stops.begin(), stops.end(), s) != stops.end()) {
        return i;
      }
      if (s == "(" || s == "[") ++depth;
      if ((s == ")" || s == "]") && depth > 0) --depth;
      if (s == "{" || s == "}") return tokens_.size();  // a declaration does not reach past these
    }
    return i;
  }

  // True when the word at `i` is used as a type word, not as a name:
  //   char xdata *p; xdata char c; bit f(bit, bit); (bit) x   => type word
  //   s.code; p->data; struct code; int code; code[1]; code(2) => name
  // `alone`: the word is a whole type (bit), so "f(bit)" declares a parameter;
  // a memory type alone is not, so "f(data)" passes a variable.
  bool IsTypeWord(size_t i, bool alone) const {
    if (i > 0) {
      const std::string_view prev = TextAt(i - 1);
      if (prev == "." || prev == "->" || kExpressionWords.count(prev) != 0) return false;
    }
    if (i + 1 >= tokens_.size()) return false;
    if (IsWord(i + 1)) return true;
    const std::string_view next = TextAt(i + 1);
    const bool after_type = i > 0 && IsWord(i - 1);
    if (next == "*")
      // "char * code * p": the memory of a pointer that points to pointers.
      return after_type || i == 0 || Is(i - 1, "(") || Is(i - 1, ",") || Is(i - 1, ";") ||
             Is(i - 1, "{") || Is(i - 1, "}") || Is(i - 1, "*");
    // An unnamed parameter or a cast: f(bit, bit), (bit) x.
    if (next == "," || next == ")") return alone && i > 0 && (Is(i - 1, "(") || Is(i - 1, ","));
    return false;
  }

  // A memory type that opens a parenthesised pointer declarator, "(code *",
  // names the memory the pointer points into, which sdcc wants outside:
  //   char (code *p)[4]       => char __code (*p)[4]
  //   void (code *fn)(void)   => void (*fn)(void)
  // A function is always in code memory, and sdcc's function pointers point
  // there, so for them the word goes.
  bool PointerMemoryTypeInParentheses(size_t i) {
    if (i == 0 || !Is(i - 1, "(") || !Is(i + 1, "*")) return false;
    const size_t close = source_->Mate(i - 1);
    if (close == DialectSource::kNone) return false;
    if (Is(close + 1, "(")) {
      Replace(i, "");
    } else if (Is(close + 1, "[")) {
      Replace(i, "");
      source_->InsertBefore(i - 1, "__" + std::string(TextAt(i)) + " ");
    } else {
      return false;
    }
    return true;
  }

  // A memory type bracketed with the name it places, "*(xdata p)": the
  // pointer itself lies there. sdcc takes the word only before the name:
  //   unsigned char *(xdata p);   => unsigned char *__xdata p;
  bool NameMemoryTypeInParentheses(size_t i) {
    if (i < 2 || !Is(i - 1, "(") || !Is(i - 2, "*") || !IsWord(i + 1) || !Is(i + 2, ")"))
      return false;
    if (!(Is(i + 3, ";") || Is(i + 3, "=") || Is(i + 3, ",") || Is(i + 3, "["))) return false;
    Replace(i - 1, "");
    Replace(i, "__" + std::string(TextAt(i)));
    Replace(i + 2, "");
    return true;
  }

  // After a function's parameter list or another of its attributes.
  bool InAttributePlace(size_t i) const { return i > 0 && (Is(i - 1, ")") || attribute_end_ == i); }

  size_t Attribute(size_t i, const char* keyword) {
    const size_t end = FindStop(
        i + 1, {"using", "reentrant", "interrupt", "small", "compact", "large", "{", ";", ","});
    if (end == i + 1 || end >= tokens_.size()) {
      Issue(tokens_[i], "'" + std::string(TextAt(i)) + "' needs a number");
      return i;
    }
    if (std::string_view(keyword) == "__interrupt" && Is(i - 1, ")") &&
        Is(FindStop(end, {"{", ";", ","}), "{")) {
      const size_t open = MatchingOpen(i - 1);
      if (open != SIZE_MAX && IsWord(open - 1)) {
        interrupt_words_[std::string(TextAt(open - 1))] = "__interrupt(" + Join(i + 1, end) + ")";
        uint32_t number = 0;
        result_->interrupts.push_back(InterruptFunction{
            std::string(TextAt(open - 1)), list_.files[tokens_[i].file], tokens_[i].line,
            Evaluate(i + 1, end, &number) ? static_cast<int64_t>(number) : -1});
      }
    }
    ReplaceRange(i, end, std::string(keyword) + "(" + Join(i + 1, end) + ")");
    attribute_end_ = end;
    return end - 1;
  }

  // "_task_ N" makes the function task N of the kernel the linker adds;
  // "_priority_ P" is accepted and dropped (every task gets the same
  // share of time). The task is registered by a function of a fixed name
  // that jumps to it, which the kernel's table names:
  //   void job(void) _task_ 2 { ... }
  //   => void job(void) { ... } void __c51_task_2(void) __naked { ljmp _job }
  // A jump, not a pointer: the call graph sees it, so each task is a root
  // of the frame overlay of its own.
  size_t TaskAttribute(size_t i) {
    const bool task = Is(i, "_task_");
    const size_t end = FindStop(i + 1, {"_task_", "_priority_", "using", "reentrant", "interrupt",
                                        "small", "compact", "large", "{", ";", ","});
    uint32_t number = 0;
    if (end == i + 1 || end >= tokens_.size() || !Evaluate(i + 1, end, &number)) {
      Issue(tokens_[i], "'" + std::string(TextAt(i)) + "' needs a number");
      return i;
    }
    ReplaceRange(i, end, "");
    attribute_end_ = end;
    if (!task) return end - 1;
    if (number > kHighestTask) {
      Issue(tokens_[i], "'_task_ " + std::to_string(number) + "': task numbers are 0 to " +
                            std::to_string(kHighestTask));
      return end - 1;
    }
    size_t close = i;
    while (close > 0 && !Is(close, ")")) --close;
    const size_t open = MatchingOpen(close);
    const size_t body = FindStop(end, {"{", ";", ","});
    if (open == SIZE_MAX || open == 0 || !IsWord(open - 1) || !Is(body, "{")) return end - 1;
    const size_t body_end = source_->Mate(body);
    if (body_end == DialectSource::kNone) return end - 1;
    source_->InsertAfter(body_end, " void __c51_task_" + std::to_string(number) +
                                       "(void) __naked { __asm ljmp _" +
                                       std::string(TextAt(open - 1)) + " __endasm; }");
    return end - 1;
  }

  // After "#pragma disable", the first function body that follows.
  void MarkCriticalFunctions() {
    for (size_t offset : disable_at_) {
      for (size_t i = 0; i < tokens_.size(); ++i) {
        if (tokens_[i].begin < offset || !source_->IsBodyOpen(i)) continue;
        source_->InsertBefore(i, "__critical ");
        break;
      }
    }
  }

  // "void t0(void);" before "void t0(void) interrupt 1 { }" is how the
  // dialect declares a routine; sdcc wants the attribute on both.
  void MarkInterruptPrototypes() {
    if (interrupt_words_.empty()) return;
    for (size_t i = 0; i + 1 < tokens_.size(); ++i) {
      if (!IsWord(i) || !Is(i + 1, "(") || source_->BodyOf(i) != DialectSource::kNone) continue;
      auto it = interrupt_words_.find(std::string(TextAt(i)));
      if (it == interrupt_words_.end()) continue;
      const size_t close = source_->Mate(i + 1);
      if (close == DialectSource::kNone || !(Is(close + 1, ";") || Is(close + 1, ","))) continue;
      source_->InsertAfter(close, " " + it->second);
    }
  }

  // The "(" that the ")" at `close` ends; SIZE_MAX when there is none.
  size_t MatchingOpen(size_t close) const {
    int depth = 0;
    for (size_t k = close + 1; k-- > 0;) {
      if (Is(k, ")")) ++depth;
      if (Is(k, "(") && --depth == 0) return k;
    }
    return SIZE_MAX;
  }

  // True when "main" at `i` starts the definition of main: "main (...) {".
  bool DefinesMain(size_t i) const {
    if (!Is(i + 1, "(")) return false;
    int depth = 0;
    for (size_t k = i + 1; k < tokens_.size(); ++k) {
      if (Is(k, "(")) ++depth;
      if (Is(k, ")") && --depth == 0) return Is(k + 1, "{");
    }
    return false;
  }

  // "static " before a file-scope sfr or sbit declaration: the original
  // makes no public symbol of either, so two files may name different pins
  // alike (a driver's "sbit SDA = P2^3;" beside another's "sbit SDA =
  // P2^1;"), where sdcc's globals would clash at link time.
  std::string LocalStorage(size_t i) const {
    if (source_->BodyOf(i) != DialectSource::kNone) return std::string();
    if (i > 0 && (Is(i - 1, "static") || Is(i - 1, "extern"))) return std::string();
    return "static ";
  }

  // sfr NAME = address [, NAME = address] ;
  size_t Sfr(size_t i, bool wide) {
    if (!IsWord(i + 1) || !Is(i + 2, "=")) return i;  // a name, not the declaration
    const size_t end = FindStop(i + 1, {";"});
    if (end >= tokens_.size()) {
      Issue(tokens_[i], "'" + std::string(TextAt(i)) + "': missing ';'");
      return i;
    }
    std::string out;
    size_t at = i + 1;
    while (at < end) {
      const size_t stop = FindStop(at, {",", ";"});
      if (!IsWord(at) || !Is(at + 1, "=") || stop <= at + 2) {
        Issue(tokens_[at], "bad sfr declaration");
        return end;
      }
      const std::string name(TextAt(at));
      uint32_t address = 0;
      std::string where;
      if (Evaluate(at + 2, stop, &address)) {
        if (address < 0x80 || address > 0xFF) {
          Issue(tokens_[at],
                "'" + name + "': sfr address " + Hex(address, 2) + " outside 0x80-0xFF");
        }
        where = wide ? Hex(((address + 1) & 0xFF) << 8 | address, 4) : Hex(address, 2);
        if (!wide) sfr_[name] = address;
      } else {
        const std::string e = "(" + Join(at + 2, stop) + ")";
        where = wide ? "((" + e + "+1)*256+" + e + ")" : e;
      }
      if (!out.empty()) out += "; ";
      out += LocalStorage(i) + (wide ? "__sfr16 __at(" : "__sfr __at(") + where + ") " + name;
      at = stop + 1;
    }
    ReplaceRange(i, end, out);
    return end;
  }

  // sbit NAME = sfr ^ bit;  sbit NAME = address ^ bit;  sbit NAME = bit-address;
  // several joined by "," as in one sfr declaration.
  size_t Sbit(size_t i) {
    if (!IsWord(i + 1) || !Is(i + 2, "=")) return i;
    const size_t end = FindStop(i + 1, {";"});
    if (end >= tokens_.size()) {
      Issue(tokens_[i], "bad sbit declaration");
      return i;
    }
    std::string out;
    for (size_t at = i + 1; at < end;) {
      const size_t stop = FindStop(at, {",", ";"});
      uint32_t address = 0;
      if (!IsWord(at) || !Is(at + 1, "=") || stop <= at + 2) {
        Issue(tokens_[at], "bad sbit declaration");
        return end;
      }
      if (bdata_.Sbit(at, stop, end)) {
        at = stop + 1;
        continue;
      }
      if (!SbitAddress(at, stop, &address)) return end;
      if (!out.empty()) out += "; ";
      out += LocalStorage(i) + "__sbit __at(" + Hex(address, 2) + ") " + std::string(TextAt(at));
      at = stop + 1;
    }
    // Only bits in bdata: nothing is left of the declaration.
    ReplaceRange(i, out.empty() ? end + 1 : end, out);
    return end;
  }

  // Narrows [*first, *last) to what parentheses around all of it hold.
  void StripParentheses(size_t* first, size_t* last) const {
    while (*last - *first >= 2 && Is(*first, "(") && source_->Mate(*first) == *last - 1) {
      ++*first;
      --*last;
    }
  }

  // The bit address of "NAME = ..." at `at`, the value ending before `stop`.
  // Parentheses may enclose the value, the sfr and the bit: (P3^6), (P3)^(6).
  bool SbitAddress(size_t at, size_t stop, uint32_t* address) {
    const std::string name(TextAt(at));
    size_t value = at + 2;
    StripParentheses(&value, &stop);
    size_t caret = value;
    while (caret < stop && !Is(caret, "^")) {
      const size_t mate = source_->Mate(caret);
      caret = mate != DialectSource::kNone && mate > caret && mate < stop ? mate + 1 : caret + 1;
    }
    if (caret < stop) {
      uint32_t base = 0;
      uint32_t bit = 0;
      size_t sfr_first = value;
      size_t sfr_last = caret;
      StripParentheses(&sfr_first, &sfr_last);
      if (sfr_last == sfr_first + 1 && IsWord(sfr_first) &&
          sfr_.count(std::string(TextAt(sfr_first))) != 0) {
        base = sfr_[std::string(TextAt(sfr_first))];
      } else if (!Evaluate(value, caret, &base)) {
        Issue(tokens_[value], "'" + name + "': '" + Join(sfr_first, sfr_last) +
                                  "' is neither a known sfr nor a variable in bdata");
        return false;
      }
      if (!Evaluate(caret + 1, stop, &bit) || bit > 7) {
        Issue(tokens_[at], "'" + name + "': bit position must be 0 to 7");
        return false;
      }
      if (base < 0x80 || base > 0xFF || base % 8 != 0) {
        Issue(tokens_[at], "'" + name + "': " + Hex(base, 2) + " is not bit-addressable");
        return false;
      }
      *address = base + bit;
      return true;
    }
    if (!Evaluate(value, stop, address) || *address > 0xFF) {
      Issue(tokens_[at], "'" + name + "': bad bit address");
      return false;
    }
    return true;
  }

  // NAME [dims] _at_ address  =>  __at(address) NAME [dims]
  size_t At(size_t i) {
    const size_t end = FindStop(i + 1, {";", ",", "="});
    if (end >= tokens_.size() || end == i + 1) {
      Issue(tokens_[i], "'_at_' needs an address");
      return i;
    }
    size_t k = i;
    while (k > 0 && Is(k - 1, "]")) {
      int depth = 0;
      do {
        --k;
        if (Is(k, "]")) ++depth;
        if (Is(k, "[")) --depth;
      } while (k > 0 && depth > 0);
    }
    if (k == 0 || !IsWord(k - 1)) {
      Issue(tokens_[i], "'_at_' must follow a variable name");
      return end;
    }
    source_->edits()->push_back(
        Edit{tokens_[k - 1].begin, tokens_[k - 1].begin, "__at(" + Join(i + 1, end) + ") "});
    ReplaceRange(i, end, "");
    return end - 1;
  }

  void Pragma(const Directive& d) {
    if (d.system) return;
    std::string_view rest = sim::Trim(text_.substr(d.begin, d.end - d.begin));
    if (rest.empty() || rest[0] != '#') return;
    rest = sim::Trim(rest.substr(1));
    if (rest.substr(0, 6) != "pragma") return;
    rest = sim::Trim(rest.substr(6));
    size_t n = 0;
    while (n < rest.size() && IsWordByte(rest[n])) ++n;
    const std::string_view word = rest.substr(0, n);
    const std::string upper = sim::ToUpper(word);
    if (kSdccPragmas.count(word) != 0) return;
    // Unpaired asm/endasm lines, which the inline assembly pass reports.
    if (IsInlineAsmPragma(word)) {
      source_->edits()->push_back(Edit{d.begin, d.end, ""});
      return;
    }
    if (upper == "SMALL" || upper == "COMPACT" || upper == "LARGE") {
      result_->model = upper;
    } else if (upper == "DISABLE") {
      // The next function runs with interrupts off: sdcc's critical function.
      disable_at_.push_back(d.end);
    } else if (kIgnoredPragmas.count(upper) == 0) {
      Issue(d.file, d.line,
            "#pragma '" + std::string(word.empty() ? rest : word) + "' is not supported");
    }
    source_->edits()->push_back(Edit{d.begin, d.end, ""});
  }

  // Integer constant expressions: literals, + - * / % << >> & | ^ ~ and
  // parentheses. False on anything else (names, division by zero).
  bool Evaluate(size_t first, size_t last, uint32_t* value) const {
    return EvaluateConstant(*source_, first, last, nullptr, value);
  }

  std::string_view text_;
  const TokenList& list_;
  const std::vector<Token>& tokens_;
  RewriteResult* result_;
  DialectSource* source_;
  std::map<std::string, uint32_t> sfr_;  // sfr name => address, for sbit NAME = sfr ^ n
  BdataBits bdata_;                      // variables in bdata and the bits on them
  size_t attribute_end_ = SIZE_MAX;      // token after the last function attribute rewritten
  std::vector<size_t> disable_at_;       // where each "#pragma disable" ends
  std::map<std::string, std::string> interrupt_words_;  // routine defined here => "__interrupt(1)"
};

}  // namespace

void RewriteDialect(std::string_view preprocessed, RewriteResult* result,
                    const DefinitionFinder& find, std::string_view model) {
  *result = RewriteResult();
  TokenList list;
  Tokenize(preprocessed, &list);
  // Inline assembly leaves the text before the passes read it as C.
  std::string cut;
  std::vector<InlineAsmBlock> asm_blocks;
  if (CutInlineAssembly(preprocessed, list, &cut, &asm_blocks, &result->inline_asm,
                        &result->issues)) {
    preprocessed = cut;
    Tokenize(preprocessed, &list);
  }
  result->main_file = list.main_file;
  result->headers = list.headers;
  DialectSource source(preprocessed, list, &result->issues);
  Rewriter(preprocessed, list, result, &source).Run();
  MakeDoublesFloat(&source);
  AddImplicitInt(&source);
  BridgeInlineAssembly(&source, asm_blocks);
  CompleteInitializerBraces(&source);
  BridgeIntrinsics(&source);
  TypeBareParameterNames(&source);
  MatchParameterQualifiers(&source);
  MatchObjectQualifiers(&source);
  MatchDefaultMemoryTypes(&source, result->model.empty() ? model : result->model);
  CompleteEmptyParameterLists(&source, find, &result->consulted);
  RewriteOldStyleDefinitions(&source);
  BridgeConsoleFunctions(&source);
  BridgeLibraryFunctions(&source);
  BridgeBitComplement(&source);
  BridgeLowBitToMember(&source);
  BridgeBitFieldToElement(&source);
  BridgeByteFormats(&source);
  PlaceExternDeclarations(&source, &result->placed);
  DeclareUnsizedArrays(&source);
  DropCastsOfAssignedNames(&source);
  ConvertArrayAddresses(&source, &result->warnings);
  BridgePointerCalls(&source);
  BridgeStructValues(&source);
  BridgeFixedWords(&source, &result->warnings);
  // Last: the prototypes copy the definitions as the passes made them.
  DeclareImplicitCalls(&source, find, &result->consulted, &result->implicit_calls);
  ReportByteOrderUnions(source, &result->warnings);
  source.Apply(&result->text);
}

}  // namespace c51::sdcc
