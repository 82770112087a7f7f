#include "sdcc/compile/dialect_old_style.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace c51::sdcc {

namespace {

constexpr size_t kNone = DialectSource::kNone;

// The next token from `k` on at the same depth that is `what`, or `end`.
size_t Next(const DialectSource& s, size_t k, size_t end, std::string_view what) {
  while (k < end && !s.Is(k, what)) {
    const size_t mate = s.Mate(k);
    k = mate != kNone && mate > k && mate < end ? mate + 1 : k + 1;
  }
  return k;
}

class OldStyle {
 public:
  explicit OldStyle(DialectSource* source) : s_(*source) {}

  // `open` and `close`: the parentheses after a function's name.
  void Try(size_t open, size_t close) {
    std::vector<size_t> names;
    for (size_t k = open + 1; k < close; k += 2) {
      if (!s_.IsWord(k) || IsTypeWord(s_.At(k))) return;
      if (!s_.Is(k + 1, ",") && k + 1 != close) return;
      names.push_back(k);
    }
    if (names.empty() || !s_.IsWord(close + 1)) return;
    const size_t body = Next(s_, close + 1, s_.size(), "{");
    if (!s_.IsBodyOpen(body) || !s_.Is(body - 1, ";")) return;

    // Each declaration: specifiers, then declarators naming listed names.
    struct Declared {
      size_t spec_first, spec_last, first, last;
    };
    std::map<std::string_view, Declared> declared;
    for (size_t d = close + 1; d < body;) {
      const size_t end = Next(s_, d, body, ";");
      size_t start = d;
      while (start < end && s_.IsWord(start) && !IsListed(names, start)) ++start;
      if (start == d || start == end) return;  // no specifiers, or no declarator
      for (size_t first = start; first < end;) {
        const size_t last = Next(s_, first, end, ",");
        size_t name = first;
        while (name < last && !IsListed(names, name)) ++name;
        if (name == last ||
            !declared.emplace(s_.At(name), Declared{d, start, first, last}).second) {
          return;
        }
        first = last + 1;
      }
      d = end + 1;
    }

    // Checked: now move the declarations into the list.
    std::map<size_t, std::string> specs;
    for (const auto& [name, decl] : declared) {
      if (specs.count(decl.spec_first) == 0) {
        specs[decl.spec_first] = s_.Take(decl.spec_first, decl.spec_last);
      }
    }
    for (size_t k : names) {
      const auto found = declared.find(s_.At(k));
      const std::string text = found == declared.end()
                                   ? "int " + std::string(s_.At(k))
                                   : specs[found->second.spec_first] + " " +
                                         s_.Take(found->second.first, found->second.last);
      s_.Replace(k, k + 1, text);
    }
    s_.Replace(close + 1, body, "");
  }

 private:
  bool IsListed(const std::vector<size_t>& names, size_t k) const {
    if (!s_.IsWord(k)) return false;
    for (size_t n : names) {
      if (s_.At(n) == s_.At(k)) return true;
    }
    return false;
  }

  DialectSource& s_;
};

}  // namespace

void TypeBareParameterNames(DialectSource* source) {
  DialectSource& s = *source;
  const std::set<std::string, std::less<>> typedefs = TypedefNames(s);
  for (size_t i = 1; i + 1 < s.size(); ++i) {
    if (!s.Is(i, "(") || !s.IsWord(i - 1) || !s.User(i) || s.BodyOf(i) != kNone) continue;
    const size_t close = s.Mate(i);
    if (close == kNone || close <= i + 1 || !(s.Is(close + 1, ";") || s.IsBodyOpen(close + 1))) {
      continue;
    }
    const std::vector<std::pair<size_t, size_t>> items = s.Items(i);
    const bool typed = std::any_of(items.begin(), items.end(),
                                   [](const auto& item) { return item.second > item.first + 1; });
    // A definition's names are parameters too ("char read(add) {").
    if (!typed && !s.IsBodyOpen(close + 1)) continue;
    for (const auto& [first, last] : items) {
      if (last != first + 1 || !s.IsWord(first)) continue;
      const std::string_view word = s.At(first);
      if (IsTypeWord(word) || typedefs.count(word) != 0 || word.substr(0, 2) == "__") continue;
      // A replacement, not an insertion: copies of the list take it along.
      s.Replace(first, first + 1, "int " + std::string(word));
    }
  }
}

void RewriteOldStyleDefinitions(DialectSource* source) {
  OldStyle old_style(source);
  for (size_t i = 1; i < source->size(); ++i) {
    if (!source->Is(i, "(") || !source->IsWord(i - 1) || !source->User(i) ||
        source->BodyOf(i) != DialectSource::kNone) {
      continue;
    }
    const size_t close = source->Mate(i);
    if (close != DialectSource::kNone && close > i) old_style.Try(i, close);
  }
}

