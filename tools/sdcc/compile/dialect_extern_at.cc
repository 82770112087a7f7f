#include "sdcc/compile/dialect_extern_at.h"

#include <map>
#include <string>

namespace c51::sdcc {
namespace {

// The name a declarator ending just before `end` declares: the word before
// any "[...]" groups; kNone when there is none.
size_t DeclaredName(const DialectSource& s, size_t end) {
  size_t k = end;
  while (k > 0 && s.Is(k - 1, "]")) {
    const size_t open = s.Mate(k - 1);
    if (open == DialectSource::kNone) return DialectSource::kNone;
    k = open;
  }
  return k > 0 && s.IsWord(k - 1) ? k - 1 : DialectSource::kNone;
}

// The first ";" or "," or "=" from `i` on, outside brackets.
size_t DeclarationStop(const DialectSource& s, size_t i) {
  for (; i < s.size(); ++i) {
    if (s.Is(i, ";") || s.Is(i, ",") || s.Is(i, "=")) return i;
    const size_t mate = s.Mate(i);
    if (mate != DialectSource::kNone && mate > i) i = mate;
  }
  return DialectSource::kNone;
}

}  // namespace

void PlaceExternDeclarations(DialectSource* source, std::vector<std::string>* sized) {
  DialectSource& s = *source;
  // Names placed at file scope, with their address as written.
  std::map<std::string, std::string, std::less<>> placed;
  for (size_t i = 0; i < s.size(); ++i) {
    if (!s.User(i) || !s.Is(i, "_at_") || s.BodyOf(i) != DialectSource::kNone) continue;
    const size_t stop = DeclarationStop(s, i + 1);
    const size_t name = DeclaredName(s, i);
    if (stop == DialectSource::kNone || stop == i + 1 || name == DialectSource::kNone) continue;
    const bool inserted = placed.emplace(std::string(s.At(name)), s.Join(i + 1, stop)).second;
    bool open_size = false;
    for (size_t k = name + 1; k + 1 < i; ++k)
      open_size = open_size || (s.Is(k, "[") && s.Is(k + 1, "]"));
    if (inserted && !open_size) sized->push_back(std::string(s.At(name)));
  }
  if (placed.empty()) return;
  for (size_t i = 0; i < s.size(); ++i) {
    if (!s.User(i) || !s.Is(i, "extern") || s.BodyOf(i) != DialectSource::kNone) continue;
    const size_t stop = DeclarationStop(s, i + 1);
    if (stop == DialectSource::kNone || !s.Is(stop, ";")) continue;  // one name only
    const size_t name = DeclaredName(s, stop);
    if (name == DialectSource::kNone || name <= i + 1) continue;
    const auto found = placed.find(s.At(name));
    if (found != placed.end()) s.InsertBefore(name, "__at(" + found->second + ") ");
    i = stop;
  }
}

}  // namespace c51::sdcc
