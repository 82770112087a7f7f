#include "sdcc/compile/dialect_qualifiers.h"

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace c51::sdcc {

namespace {

constexpr size_t kNone = DialectSource::kNone;

using Items = std::vector<std::pair<size_t, size_t>>;

struct Declarator {
  size_t open = 0;  // the parameter list's "("
  Items items;
};

// An item's tokens without "const" and without its parameter's name (the
// last word, when it names no type): what must agree for the two to be one.
std::vector<std::string> Shape(const DialectSource& s, std::pair<size_t, size_t> item,
                               const std::set<std::string, std::less<>>& typedefs) {
  std::vector<std::string> out;
  size_t last = item.second;
  if (last > item.first + 1 && s.IsWord(last - 1) && !IsTypeWord(s.At(last - 1)) &&
      typedefs.count(s.At(last - 1)) == 0) {
    --last;  // the name
  }
  for (size_t i = item.first; i < last; ++i) {
    if (!s.Is(i, "const")) out.emplace_back(SdccMemoryWord(s.At(i)));
  }
  return out;
}

size_t Consts(const DialectSource& s, std::pair<size_t, size_t> item) {
  size_t n = 0;
  for (size_t i = item.first; i < item.second; ++i) n += s.Is(i, "const") ? 1 : 0;
  return n;
}

// "char code *s": a memory word for code before the "*".
bool PointsIntoCode(const DialectSource& s, std::pair<size_t, size_t> item) {
  for (size_t i = item.first; i < item.second; ++i) {
    if (!s.Is(i, "code") && !s.Is(i, "__code")) continue;
    for (size_t k = i + 1; k < item.second; ++k) {
      if (s.Is(k, "*")) return true;
    }
  }
  return false;
}

// Each "const" once, however many prototypes repeat the function.
void DropConsts(DialectSource* s, std::pair<size_t, size_t> item, std::set<size_t>* dropped) {
  for (size_t i = item.first; i < item.second; ++i) {
    if (s->Is(i, "const") && dropped->insert(i).second) s->Replace(i, i + 1, "");
  }
}

}  // namespace

void MatchParameterQualifiers(DialectSource* source) {
  DialectSource& s = *source;
  // File-scope "name ( ... )" followed by ";" (a prototype) or a body.
  std::map<std::string, std::vector<Declarator>, std::less<>> prototypes, definitions;
  for (size_t i = 0; i + 1 < s.size(); ++i) {
    if (!s.IsWord(i) || !s.Is(i + 1, "(") || s.BodyOf(i) != kNone) continue;
    const size_t close = s.Mate(i + 1);
    if (close == kNone) continue;
    auto* list = s.Is(close + 1, ";")      ? &prototypes
                 : s.IsBodyOpen(close + 1) ? &definitions
                                           : nullptr;
    if (list != nullptr) (*list)[std::string(s.At(i))].push_back({i + 1, s.Items(i + 1)});
    i = close;
  }
  // A pointer into code memory as a parameter: sdcc turns the prototype's
  // into a pointer to const when a call passes it a string, then refuses
  // the definition that follows. Code memory cannot be written anyway, so
  // every declaration says const.
  for (const auto* list : {&prototypes, &definitions}) {
    for (const auto& [name, declarators] : *list) {
      for (const Declarator& d : declarators) {
        for (const auto& item : d.items) {
          if (Consts(s, item) == 0 && PointsIntoCode(s, item)) s.InsertBefore(item.first, "const ");
        }
      }
    }
  }
  if (prototypes.empty() || definitions.empty()) return;
  const std::set<std::string, std::less<>> typedefs = TypedefNames(s);
  std::set<size_t> dropped;  // the "const" tokens gone
  for (const auto& [name, defs] : definitions) {
    const auto protos = prototypes.find(name);
    if (protos == prototypes.end() || defs.size() != 1) continue;
    const Declarator& def = defs.front();
    for (const Declarator& proto : protos->second) {
      if (proto.items.size() != def.items.size()) continue;
      bool same = true, differ = false;
      for (size_t k = 0; k < def.items.size() && same; ++k) {
        same = Shape(s, proto.items[k], typedefs) == Shape(s, def.items[k], typedefs);
        differ = differ || Consts(s, proto.items[k]) != Consts(s, def.items[k]);
      }
      if (!same || !differ) continue;
      for (size_t k = 0; k < def.items.size(); ++k) {
        if (Consts(s, proto.items[k]) == Consts(s, def.items[k])) continue;
        // Every declaration of the parameter loses it.
        for (const Declarator& other : protos->second) {
          if (other.items.size() == def.items.size()) DropConsts(&s, other.items[k], &dropped);
        }
        DropConsts(&s, def.items[k], &dropped);
      }
    }
  }
}

}  // namespace c51::sdcc

