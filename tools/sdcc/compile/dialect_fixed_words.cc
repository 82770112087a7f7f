#include "sdcc/compile/dialect_fixed_words.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace c51::sdcc {

namespace {

constexpr size_t kNone = DialectSource::kNone;

std::string Hex(uint32_t value) {
  char text[16];
  snprintf(text, sizeof text, "0x%04X", value);
  return text;
}

bool IsMemoryWord(std::string_view w) {
  if (w.substr(0, 2) == "__") w.remove_prefix(2);
  return w == "data" || w == "idata" || w == "pdata" || w == "xdata" || w == "code";
}

// What a cast to a pointer points to.
struct Pointee {
  int width = 0;          // bytes of the integer: 2 or 4
  bool floating = false;  // a float: its bytes are swapped as well, but not bridged
  std::string type;       // the integer type alone: "unsigned int"
  std::string bytes;      // its bytes' type: "unsigned char volatile __xdata"
};

// The type the cast at `open` points to, through the file's typedefs:
// "(unsigned int volatile xdata *)", "(u16 xdata *)". False for other
// casts and for bytes.
bool CastPointee(const DialectSource& s, size_t open, const TypedefWords& typedefs, Pointee* out) {
  const size_t close = s.Mate(open);
  if (!s.Is(open, "(") || close == kNone || close < open + 3 || !s.Is(close - 1, "*")) {
    return false;
  }
  std::vector<std::string_view> words;
  for (size_t k = open + 1; k + 1 < close; ++k) {
    if (!s.IsWord(k)) return false;
    auto it = typedefs.find(s.At(k));
    if (it == typedefs.end()) {
      words.push_back(s.At(k));
      continue;
    }
    for (const std::string& w : it->second) {
      if (w == "*") return false;
      words.emplace_back(w);
    }
  }
  Pointee p;
  std::string memory, qualifiers;
  int longs = 0;
  for (std::string_view w : words) {
    if (w == "volatile" || w == "const") {
      qualifiers += " " + std::string(w);
    } else if (IsMemoryWord(w)) {
      if (!memory.empty()) return false;
      memory = " " + SdccMemoryWord(w);
    } else if (w == "float" || w == "double") {
      p.floating = true;
    } else if (w == "int" || w == "short" || w == "long" || w == "signed" || w == "unsigned") {
      longs += w == "long";
      p.type += (p.type.empty() ? "" : " ") + std::string(w);
    } else {
      return false;  // char, a struct, a name it does not know
    }
  }
  if (p.floating == !p.type.empty() || longs > 1) return false;
  p.width = longs == 1 || p.floating ? 4 : 2;
  p.bytes = "unsigned char" + qualifiers + memory;
  *out = std::move(p);
  return true;
}

// One int, long or float the program reaches at a fixed address.
struct Access {
  size_t first = 0;  // its tokens [first, last): "* (T *) A", "( (T *) B ) [ i ]"
  size_t last = 0;
  Pointee pointee;
  bool constant = false;  // its address is known: `address`
  uint32_t address = 0;
};

// A "(" that passes arguments to a call, or holds the condition of if,
// while, for or switch, rather than grouping.
bool CallParenthesis(const DialectSource& s, size_t k) {
  if (k == 0) return false;
  const size_t prev = k - 1;
  if (s.IsWord(prev)) {
    const std::string_view w = s.At(prev);
    return !(w == "return" || w == "case" || w == "else" || w == "do" || w == "sizeof");
  }
  if (s.Is(prev, "]")) return true;
  if (!s.Is(prev, ")")) return false;
  // After a condition or a cast it groups: "if (c) (X) = 1", "(char)(X)".
  const size_t open = s.Mate(prev);
  if (open == kNone || open == 0) return true;
  if (s.Is(open - 1, "if") || s.Is(open - 1, "while") || s.Is(open - 1, "for") ||
      s.Is(open - 1, "switch")) {
    return false;
  }
  if (!s.IsWord(open + 1)) return true;  // "(*handler)(X)"
  for (size_t j = open + 1; j < prev; ++j) {
    if (!s.IsWord(j) && !s.Is(j, "*")) return true;
  }
  return false;
}

// Widens [*first, *last) over the parentheses that only group it.
void Ungroup(const DialectSource& s, size_t* first, size_t* last) {
  while (*first > 0 && s.Is(*first - 1, "(") && s.Mate(*first - 1) == *last &&
         !CallParenthesis(s, *first - 1)) {
    --*first;
    ++*last;
  }
}

// The access whose cast opens at `open`: "*(T *)A" or "((T *)B)[i]", A and
// B a constant expression (a number or one in parentheses).
bool FindAccess(const DialectSource& s, size_t open, const TypedefWords& typedefs, Access* out) {
  Access a;
  if (!CastPointee(s, open, typedefs, &a.pointee)) return false;
  const size_t value = s.Mate(open) + 1;
  size_t end = kNone;
  if (s.IsNumber(value)) {
    end = value + 1;
  } else if (s.Is(value, "(") && s.Mate(value) != kNone) {
    end = s.Mate(value) + 1;
  }
  uint32_t base = 0;
  if (end == kNone || !EvaluateConstant(s, value, end, nullptr, &base)) return false;
  size_t first = open, last = end;
  Ungroup(s, &first, &last);
  if (first > 0 && s.Is(first - 1, "*")) {
    a.first = first - 1;
    a.last = last;
    a.constant = true;
    a.address = base;
  } else if (first < open && s.Is(last, "[") && s.Mate(last) != kNone) {
    a.first = first;
    a.last = s.Mate(last) + 1;
    uint32_t index = 0;
    a.constant = EvaluateConstant(s, last + 1, a.last - 1, nullptr, &index);
    a.address = base + index * static_cast<uint32_t>(a.pointee.width);
  } else {
    return false;  // the pointer itself, not what it points to
  }
  *out = std::move(a);
  return true;
}

// The innermost bracket around token `k`; kNone at file scope.
size_t Enclosing(const DialectSource& s, size_t k) {
  for (size_t j = k; j-- > 0;) {
    const size_t mate = s.Mate(j);
    if (s.Is(j, "(") || s.Is(j, "[") || s.Is(j, "{")) return j;
    if (mate != kNone && mate < j) j = mate;
  }
  return kNone;
}

// Token `first` starts a statement of a block: after ; { } else do, a
// label, or the condition of if, while, for or switch.
bool StatementStart(const DialectSource& s, size_t first) {
  if (first == 0 || !s.Is(Enclosing(s, first), "{")) return false;
  const size_t prev = first - 1;
  if (s.Is(prev, ";") || s.Is(prev, "{") || s.Is(prev, "}") || s.Is(prev, "else") ||
      s.Is(prev, "do")) {
    return true;
  }
  if (s.Is(prev, ")")) {
    const size_t open = s.Mate(prev);
    return open != kNone && open > 0 &&
           (s.Is(open - 1, "if") || s.Is(open - 1, "while") || s.Is(open - 1, "for") ||
            s.Is(open - 1, "switch"));
  }
  if (!s.Is(prev, ":")) return false;
  for (size_t k = prev; k-- > 0;) {
    if (s.Is(k, "case") || s.Is(k, "default")) return true;
    if (s.Is(k, "?")) return false;
    if (s.Is(k, ";") || s.Is(k, "{") || s.Is(k, "}")) return k + 2 == prev;  // "label:"
    const size_t mate = s.Mate(k);
    if (mate != kNone && mate < k) k = mate;
  }
  return false;
}

// The assignment operator right after an access at `k`: "=", "+=", "<<=";
// its "=" in *equals. Empty for none.
std::string AssignmentAt(const DialectSource& s, size_t k, size_t* equals) {
  if (s.Is(k, "=")) {
    *equals = k;
    return "=";
  }
  static constexpr std::string_view kOperators[] = {"+", "-", "*", "/",  "%",
                                                    "&", "|", "^", "<<", ">>"};
  for (std::string_view op : kOperators) {
    if (s.Is(k, op) && s.Is(k + 1, "=") && s.token(k).end == s.token(k + 1).begin) {
      *equals = k + 1;
      return std::string(op);
    }
  }
  return "";
}

// The ";" that ends the value after an assignment's "=": kNone when the
// value is not the rest of one statement ("X = a, b;", "(X = a)").
size_t ValueEnd(const DialectSource& s, size_t first) {
  size_t k = first;
  while (k < s.size() && !s.Is(k, ";")) {
    if (s.Is(k, ",") || s.Is(k, ")") || s.Is(k, "]") || s.Is(k, "}")) return kNone;
    const size_t mate = s.Mate(k);
    if (s.Is(k, "(") || s.Is(k, "[") || s.Is(k, "{")) {
      if (mate == kNone) return kNone;
      k = mate;
    }
    ++k;
  }
  return k > first && k < s.size() ? k : kNone;
}

// The operand before a "&" at `amp` makes it "and", not "address of".
bool BinaryAmpersand(const DialectSource& s, size_t amp) {
  if (amp == 0) return false;
  const size_t prev = amp - 1;
  if (s.IsWord(prev)) return !(s.Is(prev, "return") || s.Is(prev, "case"));
  return s.IsNumber(prev) || s.token(prev).kind == TokenKind::kLiteral || s.Is(prev, ")") ||
         s.Is(prev, "]") || s.Is(prev, "++") || s.Is(prev, "--");
}

class FixedWords {
 public:
  FixedWords(DialectSource* source, std::vector<DialectIssue>* warnings)
      : s_(*source), warnings_(warnings) {}

