#include "sdcc/compile/dialect_bdata.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

namespace c51::sdcc {

namespace {

constexpr size_t kNone = DialectSource::kNone;

// The token after the bracketed group that opens at `k`, or k + 1.
size_t Skip(const DialectSource& s, size_t k) {
  const size_t mate = s.Mate(k);
  return mate != kNone && mate > k ? mate + 1 : k + 1;
}

// Narrows [*first, *last) to what parentheses around all of it hold.
void Strip(const DialectSource& s, size_t* first, size_t* last) {
  while (*last - *first >= 2 && s.Is(*first, "(") && s.Mate(*first) == *last - 1) {
    ++*first;
    --*last;
  }
}

// The ";" that ends the declaration going on at `i`, stepping over
// initializers in braces; kNone when a body or a parameter list ends first.
size_t DeclarationEnd(const DialectSource& s, size_t i) {
  for (size_t k = i; k < s.size(); k = Skip(s, k)) {
    if (s.Is(k, ";")) return k;
    if (s.Is(k, "{") && !s.Is(k - 1, "=")) return kNone;
    if (s.Is(k, "}") || s.Is(k, ")") || s.Is(k, "]")) return kNone;
  }
  return kNone;
}

// The first "," at or after `k` outside brackets, or `end`.
size_t ItemEnd(const DialectSource& s, size_t k, size_t end) {
  while (k < end && !s.Is(k, ",")) k = Skip(s, k);
  return std::min(k, end);
}

// Where the value assigned from `k` on ends: the ";", "," or ")" after it;
// s.size() when a brace comes first.
size_t ValueEnd(const DialectSource& s, size_t k) {
  for (; k < s.size(); k = Skip(s, k)) {
    if (s.Is(k, ";") || s.Is(k, ",") || s.Is(k, ")")) return k;
    if (s.Is(k, "{") || s.Is(k, "}")) return s.size();
  }
  return s.size();
}

}  // namespace

// 2 or 4 for a word that makes a variable that wide, through typedefs too;
// 1 for any other.
int BdataBits::Width(std::string_view word) {
  if (word == "int" || word == "short") return 2;
  if (word == "long") return 4;
  if (!typedefs_read_) {
    typedefs_ = PlainTypedefs(s_);
    typedefs_read_ = true;
  }
  const auto known = typedefs_.find(word);
  if (known == typedefs_.end()) return 1;
  int width = 1;
  for (const std::string& w : known->second) {
    if (w == "int" || w == "short") width = std::max(width, 2);
    if (w == "long") width = 4;
  }
  return width;
}

void BdataBits::Declare(size_t i) {
  size_t first = i;
  while (first > 0 && !s_.Is(first - 1, ";") && !s_.Is(first - 1, "{") && !s_.Is(first - 1, "}"))
    --first;
  const size_t end = DeclarationEnd(s_, i);
  if (end == kNone) return;
  int width = 1;
  std::vector<std::pair<std::string, Variable>> names;
  for (size_t k = first; k < end; ++k) {
    if (s_.Is(k, "=")) {
      k = ItemEnd(s_, k + 1, end);  // an initializer names no variable
      continue;
    }
    if (!s_.IsWord(k)) continue;
    const size_t next = k + 1;
    if (!(s_.Is(next, ";") || s_.Is(next, ",") || s_.Is(next, "=") || s_.Is(next, "["))) {
      width = std::max(width, Width(s_.At(k)));
      continue;
    }
    Variable v;
    size_t after = next;
    for (; s_.Is(after, "[") && s_.Mate(after) != kNone; after = s_.Mate(after) + 1) {
      uint32_t count = 0;
      if (++v.dimensions == 1 && EvaluateConstant(s_, after + 1, s_.Mate(after), nullptr, &count)) {
        v.elements = count;
      }
    }
    // "char bdata *p" points into bdata and "char * bdata p" is a pointer:
    // neither takes bits.
    if (!(k > 0 && s_.Is(k - 1, "*"))) names.emplace_back(s_.At(k), v);
    k = after - 1;
  }
  for (auto& [name, v] : names) {
    v.width = width;
    variables_[name] = v;
  }
}

bool BdataBits::Sbit(size_t at, size_t stop, size_t end) {
  size_t value = at + 2;
  Strip(s_, &value, &stop);
  size_t caret = value;
  while (caret < stop && !s_.Is(caret, "^")) caret = Skip(s_, caret);
  if (caret >= stop) return false;
  size_t first = value;
  size_t last = caret;
  Strip(s_, &first, &last);
  if (!s_.IsWord(first) || variables_.count(s_.At(first)) == 0) return false;
  const std::string name(s_.At(at));
  std::string target;
  int width = 1;
  if (!Target(name, first, last, &target, &width)) return true;
  const uint32_t bits = 8u * static_cast<uint32_t>(width);
  uint32_t bit = 0;
  if (!EvaluateConstant(s_, caret + 1, stop, nullptr, &bit) || bit >= bits) {
    s_.Issue(at, "'" + name + "': bit position must be 0 to " + std::to_string(bits - 1));
    return true;
  }
  bits_[name] = Bit{target, Mask(width, bit), end, false};
  return true;
}

// The variable or element that [first, last) names, "flags" or "keys[1]",
// and its width; false, reported, when it cannot hold a bit.
bool BdataBits::Target(const std::string& name, size_t first, size_t last, std::string* target,
                       int* width) {
  const auto var = variables_.find(s_.At(first));
  const Variable& v = var->second;
  *target = var->first;
  *width = v.width;
  if (v.dimensions == 0 && last == first + 1) return true;
  const std::string written = s_.Join(first, last);
  if (v.dimensions == 0) {
    s_.Issue(first,
             "'" + name + "': '" + written + "' is neither a known sfr nor a variable in bdata");
    return false;
  }
  if (v.dimensions > 1) {
    s_.Issue(first,
             "'" + name + "': bits of an array of more than one dimension are not supported");
    return false;
  }
  const size_t open = first + 1;
  uint32_t index = 0;
  if (!s_.Is(open, "[") || s_.Mate(open) != last - 1 ||
      !EvaluateConstant(s_, open + 1, last - 1, nullptr, &index)) {
    s_.Issue(first, "'" + name + "': a bit of the array '" + var->first +
                        "' needs an element with a constant index, as in " + var->first + "[0]^1");
    return false;
  }
  if (v.elements != 0 && index >= v.elements) {
    s_.Issue(first, "'" + name + "': '" + written + "' is past the end of '" + var->first + "' (" +
                        std::to_string(v.elements) + " elements)");
    return false;
  }
  *target += "[" + std::to_string(index) + "]";
  return true;
}

// The mask of bit `bit` counted from the variable's first byte in memory:
// the high byte of a wider value in the original compiler's order.
std::string BdataBits::Mask(int width, uint32_t bit) {
  const uint32_t value_bit = static_cast<uint32_t>(width - 1) * 8 - bit / 8 * 8 + bit % 8;
  const unsigned long one = 1ul << value_bit;
  char mask[24];
  if (width == 1) {
    snprintf(mask, sizeof mask, "0x%02lX", one);
  } else if (width == 2) {
    snprintf(mask, sizeof mask, "0x%04lXu", one);
  } else {
    snprintf(mask, sizeof mask, "0x%08lXul", one);
  }
  return mask;
}

// True when the bit at `i` is all the argument of a _testbit_ call, in
// parentheses or not: the call's name is at *call, its ")" at *close.
bool BdataBits::InTestbit(size_t i, size_t* call, size_t* close) const {
  for (size_t open = i - 1, shut = i + 1; open < i && s_.Is(open, "(") && s_.Mate(open) == shut;
       --open, ++shut) {
    if (open > 0 && s_.Is(open - 1, "_testbit_")) {
      *call = open - 1;
      *close = shut;
      return true;
    }
  }
  return false;
}

size_t BdataBits::Use(size_t i) {
  if (i > 0 && (s_.Is(i - 1, ".") || s_.Is(i - 1, "->"))) return i;
  if (s_.Is(i + 1, "(")) return i;  // a function of that name
  const std::string name(s_.At(i));
  Bit& bit = bits_.find(name)->second;
  size_t call = 0;
  size_t close = 0;
  if (InTestbit(i, &call, &close)) {
    // The whole call: this edit, made before the intrinsics pass reads the
    // call, is the one that stands.
    bit.tested = true;
    s_.Replace(call, close + 1, "__c51_testbit_" + name + "()");
    return close;
  }
  const std::string set = "(" + bit.target + " |= " + bit.mask + ")";
  const std::string clear = "(" + bit.target + " &= ~" + bit.mask + ")";
  const std::string flip = "(" + bit.target + " ^= " + bit.mask + ")";
  const bool address_of = i > 0 && s_.Is(i - 1, "&") &&
                          (i == 1 || !(s_.IsWord(i - 2) || s_.IsNumber(i - 2) ||
                                       s_.Is(i - 2, ")") || s_.Is(i - 2, "]")));
  if ((i > 0 && (s_.Is(i - 1, "++") || s_.Is(i - 1, "--"))) || s_.Is(i + 1, "++") ||
      s_.Is(i + 1, "--") || address_of) {
    s_.Issue(i, "'" + name +
                    "': only setting, clearing, assigning, reading and _testbit_ of a bit in "
                    "bdata are supported");
    return i;
  }
  size_t op = i + 1;
  std::string compound;
  if ((s_.Is(op, "|") || s_.Is(op, "&") || s_.Is(op, "^")) && s_.Is(op + 1, "=")) {
    compound = std::string(s_.At(op));
    ++op;
  }
  if (!s_.Is(op, "=")) {
    s_.Replace(i, i + 1, "((" + bit.target + " & " + bit.mask + ") != 0)");
    return i;
  }
  const size_t end = ValueEnd(s_, op + 1);
  if (end >= s_.size() || end == op + 1) {
    s_.Issue(i, "'" + name + "': assignment without a value");
    return i;
  }
  if (compound.empty() && end == op + 2 && (s_.Is(op + 1, "0") || s_.Is(op + 1, "1"))) {
    s_.Replace(i, end, s_.Is(op + 1, "0") ? clear : set);
    return end - 1;
  }
  s_.Replace(i, op + 1, "((");
  std::string after;
  if (compound.empty()) {
    after = ") ? " + set + " : " + clear + ")";
  } else if (compound == "|") {
    after = ") ? " + set + " : 0)";
  } else if (compound == "&") {
    after = ") ? 0 : " + clear + ")";
  } else {
    after = ") ? " + flip + " : 0)";
  }
  s_.InsertBefore(end, after);
  return op;  // the value is read on
}

void BdataBits::Finish() {
  std::string definitions;
  for (const auto& [name, bit] : bits_) {
    if (!bit.tested) continue;
    const std::string function =
        " static unsigned char __c51_testbit_" + name + "(void) __critical";
    s_.InsertAfter(bit.end, function + ";");
    // Interrupts off between the test and the clear, so a bit an interrupt
    // routine sets in between is not lost.
    definitions += function + " { if (" + bit.target + " & " + bit.mask + ") { " + bit.target +
                   " &= ~" + bit.mask + "; return 1; } return 0; }";
  }
  // After the last token, the main file's as a rule: defined on a header's
  // line, the function would give every module that includes the header
  // the same public debug symbols.
  if (!definitions.empty()) s_.InsertAfter(s_.size() - 1, definitions);
}

}  // namespace c51::sdcc
