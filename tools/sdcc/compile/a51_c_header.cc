#include "sdcc/compile/a51_c_header.h"

#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "sdcc/compile/a51_expr.h"
#include "sdcc/compile/a51_tokens.h"
#include "sim/controls.h"
#include "sim/source_lines.h"

namespace c51::sdcc {

namespace {

class HeaderTranslator {
 public:
  HeaderTranslator(const std::string& tag, ClassicTranslation* out) : tag_(tag), out_(out) {
    names_.spell = [](const std::string& name) { return name; };
    names_.value = [this](const std::string& name) -> std::optional<int64_t> {
      auto it = values_.find(name);
      if (it == values_.end()) return std::nullopt;
      return it->second;
    };
  }

  void Run(std::string_view text) {
    size_t pos = 0;
    bool in_block = false;
    while (pos < text.size()) {
      size_t end = text.find('\n', pos);
      if (end == std::string_view::npos) end = text.size();
      std::string_view line = text.substr(pos, end - pos);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      pos = end + 1;
      ++line_;
      sim::SplitLine split;
      sim::SplitCLine(line, &in_block, &split);
      out_->text += Line(split) + "\n";
    }
  }

 private:
  void Issue(const std::string& text) { out_->issues.push_back(A51Issue{line_, text}); }

  std::string Line(const sim::SplitLine& split) {
    const std::string_view code = sim::Trim(split.code);
    std::vector<std::string> statements;
    if (!code.empty() && code[0] == '.') return std::string(split.code);  // the mirror's include
    if (!code.empty() && code[0] == '#') {
      Directive(code.substr(1), &statements);
    } else {
      // Declarations end at ";"; one line may hold several.
      size_t start = 0;
      while (start < code.size()) {
        size_t semicolon = code.find(';', start);
        if (semicolon == std::string_view::npos) semicolon = code.size();
        Declaration(code.substr(start, semicolon - start), &statements);
        start = semicolon + 1;
      }
    }
    if (statements.empty()) return std::string();
    if (statements.size() == 1) return "\t" + statements[0];
    const std::string name = "a51$" + tag_ + "_" + std::to_string(line_);
    out_->prelude += "\t.macro " + name + "\n";
    for (const std::string& s : statements) out_->prelude += "\t" + s + "\n";
    out_->prelude += "\t.endm\n";
    return "\t" + name;
  }

  void Directive(std::string_view rest, std::vector<std::string>* out) {
    const std::string word(sim::NextWord(&rest));
    std::string_view args = sim::Trim(rest);
    if (word == "ifndef" && !guard_ && first_directive_) {
      guard_ = std::string(sim::NextWord(&args));
      guard_open_ = true;
    } else if (word == "define") {
      Define(args, out);
    } else if (word == "endif" && guard_open_ && conditionals_ == 0) {
      guard_open_ = false;
    } else if (word == "if" || word == "ifdef" || word == "ifndef" || word == "elif" ||
               word == "else" || word == "endif") {
      if (word.substr(0, 2) == "if") ++conditionals_;
      if (word == "endif" && conditionals_ > 0) --conditionals_;
      Issue("'#" + sim::ToUpper(word) + "' IN A C HEADER IS NOT SUPPORTED IN ASSEMBLY");
    }
    first_directive_ = false;
  }

  // "#define NAME value": an equate when the value is a constant.
  void Define(std::string_view args, std::vector<std::string>* out) {
    const std::string name(sim::NextWord(&args));
    if (guard_ && name == *guard_) return;
    std::vector<A51Token> t;
    std::string err;
    if (name.empty() || name.find('(') != std::string::npos || !TokenizeA51(args, &t, &err) ||
        t.empty()) {
      return;
    }
    size_t pos = 0;
    auto expr = ParseA51Expr(t, &pos, t.size(), ExprSyntax::kC, &err);
    std::string value;
    if (!expr || pos != t.size() || !EmitA51(*expr, names_, &value, &err)) return;
    Assign(name, *expr, value, out);
  }

