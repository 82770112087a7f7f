#include "sdcc/compile/dialect_unsized_arrays.h"

#include <set>
#include <string_view>
#include <vector>

namespace c51::sdcc {

namespace {

constexpr size_t kNone = DialectSource::kNone;

// True when the statement [first, end) says "extern", "static" or
// "typedef", or holds anything but words, "*" and brackets.
bool LeftAlone(const DialectSource& s, size_t first, size_t end) {
  for (size_t k = first; k < end; ++k) {
    if (s.Is(k, "extern") || s.Is(k, "static") || s.Is(k, "typedef")) return true;
    if (!s.IsWord(k) && !s.Is(k, "*") && !s.Is(k, "[") && !s.Is(k, "]")) return true;
  }
  return false;
}

}  // namespace

void DeclareUnsizedArrays(DialectSource* source) {
  DialectSource& s = *source;
  // File-scope statements: [start, ";").
  struct Candidate {
    size_t start, name;
  };
  std::vector<Candidate> candidates;
  std::set<std::string_view> completed;  // names given a size or contents
  size_t start = 0;
  for (size_t k = 0; k < s.size(); ++k) {
    if (s.BodyOf(k) != kNone) {
      start = k + 1;
      continue;
    }
    // A name followed by "[" with something inside, or by "[]" and "=".
    if (s.IsWord(k) && s.Is(k + 1, "[")) {
      const size_t close = s.Mate(k + 1);
      if (close != kNone && (close > k + 2 || s.Is(close + 1, "="))) completed.insert(s.At(k));
    }
    if (s.Is(k, "{") || s.Is(k, "(")) {
      const size_t mate = s.Mate(k);
      if (mate != kNone && mate > k) k = mate;
      continue;
    }
    if (s.Is(k, "}")) {
      start = k + 1;
      continue;
    }
    if (!s.Is(k, ";")) continue;
    // "... name [ ] ;" with a type before the name.
    if (k >= start + 4 && s.Is(k - 1, "]") && s.Is(k - 2, "[") && s.IsWord(k - 3) &&
        s.User(k - 3) && !LeftAlone(s, start, k)) {
      candidates.push_back(Candidate{start, k - 3});
    }
    start = k + 1;
  }
  for (const Candidate& c : candidates) {
    if (completed.count(s.At(c.name)) == 0) s.InsertBefore(c.start, "extern ");
  }
}

}  // namespace c51::sdcc
