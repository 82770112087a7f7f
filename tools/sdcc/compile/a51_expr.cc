#include "sdcc/compile/a51_expr.h"

#include <cstdio>
#include <span>
#include <string_view>

#include "sdcc/compile/c_tokens.h"
#include "sim/controls.h"

namespace c51::sdcc {

namespace {

// The bit-addressable registers sdas8051 knows by name: "ACC.7" stays as
// written when the file does not define ACC itself.
constexpr std::string_view kBitRegisters[] = {"P0", "TCON", "P1",    "SCON", "P2",  "IE",
                                              "P3", "IP",   "T2CON", "PSW",  "ACC", "B"};

bool IsBitRegister(const std::string& name) {
  const std::string upper = sim::ToUpper(name);
  for (std::string_view r : kBitRegisters) {
    if (upper == r) return true;
  }
  return false;
}

// Operator words and symbols, the same operation under either spelling.
std::string OperatorOf(const A51Token& t, ExprSyntax syntax) {
  if (t.kind == A51Token::kName && syntax == ExprSyntax::kClassic) {
    static constexpr std::string_view kWords[] = {"HIGH", "LOW", "NOT", "MOD", "SHL",
                                                  "SHR",  "AND", "OR",  "XOR", "EQ",
                                                  "NE",   "LT",  "LE",  "GT",  "GE"};
    const std::string upper = sim::ToUpper(t.text);
    for (std::string_view w : kWords) {
      if (upper == w) return upper;
    }
    return std::string();
  }
  if (t.kind != A51Token::kOperator) return std::string();
  struct Alias {
    std::string_view symbol, op;
  };
  // Classic assembly spells the others as words; C's constants hold no comparisons.
  static constexpr Alias kClassic[] = {{"=", "EQ"}, {"<>", "NE"}, {"<", "LT"}, {"<=", "LE"},
                                       {">", "GT"}, {">=", "GE"}, {"+", "+"},  {"-", "-"},
                                       {"*", "*"},  {"/", "/"}};
  static constexpr Alias kC[] = {{"%", "MOD"}, {"<<", "SHL"}, {">>", "SHR"}, {"&", "AND"},
                                 {"|", "OR"},  {"^", "XOR"},  {"~", "NOT"},  {"+", "+"},
                                 {"-", "-"},   {"*", "*"},    {"/", "/"}};
  for (const Alias& a : syntax == ExprSyntax::kClassic ? std::span<const Alias>(kClassic)
                                                       : std::span<const Alias>(kC)) {
    if (t.text == a.symbol) return std::string(a.op);
  }
  return std::string();
}

// Binary operators from the loosest to the tightest binding.
const std::vector<std::vector<std::string_view>>& Levels(ExprSyntax syntax) {
  static const std::vector<std::vector<std::string_view>> kClassic = {
      {"OR", "XOR"},
      {"AND"},
      {"EQ", "NE", "LT", "LE", "GT", "GE"},
      {"+", "-"},
      {"*", "/", "MOD", "SHL", "SHR"}};
  static const std::vector<std::vector<std::string_view>> kC = {
      {"OR"}, {"XOR"}, {"AND"}, {"SHL", "SHR"}, {"+", "-"}, {"*", "/", "MOD"}};
  return syntax == ExprSyntax::kClassic ? kClassic : kC;
}

class Parser {
 public:
  Parser(const std::vector<A51Token>& tokens, size_t pos, size_t end, ExprSyntax syntax)
      : tokens_(tokens), pos_(pos), end_(end), syntax_(syntax) {}

  std::unique_ptr<A51Expr> Parse(std::string* err) {
    auto expr = Binary(0);
    if (!expr && err_.empty()) err_ = "EXPRESSION EXPECTED";
    if (!err_.empty()) *err = err_;
    return err_.empty() ? std::move(expr) : nullptr;
  }
  size_t pos() const { return pos_; }