namespace c51::sdcc {

namespace {

bool IsMemoryWord(std::string_view w) {
  return w == "code" || w == "data" || w == "idata" || w == "xdata" || w == "pdata" ||
         w == "bdata" || w == "__code" || w == "__data" || w == "__idata" || w == "__xdata" ||
         w == "__pdata" || w == "__at" || w == "_at_" || w == "sfr" || w == "sbit" ||
         w == "sfr16" || w == "bit" || w == "__bit" || w == "__sfr" || w == "__sbit";
}

// Calls `statement(first, last)` for each statement at file scope, the
// tokens before its ";" (a struct's braces inside it); function bodies are
// none.
template <typename Statement>
void ForEachFileScopeStatement(const DialectSource& s, Statement statement) {
  size_t start = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s.Is(i, "{")) {
      const size_t mate = s.Mate(i);
      if (mate == kNone) return;
      if (s.IsBodyOpen(i)) start = mate + 1;  // a function's body: no declaration of ours
      i = mate;
      continue;
    }
    if (s.Is(i, ";")) {
      statement(start, i);
      start = i + 1;
    }
  }
}

struct ObjectDeclaration {
  size_t first = 0;
  bool external = false;
  bool is_volatile = false;
};

}  // namespace

void MatchObjectQualifiers(DialectSource* source) {
  DialectSource& s = *source;
  std::map<std::string, std::vector<ObjectDeclaration>, std::less<>> objects;
  auto declaration = [&](size_t first, size_t last) {
    if (first >= last || !s.User(first)) return;
    size_t end = first;  // the declarators' end: the initializer's "="
    while (end < last && !s.Is(end, "=")) ++end;
    std::vector<size_t> consts;
    bool external = false, is_volatile = false, single = true;
    size_t name = kNone;
    for (size_t i = first; i < end; ++i) {
      const std::string_view w = s.At(i);
      if (w == "typedef" || w == "(" || w == "*" || w == "{" || IsMemoryWord(w)) return;
      if (w == "const") consts.push_back(i);
      if (w == "extern") external = true;
      if (w == "volatile") is_volatile = true;
      if (w == ",") single = false;
      if (s.IsWord(i) && name == kNone && (s.Is(i + 1, "[") || i + 1 == end)) name = i;
    }
    for (size_t c : consts) s.Replace(c, c + 1, "");
    if (single && name != kNone) {
      objects[std::string(s.At(name))].push_back({first, external, is_volatile});
    }
  };
  ForEachFileScopeStatement(s, declaration);
  for (const auto& [name, list] : objects) {
    bool any_extern = false, any_definition = false, any_volatile = false;
    for (const ObjectDeclaration& d : list) {
      any_extern = any_extern || d.external;
      any_definition = any_definition || !d.external;
      any_volatile = any_volatile || d.is_volatile;
    }
    if (!any_extern || !any_definition || !any_volatile) continue;
    for (const ObjectDeclaration& d : list) {
      if (!d.is_volatile) s.InsertBefore(d.first, "volatile ");
    }
  }
}

void MatchDefaultMemoryTypes(DialectSource* source, std::string_view model) {
  DialectSource& s = *source;
  const std::string_view own = model == "LARGE" ? "xdata" : (model == "COMPACT" ? "pdata" : "data");
  struct Seen {
    size_t insert_at = 0;  // where a declaration without a memory type gets one
    std::string memory;    // "" none, else the word without "__"
  };
  std::map<std::string, std::vector<Seen>, std::less<>> objects;
  auto declaration = [&](size_t first, size_t last) {
    if (first >= last || !s.User(first)) return;
    std::string memory;
    size_t insert_at = first;
    bool leading = true;
    std::vector<std::string> names;
    int depth = 0;
    bool in_value = false;
    for (size_t i = first; i < last; ++i) {
      std::string_view w = s.At(i);
      if (w == "typedef" || w == "(" || w == "*" || w == "sfr" || w == "sfr16" || w == "sbit" ||
          w == "bit" || w == "__bit" || w == "bdata" || w == "_at_" || w == "__at") {
        return;
      }
      if (leading && (w == "extern" || w == "static" || w == "volatile" || w == "const")) {
        insert_at = i + 1;
        continue;
      }
      leading = false;
      if (w.substr(0, 2) == "__") w.remove_prefix(2);
      if (w == "data" || w == "idata" || w == "xdata" || w == "pdata" || w == "code") {
        memory = std::string(w);
        continue;
      }
      if (s.Is(i, "{") || s.Is(i, "[")) ++depth;
      if (s.Is(i, "}") || s.Is(i, "]")) --depth;
      if (depth != 0) continue;
      if (s.Is(i, "=")) in_value = true;
      if (s.Is(i, ",")) in_value = false;
      if (!in_value && s.IsWord(i) &&
          (i + 1 == last || s.Is(i + 1, ",") || s.Is(i + 1, "[") || s.Is(i + 1, "="))) {
        names.emplace_back(s.At(i));
      }
    }
    for (const std::string& name : names) objects[name].push_back({insert_at, memory});
  };
  ForEachFileScopeStatement(s, declaration);
  std::set<size_t> given;
  for (const auto& [name, list] : objects) {
    bool none = false, model_own = false;
    for (const Seen& d : list) {
      none = none || d.memory.empty();
      model_own = model_own || d.memory == own;
    }
    if (!none || !model_own) continue;
    for (const Seen& d : list) {
      if (d.memory.empty() && given.insert(d.insert_at).second) {
        s.InsertBefore(d.insert_at, "__" + std::string(own) + " ");
      }
    }
  }
}

}  // namespace c51::sdcc
