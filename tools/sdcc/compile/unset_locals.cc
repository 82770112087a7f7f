#include "sdcc/compile/unset_locals.h"

#include <algorithm>
#include <cstddef>
#include <set>

#include "sdcc/compile/c_tokens.h"

namespace c51::sdcc {

namespace {

struct Body {
  size_t header = 0;  // the first token of the definition
  size_t open = 0;    // its "{"
  size_t close = 0;   // the matching "}"
};

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) { Tokenize(text, &list_); }

  const std::vector<Token>& tokens() const { return list_.tokens; }
  std::string_view Text(size_t i) const {
    const Token& t = list_.tokens[i];
    return text_.substr(t.begin, t.end - t.begin);
  }
  bool IsPunct(size_t i, std::string_view p) const {
    return list_.tokens[i].kind == TokenKind::kPunct && Text(i) == p;
  }
  bool IsWord(size_t i) const { return list_.tokens[i].kind == TokenKind::kWord; }
  const std::string& File(size_t i) const {
    return list_.files[static_cast<size_t>(list_.tokens[i].file)];
  }

  // The "}" that closes the "{" at `open`; the last token when none does.
  size_t Closing(size_t open) const {
    int depth = 0;
    for (size_t i = open; i < tokens().size(); ++i) {
      if (IsPunct(i, "{")) ++depth;
      if (IsPunct(i, "}") && --depth == 0) return i;
    }
    return tokens().size() - 1;
  }

  // Function definitions: at the outer level, since the last ";" or "}", a
  // "(" and no "=" before a "{".
  std::vector<Body> Bodies() const {
    std::vector<Body> out;
    int parens = 0;
    bool saw_paren = false, saw_assign = false;
    size_t start = 0;
    for (size_t i = 0; i < tokens().size(); ++i) {
      if (IsPunct(i, "(")) {
        saw_paren = saw_paren || parens == 0;
        ++parens;
      } else if (IsPunct(i, ")")) {
        parens = std::max(0, parens - 1);
      } else if (parens > 0) {
        continue;
      } else if (IsPunct(i, "=")) {
        saw_assign = true;
      } else if (IsPunct(i, ";") || IsPunct(i, "}")) {
        saw_paren = saw_assign = false;
        start = i + 1;
      } else if (IsPunct(i, "{")) {
        const size_t close = Closing(i);
        if (saw_paren && !saw_assign) out.push_back(Body{start, i, close});
        i = close;
        saw_paren = saw_assign = false;
        start = i + 1;
      }
    }
    return out;
  }

 private:
  std::string_view text_;
  TokenList list_;
};

bool StartsStatement(const Reader& r, size_t i) {
  return r.IsPunct(i, "{") || r.IsPunct(i, "}") || r.IsPunct(i, ";");
}

// Words that begin a statement, not a declaration.
bool IsStatementWord(std::string_view w) {
  static const std::set<std::string_view> kWords = {
      "return", "if",       "else",    "while", "for",         "do",       "switch",
      "case",   "default",  "goto",    "break", "continue",    "sizeof",   "static",
      "extern", "register", "typedef", "auto",  "__reentrant", "reentrant"};
  return kWords.count(w) != 0;
}

// The first token of the declaration of `name` that is in scope at `use`,
// inside `body`; kNone when there is none to make static.
constexpr size_t kNone = static_cast<size_t>(-1);

size_t DeclarationOf(const Reader& r, const Body& body, size_t use, std::string_view name) {
  size_t found = kNone;
  size_t statement = body.open + 1;
  for (size_t i = body.open + 1; i < use; ++i) {
    if (StartsStatement(r, i)) {
      statement = i + 1;
      continue;
    }
    if (!r.IsWord(i) || r.Text(i) != name || i == statement) continue;
    const bool after_type = r.IsWord(i - 1) || r.IsPunct(i - 1, "*") || r.IsPunct(i - 1, ",");
    if (!after_type || !r.IsWord(statement) || IsStatementWord(r.Text(statement))) continue;
    // The whole statement: no initializer, no parentheses, and its block
    // still open at the use.
    size_t end = statement;
    bool plain = true;
    while (end < r.tokens().size() && !r.IsPunct(end, ";")) {
      if (r.IsPunct(end, "=") || r.IsPunct(end, "(") || r.IsPunct(end, "{") ||
          r.IsPunct(end, "}")) {
        plain = false;
        break;
      }
      ++end;
    }
    if (!plain || end >= use) continue;
    size_t open = statement - 1;  // the block the declaration is in
    int depth = 0;
    for (; open > body.open; --open) {
      if (r.IsPunct(open, "}")) ++depth;
      if (r.IsPunct(open, "{") && depth-- == 0) break;
    }
    if (r.Closing(open) > use) found = statement;
  }
  return found;
}

bool IsReentrant(const Reader& r, const Body& body) {
  for (size_t i = body.header; i < body.open; ++i) {
    if (r.Text(i) == "__reentrant" || r.Text(i) == "reentrant") return true;
  }
  return false;
}

}  // namespace

bool MakeUnsetLocalsStatic(std::string_view text, const std::vector<UnsetRead>& reads,
                           std::string* out) {
  const Reader r(text);
  const std::vector<Body> bodies = r.Bodies();
  std::set<size_t> starts;  // token indices of declarations to make static
  for (const UnsetRead& read : reads) {
    for (size_t i = 0; i < r.tokens().size(); ++i) {
      const Token& t = r.tokens()[i];
      if (t.line != read.line || !r.IsWord(i) || r.Text(i) != read.name ||
          !MarkerNamesFile(r.File(i), read.file)) {
        continue;
      }
      // The declaration may share the line: the first use after one counts.
      const auto body = std::find_if(bodies.begin(), bodies.end(),
                                     [&](const Body& b) { return b.open < i && i < b.close; });
      if (body == bodies.end() || IsReentrant(r, *body)) continue;
      const size_t at = DeclarationOf(r, *body, i, read.name);
      if (at == kNone) continue;
      starts.insert(at);
      break;
    }
  }
  if (starts.empty()) return false;
  out->clear();
  size_t copied = 0;
  for (size_t start : starts) {
    const size_t at = r.tokens()[start].begin;
    out->append(text.substr(copied, at - copied));
    out->append("static ");
    copied = at;
  }
  out->append(text.substr(copied));
  return true;
}

}  // namespace c51::sdcc