 private:
  const A51Token* Peek() const { return pos_ < end_ ? &tokens_[pos_] : nullptr; }
  std::string PeekOperator() const {
    const A51Token* t = Peek();
    return t ? OperatorOf(*t, syntax_) : std::string();
  }
  std::unique_ptr<A51Expr> Fail(const std::string& text) {
    if (err_.empty()) err_ = text;
    return nullptr;
  }
  static std::unique_ptr<A51Expr> Node(A51Expr::Kind kind, std::string op,
                                       std::unique_ptr<A51Expr> left,
                                       std::unique_ptr<A51Expr> right = nullptr) {
    auto node = std::make_unique<A51Expr>();
    node->kind = kind;
    node->op = std::move(op);
    node->left = std::move(left);
    node->right = std::move(right);
    return node;
  }

  // In classic assembly NOT binds looser than a comparison, so it sits
  // between the levels: "NOT a EQ b" is NOT (a EQ b).
  std::unique_ptr<A51Expr> Binary(size_t level) {
    const auto& levels = Levels(syntax_);
    if (level == levels.size()) return Unary();
    if (syntax_ == ExprSyntax::kClassic && levels[level][0] == "EQ" && PeekOperator() == "NOT") {
      ++pos_;
      auto operand = Binary(level);
      return operand ? Node(A51Expr::kUnary, "NOT", std::move(operand)) : nullptr;
    }
    auto left = Binary(level + 1);
    while (left) {
      const std::string op = PeekOperator();
      bool here = false;
      for (std::string_view o : levels[level]) here = here || op == o;
      if (!here) break;
      ++pos_;
      auto right = Binary(level + 1);
      if (!right) return Fail("OPERAND EXPECTED AFTER '" + op + "'");
      left = Node(A51Expr::kBinary, op, std::move(left), std::move(right));
    }
    return left;
  }

  std::unique_ptr<A51Expr> Unary() {
    const std::string op = PeekOperator();
    const bool classic = syntax_ == ExprSyntax::kClassic;
    if (op == "-" || op == "+" || (op == "NOT" && !classic) ||
        (classic && (op == "HIGH" || op == "LOW"))) {
      ++pos_;
      auto operand = Unary();
      if (!operand) return Fail("OPERAND EXPECTED AFTER '" + op + "'");
      if (op == "+") return operand;
      return Node(A51Expr::kUnary, op, std::move(operand));
    }
    return Postfix();
  }

  // "P1.0", "20H.3": a byte and one of its bits.
  std::unique_ptr<A51Expr> Postfix() {
    auto base = Primary();
    if (base && syntax_ == ExprSyntax::kClassic && Peek() && Peek()->Is(".")) {
      ++pos_;
      auto bit = Primary();
      if (!bit) return Fail("BIT NUMBER EXPECTED AFTER '.'");
      return Node(A51Expr::kBit, ".", std::move(base), std::move(bit));
    }
    return base;
  }

  std::unique_ptr<A51Expr> Primary() {
    const A51Token* t = Peek();
    if (!t) return Fail("EXPRESSION EXPECTED");
    auto node = std::make_unique<A51Expr>();
    if (t->Is("(")) {
      ++pos_;
      auto inner = Binary(0);
      if (!inner) return nullptr;
      if (!Peek() || !Peek()->Is(")")) return Fail("')' EXPECTED");
      ++pos_;
      return inner;
    }
    if (t->kind == A51Token::kNumber) {
      const bool ok = syntax_ == ExprSyntax::kClassic ? ParseA51Number(t->text, &node->number)
                                                      : ParseCInteger(t->text, &node->number);
      if (!ok) return Fail("BAD NUMBER '" + t->text + "'");
    } else if (t->kind == A51Token::kText && syntax_ == ExprSyntax::kClassic) {
      // A character constant: one or two characters, the first the high byte.
      if (t->text.empty() || t->text.size() > 2) {
        return Fail("A TEXT IN AN EXPRESSION HOLDS ONE OR TWO CHARACTERS");
      }
      for (char c : t->text) node->number = (node->number << 8) | static_cast<unsigned char>(c);
    } else if (t->kind == A51Token::kName && OperatorOf(*t, syntax_).empty()) {
      node->kind = A51Expr::kName;
      node->name = t->text;
    } else if (t->Is("$") && syntax_ == ExprSyntax::kClassic) {
      node->kind = A51Expr::kHere;
    } else {
      return Fail("UNEXPECTED '" + t->text + "' IN EXPRESSION");
    }
    ++pos_;
    return node;
  }

