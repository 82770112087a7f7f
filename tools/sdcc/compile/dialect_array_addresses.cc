#include "sdcc/compile/dialect_array_addresses.h"

#include <map>
#include <set>
#include <string>
#include <string_view>

namespace c51::sdcc {

namespace {

constexpr size_t kNone = DialectSource::kNone;

// Words of a declaration's specifiers besides the types.
const std::set<std::string_view> kQualifiers = {
    "typedef", "extern", "static", "auto",  "register", "const", "volatile", "inline", "restrict",
    "data",    "idata",  "pdata",  "xdata", "code",     "bdata", "far",      "near"};

const std::set<std::string_view> kBaseTypes = {"void",     "char",  "short",  "int",
                                               "long",     "float", "double", "signed",
                                               "unsigned", "_Bool", "bit",    "__bit"};

// Words before "(" that call nothing.
const std::set<std::string_view> kNotCalls = {"if",     "while",  "for",     "switch",
                                              "return", "sizeof", "_Alignof"};

bool IsQualifier(std::string_view w) {
  return kQualifiers.count(w) != 0 || (w.substr(0, 2) == "__" && kBaseTypes.count(w) == 0);
}

enum class Shape { kArray, kPointerToArray, kVoidPointer, kOther };

struct Declared {
  size_t at;     // the name
  size_t scope;  // the function body's "{"; kNone at file scope
  Shape shape;
  bool char_elements;  // an array of one dimension of chars
};

class ArrayAddresses {
 public:
  ArrayAddresses(DialectSource* source, std::vector<DialectIssue>* warnings)
      : s_(*source), warnings_(warnings), typedefs_(TypedefNames(s_)), plain_(PlainTypedefs(s_)) {}

  void Run() {
    Scan(0, s_.size(), kNone);
    for (size_t u = 0; u + 1 < s_.size(); ++u) {
      if (!s_.User(u)) continue;
      if (s_.Is(u, "&") && s_.IsWord(u + 1)) Address(u);
      if (s_.Is(u, "=") && s_.IsString(u + 1)) StringToChar(u);
    }
  }

 private:
  // Declarations and statements in [first, last), in the body `scope`.
  void Scan(size_t first, size_t last, size_t scope) {
    size_t i = first;
    while (i < last) {
      if (s_.Is(i, "{")) {
        const size_t close = s_.Mate(i);
        if (close == kNone || close > last) return;
        const size_t inner = s_.IsBodyOpen(i) ? i : scope;
        if (s_.IsBodyOpen(i)) Parameters(i);
        Scan(i + 1, close, inner);
        i = close + 1;
        continue;
      }
      if (s_.Is(i, ";") || s_.Is(i, "}")) {
        ++i;
        continue;
      }
      const size_t end = Declaration(i, last, scope);
      i = end != kNone ? end : Statement(i, last);
      if (i < last && s_.Is(i, ";")) ++i;
    }
  }

  // To the ";" or "{" that ends the statement at `i`.
  size_t Statement(size_t i, size_t last) const {
    while (i < last && !s_.Is(i, ";") && !s_.Is(i, "{") && !s_.Is(i, "}")) {
      const size_t mate = s_.Mate(i);
      i = mate != kNone && mate > i && mate < last ? mate + 1 : i + 1;
    }
    return i;
  }

  // A function's parameters are its body's: an array parameter is a
  // pointer, so each of their names hides a file-scope array.
  void Parameters(size_t body) {
    size_t k = body;
    while (k > 0 && !s_.Is(k - 1, ")") && !s_.Is(k - 1, ";") && !s_.Is(k - 1, "}")) --k;
    if (k == 0 || !s_.Is(k - 1, ")")) return;
    const size_t open = s_.Mate(k - 1);
    if (open == kNone) return;
    for (size_t p = open + 1; p + 1 < k; ++p) {
      if (s_.IsWord(p)) declared_[s_.At(p)].push_back(Declared{body, body, Shape::kOther, false});
    }
  }

