// The "Device" page of the project settings (template 1005): an empty
// frame that hosts the window of the host maker's device-selection
// library. Leaving the page takes the library's selection over: the
// Target page shows the device and the crystal follows its clock, and
// after OK the settings entry reports it to the host.
#ifndef C51_SETTINGS_PAGES_DEVICE_PAGE_H_
#define C51_SETTINGS_PAGES_DEVICE_PAGE_H_

#include <memory>
#include <string_view>

#include "project/device_record.h"
#include "settings/ardel_page.h"
#include "settings/pages/device_library.h"
#include "settings/resources/control_ids.h"
#include "settings/settings_records.h"

namespace c51::settings {

class CTargetPage;

// The clock in hertz that a device's "CPU" text gives: from the first
// "CLOCK", the text between the next "(" and the next ")" read as the C
// library's "%i" does (decimal, "0x" hexadecimal, leading-zero octal; a
// missing ")" reads to the end). 0 without "CLOCK", "(" or digits; values
// past an int saturate.
//   "IRAM(0-0xFF) CLOCK(24000000)" => 24000000;  "CLOCK(0xB71B00)" => 12000000;
//   "CLOCK(030)" => 24;  "IROM(0-0xFFFF)" => 0;  "CLOCK 12" => 0
int DeviceClockHertz(std::string_view cpu);

class CDevicePage : public CArdelPage {
 public:
  // Loads the device-selection library from the host's folder; it is
  // released with the page. The window it made is a child of the page's
  // window and goes with it, before the page itself.
  explicit CDevicePage(SettingsSession* session);

  DialogTemplate Template(Language language) const override;
  bool OnInitDialog() override;
  bool OnKillActive() override;

  // Set by the settings entry: the page that shows the chosen device.
  void set_target_page(CTargetPage* page) { target_page_ = page; }

 private:
  SettingsSession* session_;
  DeviceLibrary library_;
  // The last device chosen here, copied out of the library, which goes
  // with this page: the Target page and the report after OK keep using it.
  std::shared_ptr<DeviceRecordCopy> chosen_;
  bool window_created_ = false;  // the page was shown
  CTargetPage* target_page_ = nullptr;
};

}  // namespace c51::settings

#endif  // C51_SETTINGS_PAGES_DEVICE_PAGE_H_
