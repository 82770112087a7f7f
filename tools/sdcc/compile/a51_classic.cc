#include "sdcc/compile/a51_classic.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <map>
#include <optional>
#include <set>

#include "sdcc/compile/a51_expr.h"
#include "sdcc/compile/a51_names.h"
#include "sdcc/compile/a51_tokens.h"
#include "sdcc/compile/a51_words.h"
#include "sim/controls.h"
#include "sim/source_lines.h"

namespace c51::sdcc {

namespace {

using namespace a51;
using Tokens = std::vector<A51Token>;

std::string Upper(std::string_view text) {
  return sim::ToUpper(text);
}

struct SegmentDecl {
  std::string name;  // as declared
  Space space = Space::kCode;
  bool labelled = false;
  bool placed = false;  // code, data or space laid in it so far
};

// The line's comment as sdas8051 reads it again.
std::string CommentText(const sim::SplitLine& split) {
  std::string out;
  for (const std::string& c : split.comments) out += ";" + c;
  return out;
}

// The classic assembler also takes C's comments ("// note", "/* ... */",
// which may span lines): each becomes a ";" comment at the end of its line,
// so every line keeps its number and sdas8051 reads the code alone.
std::string CCommentsAsSemicolons(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  bool in_block = false;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    const bool cr = !line.empty() && line.back() == '\r';
    if (cr) line.remove_suffix(1);
    std::string code, comment;
    bool commented = in_block;
    char quote = 0;
    for (size_t i = 0; i < line.size(); ++i) {
      const char c = line[i];
      const char next = i + 1 < line.size() ? line[i + 1] : '\0';
      if (in_block) {
        if (c == '*' && next == '/') {
          in_block = false;
          code += "  ";
          ++i;
        } else {
          comment += c;
          code += c == '\t' ? '\t' : ' ';
        }
      } else if (quote != 0) {
        if (c == quote) quote = 0;
        code += c;
      } else if (c == '\'' || c == '"') {
        quote = c;
        code += c;
      } else if (c == ';' || (c == '/' && next == '/')) {
        comment += line.substr(i + (c == ';' ? 1 : 2));
        commented = true;
        break;
      } else if (c == '/' && next == '*') {
        in_block = commented = true;
        code += "  ";
        ++i;
      } else {
        code += c;
      }
    }
    out += code;
    if (commented) out += ";" + comment;
    if (cr) out += '\r';
    if (end < text.size()) out += '\n';
    pos = end + 1;
  }
  return out;
}

// Letters for a counter: 0 => A, 25 => Z, 26 => BA. Never digits, which
// sdas8051 appends to absolute areas itself.
std::string Letters(int n) {
  std::string out;
  do {
    out.insert(out.begin(), static_cast<char>('A' + n % 26));
    n /= 26;
  } while (n > 0);
  return out;
}

class Translator {
 public:
  Translator(const ClassicOptions& options, ClassicTranslation* out)
      : options_(options), out_(out) {
    for (const std::string& s : options.set_symbols) set_symbols_.insert(Upper(s));
  }

  void Run(std::string_view text) {
    // Files saved as UTF-8 by Windows editors start with a byte order mark.
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    const std::string plain = CCommentsAsSemicolons(text);
    text = plain;
    std::vector<std::string_view> lines;
    size_t pos = 0;
    while (pos < text.size()) {
      size_t end = text.find('\n', pos);
      if (end == std::string_view::npos) end = text.size();
      std::string_view line = text.substr(pos, end - pos);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      lines.push_back(line);
      pos = end + 1;
    }
    Survey(lines);
    for (size_t i = 0; i < lines.size(); ++i) {
      line_ = static_cast<int>(i) + 1;
      out_->text += Line(lines[i]) + "\n";
    }
    Finish();
  }

 private:
  // ---- the first pass: segment declarations, and the names code uses --------

  void Survey(const std::vector<std::string_view>& lines) {
    for (size_t i = 0; i < lines.size(); ++i) {
      sim::SplitLine split;
      sim::SplitAssemblyLine(lines[i], &split);
      Tokens t;
      std::string err;
      if (!TokenizeA51(split.code, &t, &err) || t.empty()) continue;
      if (t.size() >= 3 && t[0].kind == A51Token::kName && t[1].IsWord("SEGMENT")) {
        const std::optional<Space> space =
            t[2].kind == A51Token::kName ? SpaceOfWord(Upper(t[2].text)) : std::nullopt;
        if (space) segments_[Upper(t[0].text)] = SegmentDecl{t[0].text, *space, false};
        continue;
      }
      if (t[0].IsWord("RSEG")) continue;
      if (t.size() >= 2 && t[1].IsWord("MACRO")) {
        open_macro_ = i;
        macro_locals_[i];
      } else if (t[0].IsWord("ENDM")) {
        open_macro_ = SIZE_MAX;
      } else if (t[0].IsWord("LOCAL") && open_macro_ != SIZE_MAX) {
        for (size_t k = 1; k < t.size(); ++k) {
          if (t[k].kind == A51Token::kName) macro_locals_[open_macro_].push_back(t[k].text);
        }
      }
      for (const A51Token& token : t) {
        if (token.kind == A51Token::kName) used_.insert(Upper(token.text));
      }
    }
  }