  const std::vector<A51Token>& tokens_;
  size_t pos_;
  size_t end_;
  ExprSyntax syntax_;
  std::string err_;
};

std::string Hex(int64_t value) {
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "0x%llX", static_cast<unsigned long long>(value));
  return buffer;
}

bool Emit(const A51Expr& e, const ExprNames& names, bool top, std::string* out, std::string* err);

// The bit: a number when the byte's value is known, the register's own
// syntax for the registers sdas8051 knows, else a formula sdas8051 and the
// linker work out: byte + bit for an SFR (80H and up), (byte - 20H) * 8 +
// bit in RAM.
bool EmitBit(const A51Expr& e, const ExprNames& names, std::string* out, std::string* err) {
  const std::optional<int64_t> bit = EvaluateA51(*e.right, names);
  if (!bit || *bit < 0 || *bit > 7) {
    *err = "THE BIT NUMBER AFTER '.' MUST BE A CONSTANT FROM 0 TO 7";
    return false;
  }
  if (const std::optional<int64_t> byte = EvaluateA51(*e.left, names)) {
    int64_t address = 0;
    if (!BitAddress(*byte, *bit, &address)) {
      *err = "BYTE " + Hex(*byte) + " HAS NO BIT ADDRESSES";
      return false;
    }
    *out += A51NumberText(address);
    return true;
  }
  if (e.left->kind == A51Expr::kName && IsBitRegister(e.left->name)) {
    *out += e.left->name + "." + std::to_string(*bit);
    return true;
  }
  std::string b;
  if (!Emit(*e.left, names, false, &b, err)) return false;
  *out += "(" + b + "+" + std::to_string(*bit) + "+(1-((" + b + ">>7)&1))*(7*" + b + "-0x100))";
  return true;
}

bool Emit(const A51Expr& e, const ExprNames& names, bool top, std::string* out, std::string* err) {
  switch (e.kind) {
    case A51Expr::kNumber:
      *out += A51NumberText(e.number);
      return true;
    case A51Expr::kName:
      *out += names.spell(e.name);
      return true;
    case A51Expr::kHere:
      *out += ".";
      return true;
    case A51Expr::kBit:
      return EmitBit(e, names, out, err);
    case A51Expr::kUnary:
    case A51Expr::kBinary:
      break;
  }
  if (e.IsComparison()) {
    *err = "OPERATOR '" + e.op + "' IS NOT SUPPORTED HERE (ONLY AS THE CONDITION OF IF)";
    return false;
  }
  struct Spelling {
    std::string_view op, sdas;
  };
  static constexpr Spelling kSpellings[] = {
      {"NOT", "~"},  {"HIGH", ">"}, {"LOW", "<"}, {"MOD", "%"}, {"SHL", "<<"},
      {"SHR", ">>"}, {"AND", "&"},  {"OR", "|"},  {"XOR", "^"}, {"+", "+"},
      {"-", "-"},    {"*", "*"},    {"/", "/"}};
  std::string_view sdas;
  for (const Spelling& s : kSpellings) {
    if (e.op == s.op) sdas = s.sdas;
  }
  std::string text;
  if (e.kind == A51Expr::kUnary) {
    text += sdas;
    if (!Emit(*e.left, names, false, &text, err)) return false;
  } else {
    if (!Emit(*e.left, names, false, &text, err)) return false;
    text += sdas;
    if (!Emit(*e.right, names, false, &text, err)) return false;
  }
  *out += top ? text : "(" + text + ")";
  return true;
}

}  // namespace