  void Run() {
    const TypedefWords typedefs = PlainTypedefs(s_);
    std::vector<Access> accesses;
    for (size_t i = 1; i + 3 < s_.size(); ++i) {
      Access a;
      if (s_.User(i) && s_.Is(i, "(") && FindAccess(s_, i, typedefs, &a)) {
        accesses.push_back(std::move(a));
      }
    }
    // The last first: one inside another's index or value is rewritten
    // before the outer one copies or wraps it.
    std::vector<bool> left(accesses.size());
    for (size_t n = accesses.size(); n-- > 0;) left[n] = !Bridge(accesses[n]);
    for (const auto& [body, declarations] : temporaries_) s_.InsertAfter(body, declarations);
    for (size_t n = 0; n < accesses.size(); ++n) {
      if (left[n]) Warn(accesses[n]);
    }
  }

 private:
  // False when the access stays as sdcc reads it.
  bool Bridge(const Access& a) {
    size_t first = a.first, last = a.last;
    Ungroup(s_, &first, &last);
    if (s_.Is(first - 1, "sizeof")) return true;  // no byte is reached
    if (a.pointee.floating || s_.BodyOf(a.first) == kNone) return false;
    size_t equals = kNone;
    const std::string op = AssignmentAt(s_, last, &equals);
    if (!op.empty()) return Assignment(a, first, op, equals);
    if (s_.Is(first - 1, "++") || s_.Is(first - 1, "--") || s_.Is(last, "++") ||
        s_.Is(last, "--") || (s_.Is(first - 1, "&") && !BinaryAmpersand(s_, first - 1))) {
      return false;
    }
    return Read(a);
  }