  // ---- names ------------------------------------------------------------------

  ExprNames Names() const {
    ExprNames names;
    names.spell = [this](const std::string& name) { return Spell(name); };
    names.value = [this](const std::string& name) { return ValueOf(name); };
    return names;
  }

  std::string Spell(const std::string& name) const {
    const std::string upper = Upper(name);
    if (std::optional<std::string> dummy = MacroDummy(name)) return *dummy;
    auto alias = aliases_.find(upper);
    if (alias != aliases_.end()) return alias->second;
    if (const std::optional<int64_t> v = RegisterAddress(upper)) return A51NumberText(*v);
    auto segment = segments_.find(upper);
    if (segment != segments_.end()) return MangleClassicName(segment->second.name);
    if (options_.c_names.count(name) && !defined_.count(upper)) return "_" + name;
    return SymbolName(name);
  }

  // A classic file's names ignore letter case, and one with a leading "_"
  // is a function taking its parameters in registers: spelled in capitals,
  // "_delay_ms" is never taken for sdcc's name of C's delay_ms, which takes
  // them elsewhere, and the linker moves them between the two.
  std::string SymbolName(const std::string& name) const {
    if (!options_.in_c && name.size() > 1 && name[0] == '_') return MangleClassicName(Upper(name));
    return MangleClassicName(name);
  }

  // A macro's parameter or local label, spelled as its MACRO line spells
  // it: sdas8051 replaces it where the macro is used.
  std::optional<std::string> MacroDummy(const std::string& name) const {
    const std::string upper = Upper(name);
    for (auto frame = macro_frames_.rbegin(); frame != macro_frames_.rend(); ++frame) {
      auto dummy = frame->find(upper);
      if (dummy != frame->end()) return dummy->second;
    }
    return std::nullopt;
  }

  std::optional<int64_t> RegisterAddress(const std::string& upper) const {
    const int r = AbsoluteRegister(upper);
    if (r < 0 || defined_.count(upper)) return std::nullopt;
    return bank_ * 8 + r;
  }

  std::optional<int64_t> ValueOf(const std::string& name) const {
    const std::string upper = Upper(name);
    if (const std::optional<int64_t> v = RegisterAddress(upper)) return v;
    auto it = values_.find(upper);
    if (it == values_.end()) return std::nullopt;
    return it->second;
  }

  void Define(const std::string& name, std::optional<int64_t> value) {
    const std::string upper = Upper(name);
    defined_.insert(upper);
    aliases_.erase(upper);
    if (value) {
      values_[upper] = *value;
    } else {
      values_.erase(upper);
    }
  }

  // ---- helpers ----------------------------------------------------------------

  void Issue(const std::string& text) { out_->issues.push_back(A51Issue{line_, text}); }

  // The expression tokens[*pos..end) for sdas8051; false after an issue.
  bool Expression(const Tokens& t, size_t* pos, size_t end, std::string* text,
                  std::unique_ptr<A51Expr>* tree = nullptr) {
    std::string err;
    auto expr = ParseA51Expr(t, pos, end, ExprSyntax::kClassic, &err);
    if (expr && *pos < end && !t[*pos].Is(",")) err = "UNEXPECTED '" + t[*pos].text + "'";
    if (!err.empty() || !expr || !EmitA51(*expr, Names(), text, &err)) {
      Issue(err);
      return false;
    }
    if (tree) *tree = std::move(expr);
    return true;
  }

  // A whole expression from `pos` to the end of the line.
  bool WholeExpression(const Tokens& t, size_t pos, std::string* text,
                       std::unique_ptr<A51Expr>* tree = nullptr) {
    if (!Expression(t, &pos, t.size(), text, tree)) return false;
    if (pos < t.size()) {
      Issue("UNEXPECTED '" + t[pos].text + "'");
      return false;
    }
    return true;
  }

  // Comma-separated items from `pos`, each read by `item`.
  template <typename Item>
  bool Items(const Tokens& t, size_t pos, Item item) {
    if (pos >= t.size()) {
      Issue("OPERAND EXPECTED");
      return false;
    }
    while (pos < t.size()) {
      if (!item(&pos)) return false;
      if (pos < t.size()) {
        if (!t[pos].Is(",")) {
          Issue("',' EXPECTED BEFORE '" + t[pos].text + "'");
          return false;
        }
        if (++pos == t.size()) {
          Issue("OPERAND EXPECTED AFTER ','");
          return false;
        }
      }
    }
    return true;
  }

  std::string FreshArea(Space space) {
    return std::string(InfoOf(space).absolute) + "_" + options_.tag + Letters(absolute_areas_++);
  }

