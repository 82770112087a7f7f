#include "options/memory_layout.h"

#include <algorithm>

#include "options/cpu_text.h"
#include "options/option_text.h"
#include "project/config_keys.h"

namespace c51 {

namespace {

constexpr int64_t kHighestAddress = 0xFFFF;

int64_t ClampAddress(int64_t address) {
  return address < 0 || address > kHighestAddress ? 0 : address;
}

bool Touches(const AddressRange& a, const AddressRange& b) {
  return b.start <= a.last + 1 && a.start <= b.last + 1;
}

// Merges one pair; true when something changed.
bool MergeOnePair(std::vector<AddressRange>* ranges) {
  for (size_t i = 0; i < ranges->size(); ++i) {
    for (size_t j = i + 1; j < ranges->size(); ++j) {
      AddressRange& earlier = (*ranges)[i];
      const AddressRange& later = (*ranges)[j];
      if (!Touches(earlier, later)) continue;
      earlier.start = std::min(earlier.start, later.start);
      earlier.last = std::max(earlier.last, later.last);
      ranges->erase(ranges->begin() + static_cast<std::ptrdiff_t>(j));
      return true;
    }
  }
  return false;
}

// The candidate ranges of one memory space.
std::vector<AddressRange> Candidates(bool use_on_chip, std::string_view cpu,
                                     std::string_view on_chip_key, const std::string& off_chip) {
  std::vector<AddressRange> ranges;
  AddressRange on_chip;
  if (use_on_chip && ReadCpuRange(cpu, on_chip_key, &on_chip.start, &on_chip.last)) {
    ranges.push_back(on_chip);
  }
  MemoryRanges stored{};
  ParseMemoryRanges(off_chip.c_str(), &stored);
  for (const MemoryRange& range : stored) {
    const int64_t start = range.start;
    ranges.push_back({start, start + static_cast<int64_t>(range.size) - 1});
  }
  return ranges;
}

}  // namespace

std::vector<AddressRange> MergeAddressRanges(std::vector<AddressRange> ranges) {
  for (AddressRange& range : ranges) {
    range.start = ClampAddress(range.start);
    range.last = ClampAddress(range.last);
    if (range.last < range.start) range = AddressRange();
  }
  // An unused range (last address 0) is never merged: 0-0 would
  // otherwise touch a range starting at 0 or 1 and pull its start down.
  ranges.erase(std::remove_if(ranges.begin(), ranges.end(),
                              [](const AddressRange& range) { return range.last == 0; }),
               ranges.end());
  while (MergeOnePair(&ranges)) {
  }
  return ranges;
}

std::string FormatAddressRanges(const std::vector<AddressRange>& ranges) {
  std::string text;
  for (const AddressRange& range : ranges) {
    if (!text.empty()) text += ',';
    text += "0x" + FormatHex4(static_cast<uint32_t>(range.start)) + "-0x" +
            FormatHex4(static_cast<uint32_t>(range.last));
  }
  return text;
}

MemoryLayout ComputeMemoryLayout(const TargetRecord& target, std::string_view cpu) {
  MemoryLayout layout;
  layout.code = FormatAddressRanges(MergeAddressRanges(
      Candidates((target.t51_flags & kT51OnChipRom) != 0, cpu, "IROM", target.ocm51)));
  layout.xdata = FormatAddressRanges(MergeAddressRanges(
      Candidates((target.t51_flags & kT51OnChipXram) != 0, cpu, "XRAM", target.ocr51)));
  return layout;
}

}  // namespace c51
