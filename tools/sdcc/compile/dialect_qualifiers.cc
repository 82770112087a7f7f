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
