#include "sdcc/compile/static_locals.h"

#include <vector>

#include "sdcc/compile/c_tokens.h"

namespace c51::sdcc {

namespace {

bool Is(std::string_view text, const Token& t, std::string_view what) {
  return text.substr(t.begin, t.end - t.begin) == what;
}

}  // namespace

bool FunctionLocals::IsAutomatic(const std::string& function, const std::string& name) const {
  const auto found = statics.find(function);
  return found != statics.end() && found->second.count(name) == 0;
}

FunctionLocals FindFunctionLocals(std::string_view text) {
  TokenList list;
  Tokenize(text, &list);
  const std::vector<Token>& tokens = list.tokens;
  FunctionLocals out;
  auto word = [&](size_t i) {
    return std::string(text.substr(tokens[i].begin, tokens[i].end - tokens[i].begin));
  };

  // Outside bodies: since the last ";" or "}", a "(" and no "=" before a
  // "{" make a function definition; the name is the first word followed by
  // "(" at the outer level ("void (*f(void))(void)" has none: its locals
  // all stay where sdcc put them).
  int parens = 0;
  bool saw_paren = false, saw_assign = false;
  std::string name;
  for (size_t i = 0; i < tokens.size(); ++i) {
    const Token& t = tokens[i];
    if (t.kind == TokenKind::kPunct) {
      if (Is(text, t, "(")) {
        if (parens == 0) saw_paren = true;
        ++parens;
      } else if (Is(text, t, ")")) {
        if (parens > 0) --parens;
      } else if (parens == 0 && Is(text, t, "=")) {
        saw_assign = true;
      } else if (parens == 0 && (Is(text, t, ";") || Is(text, t, "}"))) {
        saw_paren = saw_assign = false;
        name.clear();
      } else if (parens == 0 && Is(text, t, "{")) {
        // An initializer or a struct: skip to its closing brace.
        const bool body = saw_paren && !saw_assign && !name.empty();
        std::set<std::string>* statics = body ? &out.statics[name] : nullptr;
        int depth = 0;
        for (; i < tokens.size(); ++i) {
          const Token& b = tokens[i];
          if (b.kind == TokenKind::kPunct && Is(text, b, "{")) ++depth;
          if (b.kind == TokenKind::kPunct && Is(text, b, "}") && --depth == 0) break;
          if (statics == nullptr || b.kind != TokenKind::kWord || !Is(text, b, "static")) continue;
          // The declaration up to its ";" at this level, initializer braces included.
          int inner = 0;
          for (++i; i < tokens.size(); ++i) {
            const Token& d = tokens[i];
            if (d.kind == TokenKind::kPunct && Is(text, d, "{")) ++inner;
            if (d.kind == TokenKind::kPunct && Is(text, d, "}")) --inner;
            if (inner < 0 || (inner == 0 && d.kind == TokenKind::kPunct && Is(text, d, ";"))) break;
            if (d.kind == TokenKind::kWord) statics->insert(word(i));
          }
          if (i < tokens.size() && Is(text, tokens[i], "}")) --i;  // the body's end: seen again
        }
        if (body) {
          saw_paren = saw_assign = false;
          name.clear();
        }
      }
      continue;
    }
    if (t.kind == TokenKind::kWord && parens == 0 && name.empty() && i + 1 < tokens.size() &&
        tokens[i + 1].kind == TokenKind::kPunct && Is(text, tokens[i + 1], "(")) {
      name = word(i);
    }
  }
  return out;
}

}  // namespace c51::sdcc