  void Assign(const std::string& name, const A51Expr& expr, const std::string& value,
              std::vector<std::string>* out) {
    if (const std::optional<int64_t> v = EvaluateA51(expr, names_)) {
      values_[name] = *v;
    } else {
      values_.erase(name);
    }
    out->push_back(name + " = " + value);
  }

  // "sfr P1 = 0x90", "sfr16 T2 = 0xCC", "sbit LED = P1^3", "sbit CY = 0xD7",
  // several joined by ",". Anything else is C that assembly has no use for.
  void Declaration(std::string_view code, std::vector<std::string>* out) {
    std::vector<A51Token> t;
    std::string err;
    if (!TokenizeA51(code, &t, &err) || t.empty() || t[0].kind != A51Token::kName) return;
    const std::string& keyword = t[0].text;
    if (keyword != "sfr" && keyword != "sfr16" && keyword != "sbit") return;
    size_t pos = 1;
    while (pos < t.size()) {
      if (pos + 2 >= t.size() || t[pos].kind != A51Token::kName || !t[pos + 1].Is("=")) {
        Issue("BAD '" + sim::ToUpper(keyword) + "' DECLARATION");
        return;
      }
      const std::string name = t[pos].text;
      pos += 2;
      size_t end = pos;
      size_t caret = 0;  // sbit: the last "^" outside parentheses
      for (int depth = 0; end < t.size() && !(depth == 0 && t[end].Is(",")); ++end) {
        if (t[end].Is("(")) ++depth;
        if (t[end].Is(")")) --depth;
        if (depth == 0 && t[end].Is("^")) caret = end;
      }
      if (keyword == "sbit" && caret > pos) {
        if (!Bit(name, t, pos, caret, end, out)) return;
      } else {
        size_t at = pos;
        auto expr = ParseA51Expr(t, &at, end, ExprSyntax::kC, &err);
        std::string value;
        if (!expr || at != end || !EmitA51(*expr, names_, &value, &err)) {
          Issue("BAD VALUE FOR '" + name + "'" + (err.empty() ? "" : ": " + err));
          return;
        }
        Assign(name, *expr, value, out);
      }
      pos = end + (end < t.size() ? 1 : 0);
    }
  }

  // "sbit NAME = BYTE ^ BIT": the register's address plus the bit number.
  bool Bit(const std::string& name, const std::vector<A51Token>& t, size_t pos, size_t caret,
           size_t end, std::vector<std::string>* out) {
    std::string err;
    size_t at = pos;
    auto byte = ParseA51Expr(t, &at, caret, ExprSyntax::kC, &err);
    const bool byte_ok = byte && at == caret;
    at = caret + 1;
    auto bit = byte_ok ? ParseA51Expr(t, &at, end, ExprSyntax::kC, &err) : nullptr;
    const std::optional<int64_t> n = bit && at == end ? EvaluateA51(*bit, names_) : std::nullopt;
    if (!n || *n < 0 || *n > 7) {
      Issue("BAD BIT FOR '" + name + "'");
      return false;
    }
    auto sum = std::make_unique<A51Expr>();
    sum->kind = A51Expr::kBinary;
    sum->op = "+";
    sum->left = std::move(byte);
    sum->right = std::move(bit);
    std::string value;
    if (const std::optional<int64_t> v = EvaluateA51(*sum, names_)) {
      value = A51NumberText(*v);
    } else if (!EmitA51(*sum, names_, &value, &err)) {
      Issue("BAD BIT FOR '" + name + "'");
      return false;
    } else {
      value = "(" + value + ")";
    }
    Assign(name, *sum, value, out);
    return true;
  }

  std::string tag_;
  ClassicTranslation* out_;
  ExprNames names_;
  std::map<std::string, int64_t> values_;
  int line_ = 0;
  std::optional<std::string> guard_;
  bool guard_open_ = false;
  bool first_directive_ = true;
  int conditionals_ = 0;
};

}  // namespace

void TranslateCHeader(std::string_view text, const std::string& tag, ClassicTranslation* out) {
  *out = ClassicTranslation();
  HeaderTranslator(tag, out).Run(text);
}

}  // namespace c51::sdcc
