#include "build/stamp_prefetch.h"

#include <algorithm>
#include <system_error>

namespace c51 {

StampPrefetch::StampPrefetch(std::vector<LoggedRecord> objects) {
  if (objects.size() < kMinimumObjects || std::thread::hardware_concurrency() < 2) return;
  count_ = objects.size();
  entries_ = std::make_unique<Entry[]>(count_);
  index_.reserve(count_);
  for (size_t i = 0; i < count_; ++i) {
    entries_[i].path = objects[i].first;
    index_.emplace_back(objects[i].second, static_cast<uint32_t>(i));
  }
  std::sort(index_.begin(), index_.end());
  // Without a thread every answer comes from the disk, as without this.
  try {
    thread_ = std::thread([this] { Run(); });
  } catch (const std::system_error&) {
    valid_ = false;
  }
}

StampPrefetch::~StampPrefetch() {
  Stop();
}

void StampPrefetch::Run() {
  for (size_t i = 0; i < count_ && !stop_.load(std::memory_order_relaxed); ++i) {
    Entry& entry = entries_[i];
    uint8_t expected = kNotAsked;
    // The walk may have come to it first.
    if (!entry.state.compare_exchange_strong(expected, kAsking, std::memory_order_acquire)) {
      continue;
    }
    entry.stamp = c51::StampOf(*entry.path);
    entry.state.store(kAsked, std::memory_order_release);
  }
}

void StampPrefetch::Stop() {
  stop_.store(true, std::memory_order_relaxed);
  if (thread_.joinable()) thread_.join();
}

void StampPrefetch::Invalidate() {
  valid_ = false;
  Stop();
}

StampPrefetch::Entry* StampPrefetch::Find(const ObjectRecord* record) {
  auto found = std::lower_bound(index_.begin(), index_.end(),
                                std::pair<const ObjectRecord*, uint32_t>(record, 0));
  if (found == index_.end() || found->first != record) return nullptr;
  return &entries_[found->second];
}

FileStamp StampPrefetch::StampOf(const ObjectRecord* record, const std::string& object) {
  Entry* entry = valid_ && record != nullptr ? Find(record) : nullptr;
  // Only an entry for this very path answers for it.
  if (entry == nullptr || *entry->path != object) return c51::StampOf(object);
  uint8_t expected = kNotAsked;
  if (entry->state.compare_exchange_strong(expected, kAsking, std::memory_order_acquire)) {
    // First here: the thread will pass it by.
    return c51::StampOf(object);
  }
  // Being asked right now: asking again costs no more than waiting.
  if (expected == kAsking) return c51::StampOf(object);
  return entry->stamp;
}

}  // namespace c51
