// The "Target" page of the project settings (template 163): the selected
// device, crystal, memory and code models, RTOS, on-chip memory switches,
// three off-chip code and three off-chip xdata ranges, and code banking.
// It works on the plug-in's target record (PluginState::target), checks the
// ranges when it is left and writes the eight target keys on Apply.
#ifndef C51_SETTINGS_PAGES_TARGET_PAGE_H_
#define C51_SETTINGS_PAGES_TARGET_PAGE_H_

#include <cstdint>
#include <string>

#include "project/device_record.h"
#include "settings/ardel_page.h"
#include "settings/settings_records.h"

namespace c51::settings {

constexpr int kTargetPageTemplate = 163;

// Control ids of the Target page.
constexpr int kIdTargetDevice = 1242;  // static: vendor and device name
constexpr int kIdXtal = 1563;
constexpr int kIdMemoryModel = 1564;
constexpr int kIdCodeRomSize = 1565;
constexpr int kIdOperatingSystem = 1038;
constexpr int kIdOnChipRom = 1196;
constexpr int kIdMultipleDptr = 1195;
constexpr int kIdOnChipXram = 1197;
constexpr int kIdCodeBanking = 1000;
constexpr int kIdBankCount = 1001;
constexpr int kIdBankStart = 1002;
constexpr int kIdBankEnd = 1003;
// Start and size edits of the three off-chip ranges of each space.
inline constexpr int kIdCodeStart[3] = {1011, 1573, 1574};
inline constexpr int kIdCodeSize[3] = {1012, 1013, 1014};
inline constexpr int kIdXdataStart[3] = {1016, 1578, 1579};
inline constexpr int kIdXdataSize[3] = {1017, 1018, 1019};

// A typed address or size as the C library's unsigned base-0 conversion
// reads it ("0x" hexadecimal, leading "0" octal, else decimal; leading
// blanks; empty or no digits: 0), except that nothing wraps: a value past
// 0xFFFFFFFF and any negative value other than 0 give 0xFFFFFFFF, so a
// typed "-1" can never pass a range check as a small number.
//   "0x8000" => 0x8000;  "010" => 8;  "" => 0;  "-1" => 0xFFFFFFFF;  "-0" => 0
uint32_t ParseTypedUnsigned(const std::string& text);

class CTargetPage : public CArdelPage {
 public:
  explicit CTargetPage(SettingsSession* session)
      : CArdelPage(kTargetPageTemplate), session_(session) {}

  DialogTemplate Template(Language language) const override;

  bool OnInitDialog() override;
  bool OnKillActive() override;
  bool OnApply() override;
  void OnDefault() override;
  void OnControl(int id, Notification code) override;

  // Shows the crystal and the device again and sets the on-chip and DPTR
  // boxes by what the selected device offers. The Device page calls it
  // after a new device was chosen; nothing happens before the page's
  // controls exist.
  void RefreshDevice();
  // The device the page shows: the one the Device page chose in this
  // dialog, or the host's until then. Null goes back to the host's.
  void set_device(const DeviceRecord* device) { device_ = device; }
  const DeviceRecord* device() const;

 private:
  TargetRecord& target() const;
  void LoadRanges(const std::string& text, const int* start_ids, const int* size_ids);
  void LoadBanking(const std::string& code_bank);
  void EnableBankControls(bool enabled);
  // Validates the page and stores it into the target record; false (after
  // a message) keeps the page active.
  bool Store();

  SettingsSession* session_;
  const DeviceRecord* device_ = nullptr;  // null: the host's device
};

}  // namespace c51::settings

#endif  // C51_SETTINGS_PAGES_TARGET_PAGE_H_
