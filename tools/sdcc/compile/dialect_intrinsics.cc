#include "sdcc/compile/dialect_intrinsics.h"

#include <map>
#include <set>
#include <string>
#include <vector>

#include "sim/controls.h"

namespace c51::sdcc {

namespace {

constexpr size_t kNone = DialectSource::kNone;

struct Rotation {
  std::string_view name;
  int bits;
  bool left;
  const char* type;
};

constexpr Rotation kRotations[] = {
    {"_crol_", 8, true, "unsigned char"},  {"_cror_", 8, false, "unsigned char"},
    {"_irol_", 16, true, "unsigned int"},  {"_iror_", 16, false, "unsigned int"},
    {"_lrol_", 32, true, "unsigned long"}, {"_lror_", 32, false, "unsigned long"}};

constexpr char kNopHelper[] = "static inline void __c51_nop(void) { __asm__(\"nop\"); }";

bool IsIntrinsicsHeader(std::string_view file) {
  const size_t slash = file.find_last_of("/\\");
  if (slash != std::string_view::npos) file.remove_prefix(slash + 1);
  return sim::ToUpper(file) == "INTRINS.H";
}

// Words before a name that make it a declaration, not a call.
bool Declares(const DialectSource& s, size_t i) {
  static const std::set<std::string_view> kExpression = {"return", "else", "do", "case", "sizeof"};
  return i > 0 && (s.Is(i - 1, "*") || (s.IsWord(i - 1) && kExpression.count(s.At(i - 1)) == 0));
}

class Intrinsics {
 public:
  explicit Intrinsics(DialectSource* source) : s_(*source) {}

  void Run() {
    for (size_t i = 0; i < s_.size(); ++i) {
      if (s_.IsWord(i) && s_.Is(i + 1, "(") && IsIntrinsicsHeader(s_.FileOf(i))) {
        declared_.emplace(s_.At(i));
      }
    }
    if (declared_.empty()) return;
    // Inner calls first: an outer call that copies its operand copies them
    // as rewritten.
    for (size_t i = s_.size(); i-- > 0;) {
      if (!s_.User(i) || !s_.IsWord(i) || declared_.count(s_.At(i)) == 0 ||
          IsIntrinsicsHeader(s_.FileOf(i)) || Declares(s_, i)) {
        continue;
      }
      const std::string name(s_.At(i));
      const size_t close = s_.Is(i + 1, "(") ? s_.Mate(i + 1) : kNone;
      if (close == kNone) {
        s_.Issue(i, "'" + name + "' is an intrinsic function: it can only be called");
        continue;
      }
      Call(i, close);
    }
    for (const auto& [open, declarations] : temporaries_) s_.InsertAfter(open, declarations);
    if (nop_helper_) AddNopHelper();
  }

 private:
  // The arguments of the call whose "(" is at `open`: [first, last) each.
  std::vector<std::pair<size_t, size_t>> Arguments(size_t open, size_t close) const {
    std::vector<std::pair<size_t, size_t>> args;
    size_t first = open + 1;
    for (size_t k = first; k <= close;) {
      if (k == close || s_.Is(k, ",")) {
        if (k > first || !args.empty() || k < close) args.emplace_back(first, k);
        first = ++k;
        continue;
      }
      const size_t mate = s_.Mate(k);
      k = mate != kNone && mate > k && mate < close ? mate + 1 : k + 1;
    }
    return args;
  }

  void Call(size_t i, size_t close) {
    const std::string_view name = s_.At(i);
    const auto args = Arguments(i + 1, close);
    if (name == "_nop_") {
      if (!args.empty()) return Wrong(i, "no arguments");
      if (StatementPosition(i, close)) {
        s_.Replace(i, close + 1, "__asm__(\"nop\")");
      } else {
        s_.Replace(i, i + 1, "__c51_nop");
        nop_helper_ = true;
      }
      return;
    }
    if (name == "_push_" || name == "_pop_") {
      // A register saved around code that changes it (an interrupt routine
      // switching SFR pages): the instruction itself, on the register's
      // address or on the name sdcc gives a declared sfr.
      if (args.size() != 1 || args[0].second != args[0].first + 1 ||
          !(s_.IsWord(args[0].first) || s_.IsNumber(args[0].first))) {
        return Wrong(i, "one special function register");
      }
      if (!StatementPosition(i, close)) {
        return s_.Issue(i, "'" + std::string(name) + "' must be a statement of its own");
      }
      const std::string_view reg = s_.At(args[0].first);
      const std::string operand =
          s_.IsWord(args[0].first) ? "_" + std::string(reg) : std::string(reg);
      s_.Replace(i, close + 1,
                 std::string("__asm__(\"\\t") + (name == "_push_" ? "push" : "pop") + "\\t" +
                     operand + "\")");
      return;
    }
    if (name == "_testbit_") {
      if (args.size() != 1 || args[0].first == args[0].second) return Wrong(i, "one bit");
      const std::string bit = s_.Take(args[0].first, args[0].second);
      s_.Replace(i, close + 1, "((" + bit + ") ? ((" + bit + ") = 0, 1) : 0)");
      return;
    }
    for (const Rotation& r : kRotations) {
      if (name != r.name) continue;
      if (args.size() != 2 || args[0].first == args[0].second || args[1].first == args[1].second) {
        return Wrong(i, "a value and a count");
      }
      return Rotate(r, i, close, args[0], args[1]);
    }
    s_.Issue(i, "intrinsic function '" + std::string(name) + "' is not supported");
  }