  // The declaration at `i`: its names recorded; the ";" or body "{" that
  // ends it, or kNone when `i` opens none.
  size_t Declaration(size_t i, size_t last, size_t scope) {
    size_t k = i;
    bool base = false, chars = false, is_void = false;
    while (k < last && s_.IsWord(k)) {
      const std::string_view w = s_.At(k);
      if (w == "struct" || w == "union" || w == "enum") {
        base = true;
        ++k;
        if (s_.IsWord(k)) ++k;
        if (s_.Is(k, "{")) {
          const size_t close = s_.Mate(k);
          if (close == kNone || close > last) return kNone;
          k = close + 1;
        }
      } else if (w == "__at" && s_.Is(k + 1, "(")) {
        const size_t close = s_.Mate(k + 1);
        if (close == kNone || close > last) return kNone;
        k = close + 1;
      } else if (kBaseTypes.count(w) != 0) {
        base = true;
        chars = chars || w == "char";
        is_void = is_void || w == "void";
        ++k;
      } else if (IsQualifier(w)) {
        ++k;
      } else if (!base && typedefs_.count(w) != 0) {
        base = true;
        const auto plain = plain_.find(w);
        if (plain != plain_.end()) {
          for (const std::string& p : plain->second) {
            chars = chars || p == "char";
            is_void = is_void || p == "void";
          }
        }
        ++k;
      } else {
        break;
      }
    }
    if (!base) return kNone;
    for (;;) {
      bool pointer = false;
      while (k < last && (s_.Is(k, "*") || (s_.IsWord(k) && IsQualifier(s_.At(k))))) {
        pointer = pointer || s_.Is(k, "*");
        ++k;
      }
      size_t name = kNone;
      Shape shape = Shape::kOther;
      int dimensions = 0;
      if (s_.Is(k, "(")) {
        const size_t close = s_.Mate(k);
        if (close == kNone || close > last) return kNone;
        for (size_t p = k + 1; p < close && name == kNone; ++p) {
          if (s_.IsWord(p) && !IsQualifier(s_.At(p))) name = p;
        }
        k = close + 1;
        if (s_.Is(k, "[")) shape = Shape::kPointerToArray;
      } else if (s_.IsWord(k)) {
        name = k++;
      }
      while (k < last && (s_.Is(k, "[") || s_.Is(k, "("))) {
        const bool array = s_.Is(k, "[");
        const size_t close = s_.Mate(k);
        if (close == kNone || close > last) return kNone;
        if (array) {
          ++dimensions;
        } else {
          dimensions = -1;  // a function
        }
        k = close + 1;
      }
      if (shape == Shape::kOther && dimensions > 0) shape = Shape::kArray;
      if (shape == Shape::kOther && dimensions == 0 && pointer && is_void) {
        shape = Shape::kVoidPointer;
      }
      // Attributes, an address, up to the initializer or the next name.
      while (k < last && !s_.Is(k, "=") && !s_.Is(k, ",") && !s_.Is(k, ";") && !s_.Is(k, "{")) {
        const size_t mate = s_.Mate(k);
        k = mate != kNone && mate > k && mate < last ? mate + 1 : k + 1;
      }
      if (name != kNone) {
        const Declared d{name, scope, shape,
                         shape == Shape::kArray && dimensions == 1 && chars && !pointer};
        declared_[s_.At(name)].push_back(d);
        if (s_.Is(k, "=")) initialized_[k] = d;
      }
      if (s_.Is(k, "=")) {
        ++k;
        while (k < last && !s_.Is(k, ",") && !s_.Is(k, ";")) {
          const size_t mate = s_.Mate(k);
          k = mate != kNone && mate > k && mate < last ? mate + 1 : k + 1;
        }
      }
      if (k >= last || !s_.Is(k, ",")) return k;
      ++k;
    }
  }

  // What `name` at token `u` names: the latest declaration in its function
  // before it, else the latest at file scope.
  const Declared* Resolve(std::string_view name, size_t u) const {
    const auto found = declared_.find(name);
    if (found == declared_.end()) return nullptr;
    const size_t scope = s_.BodyOf(u);
    const Declared* local = nullptr;
    const Declared* global = nullptr;
    for (const Declared& d : found->second) {
      if (d.at > u) continue;
      if (scope != kNone && d.scope == scope) local = &d;
      if (d.scope == kNone) global = &d;
    }
    return local != nullptr ? local : global;
  }

  // "&name" of an array, where an element pointer is wanted.
  void Address(size_t u) {
    if (u == 0) return;
    const size_t after = u + 2;
    if (s_.Is(after, "[") || s_.Is(after, ".") || s_.Is(after, "->") || s_.Is(after, "(") ||
        s_.Is(after, "++") || s_.Is(after, "--")) {
      return;
    }
    const std::string_view name = s_.At(u + 1);
    const Declared* d = Resolve(name, u);
    if (d == nullptr || d->shape != Shape::kArray) return;
    if (s_.Is(u - 1, "=")) {
      if (!WantsElements(Destination(u - 1))) return;
    } else if (s_.Is(u - 1, "(") || s_.Is(u - 1, ",")) {
      if (!ParameterWantsElements(u)) return;
    } else {
      return;
    }
    const size_t end = ExpressionEnd(u);
    if (end == u + 2) {
      s_.InsertBefore(u, "(void *)");
    } else {
      s_.InsertBefore(u, "(void *)(");
      s_.InsertAfter(end - 1, ")");
    }
    warnings_->push_back(DialectIssue{
        s_.FileOf(u), s_.token(u).line,
        "'&" + std::string(name) +
            "' points to the whole array where a pointer to its elements is wanted: taken as "
            "the same address"});
  }