  // Leaves the segment for a new absolute area of `space` at `address`.
  void EnterAbsolute(Space space, const std::string& address, std::vector<std::string>* out) {
    const std::string area = FreshArea(space);
    out->push_back(".area " + area + " " + std::string(InfoOf(space).abs_flags));
    out->push_back(".org " + address);
    mode_ = Mode::kAbsolute;
    space_ = space;
  }

  // Code or data before any segment directive: the classic assembler puts
  // it into absolute code from address 0; the prelude opens that area.
  void NeedSegment() {
    if (mode_ != Mode::kNone || options_.header) return;
    default_area_ = FreshArea(Space::kCode);
    mode_ = Mode::kAbsolute;
    space_ = Space::kCode;
  }

  static void NamesIn(const A51Expr& e, std::vector<std::string>* names) {
    if (e.kind == A51Expr::kName) names->push_back(e.name);
    if (e.left) NamesIn(*e.left, names);
    if (e.right) NamesIn(*e.right, names);
  }

  // ---- one line ---------------------------------------------------------------

  std::string Line(std::string_view line) {
    if (ended_) return std::string();
    sim::SplitLine split;
    sim::SplitAssemblyLine(line, &split);
    const std::string comment = CommentText(split);
    const std::string_view code = sim::Trim(split.code);
    std::string label;
    std::vector<std::string> statements;
    const size_t issues = out_->issues.size();
    if (code.empty()) return comment;
    if (code[0] == '.') {
      // sdas8051's own directive: the include lines the mirror wrote.
      return std::string(split.code) + comment;
    }
    if (code[0] == '#') {
      std::string_view rest = code.substr(1);
      Issue("PREPROCESSOR LINE '#" + Upper(sim::NextWord(&rest)) + "' IS NOT SUPPORTED");
    } else if (code[0] == '$') {
      Controls(code.substr(1), &statements);
    } else {
      Tokens t;
      std::string err;
      if (!TokenizeA51(code, &t, &err)) {
        Issue(err);
      } else {
        Statement(t, &label, &statements);
      }
    }
    if (out_->issues.size() > issues) return comment;
    std::string text = label.empty() ? std::string() : label + ":";
    if (statements.size() == 1) {
      text += "\t" + statements[0];
    } else if (statements.size() > 1) {
      // One line, several statements: a macro of this line's own.
      const std::string name = "a51$" + options_.tag + "_" + std::to_string(line_);
      out_->prelude += "\t.macro " + name + "\n";
      for (const std::string& s : statements) out_->prelude += "\t" + s + "\n";
      out_->prelude += "\t.endm\n";
      text += "\t" + name;
    }
    if (!comment.empty()) text += (text.empty() ? "" : "\t") + comment;
    return text;
  }

  void Controls(std::string_view text, std::vector<std::string>* out) {
    std::vector<sim::Control> controls;
    std::string err;
    size_t offset = 0;
    if (!sim::ParseControls(text, &controls, &err, &offset)) {
      Issue("BAD CONTROL LINE: " + err);
      return;
    }
    for (const sim::Control& control : controls) {
      const std::string& name = control.name;
      if (name == "SET" || name == "RESET") {
        for (const std::string& item : sim::SplitArgumentList(control.argument, ',')) {
          const size_t eq = item.find('=');
          const std::string symbol(sim::Trim(std::string_view(item).substr(0, eq)));
          uint32_t value = name == "SET" ? 1 : 0;
          if (symbol.empty() ||
              (eq != std::string::npos &&
               !ParseA51Number(sim::Trim(std::string_view(item).substr(eq + 1)), &value))) {
            Issue("BAD ARGUMENT FOR CONTROL '$" + name + "'");
            return;
          }
          controls_set_.insert(Upper(symbol));
          Define(symbol, value);
          out->push_back(MangleClassicName(symbol) + " = " + std::to_string(value));
        }
      } else if (name == "IF") {
        Tokens t;
        if (!TokenizeA51(control.argument, &t, &err)) {
          Issue(err);
          return;
        }
        std::string condition;
        if (!Condition(t, 0, &condition, &if_names_)) return;
        out->push_back(condition);
      } else if (name == "ELSE") {
        out->push_back(".else");
      } else if (name == "ENDIF") {
        out->push_back(".endif");
      } else if (name == "ELSEIF") {
        Issue("CONTROL '$ELSEIF' IS NOT SUPPORTED (NEST $IF IN $ELSE)");
        return;
      } else if (!IsQuietControl(name)) {
        Issue("CONTROL '$" + name + "' IS NOT SUPPORTED");
        return;
      }
    }
  }