bool A51Expr::IsComparison() const {
  return kind == kBinary &&
         (op == "EQ" || op == "NE" || op == "LT" || op == "LE" || op == "GT" || op == "GE");
}

std::unique_ptr<A51Expr> ParseA51Expr(const std::vector<A51Token>& tokens, size_t* pos, size_t end,
                                      ExprSyntax syntax, std::string* err) {
  Parser parser(tokens, *pos, end, syntax);
  auto expr = parser.Parse(err);
  *pos = parser.pos();
  return expr;
}

bool BitAddress(int64_t byte, int64_t bit, int64_t* address) {
  if (byte >= 0x20 && byte <= 0x2F) {
    *address = (byte - 0x20) * 8 + bit;
    return true;
  }
  if (byte >= 0x80 && byte <= 0xFF && byte % 8 == 0) {
    *address = byte + bit;
    return true;
  }
  return false;
}

std::optional<int64_t> EvaluateA51(const A51Expr& e, const ExprNames& names) {
  switch (e.kind) {
    case A51Expr::kNumber:
      return e.number;
    case A51Expr::kName:
      return names.value ? names.value(e.name) : std::nullopt;
    case A51Expr::kHere:
      return std::nullopt;
    case A51Expr::kBit: {
      const auto byte = EvaluateA51(*e.left, names);
      const auto bit = EvaluateA51(*e.right, names);
      int64_t address = 0;
      if (!byte || !bit || *bit < 0 || *bit > 7 || !BitAddress(*byte, *bit, &address)) {
        return std::nullopt;
      }
      return address;
    }
    case A51Expr::kUnary: {
      const auto v = EvaluateA51(*e.left, names);
      if (!v) return std::nullopt;
      if (e.op == "-") return static_cast<int64_t>(0 - static_cast<uint64_t>(*v));
      if (e.op == "NOT") return ~*v;
      if (e.op == "HIGH") return (*v >> 8) & 0xFF;
      if (e.op == "LOW") return *v & 0xFF;
      return std::nullopt;
    }
    case A51Expr::kBinary:
      break;
  }
  const auto l = EvaluateA51(*e.left, names);
  const auto r = EvaluateA51(*e.right, names);
  if (!l || !r) return std::nullopt;
  const int64_t a = *l, b = *r;
  // Wrapping, as an assembler's arithmetic does; never undefined.
  const uint64_t ua = static_cast<uint64_t>(a), ub = static_cast<uint64_t>(b);
  if (e.op == "+") return static_cast<int64_t>(ua + ub);
  if (e.op == "-") return static_cast<int64_t>(ua - ub);
  if (e.op == "*") return static_cast<int64_t>(ua * ub);
  if (e.op == "/" || e.op == "MOD") {
    if (b == 0) return std::nullopt;
    if (b == -1) return e.op == "/" ? static_cast<int64_t>(0 - ua) : 0;
    return e.op == "/" ? a / b : a % b;
  }
  if (e.op == "SHL" || e.op == "SHR") {
    if (b < 0 || b > 31) return std::nullopt;
    return e.op == "SHL" ? static_cast<int64_t>(ua << b) : a >> b;
  }
  if (e.op == "AND") return a & b;
  if (e.op == "OR") return a | b;
  if (e.op == "XOR") return a ^ b;
  if (e.op == "EQ") return a == b;
  if (e.op == "NE") return a != b;
  if (e.op == "LT") return a < b;
  if (e.op == "LE") return a <= b;
  if (e.op == "GT") return a > b;
  if (e.op == "GE") return a >= b;
  return std::nullopt;
}

std::string A51NumberText(int64_t value) {
  return value >= 0 && value < 10 ? std::to_string(value) : Hex(value);
}

bool EmitA51(const A51Expr& expr, const ExprNames& names, std::string* out, std::string* err) {
  return Emit(expr, names, true, out, err);
}

}  // namespace c51::sdcc
