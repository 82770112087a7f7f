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
#include "settings/resources/control_ids.h"
#include "settings/settings_records.h"

namespace c51::settings {

// Start and size edits of the three off-chip ranges of each space.
inline constexpr int kIdCodeStart[3] = {IDC_TARGET_CODE_START_0, IDC_TARGET_CODE_START_1,
                                        IDC_TARGET_CODE_START_2};
inline constexpr int kIdCodeSize[3] = {IDC_TARGET_CODE_SIZE_0, IDC_TARGET_CODE_SIZE_1,
                                       IDC_TARGET_CODE_SIZE_2};
inline constexpr int kIdXdataStart[3] = {IDC_TARGET_XDATA_START_0, IDC_TARGET_XDATA_START_1,
                                         IDC_TARGET_XDATA_START_2};
inline constexpr int kIdXdataSize[3] = {IDC_TARGET_XDATA_SIZE_0, IDC_TARGET_XDATA_SIZE_1,
                                        IDC_TARGET_XDATA_SIZE_2};

// A typed address or size as the C library's unsigned base-0 conversion
// reads it ("0x" hexadecimal, leading "0" octal, else decimal; leading
// blanks; empty or no digits: 0), except that nothing wraps: a value past
// 0xFFFFFFFF and any negative value other than 0 give 0xFFFFFFFF, so a
// typed "-1" can never pass a range check as a small number.
//   "0x8000" => 0x8000;  "010" => 8;  "" => 0;  "-1" => 0xFFFFFFFF;  "-0" => 0
uint32_t ParseTypedUnsigned(const std::string& text);

class CTargetPage : public CArdelPage {
 public:
  explicit CTargetPage(SettingsSession* session) : CArdelPage(IDD_TARGET_PAGE), session_(session) {}

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
