// The element table of a markup document: one fixed-size record per
// element, addressed by index, stored in segments so that growing never
// moves more than the last, partly filled segment.
#ifndef C51_MARKUP_ELEM_TABLE_H_
#define C51_MARKUP_ELEM_TABLE_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace c51 {

// Bits of ElemSpan::flags_level above the level.
enum : uint32_t {
  kElemLevelMask = 0xFFFF,      // nesting level: top-level elements 0
  kElemEmptyTag = 0x10000,      // written as an empty-element tag ("/>")
  kElemFirstChild = 0x80000,    // first child of its parent
  kElemNoEndTag = 0x100000,     // closed implicitly by the parser
  kElemBadContent = 0x200000,   // badly formed content somewhere below
  kElemBadlyFormed = 0x800000,  // this element (record 0: the document) is badly formed
};

// Largest tag lengths the packed field holds; longer tags are stored clamped.
constexpr uint32_t kMaxStartTagLength = (1u << 22) - 1;  // 4 MiB - 1
constexpr uint32_t kMaxEndTagLength = (1u << 10) - 1;    // 1023

// One element. Offsets are bytes into the document text. Index 0 is the
// document itself.
struct ElemSpan {
  int32_t start;         // offset of the start tag's "<"
  int32_t length;        // through the end tag's ">" (or the start tag alone)
  uint32_t tag_lengths;  // start-tag length in the low 22 bits, end-tag length in the high 10
  uint32_t flags_level;  // level in the low 16 bits, kElem... flags above
  int32_t parent;        // 0 for top-level elements
  int32_t first_child;   // 0 if none
  int32_t next;          // next sibling, 0 for the last
  int32_t prev;          // previous sibling; the first child holds the last sibling (itself
                         // when it is the only child), so appending needs no walk

  int start_tag_length() const { return static_cast<int>(tag_lengths & kMaxStartTagLength); }
  int end_tag_length() const { return static_cast<int>(tag_lengths >> 22); }
  int level() const { return static_cast<int>(flags_level & kElemLevelMask); }
  void set_tag_lengths(size_t start_tag, size_t end_tag) {
    uint32_t s =
        start_tag > kMaxStartTagLength ? kMaxStartTagLength : static_cast<uint32_t>(start_tag);
    uint32_t e = end_tag > kMaxEndTagLength ? kMaxEndTagLength : static_cast<uint32_t>(end_tag);
    tag_lengths = s | (e << 22);
  }
};
static_assert(sizeof(ElemSpan) == 32, "eight 32-bit words");

class ElemTable {
 public:
  static constexpr int kSegmentBits = 16;
  static constexpr size_t kSegmentRecords = size_t{1} << kSegmentBits;  // 2 MiB of records

  // Drops every record and makes room for `count` records.
  void Reset(size_t count);
  // Makes room for `count` records, keeping the first `used` ones.
  void Reserve(size_t count, size_t used);

  // Records that fit without growing; 0 before the first Reset.
  size_t reserved() const { return reserved_; }
  // Bytes held by records and the segment pointers.
  size_t allocated_bytes() const;

  ElemSpan& operator[](int index) {
    return segments_[static_cast<size_t>(index) >> kSegmentBits]
                    [static_cast<size_t>(index) & (kSegmentRecords - 1)];
  }
  const ElemSpan& operator[](int index) const {
    return segments_[static_cast<size_t>(index) >> kSegmentBits]
                    [static_cast<size_t>(index) & (kSegmentRecords - 1)];
  }

 private:
  // Records [k * kSegmentRecords, ...) live in segments_[k]. Every segment
  // but the last is full size; the last holds only what is reserved, so a
  // small document does not pay for 2 MiB.
  std::vector<std::unique_ptr<ElemSpan[]>> segments_;
  size_t last_segment_records_ = 0;
  size_t reserved_ = 0;
};

}  // namespace c51

#endif  // C51_MARKUP_ELEM_TABLE_H_