  void Wrong(size_t i, const char* what) {
    s_.Issue(i, "'" + std::string(s_.At(i)) + "' takes " + what);
  }

  // The rotation's expression on `value` (named twice) by the constant `n`.
  static std::string Rotated(const Rotation& r, const std::string& value, uint32_t n) {
    const std::string t(r.type);
    const std::string first = r.left ? " << " : " >> ";
    const std::string second = r.left ? " >> " : " << ";
    return "(" + t + ")((" + value + first + std::to_string(n) + ") | (" + value + second +
           std::to_string(r.bits - static_cast<int>(n)) + "))";
  }

  void Rotate(const Rotation& r, size_t i, size_t close, std::pair<size_t, size_t> value,
              std::pair<size_t, size_t> count) {
    const std::string t(r.type);
    uint32_t n = 0;
    const bool constant = EvaluateConstant(s_, count.first, count.second, nullptr, &n);
    n %= static_cast<uint32_t>(r.bits);
    const size_t body = s_.BodyOf(i);
    if (body == kNone) {
      if (!constant) {
        s_.Issue(i, "'" + std::string(r.name) + "' outside a function needs a constant count");
        return;
      }
      const std::string v = "(" + t + ")(" + s_.Take(value.first, value.second) + ")";
      s_.Replace(i, close + 1, n == 0 ? "(" + v + ")" : "(" + Rotated(r, v, n) + ")");
      return;
    }
    if (constant && n == 0) {
      s_.Replace(i, i + 2, "((" + t + ")(");
      s_.Replace(value.second, close + 1, "))");
      return;
    }
    const std::string v = Temporary(body, t);
    if (constant && (n == 1 || n == static_cast<uint32_t>(r.bits - 1) ||
                     n == static_cast<uint32_t>(r.bits / 2))) {
      // sdcc turns these into rotate or swap instructions, and folds them
      // wrongly when it knows the operand (sdcc 4.2: _crol_(0x81, 1) gave
      // 0xC0). A volatile in between keeps the operand unknown to it.
      const std::string barrier = Barrier(body, r);
      s_.Replace(i, i + 2, "(" + barrier + " = (");
      s_.Replace(value.second, close + 1,
                 "), " + v + " = " + barrier + ", " + Rotated(r, v, n) + ")");
      return;
    }
    s_.Replace(i, i + 2, "(" + v + " = (");
    if (constant) {
      s_.Replace(value.second, close + 1, "), " + Rotated(r, v, n) + ")");
      return;
    }
    // A count known only at run time: both shifts use it, so it is read once too.
    const std::string k = Temporary(body, "unsigned char");
    const std::string mask = std::to_string(r.bits - 1);
    s_.Replace(value.second, count.first, "), " + k + " = (");
    s_.Replace(count.second, close + 1,
               ") & " + mask + ", (" + t + ")((" + v + (r.left ? " << " : " >> ") + k + ") | (" +
                   v + (r.left ? " >> " : " << ") + "((" + std::to_string(r.bits) + " - " + k +
                   ") & " + mask + "))))");
  }

  // One per function and width: it lives only between two comma operators.
  std::string Barrier(size_t body, const Rotation& r) {
    std::string name = "__c51_v" + std::to_string(r.bits);
    if (barriers_.emplace(body, r.bits).second) {
      temporaries_[body] += " volatile " + std::string(r.type) + " " + name + ";";
    }
    return name;
  }

  std::string Temporary(size_t body, const std::string& type) {
    std::string name = "__c51_r" + std::to_string(++temporaries_made_);
    temporaries_[body] += " " + type + " " + name + ";";
    return name;
  }

  // "_nop_();" as a statement of its own: after ; { } else do, a label, or
  // the condition of if, while, for or switch.
  bool StatementPosition(size_t name, size_t close) const {
    if (!s_.Is(close + 1, ";") || name == 0) return false;
    const size_t prev = name - 1;
    if (s_.Is(prev, ";") || s_.Is(prev, "{") || s_.Is(prev, "}") || s_.Is(prev, "else") ||
        s_.Is(prev, "do")) {
      return true;
    }
    if (s_.Is(prev, ")")) {
      const size_t open = s_.Mate(prev);
      return open != kNone && open > 0 &&
             (s_.Is(open - 1, "if") || s_.Is(open - 1, "while") || s_.Is(open - 1, "for") ||
              s_.Is(open - 1, "switch"));
    }
    if (!s_.Is(prev, ":")) return false;
    for (size_t k = prev; k-- > 0;) {
      if (s_.Is(k, "case") || s_.Is(k, "default")) return true;
      if (s_.Is(k, "?")) return false;  // "c ? x : _nop_()"
      if (s_.Is(k, ";") || s_.Is(k, "{") || s_.Is(k, "}")) return k + 2 == prev;  // "label:"
      const size_t mate = s_.Mate(k);
      if (mate != kNone && mate < k) k = mate;
    }
    return false;
  }

  // The helper goes first, on the main file's first line: a line marker
  // after it puts that line's own text back on line 1.
  void AddNopHelper() { s_.InsertOnFirstLine(kNopHelper); }

  DialectSource& s_;
  std::set<std::string, std::less<>> declared_;
  std::map<size_t, std::string> temporaries_;  // function body "{" => declarations
  std::set<std::pair<size_t, int>> barriers_;  // function body "{", width
  int temporaries_made_ = 0;
  bool nop_helper_ = false;
};

}  // namespace

void BridgeIntrinsics(DialectSource* source) {
  Intrinsics(source).Run();
}

}  // namespace c51::sdcc
