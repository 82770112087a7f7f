#include "settings/pages/target_page.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <vector>

#include "options/option_inputs.h"
#include "options/option_text.h"
#include "plugin/state.h"
#include "project/config_keys.h"
#include "project/node.h"
#include "settings/input_messages.h"

namespace c51::settings {

namespace {

constexpr uint32_t kHighestAddress = 0xFFFF;
constexpr uint64_t kAddressSpace = 0x10000;
// The clocks a device's "CLOCK" entry (hertz in an int) can give, in MHz.
// "%f" keeps them to the hertz, so they read back as they were stored.
constexpr double kHighestCrystal = INT_MAX / 1000000.0;

// "0x%x": lower-case digits, no padding.
std::string FormatLowerHex(uint32_t value) {
  static const char kHex[] = "0123456789abcdef";
  std::string digits;
  do {
    digits.insert(digits.begin(), kHex[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  return "0x" + digits;
}

// Vendor, one blank, device name; empty without a device.
std::string DeviceTitle(const DeviceRecord* device) {
  if (device == nullptr) return std::string();
  std::string title = device->vendor != nullptr ? device->vendor : "";
  title += ' ';
  title += device->device != nullptr ? device->device : "";
  return title;
}

// The feature text from `from` up to and including the next ")", or to
// the end when no ")" follows:  ("IROM(0-0xFFFF) X", 1) => "ROM(0-0xFFFF)"
std::string FeatureText(const std::string& cpu, size_t from) {
  size_t close = cpu.find(')', from);
  return close == std::string::npos ? cpu.substr(from) : cpu.substr(from, close - from + 1);
}

// The fields of "CodeBank" between its commas; the text after the last
// comma is not a field.
std::vector<std::string> CommaFields(const std::string& text) {
  std::vector<std::string> fields;
  size_t begin = 0;
  for (size_t comma; (comma = text.find(',', begin)) != std::string::npos; begin = comma + 1) {
    fields.push_back(text.substr(begin, comma - begin));
  }
  return fields;
}

// One off-chip range as typed and as converted.
struct TypedRange {
  std::string start_text;
  uint32_t start = 0;
  uint32_t size = 0;
};

using TypedRanges = std::array<TypedRange, 3>;

TypedRanges ReadRanges(const DialogControls& c, const int* start_ids, const int* size_ids) {
  TypedRanges ranges;
  for (int r = 0; r < 3; ++r) {
    ranges[r].start_text = c.GetText(start_ids[r]);
    ranges[r].start = ParseTypedUnsigned(ranges[r].start_text);
    ranges[r].size = ParseTypedUnsigned(c.GetText(size_ids[r]));
  }
  return ranges;
}

// The message for the first range that fails, or empty: every start is
// checked before any range. The sum is taken in 64 bits, so a huge size
// cannot wrap round to a small end.
std::string CheckRanges(const TypedRanges& ranges, MessageId bad_start, MessageId out_of_range,
                        Language language) {
  for (const TypedRange& range : ranges) {
    if (range.start > kHighestAddress) return MessageText(bad_start, language) + range.start_text;
  }
  for (const TypedRange& range : ranges) {
    const uint64_t end = static_cast<uint64_t>(range.start) + range.size;
    if (end > kAddressSpace || (range.start != 0 && range.size == 0)) {
      return MessageText(out_of_range, language);
    }
  }
  return std::string();
}

MemoryRanges ToMemoryRanges(const TypedRanges& typed) {
  MemoryRanges ranges{};
  for (int r = 0; r < 3; ++r) ranges[r] = {typed[r].start, typed[r].size};
  return ranges;
}

// The message for a crystal text that converts to no clock of the range
// (NaN and infinities included, which would also never compare equal to
// what they were loaded as), or empty.
std::string CheckCrystal(const std::string& text, double clock, Language language) {
  if (std::isfinite(clock) && clock >= 0.0 && clock <= kHighestCrystal) return std::string();
  return InputMessageText(InputMessage::kInvalidCrystal, language) + text;
}

// "CodeBank" keeps the bank area texts between commas: one with a comma
// would read back as other fields, and the banking as off.
std::string CheckBankArea(const std::string& start, const std::string& end, Language language) {
  for (const std::string* text : {&start, &end}) {
    if (text->find(',') != std::string::npos) {
      return InputMessageText(InputMessage::kCommaInBankArea, language) + *text;
    }
  }
  return std::string();
}

int CheckState(bool on) {
  return on ? kChecked : kUnchecked;
}

}  // namespace

uint32_t ParseTypedUnsigned(const std::string& text) {
  // ParseAutoBase saturates at kNumberLimit (0xFFFFFFFF), the value the
  // C library gives for an overflow of a 32-bit unsigned long.
  const int64_t value = ParseAutoBase(text);
  if (value < 0 || value > kNumberLimit) return static_cast<uint32_t>(kNumberLimit);
  return static_cast<uint32_t>(value);
}

TargetRecord& CTargetPage::target() const {
  return session_->state->target;
}

bool CTargetPage::OnInitDialog() {
  DialogControls& c = controls();
  const TargetRecord& t = target();
  c.SetSelection(IDC_TARGET_MEMORY_MODEL, t.mem_mode);
  c.SetSelection(IDC_TARGET_CODE_ROM_SIZE, t.code_mode);
  c.SetSelection(IDC_TARGET_OPERATING_SYSTEM, t.rtos);
  RefreshDevice();
  LoadRanges(t.ocm51, kIdCodeStart, kIdCodeSize);
  LoadRanges(t.ocr51, kIdXdataStart, kIdXdataSize);
  LoadBanking(t.code_bank);
  return true;
}

const DeviceRecord* CTargetPage::device() const {
  return device_ != nullptr ? device_ : session_->state->context.device;
}

void CTargetPage::RefreshDevice() {
  if (!HasWindow()) return;
  SetModified();
  DialogControls& c = controls();
  const TargetRecord& t = target();
  const DeviceRecord* shown = device();
  c.UpdateText(IDC_TARGET_XTAL, FormatDouble(t.clock));
  c.UpdateText(IDC_TARGET_DEVICE, DeviceTitle(shown));

  const std::string cpu = DeviceCpuText(shown);
  const std::string lead = MessageText(MessageId::kUseOnChip, language());
  // The ROM caption starts after the "I" of "IROM"; the XRAM one at "XRAM".
  const size_t irom = cpu.find("IROM");
  if (irom != std::string::npos) {
    c.Enable(IDC_TARGET_ON_CHIP_ROM, true);
    c.SetCheck(IDC_TARGET_ON_CHIP_ROM, CheckState((t.t51_flags & kT51OnChipRom) != 0));
    c.SetText(IDC_TARGET_ON_CHIP_ROM, lead + FeatureText(cpu, irom + 1));
  } else {
    c.SetCheck(IDC_TARGET_ON_CHIP_ROM, kUnchecked);
    c.Enable(IDC_TARGET_ON_CHIP_ROM, false);
  }
  const size_t xram = cpu.find("XRAM");
  if (xram != std::string::npos) {
    c.Enable(IDC_TARGET_ON_CHIP_XRAM, true);
    c.SetCheck(IDC_TARGET_ON_CHIP_XRAM, CheckState((t.t51_flags & kT51OnChipXram) != 0));
    c.SetText(IDC_TARGET_ON_CHIP_XRAM, lead + FeatureText(cpu, xram));
  } else {
    c.SetCheck(IDC_TARGET_ON_CHIP_XRAM, kUnchecked);
    c.Enable(IDC_TARGET_ON_CHIP_XRAM, false);
  }
  const bool dual_pointer =
      cpu.find("MODDP2") != std::string::npos || cpu.find("MODP2") != std::string::npos;
  c.SetCheck(IDC_TARGET_MULTIPLE_DPTR,
             CheckState(dual_pointer && (t.t51_flags & kT51MultipleDptr) != 0));
  c.Enable(IDC_TARGET_MULTIPLE_DPTR, dual_pointer);
}

void CTargetPage::LoadRanges(const std::string& text, const int* start_ids, const int* size_ids) {
  DialogControls& c = controls();
  MemoryRanges ranges{};
  // A text without "{", "," and "}" holds no ranges.
  ParseMemoryRanges(text.c_str(), &ranges);
  for (int r = 0; r < 3; ++r) {
    // Two bytes of the start and three of the size are read back: the
    // layout never holds more, whatever else a hand-edited text carries.
    const uint32_t start = ranges[r].start & 0xFFFF;
    const uint32_t size = ranges[r].size & 0xFFFFFF;
    if (size == 0) continue;
    c.UpdateText(start_ids[r], FormatLowerHex(start));
    c.UpdateText(size_ids[r], FormatLowerHex(size));
  }
}

void CTargetPage::EnableBankControls(bool enabled) {
  DialogControls& c = controls();
  c.Enable(IDC_TARGET_BANK_COUNT, enabled);
  c.Enable(IDC_TARGET_BANK_START, enabled);
  c.Enable(IDC_TARGET_BANK_END, enabled);
}

void CTargetPage::LoadBanking(const std::string& code_bank) {
  DialogControls& c = controls();
  c.SetSelection(IDC_TARGET_BANK_COUNT, 0);
  c.UpdateText(IDC_TARGET_BANK_START, "0x0000");
  c.UpdateText(IDC_TARGET_BANK_END, "0xFFFF");
  EnableBankControls(false);
  if (std::count(code_bank.begin(), code_bank.end(), ',') != 4) return;
  const std::vector<std::string> fields = CommaFields(code_bank);
  const bool on = fields[0] != "0";
  c.SetCheck(IDC_TARGET_CODE_BANKING, CheckState(on));
  EnableBankControls(on);
  int index = 0;  // "2" unless the count is one of the list's
  for (int i = 0; i < c.GetItemCount(IDC_TARGET_BANK_COUNT); ++i) {
    if (c.GetItemText(IDC_TARGET_BANK_COUNT, i) == fields[1]) index = i;
  }
  c.SetSelection(IDC_TARGET_BANK_COUNT, index);
  c.UpdateText(IDC_TARGET_BANK_START, fields[2]);
  c.UpdateText(IDC_TARGET_BANK_END, fields[3]);
}

bool CTargetPage::Store() {
  const DialogControls& c = controls();
  TargetRecord& t = target();
  // A list without a selection keeps the stored value rather than storing
  // "no selection" (-1) as a model.
  auto store_index = [&c](int id, int* value) {
    const int index = c.GetSelection(id);
    if (index >= 0) *value = index;
  };
  store_index(IDC_TARGET_MEMORY_MODEL, &t.mem_mode);
  store_index(IDC_TARGET_CODE_ROM_SIZE, &t.code_mode);
  store_index(IDC_TARGET_OPERATING_SYSTEM, &t.rtos);

  const TypedRanges code = ReadRanges(c, kIdCodeStart, kIdCodeSize);
  const TypedRanges xdata = ReadRanges(c, kIdXdataStart, kIdXdataSize);
  std::string problem = CheckRanges(code, MessageId::kInvalidInterruptVector,
                                    MessageId::kProgramMemoryOutOfRange, language());
  if (problem.empty()) {
    problem = CheckRanges(xdata, MessageId::kInvalidStartAddress, MessageId::kXdataOutOfRange,
                          language());
  }
  const std::string crystal_text = c.GetText(IDC_TARGET_XTAL);
  const double clock = ParseDouble(crystal_text.c_str());
  if (problem.empty()) problem = CheckCrystal(crystal_text, clock, language());
  const std::string bank_start = c.GetText(IDC_TARGET_BANK_START);
  const std::string bank_end = c.GetText(IDC_TARGET_BANK_END);
  if (problem.empty()) problem = CheckBankArea(bank_start, bank_end, language());
  if (!problem.empty()) {
    MessageBox(problem, MessageIcon::kNone, MessageButtons::kOk);
    return false;
  }

  t.ocm51 = FormatMemoryRanges(ToMemoryRanges(code));
  t.ocr51 = FormatMemoryRanges(ToMemoryRanges(xdata));
  t.code_bank = FormatCodeBank(c.GetCheck(IDC_TARGET_CODE_BANKING) == kChecked ? 1 : 0,
                               c.GetText(IDC_TARGET_BANK_COUNT), bank_start, bank_end);
  t.t51_flags = (c.GetCheck(IDC_TARGET_ON_CHIP_ROM) == kChecked ? kT51OnChipRom : 0) |
                (c.GetCheck(IDC_TARGET_MULTIPLE_DPTR) == kChecked ? kT51MultipleDptr : 0) |
                (c.GetCheck(IDC_TARGET_ON_CHIP_XRAM) == kChecked ? kT51OnChipXram : 0);
  t.clock = clock;
  return true;
}

bool CTargetPage::OnKillActive() {
  return Store();
}

bool CTargetPage::OnApply() {
  ProjectNode* node = bound_node();
  if (node != nullptr && store_flag() != 0) {
    const TargetRecord& t = target();
    if (session_->state->host != nullptr) WriteTargetRecord(session_->state->host, node, t);
    if (session_->clock != nullptr) *session_->clock = t.clock;
  }
  return true;
}

void CTargetPage::OnDefault() {
  DialogControls& c = controls();
  c.SetCheck(IDC_TARGET_MULTIPLE_DPTR, kUnchecked);
  c.SetCheck(IDC_TARGET_ON_CHIP_ROM, kUnchecked);
  c.SetCheck(IDC_TARGET_ON_CHIP_XRAM, kUnchecked);
  c.UpdateText(IDC_TARGET_XTAL, FormatDouble(target().clock));
  c.SetSelection(IDC_TARGET_MEMORY_MODEL, 0);   // "Small: variables in DATA"
  c.SetSelection(IDC_TARGET_CODE_ROM_SIZE, 2);  // "Large:  64K program"
  SetModified();
}

void CTargetPage::OnControl(int id, Notification code) {
  if (id == IDC_TARGET_CODE_BANKING && code == Notification::kClicked) {
    EnableBankControls(controls().GetCheck(IDC_TARGET_CODE_BANKING) == kChecked);
  }
  SetModified();
}

}  // namespace c51::settings
