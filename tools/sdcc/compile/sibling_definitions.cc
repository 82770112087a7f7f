#include "sdcc/compile/sibling_definitions.h"

#include <algorithm>
#include <vector>

#include "platform/ascii_case.h"
#include "platform/dir_list.h"
#include "sdcc/compile/c_tokens.h"
#include "sdcc/compile/dialect_source.h"
#include "sim/files.h"

namespace c51::sdcc {

namespace {

// `text` with its comments as blanks (line ends kept); strings and
// character constants are left whole.
std::string WithoutComments(std::string_view text) {
  std::string out(text);
  for (size_t i = 0; i < out.size(); ++i) {
    const char c = out[i];
    if (c == '"' || c == '\'') {
      for (++i; i < out.size() && out[i] != c && out[i] != '\n'; ++i) {
        if (out[i] == '\\') ++i;
      }
    } else if (c == '/' && i + 1 < out.size() && out[i + 1] == '/') {
      for (; i < out.size() && out[i] != '\n'; ++i) out[i] = ' ';
    } else if (c == '/' && i + 1 < out.size() && out[i + 1] == '*') {
      const size_t end = out.find("*/", i + 2);
      const size_t stop = end == std::string::npos ? out.size() : end + 2;
      for (; i < stop; ++i) {
        if (out[i] != '\n') out[i] = ' ';
      }
      --i;
    }
  }
  return out;
}

// The parameter list of a definition [first, last), in prototype form: an
// old-style list of names ("add" or "a, b", their declarations in [decl,
// body)) gives each name its declared type, or int when none declares it.
template <typename At, typename Words>
std::string ParameterText(const std::vector<Token>& t, const At& at, const Words& words,
                          size_t first, size_t last, size_t decl, size_t body) {
  std::vector<std::pair<size_t, size_t>> items;
  for (size_t p = first; p < last;) {
    size_t end = p;
    for (int parens = 0; end < last && (parens > 0 || at(end) != ","); ++end) {
      if (at(end) == "(") ++parens;
      if (at(end) == ")") --parens;
    }
    items.emplace_back(p, end);
    p = end + 1;
  }
  const bool names_only = !items.empty() && std::all_of(items.begin(), items.end(), [&](auto r) {
    return r.second == r.first + 1 && t[r.first].kind == TokenKind::kWord && at(r.first) != "void";
  });
  if (!names_only) return words(first, last);
  std::string out;
  for (const auto& [p, end] : items) {
    std::string param = "int " + std::string(at(p));
    // "char *b;" among the declarations: its specifiers and declarator.
    for (size_t d = decl; d < body;) {
      size_t stop = d;
      while (stop < body && at(stop) != ";") ++stop;
      // The type words: the statement's first run of words, less its last
      // word when that is a name ("unsigned char x, y").
      size_t types_end = d;
      while (types_end < stop && t[types_end].kind == TokenKind::kWord) ++types_end;
      if (types_end > d && (types_end == stop || (at(types_end) != "*" && at(types_end) != "("))) {
        --types_end;
      }
      for (size_t q = types_end; q < stop;) {
        size_t next = q;
        while (next < stop && at(next) != ",") ++next;
        for (size_t n = q; n < next; ++n) {
          if (at(n) == at(p)) param = words(d, types_end) + " " + words(q, next);
        }
        q = next + 1;
      }
      d = stop + 1;
    }
    out += (out.empty() ? "" : ", ") + param;
  }
  return out;
}

}  // namespace

bool FindDefinitionIn(std::string_view text, std::string_view name, const DefinitionWanted& wanted,
                      FunctionDefinition* found) {
  const std::string plain = WithoutComments(text);
  TokenList list;
  Tokenize(plain, &list);
  const std::vector<Token>& t = list.tokens;
  auto at = [&](size_t i) {
    return std::string_view(plain).substr(t[i].begin, t[i].end - t[i].begin);
  };
  // Tokens [first, last) in sdcc's words, blanks where C needs them.
  auto words = [&](size_t first, size_t last) {
    std::string out;
    for (size_t p = first; p < last; ++p) {
      if (!out.empty() && t[p].kind == TokenKind::kWord && t[p - 1].kind == TokenKind::kWord) {
        out += ' ';
      } else if (!out.empty() && (at(p) == "*" || at(p - 1) == ",")) {
        out += ' ';
      }
      out += t[p].kind == TokenKind::kWord ? SdccMemoryWord(at(p)) : std::string(at(p));
    }
    return out;
  };
  int depth = 0;
  for (size_t i = 0; i + 1 < t.size(); ++i) {
    const std::string_view word = at(i);
    if (word == "{") ++depth;
    if (word == "}") --depth;
    if (depth != 0 || t[i].kind != TokenKind::kWord || at(i + 1) != "(") continue;
    if (wanted.any_case ? !EqualsIgnoringCase(word, name) : word != name) continue;
    // The parameter list, then what follows it up to a body or an end.
    size_t close = i + 1;
    for (int parens = 0; close < t.size(); ++close) {
      if (at(close) == "(") ++parens;
      if (at(close) == ")" && --parens == 0) break;
    }
    size_t k = close + 1;
    while (k < t.size() && at(k) != "{" && at(k) != ";" && at(k) != "," && at(k) != "=") ++k;
    // An old-style list of names: its declarations ("char *b;") may come
    // before the body.
    bool bare = close > i + 2;
    for (size_t p = i + 2; p < close && bare; ++p) {
      bare = (p - i) % 2 == 0 ? t[p].kind == TokenKind::kWord : at(p) == ",";
    }
    if (bare && k < t.size() && (at(k) == ";" || at(k) == ",")) {
      size_t b = k;
      while (b < t.size() && at(b) != "{" && at(b) != "struct" && at(b) != "union" &&
             at(b) != "enum" &&
             (t[b].kind == TokenKind::kWord || at(b) == "*" || at(b) == "," || at(b) == ";" ||
              at(b) == "[" || at(b) == "]" || t[b].kind == TokenKind::kNumber)) {
        ++b;
      }
      if (b < t.size() && at(b) == "{") k = b;
    }
    if (k >= t.size() || at(k) != "{") continue;
    if (wanted.parameters && (close == i + 2 || (close == i + 3 && at(i + 2) == "void"))) continue;
    // The result: the words and stars before the name.
    size_t first = i;
    while (first > 0 && (t[first - 1].kind == TokenKind::kWord || at(first - 1) == "*")) --first;
    found->result = first == i ? "int" : words(first, i);
    found->params = ParameterText(t, at, words, i + 2, close, close + 1, k);
    found->reentrant = false;
    for (size_t a = close + 1; a < k; ++a) {
      if (at(a) == "reentrant" || at(a) == "__reentrant") found->reentrant = true;
    }
    return true;
  }
  return false;
}

bool FindSiblingDefinition(const std::string& folder, std::string_view name,
                           const DefinitionWanted& wanted, const std::string& skip,
                           FunctionDefinition* found) {
  std::vector<std::string> names;
  if (!ListFiles(folder, &names)) return false;
  std::sort(names.begin(), names.end());
  for (const std::string& n : names) {
    if (n.size() < 3 || !EqualsIgnoringCase(std::string_view(n).substr(n.size() - 2), ".c")) {
      continue;
    }
    const std::string path = folder + n;
    if (EqualsIgnoringCase(path, skip)) continue;
    std::string text;
    if (sim::ReadFile(path, &text) != sim::ReadResult::kOkay) continue;
    if (FindDefinitionIn(text, name, wanted, found)) {
      found->file = path;
      return true;
    }
  }
  return false;
}

}  // namespace c51::sdcc