  // IF's condition: a comparison at the top becomes one of sdas8051's
  // conditionals on the difference, anything else ".if".
  bool Condition(const Tokens& t, size_t pos, std::string* out,
                 std::vector<std::string>* names = nullptr) {
    std::string err;
    size_t at = pos;
    auto expr = ParseA51Expr(t, &at, t.size(), ExprSyntax::kClassic, &err);
    if (expr && at < t.size()) err = "UNEXPECTED '" + t[at].text + "'";
    if (!expr || !err.empty()) {
      Issue(err);
      return false;
    }
    if (names) NamesIn(*expr, names);
    if (!expr->IsComparison()) {
      std::string text;
      if (!EmitA51(*expr, Names(), &text, &err)) {
        Issue(err);
        return false;
      }
      *out = ".if " + text;
      return true;
    }
    std::string left, right;
    if (!EmitA51(*expr->left, Names(), &left, &err) ||
        !EmitA51(*expr->right, Names(), &right, &err)) {
      Issue(err);
      return false;
    }
    std::string op = expr->op;
    for (char& c : op) c = static_cast<char>(c - 'A' + 'a');
    *out = ".if" + op + " (" + left + ")-(" + right + ")";
    return true;
  }

  void Statement(const Tokens& t, std::string* label, std::vector<std::string>* out) {
    size_t i = 0;
    if (t.size() >= 2 && t[0].kind == A51Token::kName && t[1].Is(":")) {
      *label = t[0].text;
      i = 2;
    } else if (t.size() >= 2 && t[0].kind == A51Token::kName && t[1].kind == A51Token::kName) {
      const std::string first = Upper(t[0].text);
      const std::string second = Upper(t[1].text);
      if (IsDefiner(second) && !IsMnemonic(first) && !IsDirective(first)) {
        Definition(t, out);
        return;
      }
      if (!IsMnemonic(first) && !IsDirective(first) &&
          (IsMnemonic(second) || second == "DB" || second == "DW" || second == "DS" ||
           second == "DBIT")) {
        *label = t[0].text;  // a label without its colon
        i = 1;
      }
    } else if (t.size() >= 2 && t[0].kind == A51Token::kName && t[1].Is("=")) {
      // sdas8051's own assignment, as headers shared with it write them.
      std::string value;
      std::unique_ptr<A51Expr> tree;
      if (!WholeExpression(t, 2, &value, &tree)) return;
      Define(t[0].text, EvaluateA51(*tree, Names()));
      out->push_back(MangleClassicName(t[0].text) + " = " + value);
      return;
    }
    if (!label->empty()) {
      NeedSegment();
      Define(*label, std::nullopt);
      *label = MacroDummy(*label).value_or(SymbolName(*label));
    }
    if (i == t.size()) return;
    if (t[i].kind != A51Token::kName) {
      Issue("UNEXPECTED '" + t[i].text + "'");
      return;
    }
    const std::string word = Upper(t[i].text);
    const Tokens rest(t.begin() + static_cast<std::ptrdiff_t>(i), t.end());
    if (auto macro = macros_.find(word); macro != macros_.end()) {
      Invocation(macro->second, rest, out);
    } else if (IsMnemonic(word)) {
      Instruction(rest, out);
    } else if (IsDirective(word)) {
      Directive(word, rest, out);
    } else {
      Issue("'" + word + "' IS NOT AN 8051 INSTRUCTION OR A SUPPORTED DIRECTIVE");
    }
  }

  // name EQU|SET|DATA|IDATA|XDATA|BIT|CODE|NUMBER value, name SEGMENT type.
  void Definition(const Tokens& t, std::vector<std::string>* out) {
    const std::string word = Upper(t[1].text);
    const std::string& name = t[0].text;
    if (word == "SEGMENT") {
      Segment(t);
      return;
    }
    if (word == "MACRO") {
      Macro(t, out);
      return;
    }
    if (word == "LIT" || word == "RECORD" || word == "STRUC") {
      Issue("DIRECTIVE '" + word + "' IS NOT SUPPORTED");
      return;
    }
    if ((word == "EQU" || word == "SET") && t.size() == 3 && t[2].kind == A51Token::kName &&
        IsRegister(Upper(t[2].text))) {
      // The name stands for the register wherever an operand names it.
      Define(name, std::nullopt);
      aliases_[Upper(name)] = t[2].text;
      return;
    }
    std::string value;
    std::unique_ptr<A51Expr> tree;
    if (!WholeExpression(t, 2, &value, &tree)) return;
    Define(name, EvaluateA51(*tree, Names()));
    out->push_back(MangleClassicName(name) + " = " + value);
  }

  // "name MACRO a, b" with "LOCAL l" in its body: sdas8051's macro of the
  // same parameters, a local label a dummy that starts with "?", which
  // gives each expansion a label of its own.
  void Macro(const Tokens& t, std::vector<std::string>* out) {
    std::map<std::string, std::string> frame;
    std::string dummies;
    for (size_t k = 2; k < t.size(); ++k) {
      if (t[k].Is(",")) continue;
      if (t[k].kind != A51Token::kName) {
        Issue("PARAMETER NAME EXPECTED, NOT '" + t[k].text + "'");
        macro_frames_.emplace_back();  // its ENDM still closes it
        return;
      }
      frame[Upper(t[k].text)] = t[k].text;
      dummies += (dummies.empty() ? " " : ", ") + t[k].text;
    }
    for (const std::string& local : macro_locals_[static_cast<size_t>(line_ - 1)]) {
      frame[Upper(local)] = local;
      dummies += (dummies.empty() ? " ?" : ", ?") + local;
    }
    macros_[Upper(t[0].text)] = t[0].text;
    macro_frames_.push_back(std::move(frame));
    out->push_back(".macro " + t[0].text + dummies);
  }

