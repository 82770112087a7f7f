#include "sdcc/compile/dialect_implicit_calls.h"

#include <algorithm>
#include <map>
#include <set>
#include <string_view>

#include "platform/ascii_case.h"

namespace c51::sdcc {

namespace {

constexpr size_t kNone = DialectSource::kNone;

// Words followed by "(" that call nothing: statements, operators, the
// types of declarations and casts.
const std::set<std::string_view> kNotCalls = {
    "if",     "while",  "for",      "switch",   "return",   "sizeof", "do",       "else",
    "case",   "goto",   "void",     "char",     "short",    "int",    "long",     "float",
    "double", "signed", "unsigned", "const",    "volatile", "struct", "union",    "enum",
    "static", "extern", "auto",     "register", "typedef",  "inline", "_Alignof", "_Generic"};

// Words a prototype may hold whatever the file declares.
const std::set<std::string_view> kTypeKeywords = {
    "void",  "char",     "short",  "int",    "long",     "float",  "double", "signed", "unsigned",
    "const", "volatile", "static", "extern", "register", "struct", "union",  "enum"};

bool IsKeyword(std::string_view w) {
  return kTypeKeywords.count(w) != 0 || IsTypeWord(w) || w.substr(0, 2) == "__";
}

class ImplicitCalls {
 public:
  ImplicitCalls(DialectSource* source, const DefinitionFinder& find,
                std::vector<std::string>* consulted, std::vector<DialectIssue>* implicit)
      : s_(*source), find_(find), consulted_(consulted), implicit_(implicit) {}

  void Run() {
    // In order: a call of a name nothing before it names is implicit.
    std::vector<std::string_view> order;
    for (size_t i = 0; i < s_.size(); ++i) {
      if (!s_.IsWord(i) || (i > 0 && (s_.Is(i - 1, ".") || s_.Is(i - 1, "->")))) continue;
      const std::string_view w = s_.At(i);
      if (IsCall(i)) {
        if (first_.count(w) != 0) continue;
        auto& calls = calls_[w];
        if (calls.empty()) order.push_back(w);
        calls.push_back(i);
        continue;
      }
      first_.emplace(w, i);
    }
    if (order.empty()) return;
    FindDefinitions();
    std::map<size_t, std::string> prototypes;  // definition start => its prototypes
    for (std::string_view name : order) {
      const std::vector<size_t>& calls = calls_[name];
      const size_t start = DefinitionStart(s_.BodyOf(calls.front()));
      if (start != kNone && name == "_getkey" && IncludesStdio()) {
        // The original's stdio.h declares it, sdcc's does not; the linker
        // supplies it on the serial port.
        prototypes[start] += "char _getkey(void); ";
        continue;
      }
      std::string prototype;
      if (start == kNone || !Prototype(name, calls.front(), start, &prototype)) continue;
      prototypes[start] += prototype + " ";
      for (size_t c : calls) {
        implicit_->push_back(
            DialectIssue{s_.FileOf(c), s_.token(c).line,
                         "function '" + std::string(name) + "' implicit declaration"});
      }
    }
    for (const auto& [start, text] : prototypes) s_.InsertBefore(start, text);
  }

 private:
  bool IsCall(size_t i) const {
    const std::string_view w = s_.At(i);
    return s_.User(i) && s_.Is(i + 1, "(") && s_.BodyOf(i) != kNone && kNotCalls.count(w) == 0 &&
           !IsKeyword(w);
  }

  bool IncludesStdio() const {
    for (const std::string& file : s_.files()) {
      const size_t slash = file.find_last_of("/\\");
      if (EqualsIgnoringCase(file.substr(slash == std::string::npos ? 0 : slash + 1), "stdio.h"))
        return true;
    }
    return false;
  }

  // File-scope definitions "name ( ... ) ... {" of this file, by name.
  void FindDefinitions() {
    for (size_t i = 0; i + 1 < s_.size(); ++i) {
      if (!s_.IsWord(i) || !s_.Is(i + 1, "(") || s_.BodyOf(i) != kNone || !s_.User(i)) continue;
      const size_t close = s_.Mate(i + 1);
      if (close == kNone || close < i) continue;
      size_t k = close + 1;
      while (k < s_.size() && !s_.Is(k, "{") && !s_.Is(k, ";") && !s_.Is(k, ",") &&
             !s_.Is(k, "=")) {
        ++k;
      }
      if (s_.IsBodyOpen(k)) definitions_.push_back(Definition{i, close, k});
    }
  }

  // The token a function definition starts with, from its body's "{":
  // back over the parameters and their old-style declarations to the end
  // of what precedes it.
  size_t DefinitionStart(size_t body) const {
    if (body == kNone) return kNone;
    bool declarator = false;
    size_t k = body;
    while (k > 0) {
      const size_t prev = k - 1;
      if (s_.Is(prev, ")") || s_.Is(prev, "]")) {
        const size_t open = s_.Mate(prev);
        if (open == kNone || open > prev) return kNone;
        declarator = declarator || s_.Is(prev, ")");
        k = open;
      } else if (s_.Is(prev, "}")) {
        // A struct defined in the result belongs to the definition.
        const size_t open = s_.Mate(prev);
        if (open == kNone || open == 0 || s_.BodyOf(open) != kNone) return k;
        const bool record =
            s_.Is(open - 1, "struct") || s_.Is(open - 1, "union") || s_.Is(open - 1, "enum") ||
            (open > 1 && s_.IsWord(open - 1) &&
             (s_.Is(open - 2, "struct") || s_.Is(open - 2, "union") || s_.Is(open - 2, "enum")));
        if (!record) return k;
        k = open;
      } else if (s_.Is(prev, ";") && !declarator) {
        k = prev;  // an old-style parameter declaration
      } else if (s_.Is(prev, ";") || s_.Is(prev, "{")) {
        return k;
      } else {
        k = prev;
      }
    }
    return 0;
  }

