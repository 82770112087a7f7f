#include "settings/pages/device_page.h"

#include <climits>

#include "options/option_inputs.h"
#include "options/option_text.h"
#include "plugin/state.h"
#include "settings/pages/target_page.h"
#include "settings/settings_backend.h"

namespace c51::settings {

int DeviceClockHertz(std::string_view cpu) {
  const size_t clock = cpu.find("CLOCK");
  if (clock == std::string_view::npos) return 0;
  const size_t open = cpu.find('(', clock);
  if (open == std::string_view::npos) return 0;
  std::string_view digits = cpu.substr(open + 1);
  digits = digits.substr(0, digits.find(')'));
  const int64_t value = ParseAutoBase(digits);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

CDevicePage::CDevicePage(SettingsSession* session)
    : CArdelPage(IDD_DEVICE_PAGE), session_(session) {
  const char* folder = session_->state->context.install_dir;
  library_.Load(folder != nullptr ? folder : "");
}

DialogTemplate CDevicePage::Template(Language language) const {
  DialogTemplate t;
  t.id = IDD_DEVICE_PAGE;
  // An empty 320 x 217 frame: the library's window is its only content.
  t.caption = language == Language::kChinese ? "\xC6\xF7\xBC\xFE" : "Device";  // 器件
  return t;
}

bool CDevicePage::OnInitDialog() {
  if (library_.loaded()) {
    const HostContext& context = session_->state->context;
    const DeviceRecord* device = context.device;
    SettingsBackend* windows = backend();
    void* window = library_.CreateSelectionWindow(
        device != nullptr ? device->vendor : nullptr, device != nullptr ? device->device : nullptr,
        DeviceHostValue(context.device_host_record), context.toolchain_name,
        windows != nullptr ? windows->PageWindow(this) : nullptr);
    if (window != nullptr && windows != nullptr) windows->EmbedWindow(this, window);
  }
  window_created_ = true;
  return true;
}

bool CDevicePage::OnKillActive() {
  if (!library_.loaded()) return true;
  const DeviceRecord* selected = library_.Selection();
  // No selection keeps the device in force, so the device reported after
  // OK is always the one the Target page shows.
  if (selected == nullptr) return true;
  chosen_ = std::make_shared<DeviceRecordCopy>(*selected);
  DeviceRecord* answer = chosen_->record();
  session_->state->target.clock = DeviceClockHertz(DeviceCpuText(answer)) / 1000000.0;
  if (target_page_ != nullptr) {
    target_page_->set_device(answer);
    target_page_->RefreshDevice();
  }
  if (window_created_ && session_->records != nullptr) {
    session_->records->chosen_device = answer;
    session_->records->chosen_device_copy = chosen_;
  }
  return true;
}

}  // namespace c51::settings