  void MacroDirective(const std::string& word, const Tokens& t, std::vector<std::string>* out) {
    if (word == "LOCAL") {
      if (macro_frames_.empty()) Issue("'LOCAL' OUTSIDE A MACRO");
      return;  // the names went to the macro's line
    }
    if (word == "ENDM" || word == "EXITM") {
      if (macro_frames_.empty()) {
        Issue("'" + word + "' OUTSIDE A MACRO");
        return;
      }
      if (word == "ENDM") macro_frames_.pop_back();
      out->push_back(word == "ENDM" ? ".endm" : ".mexit");
      return;
    }
    if (word == "REPT") {
      std::string count;
      if (!WholeExpression(t, 1, &count)) return;
      macro_frames_.emplace_back();
      out->push_back(".rept " + count);
      return;
    }
    // IRP p, <a, b, c> and IRPC p, text: the body once per item, or per
    // character.
    if (t.size() < 3 || t[1].kind != A51Token::kName || !t[2].Is(",")) {
      Issue("'" + word + "' NEEDS A PARAMETER, A COMMA AND ITS VALUES");
      macro_frames_.emplace_back();  // its ENDM still closes it
      return;
    }
    std::string items;
    if (word == "IRPC") {
      for (size_t k = 3; k < t.size(); ++k) items += t[k].text;
    } else {
      // The list in angle brackets, each item as a macro's argument.
      Tokens list;
      for (size_t k = 3; k < t.size(); ++k) {
        if (!t[k].Is("<") && !t[k].Is(">")) list.push_back(t[k]);
      }
      size_t first = 0;
      for (size_t k = 0; k <= list.size(); ++k) {
        if (k < list.size() && !list[k].Is(",")) continue;
        if (k > first) items += (items.empty() ? "" : ", ") + Argument(list, first, k);
        first = k + 1;
      }
    }
    macro_frames_.push_back({{Upper(t[1].text), t[1].text}});
    out->push_back("." + Lower(word) + " " + t[1].text + ", " + items);
  }

  // A use of a macro: its arguments as sdas8051 reads them, each an
  // expression where it is one ("0FFH" => "0xFF", "#LOW(T)" => "#<T").
  void Invocation(const std::string& name, const Tokens& t, std::vector<std::string>* out) {
    NeedSegment();
    std::string args;
    size_t first = 1;
    for (size_t k = 1; k <= t.size(); ++k) {
      if (k < t.size() && !t[k].Is(",")) continue;
      if (k > first) {
        args += (args.empty() ? " " : ", ") + Argument(t, first, k);
      } else if (k < t.size()) {
        args += args.empty() ? " " : ", ";  // an empty argument
      }
      first = k + 1;
    }
    out->push_back(name + args);
  }

  std::string Argument(const Tokens& t, size_t first, size_t last) {
    const bool immediate = t[first].Is("#");
    size_t pos = immediate ? first + 1 : first;
    if (pos + 1 == last && t[pos].kind == A51Token::kName && IsRegister(Upper(t[pos].text))) {
      return (immediate ? "#" : "") + t[pos].text;
    }
    std::string err, text;
    const size_t start = pos;
    auto expr = ParseA51Expr(t, &pos, last, ExprSyntax::kClassic, &err);
    if (expr && pos == last && EmitA51(*expr, Names(), &text, &err)) {
      return (immediate ? "#" : "") + text;
    }
    // Anything else (@R0, @A+DPTR) as written.
    std::string raw = immediate ? "#" : "";
    for (size_t k = start; k < last; ++k) raw += ArgumentToken(t[k]);
    return raw;
  }

  std::string ArgumentToken(const A51Token& token) const {
    if (token.kind == A51Token::kName) return Spell(token.text);
    return token.text;
  }

  static std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
  }

  void Segment(const Tokens& t) {
    if (t.size() < 3 || t[2].kind != A51Token::kName) {
      Issue("SEGMENT TYPE EXPECTED (CODE, DATA, IDATA, XDATA OR BIT)");
      return;
    }
    const std::string type = Upper(t[2].text);
    if (!SpaceOfWord(type)) {
      Issue("SEGMENT TYPE '" + type + "' IS NOT SUPPORTED");
      return;
    }
    for (size_t i = 3; i < t.size(); ++i) {
      const std::string word = Upper(t[i].text);
      if (word == "UNIT" || word == "OVERLAYABLE") continue;  // no constraint on the layout
      // Keeps AJMP and ACALL inside one 2 KB block: JMP and CALL become the
      // long forms here, and the linker checks the range of the short ones
      // the source writes itself.
      if (word == "INBLOCK" && type == "CODE") continue;
      Issue("RELOCATION TYPE '" + word + "' IS NOT SUPPORTED");
      return;
    }
  }