  static bool WantsElements(Shape destination) {
    return destination != Shape::kPointerToArray && destination != Shape::kVoidPointer;
  }

  // What the "=" at `assign` stores into: a declared name's shape, or kOther
  // for a member, an element or a target.
  Shape Destination(size_t assign) const {
    const auto init = initialized_.find(assign);
    if (init != initialized_.end()) return init->second.shape;
    if (assign < 1 || !s_.IsWord(assign - 1)) return Shape::kOther;
    if (assign >= 2 &&
        (s_.Is(assign - 2, ".") || s_.Is(assign - 2, "->") || s_.Is(assign - 2, "*"))) {
      return Shape::kOther;
    }
    const Declared* d = Resolve(s_.At(assign - 1), assign - 1);
    return d != nullptr ? d->shape : Shape::kOther;
  }

  // An argument "&name": the function's declared parameter at that place
  // is a pointer, to neither void nor an array.
  bool ParameterWantsElements(size_t u) const {
    size_t open = u - 1;
    size_t index = 0;
    while (!s_.Is(open, "(")) {
      if (s_.Is(open, ",")) ++index;
      if (s_.Is(open, ")") || s_.Is(open, "]")) {
        open = s_.Mate(open);
        if (open == kNone) return false;
      } else if (s_.Is(open, ";") || s_.Is(open, "{") || s_.Is(open, "}")) {
        return false;
      }
      if (open == 0) return false;
      --open;
    }
    if (open == 0 || !s_.IsWord(open - 1) || s_.BodyOf(open) == kNone ||
        kNotCalls.count(s_.At(open - 1)) != 0) {
      return false;
    }
    const std::string_view callee = s_.At(open - 1);
    for (size_t c = 0; c + 1 < s_.size(); ++c) {
      if (s_.At(c) != callee || !s_.Is(c + 1, "(") || s_.BodyOf(c) != kNone) continue;
      const auto items = s_.Items(c + 1);
      if (index >= items.size()) continue;
      bool pointer = false, is_void = false;
      for (size_t p = items[index].first; p < items[index].second; ++p) {
        if (s_.Is(p, "(") || s_.Is(p, "...")) return false;
        pointer = pointer || s_.Is(p, "*") || s_.Is(p, "[");
        is_void = is_void || s_.Is(p, "void");
      }
      return pointer && !is_void;
    }
    return false;
  }

  // The token after the expression that starts at `u` (an assigned value
  // or an argument).
  size_t ExpressionEnd(size_t u) const {
    size_t k = u;
    while (k < s_.size() && !s_.Is(k, ";") && !s_.Is(k, ",") && !s_.Is(k, ")") && !s_.Is(k, "]") &&
           !s_.Is(k, "}") && !s_.Is(k, "?") && !s_.Is(k, ":")) {
      const size_t mate = s_.Mate(k);
      k = mate != kNone && mate > k ? mate + 1 : k + 1;
    }
    return k;
  }

  // "name[i] = "..."" into an array of chars.
  void StringToChar(size_t assign) {
    // An array's initializer ("char s[4] = "abc";") is a copy.
    if (assign < 2 || !s_.Is(assign - 1, "]") || initialized_.count(assign) != 0) return;
    const size_t open = s_.Mate(assign - 1);
    if (open == kNone || open == 0 || !s_.IsWord(open - 1)) return;
    const size_t name = open - 1;
    if (name > 0 && (s_.Is(name - 1, ".") || s_.Is(name - 1, "->") || s_.Is(name - 1, "]"))) {
      return;
    }
    size_t k = assign + 1;
    while (s_.IsString(k)) ++k;
    if (!s_.Is(k, ";") && !s_.Is(k, ",")) return;
    const Declared* d = Resolve(s_.At(name), name);
    if (d == nullptr || !d->char_elements) return;
    s_.InsertBefore(assign + 1, "(unsigned char)");
    warnings_->push_back(
        DialectIssue{s_.FileOf(assign), s_.token(assign).line,
                     "'" + std::string(s_.At(name)) +
                         "[...]': a string's address assigned to a char: its low byte is stored"});
  }

  DialectSource& s_;
  std::vector<DialectIssue>* warnings_;
  const std::set<std::string, std::less<>> typedefs_;
  const TypedefWords plain_;
  std::map<std::string_view, std::vector<Declared>> declared_;
  std::map<size_t, Declared> initialized_;  // the "=" of a declarator => it
};

}  // namespace

void ConvertArrayAddresses(DialectSource* source, std::vector<DialectIssue>* warnings) {
  ArrayAddresses(source, warnings).Run();
}

}  // namespace c51::sdcc
