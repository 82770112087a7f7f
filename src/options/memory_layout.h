// The CODE and XDATA ranges the linker locate page takes from the target's
// memory layout: the on-chip range from the device description and the
// three off-chip ranges of the target record, merged.
#ifndef C51_OPTIONS_MEMORY_LAYOUT_H_
#define C51_OPTIONS_MEMORY_LAYOUT_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace c51 {

struct TargetRecord;

// First and last address, both inclusive.
struct AddressRange {
  int64_t start = 0;
  int64_t last = 0;
};

// An address outside 0..0xFFFF becomes 0 and a range ending before it
// starts becomes 0-0; ranges whose last address is then 0 are unused and
// dropped. Ranges that overlap or touch (one starts at most one address
// after the other's last) merge into the earlier one's place, repeatedly,
// until none do.
//   {0-0xFFF, 0x1000-0x1FFF} => {0-0x1FFF};  {0x100-0x1FF, 0-0} => {0x100-0x1FF}
std::vector<AddressRange> MergeAddressRanges(std::vector<AddressRange> ranges);

// "0x%04X-0x%04X" per range, joined by ",":  {0-0x1FFF} => "0x0000-0x1FFF"
std::string FormatAddressRanges(const std::vector<AddressRange>& ranges);

struct MemoryLayout {
  std::string code;   // for "LX51COB"
  std::string xdata;  // for "LX51XDB"
};

// CODE: the device's IROM range when "T51FL" has the on-chip ROM bit, then
// the "OCM51" ranges. XDATA: the XRAM range when "T51FL" has the on-chip
// XRAM bit, then the "OCR51" ranges.
MemoryLayout ComputeMemoryLayout(const TargetRecord& target, std::string_view cpu);

}  // namespace c51

#endif  // C51_OPTIONS_MEMORY_LAYOUT_H_