  // The prototype of `name` for the call at `call`, to go before `start`.
  bool Prototype(std::string_view name, size_t call, size_t start, std::string* out) {
    const Definition* own = nullptr;
    for (const Definition& d : definitions_) {
      if (s_.At(d.name) == name) {
        own = &d;
        break;
      }
      if (own == nullptr && EqualsIgnoringCase(s_.At(d.name), name)) own = &d;
    }
    std::string result, params, attributes, file;
    if (own != nullptr) {
      if (OldStyle(*own)) return false;
      size_t first = own->name;
      while (first > 0 && s_.BodyOf(first - 1) == kNone &&
             (s_.IsWord(first - 1) || s_.Is(first - 1, "*"))) {
        --first;
      }
      result = first == own->name ? "int" : s_.Copy(first, own->name);
      if (own->close > own->name + 2) params = s_.Copy(own->name + 2, own->close);
      if (own->body > own->close + 1) attributes = s_.Copy(own->close + 1, own->body);
    } else {
      FunctionDefinition found;
      if (!find_ ||
          !find_(std::string(name), s_.FileOf(call), DefinitionWanted{true, false}, &found)) {
        return false;
      }
      // Another file's static function is none this file can call.
      for (std::string_view w : Words(found.result)) {
        if (w == "static") return false;
        if (w == "extern" || w == "inline") continue;
        result += (result.empty() || w == "*" ? "" : " ") + std::string(w);
      }
      params = found.params;
      if (found.reentrant) attributes = "__reentrant";
      file = found.file;
    }
    if (!Spellable(result, start, false) || !Spellable(params, start, true)) return false;
    // A definition read elsewhere: when it changes, so does this object.
    if (!file.empty() &&
        std::find(consulted_->begin(), consulted_->end(), file) == consulted_->end()) {
      consulted_->push_back(file);
    }
    *out = result + (result.back() == '*' ? "" : " ") + std::string(name) + "(" + params + ")" +
           (attributes.empty() ? "" : " " + attributes) + ";";
    return true;
  }

  struct Definition {
    size_t name, close, body;
  };

  // "f(a, b) int a; {": its parameters are names only.
  bool OldStyle(const Definition& d) const {
    if (d.close == d.name + 2) return false;
    for (const auto& [first, last] : s_.Items(d.name + 1)) {
      if (last != first + 1 || !s_.IsWord(first) || IsTypeWord(s_.At(first))) return false;
    }
    return true;
  }

  static std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> out;
    size_t pos = 0;
    while (pos < text.size()) {
      const size_t end = std::min(text.find(' ', pos), text.size());
      if (end > pos) out.push_back(text.substr(pos, end - pos));
      pos = end + 1;
    }
    return out;
  }

  // True when every word of `text` (a result, or parameters when
  // `params`) means something before token `before`: a keyword, a name
  // the file has used by then (a typedef, a struct's tag), or a
  // parameter's own name after its type.
  bool Spellable(const std::string& text, size_t before, bool params) const {
    TokenList list;
    Tokenize(text, &list);
    const std::vector<Token>& t = list.tokens;
    auto at = [&](size_t i) {
      return i < t.size() ? std::string_view(text).substr(t[i].begin, t[i].end - t[i].begin)
                          : std::string_view();
    };
    for (size_t i = 0; i < t.size(); ++i) {
      if (t[i].kind != TokenKind::kWord) continue;
      const std::string_view w = at(i);
      if (IsKeyword(w)) continue;
      const auto known = first_.find(w);
      if (known != first_.end() && known->second < before) continue;
      const bool named =
          params && i > 0 && (t[i - 1].kind == TokenKind::kWord || at(i - 1) == "*") &&
          (i + 1 == t.size() || at(i + 1) == "," || at(i + 1) == ")" || at(i + 1) == "[");
      if (!named) return false;
    }
    return true;
  }

  DialectSource& s_;
  const DefinitionFinder& find_;
  std::vector<std::string>* consulted_;
  std::vector<DialectIssue>* implicit_;                    // the calls given a prototype
  std::map<std::string_view, size_t> first_;               // a word's first use other than a call
  std::map<std::string_view, std::vector<size_t>> calls_;  // calls before that
  std::vector<Definition> definitions_;
};

}  // namespace

void DeclareImplicitCalls(DialectSource* source, const DefinitionFinder& find,
                          std::vector<std::string>* consulted, std::vector<DialectIssue>* calls) {
  ImplicitCalls(source, find, consulted, calls).Run();
}

}  // namespace c51::sdcc
