#include "markup/elem_table.h"

#include <algorithm>
#include <cstring>

namespace c51 {

void ElemTable::Reset(size_t count) {
  segments_.clear();
  last_segment_records_ = 0;
  reserved_ = 0;
  Reserve(count, 0);
}

void ElemTable::Reserve(size_t count, size_t used) {
  if (count <= reserved_) return;
  size_t segments_needed = (count + kSegmentRecords - 1) / kSegmentRecords;
  // Fill up a partly allocated last segment first; its records move once.
  if (!segments_.empty() && last_segment_records_ < kSegmentRecords) {
    size_t base = (segments_.size() - 1) * kSegmentRecords;
    size_t want = std::min(kSegmentRecords, count - base);
    // Records are left uninitialised: the parser writes every field of a
    // record when it allocates it, so fresh pages stay untouched.
    std::unique_ptr<ElemSpan[]> grown(new ElemSpan[want]);
    size_t keep = used > base ? std::min(used - base, last_segment_records_) : 0;
    if (keep) std::memcpy(grown.get(), segments_.back().get(), keep * sizeof(ElemSpan));
    segments_.back() = std::move(grown);
    last_segment_records_ = want;
  }
  while (segments_.size() < segments_needed) {
    if (segments_.size() == segments_.capacity()) segments_.reserve(2 * segments_.size() + 4);
    size_t base = segments_.size() * kSegmentRecords;
    size_t want = std::min(kSegmentRecords, count - base);
    segments_.emplace_back(new ElemSpan[want]);
    last_segment_records_ = want;
  }
  reserved_ =
      segments_.empty() ? 0 : (segments_.size() - 1) * kSegmentRecords + last_segment_records_;
}

size_t ElemTable::allocated_bytes() const {
  return reserved_ * sizeof(ElemSpan) + segments_.capacity() * sizeof(segments_[0]);
}

}  // namespace c51