void CompleteEmptyParameterLists(DialectSource* source, const DefinitionFinder& find,
                                 std::vector<std::string>* consulted) {
  DialectSource& s = *source;
  const std::set<std::string, std::less<>> typedefs = TypedefNames(s);
  // "name ( ) ;" or "name ( a , b ) ;" (names that are no types) at file
  // scope, with a type before it.
  struct Declaration {
    size_t name, close;
    bool names;  // an identifier list
  };
  std::vector<Declaration> declarations;
  std::map<std::string_view, std::vector<size_t>> declared;  // name => its declarations
  for (size_t i = 1; i + 3 < s.size(); ++i) {
    if (!s.User(i) || !s.IsWord(i) || s.BodyOf(i) != DialectSource::kNone) continue;
    if (!s.Is(i + 1, "(") || (!s.IsWord(i - 1) && !s.Is(i - 1, "*"))) continue;
    const size_t close = s.Mate(i + 1);
    if (close == kNone || close < i || !s.Is(close + 1, ";")) continue;
    bool names = close > i + 2;
    for (const auto& [first, last] : s.Items(i + 1)) {
      names = names && last == first + 1 && s.IsWord(first) && !IsTypeWord(s.At(first)) &&
              typedefs.count(s.At(first)) == 0;
    }
    if (close != i + 2 && !names) continue;
    declared[s.At(i)].push_back(declarations.size());
    declarations.push_back(Declaration{i, close, names});
  }
  if (declared.empty()) return;
  std::vector<bool> completed(declarations.size(), false);
  auto complete = [&](std::string_view name, const std::string& params) {
    for (size_t d : declared[name]) {
      s.Replace(declarations[d].name + 1, declarations[d].close + 1, "(" + params + ")");
      completed[d] = true;
    }
  };
  // This file's own definitions with parameters: "name ( ... ) ... {".
  std::map<std::string_view, std::pair<size_t, size_t>> defined;
  for (size_t i = 0; i + 1 < s.size(); ++i) {
    if (!s.IsWord(i) || !s.Is(i + 1, "(") || s.BodyOf(i) != DialectSource::kNone) continue;
    if (declared.count(s.At(i)) == 0) continue;
    const size_t close = s.Mate(i + 1);
    if (close == kNone || close == i + 2 || (close == i + 3 && s.Is(i + 2, "void"))) continue;
    size_t k = close + 1;
    while (k < s.size() && !s.Is(k, "{") && !s.Is(k, ";") && !s.Is(k, ",") && !s.Is(k, "=")) {
      ++k;
    }
    if (s.IsBodyOpen(k)) defined.emplace(s.At(i), std::make_pair(i + 2, close));
  }
  std::set<std::string_view> done;
  std::set<size_t> declaring;
  for (const Declaration& d : declarations) declaring.insert(d.name);
  for (size_t i = 0; i + 2 < s.size(); ++i) {
    if (!s.User(i) || !s.IsWord(i) || !s.Is(i + 1, "(") || s.Is(i + 2, ")")) continue;
    if ((s.Is(i + 2, "void") && s.Is(i + 3, ")")) || declaring.count(i) != 0) continue;
    const auto found = declared.find(s.At(i));
    if (found == declared.end() || !done.insert(found->first).second) continue;
    const Declaration& first = declarations[found->second.front()];
    // The parameters the definition takes: this file's, else one beside.
    const auto own = defined.find(found->first);
    FunctionDefinition definition;
    if (own != defined.end()) {
      complete(found->first, s.Copy(own->second.first, own->second.second));
      continue;
    }
    if (find &&
        find(std::string(found->first), s.FileOf(first.name), DefinitionWanted{}, &definition)) {
      complete(found->first, definition.params);
      if (std::find(consulted->begin(), consulted->end(), definition.file) == consulted->end()) {
        consulted->push_back(definition.file);
      }
      continue;
    }
    s.Issue(first.name, "'" + std::string(found->first) + "' is declared with '" +
                            (first.names ? s.Join(first.name + 1, first.close + 1) : "()") +
                            "', which sdcc reads as '(void)', and no definition was found "
                            "beside it: write its parameters into the declaration");
  }
  // Names only, and the function never called with arguments: "()".
  for (size_t d = 0; d < declarations.size(); ++d) {
    if (declarations[d].names && !completed[d]) {
      s.Replace(declarations[d].name + 1, declarations[d].close + 1, "()");
    }
  }
}

}  // namespace c51::sdcc