  // Code, data or space laid where the location counter stands.
  void Placed() {
    if (mode_ == Mode::kRelocatable && segment_ != nullptr) segment_->placed = true;
  }

  void Instruction(const Tokens& t, std::vector<std::string>* out) {
    NeedSegment();
    Placed();
    std::string mnemonic = t[0].text;
    const std::string upper = Upper(mnemonic);
    // sdas8051 has no generic jump and call; the long forms reach everywhere.
    if (upper == "JMP" && !(t.size() > 1 && t[1].Is("@"))) mnemonic = "ljmp";
    if (upper == "CALL") mnemonic = "lcall";
    std::string operands;
    size_t pos = 1;
    while (pos < t.size()) {
      // One operand, up to a "," outside parentheses.
      size_t end = pos;
      for (int depth = 0; end < t.size(); ++end) {
        if (t[end].Is("(")) ++depth;
        if (t[end].Is(")")) --depth;
        if (depth == 0 && t[end].Is(",")) break;
      }
      if (end == pos) {
        Issue("OPERAND EXPECTED");
        return;
      }
      std::string text;
      if (!Operand(t, pos, end, &text)) return;
      operands += (operands.empty() ? "" : ",") + text;
      pos = end;
      if (pos < t.size() && ++pos == t.size()) {
        Issue("OPERAND EXPECTED AFTER ','");
        return;
      }
    }
    out->push_back(operands.empty() ? mnemonic : mnemonic + "\t" + operands);
  }

  bool Operand(const Tokens& t, size_t pos, size_t end, std::string* out) {
    if (t[pos].Is("@")) {
      // @R0, @R1, @DPTR, @A+DPTR, @A+PC: registers, as written.
      for (size_t i = pos; i < end; ++i) *out += t[i].text;
      return true;
    }
    if (end == pos + 1 && t[pos].kind == A51Token::kName) {
      const std::string upper = Upper(t[pos].text);
      if (IsRegister(upper)) {
        *out = t[pos].text;
        return true;
      }
      auto alias = aliases_.find(upper);
      if (alias != aliases_.end()) {
        *out = alias->second;
        return true;
      }
    }
    std::string prefix;
    if (t[pos].Is("#") || t[pos].Is("/")) prefix = t[pos++].text;
    std::string text;
    size_t at = pos;
    if (!Expression(t, &at, end, &text)) return false;
    if (at != end) {
      Issue("UNEXPECTED '" + t[at].text + "'");
      return false;
    }
    *out = prefix + text;
    return true;
  }

  void Directive(const std::string& word, const Tokens& t, std::vector<std::string>* out) {
    if (word == "NAME") {
      if (t.size() != 2 || t[1].kind != A51Token::kName) {
        Issue("MODULE NAME EXPECTED AFTER 'NAME'");
        return;
      }
      out->push_back(".module " + MangleClassicName(t[1].text));
    } else if (const std::optional<Space> space = SpaceOfPlain(word)) {
      if (t.size() == 1) {
        const SpaceInfo& info = InfoOf(*space);
        out->push_back(".area " + std::string(info.area) + " " + std::string(info.flags));
        mode_ = Mode::kPlain;
        space_ = *space;
        return;
      }
      if (!t[1].IsWord("AT")) {
        Issue("'AT' EXPECTED AFTER '" + word + "'");
        return;
      }
      std::string address;
      if (WholeExpression(t, 2, &address)) EnterAbsolute(*space, address, out);
    } else if (word == "RSEG") {
      Rseg(t, out);
    } else if (word == "ORG") {
      std::string address;
      std::unique_ptr<A51Expr> tree;
      if (!WholeExpression(t, 1, &address, &tree)) return;
      if (mode_ == Mode::kRelocatable) {
        // In a relocatable segment ORG counts from the segment's start here:
        // before anything is laid in it (the start-up's "ORG 0" after RSEG)
        // that is space to skip; later it would depend on where sdas8051
        // put what came before.
        const std::optional<int64_t> offset = EvaluateA51(*tree, Names());
        if (segment_ == nullptr || segment_->placed || !offset || *offset < 0) {
          Issue("ORG IN A RELOCATABLE SEGMENT (RSEG) IS NOT SUPPORTED AFTER CODE OR DATA IN IT");
        } else if (*offset > 0) {
          out->push_back(".ds " + std::to_string(*offset));
          segment_->placed = true;
        }
      } else if (mode_ == Mode::kPlain) {
        EnterAbsolute(space_, address, out);
      } else {
        NeedSegment();
        out->push_back(".org " + address);
      }
    } else if (word == "PUBLIC") {
      Globals(t, 1, out);
    } else if (word == "EXTRN" || word == "EXTERN") {
      Externals(t, out);
    } else if (word == "DB" || word == "DW") {
      Data(word, t, out);
    } else if (word == "DS" || word == "DBIT") {
      NeedSegment();
      Placed();
      std::string size;
      if (WholeExpression(t, 1, &size)) out->push_back(".ds " + size);
    } else if (word == "USING") {
      std::unique_ptr<A51Expr> tree;
      std::string text;
      if (!WholeExpression(t, 1, &text, &tree)) return;
      const std::optional<int64_t> bank = EvaluateA51(*tree, Names());
      if (!bank || *bank < 0 || *bank > 3) {
        Issue("USING TAKES A REGISTER BANK FROM 0 TO 3");
        return;
      }
      bank_ = *bank;
      max_bank_ = std::max(max_bank_, *bank);
    } else if (word == "END") {
      ended_ = true;
    } else if (word == "IF") {
      std::string condition;
      if (Condition(t, 1, &condition)) out->push_back(condition);
    } else if (word == "ELSE" || word == "ENDIF") {
      if (t.size() > 1) {
        Issue("UNEXPECTED '" + t[1].text + "'");
        return;
      }
      out->push_back(word == "ELSE" ? ".else" : ".endif");
    } else if (word == "ELSEIF") {
      Issue("DIRECTIVE 'ELSEIF' IS NOT SUPPORTED (NEST IF IN ELSE)");
    } else if (word == "REPT" || word == "IRP" || word == "IRPC" || word == "ENDM" ||
               word == "EXITM" || word == "LOCAL") {
      MacroDirective(word, t, out);
    } else {
      Issue("DIRECTIVE '" + word + "' IS NOT SUPPORTED");
    }
  }