  // "X = e;" or "X op= e;" as a statement of its own: a block that sets the
  // value aside and writes it byte by byte, high byte first.
  bool Assignment(const Access& a, size_t first, const std::string& op, size_t equals) {
    const size_t end = ValueEnd(s_, equals + 1);
    if (end == kNone || !StatementStart(s_, first) || Moved(first, equals + 1) ||
        Moved(end, end + 1)) {
      return false;
    }
    const std::string address = a.constant ? "" : s_.Take(a.first, a.last);
    s_.Take(first, equals + 1);
    const Pointee& p = a.pointee;
    const std::string word = Unsigned(p);
    std::string head = "{ ";
    if (!a.constant) {
      head += p.bytes + " *__c51_p = (" + p.bytes + " *)&(" + address + "); ";
    }
    const Bytes at = [&](int k) {
      return a.constant ? Fixed(p, a.address + k) : Indexed("__c51_p", k);
    };
    if (op == "=") {
      head += word + " __c51_w = (" + p.type + ")(";
    } else {
      head += word + " __c51_w = " + Combined(p, "__c51_w", at, true) + "; __c51_w = (" + p.type +
              ")((" + p.type + ")__c51_w " + op + " (";
    }
    std::string tail = op == "=" ? ");" : "));";
    for (int k = 0; k < p.width; ++k) {
      const int shift = 8 * (p.width - 1 - k);
      tail += " " + at(k) + " = (unsigned char)" +
              (shift == 0 ? "__c51_w" : "(__c51_w >> " + std::to_string(shift) + ")") + ";";
    }
    s_.Replace(first, equals + 1, head);
    s_.Replace(end, end + 1, tail + " }");
    return true;
  }

