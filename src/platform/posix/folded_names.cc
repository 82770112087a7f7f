#include "platform/posix/folded_names.h"
#include "platform/ascii_case.h"

#include <functional>

namespace c51::posix {
namespace {

constexpr uint64_t kHighHalf = 0xFFFFFFFF00000000u;

uint64_t HashOf(std::string_view text) {
  return std::hash<std::string_view>{}(text);
}

}  // namespace

size_t FoldedNames::Probe(std::string_view lower, uint64_t hash) const {
  const size_t mask = slots_.size() - 1;
  for (size_t i = hash & mask;; i = (i + 1) & mask) {
    const uint64_t slot = slots_[i];
    if (slot == 0) return i;
    // The hash's high half tells most other names apart without a look at
    // their entry.
    if ((slot & kHighHalf) == (hash & kHighHalf) &&
        entries_[(slot & ~kHighHalf) - 1].lower == lower) {
      return i;
    }
  }
}

void FoldedNames::Grow() {
  std::vector<uint64_t> old;
  old.swap(slots_);
  slots_.assign(old.empty() ? 16 : old.size() * 2, 0);
  const size_t mask = slots_.size() - 1;
  for (uint64_t slot : old) {
    if (slot == 0) continue;
    const uint64_t hash = HashOf(entries_[(slot & ~kHighHalf) - 1].lower);
    size_t i = hash & mask;
    while (slots_[i] != 0) i = (i + 1) & mask;
    slots_[i] = slot;
  }
}

void FoldedNames::Add(std::string_view name) {
  if ((entries_.size() + 1) * 2 > slots_.size()) Grow();
  std::string lower = ToLowerAscii(name);
  const uint64_t hash = HashOf(lower);
  const size_t i = Probe(lower, hash);
  if (slots_[i] != 0) {
    Entry& entry = entries_[(slots_[i] & ~kHighHalf) - 1];
    entry.several = true;
    if (name < entry.first) entry.first = name;
    return;
  }
  entries_.push_back(Entry{std::move(lower), std::string(name), false});
  slots_[i] = (hash & kHighHalf) | entries_.size();
}

const FoldedNames::Entry* FoldedNames::Find(std::string_view lower) const {
  if (slots_.empty()) return nullptr;
  const uint64_t slot = slots_[Probe(lower, HashOf(lower))];
  return slot == 0 ? nullptr : &entries_[(slot & ~kHighHalf) - 1];
}

}  // namespace c51::posix