  void Rseg(const Tokens& t, std::vector<std::string>* out) {
    if (t.size() != 2 || t[1].kind != A51Token::kName) {
      Issue("SEGMENT NAME EXPECTED AFTER 'RSEG'");
      return;
    }
    auto it = segments_.find(Upper(t[1].text));
    if (it == segments_.end()) {
      Issue("SEGMENT '" + t[1].text + "' IS NOT DECLARED (name SEGMENT type)");
      return;
    }
    SegmentDecl& segment = it->second;
    const SpaceInfo& info = InfoOf(segment.space);
    const std::string mangled = MangleClassicName(segment.name);
    if (segment.space == Space::kCode) {
      out->push_back(".area " + mangled + " " + std::string(info.flags));
    } else {
      out->push_back(".area " + std::string(info.area) + " " + std::string(info.flags));
    }
    // The segment's name as a value is where the segment starts here.
    if (!segment.labelled && used_.count(Upper(segment.name))) {
      out->push_back(mangled + ":");
      segment.labelled = true;
    }
    mode_ = Mode::kRelocatable;
    space_ = segment.space;
    segment_ = &segment;
  }

  // PUBLIC a, b / the names of EXTRN: ".globl".
  void Globals(const Tokens& t, size_t pos, std::vector<std::string>* out) {
    std::string names;
    const bool ok = Items(t, pos, [&](size_t* at) {
      if (t[*at].kind != A51Token::kName) {
        Issue("NAME EXPECTED, NOT '" + t[*at].text + "'");
        return false;
      }
      names += (names.empty() ? "" : ", ") + Spell(t[*at].text);
      ++*at;
      return true;
    });
    if (ok) out->push_back(".globl " + names);
  }

  // EXTRN CODE (a, b), DATA (c): sdas8051 needs only the names.
  void Externals(const Tokens& t, std::vector<std::string>* out) {
    std::string names;
    const bool ok = Items(t, 1, [&](size_t* at) {
      const std::string type = Upper(t[*at].text);
      if (t[*at].kind != A51Token::kName || (!SpaceOfWord(type) && type != "NUMBER")) {
        Issue("TYPE EXPECTED (CODE, DATA, IDATA, XDATA, BIT OR NUMBER), NOT '" + t[*at].text + "'");
        return false;
      }
      if (++*at == t.size() || !t[*at].Is("(")) {
        Issue("'(' EXPECTED AFTER '" + type + "'");
        return false;
      }
      for (++*at; *at < t.size() && !t[*at].Is(")"); ++*at) {
        if (t[*at].Is(",")) continue;
        if (t[*at].kind != A51Token::kName) {
          Issue("NAME EXPECTED, NOT '" + t[*at].text + "'");
          return false;
        }
        names += (names.empty() ? "" : ", ") + Spell(t[*at].text);
      }
      if (*at == t.size()) {
        Issue("')' EXPECTED");
        return false;
      }
      ++*at;
      return true;
    });
    if (ok) out->push_back(".globl " + names);
  }