  // Anywhere else in a function: the bytes read high byte first into a
  // temporary of the function, combined.
  bool Read(const Access& a) {
    if (Moved(a.first, a.last)) return false;
    const Pointee& p = a.pointee;
    const size_t body = s_.BodyOf(a.first);
    const std::string word = "__c51_word" + std::to_string(++made_);
    temporaries_[body] += " " + Unsigned(p) + " " + word + ";";
    std::string text = "(";
    std::string pointer;
    if (!a.constant) {
      pointer = "__c51_at" + std::to_string(made_);
      temporaries_[body] += " " + p.bytes + " *" + pointer + ";";
      text += pointer + " = (" + p.bytes + " *)&(" + s_.Take(a.first, a.last) + "), ";
    } else {
      s_.Take(a.first, a.last);
    }
    const Bytes at = [&](int k) {
      return a.constant ? Fixed(p, a.address + k) : Indexed(pointer, k);
    };
    text += Combined(p, word, at, false) + ")";
    s_.Replace(a.first, a.last, text);
    return true;
  }

  using Bytes = std::function<std::string(int)>;

  static std::string Unsigned(const Pointee& p) {
    return p.width == 4 ? "unsigned long" : "unsigned int";
  }
  static std::string Fixed(const Pointee& p, uint32_t address) {
    return "*(" + p.bytes + " *)" + Hex(address);
  }
  static std::string Indexed(const std::string& pointer, int k) {
    return pointer + "[" + std::to_string(k) + "]";
  }

  // The bytes at(0).. combined into `word`, high byte first, each read in
  // an expression of its own. As statements, the last combined too; else
  // the value of the last expression, of the pointee's type.
  static std::string Combined(const Pointee& p, const std::string& word, const Bytes& at,
                              bool statements) {
    const std::string sep = statements ? "; " : ", ";
    const std::string wide = Unsigned(p);
    std::string out =
        statements
            ? "(" + wide + ")" + at(0) + " << " + std::to_string(8 * (p.width - 1))
            : word + " = (" + wide + ")" + at(0) + " << " + std::to_string(8 * (p.width - 1));
    for (int k = 1; k + 1 < p.width; ++k) {
      out += sep + word + " |= (" + wide + ")" + at(k) + " << " +
             std::to_string(8 * (p.width - 1 - k));
    }
    if (statements) return out + sep + word + " |= " + at(p.width - 1);
    return out + sep + "(" + p.type + ")(" + word + " | " + at(p.width - 1) + ")";
  }

  // Another pass has replaced text that overlaps tokens [first, last) but
  // reaches outside them: they are not where they were.
  bool Moved(size_t first, size_t last) {
    const size_t begin = s_.token(first).begin;
    const size_t end = s_.token(last - 1).end;
    for (const Edit& e : *s_.edits()) {
      if (e.begin == e.end || e.end <= begin || e.begin >= end) continue;
      if (e.begin < begin || e.end > end) return true;
    }
    return false;
  }

  // Once a line, at the line its access comes from (a header's macro is
  // expanded where it is used).
  void Warn(const Access& a) {
    const Token& t = s_.token(a.first);
    if (t.file == warned_file_ && t.line == warned_line_) return;
    warned_file_ = t.file;
    warned_line_ = t.line;
    warnings_->push_back(DialectIssue{
        s_.FileOf(a.first), t.line,
        a.pointee.floating
            ? "a float at a fixed address: sdcc keeps its low byte at the address, the original "
              "compiler its high byte, so its bytes come in the other order"
            : "an int or long at a fixed address reached otherwise than read or assigned in a "
              "statement of its own (an increment, an assignment used as a value, its address "
              "taken): sdcc keeps its low byte at the address, the original compiler its high "
              "byte, so a 16-bit register pair gets its halves swapped"});
  }

  DialectSource& s_;
  std::vector<DialectIssue>* warnings_;
  std::map<size_t, std::string> temporaries_;  // function body "{" => declarations
  int made_ = 0;
  int warned_file_ = -1;
  int warned_line_ = 0;
};

}  // namespace

void BridgeFixedWords(DialectSource* source, std::vector<DialectIssue>* warnings) {
  FixedWords(source, warnings).Run();
}

}  // namespace c51::sdcc
