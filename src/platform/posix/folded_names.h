// One folder's names by their spelling in lower case, for finding a name
// written in another letter case. A flat table: a build looks up one name
// per stat, and a lookup in a node-based map cost three cache misses on a
// folder of thousands of names; here it costs a slot and an entry.
// Private to the POSIX platform files.
#ifndef C51_PLATFORM_POSIX_FOLDED_NAMES_H_
#define C51_PLATFORM_POSIX_FOLDED_NAMES_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace c51::posix {

class FoldedNames {
 public:
  struct Entry {
    std::string lower;  // the name with ASCII letters in lower case
    std::string first;  // of the names on disk that fold to it, the first in byte order
    bool several = false;
  };

  // Adds a name as the folder holds it.
  void Add(std::string_view name);
  // The entry for `lower` (already in lower case); null when no name
  // folds to it.
  const Entry* Find(std::string_view lower) const;
  size_t size() const { return entries_.size(); }

 private:
  // Where `lower` (whose hash is `hash`) is or would go in `slots_`.
  size_t Probe(std::string_view lower, uint64_t hash) const;
  void Grow();

  std::vector<Entry> entries_;
  // The high half of an entry's hash and its index + 1; 0: free. Kept at
  // most half full, its size a power of two.
  std::vector<uint64_t> slots_;
};

}  // namespace c51::posix

#endif  // C51_PLATFORM_POSIX_FOLDED_NAMES_H_