  // DB: numbers and texts (a text gives its bytes); DW: numbers, high byte
  // first in both assemblers.
  void Data(const std::string& word, const Tokens& t, std::vector<std::string>* out) {
    NeedSegment();
    Placed();
    std::string items;
    const bool ok = Items(t, 1, [&](size_t* at) {
      std::string item;
      const bool text_alone =
          t[*at].kind == A51Token::kText && (*at + 1 == t.size() || t[*at + 1].Is(","));
      if (word == "DB" && text_alone && t[*at].text.size() != 1) {
        for (char c : t[*at].text) {
          item += (item.empty() ? "" : ",") + ByteText(static_cast<unsigned char>(c));
        }
        ++*at;
        if (item.empty()) {
          Issue("EMPTY TEXT IN DB");
          return false;
        }
      } else if (!Expression(t, at, t.size(), &item)) {
        return false;
      }
      items += (items.empty() ? "" : ",") + item;
      return true;
    });
    if (ok) out->push_back((word == "DB" ? ".db " : ".dw ") + items);
  }

  static std::string ByteText(unsigned char c) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    if (c < 10) return std::string(1, kDigits[c]);
    return std::string("0x") + kDigits[c >> 4] + kDigits[c & 15];
  }

  // ---- after the last line ----------------------------------------------------

  void Finish() {
    if (!macro_frames_.empty()) {
      line_ = static_cast<int>(std::count(out_->text.begin(), out_->text.end(), '\n'));
      Issue("MACRO, REPT, IRP OR IRPC WITHOUT ENDM");
    }
    // $IF names nothing defines are 0, as the classic assembler takes them.
    std::set<std::string> defaulted;
    for (const std::string& name : if_names_) {
      const std::string upper = Upper(name);
      if (set_symbols_.count(upper) || (defined_.count(upper) && !controls_set_.count(upper)) ||
          !defaulted.insert(upper).second) {
        continue;
      }
      out_->prelude += MangleClassicName(name) + " = 0\n";
    }
    if (!default_area_.empty()) {
      out_->prelude +=
          "\t.area " + default_area_ + " " + std::string(InfoOf(Space::kCode).abs_flags) + "\n";
    }
    if (options_.header) return;
    // The register banks the code uses, kept free of variables as sdcc's
    // modules keep theirs; bank 0 always, for R0..R7.
    for (int64_t bank = 0; bank <= std::max<int64_t>(max_bank_, 0); ++bank) {
      out_->text += "\t.area REG_BANK_" + std::to_string(bank) + " (REL,OVR,DATA)\n\t.ds 8\n";
    }
  }

  enum class Mode { kNone, kAbsolute, kPlain, kRelocatable };

  const ClassicOptions& options_;
  ClassicTranslation* out_;
  int line_ = 0;
  std::map<std::string, SegmentDecl> segments_;  // upper-case name => declaration
  SegmentDecl* segment_ = nullptr;               // the one RSEG entered last
  std::set<std::string> used_;                   // upper-case names code mentions
  std::map<std::string, std::string> aliases_;   // upper-case name => register
  std::map<std::string, int64_t> values_;        // upper-case name => constant value
  std::set<std::string> defined_;                // upper-case names defined so far
  std::set<std::string> set_symbols_;            // SET on the command line
  std::set<std::string> controls_set_;           // $SET / $RESET in the file
  std::vector<std::string> if_names_;            // names in $IF conditions
  Mode mode_ = Mode::kNone;
  Space space_ = Space::kCode;
  int absolute_areas_ = 0;
  std::string default_area_;
  int64_t bank_ = 0;
  int64_t max_bank_ = 0;
  bool ended_ = false;
  // The dummy names of the macro bodies being read, innermost last: upper
  // case => as sdas8051 gets them.
  std::vector<std::map<std::string, std::string>> macro_frames_;
  std::map<std::string, std::string> macros_;                // upper case => as defined
  std::map<size_t, std::vector<std::string>> macro_locals_;  // MACRO line index => LOCAL names
  size_t open_macro_ = SIZE_MAX;                             // while surveying
};

}  // namespace

void TranslateClassic(std::string_view text, const ClassicOptions& options,
                      ClassicTranslation* out) {
  *out = ClassicTranslation();
  Translator(options, out).Run(text);
}

std::string SdccAreaOrder() {
  static constexpr std::string_view kAreas[] = {"REG_BANK_0 (REL,OVR,DATA)",
                                                "DSEG (DATA)",
                                                "ISEG (DATA)",
                                                "BSEG (BIT)",
                                                "PSEG (PAG,XDATA)",
                                                "XSEG (XDATA)",
                                                "XISEG (XDATA)",
                                                "HOME (CODE)",
                                                "GSINIT0 (CODE)",
                                                "GSINIT1 (CODE)",
                                                "GSINIT2 (CODE)",
                                                "GSINIT3 (CODE)",
                                                "GSINIT4 (CODE)",
                                                "GSINIT5 (CODE)",
                                                "GSINIT (CODE)",
                                                "GSFINAL (CODE)",
                                                "CSEG (CODE)",
                                                "CONST (CODE)",
                                                "XINIT (CODE)"};
  std::string out;
  for (std::string_view area : kAreas) out += "\t.area " + std::string(area) + "\n";
  return out;
}

}  // namespace c51::sdcc
