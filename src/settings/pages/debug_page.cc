#include "settings/pages/debug_page.h"

#include <algorithm>
#include <cstring>

#include "options/option_text.h"
#include "plugin/state.h"
#include "project/host_services.h"
#include "settings/pages/debug_driver.h"
#include "settings/pages/device_library.h"
#include "settings/settings_paths.h"

namespace c51::settings {
namespace {

int CheckState(int32_t on) {
  return on != 0 ? kChecked : kUnchecked;
}

}  // namespace

void SetDriverText(const std::string& path, DebugOptionRecord* record) {
  const size_t length = std::min(path.size(), sizeof(record->driver_text) - 1);
  std::memset(record->driver_text, 0, sizeof(record->driver_text));
  std::memcpy(record->driver_text, path.data(), length);
}

DebugOptionRecord& CDebugPage::record() const {
  return session_->state->debug;
}

const std::string* CDebugPage::DriverPathAt(int index) const {
  if (index < 0 || index >= controls().GetItemCount(kIdDriverList)) return nullptr;
  const intptr_t entry = controls().GetItemData(kIdDriverList, index);
  if (entry < 0 || entry >= static_cast<intptr_t>(drivers_.size())) return nullptr;
  return &drivers_[entry].library_path;
}

void CDebugPage::SetSimulation(bool simulator) {
  controls().SetCheck(kIdSoftwareSimulation, simulator ? kChecked : kUnchecked);
  controls().SetCheck(kIdHardwareEmulation, simulator ? kUnchecked : kChecked);
}

bool CDebugPage::OnInitDialog() {
  DialogControls& c = controls();
  const DebugOptionRecord& r = record();
  driver_path_ = DriverText(r);

  const char* folder = session_->state->context.install_dir;
  if (folder != nullptr && *folder != '\0') {
    drivers_ = ReadDriverDatabase(HostFile(folder, "Kelvadb.ini"));
  }
  for (size_t i = 0; i < drivers_.size(); ++i) {
    const int item = c.AddItem(kIdDriverList, drivers_[i].description);
    c.SetItemData(kIdDriverList, item, static_cast<intptr_t>(i));
  }

  c.SetCheck(kIdSimLoadApp, CheckState(r.sim_load_app));
  c.SetCheck(kIdHwLoadApp, CheckState(r.hw_load_app));
  c.SetCheck(kIdHwRunToMain, CheckState(r.hw_run_to_main));
  c.SetCheck(kIdSimRunToMain, CheckState(r.sim_run_to_main));
  c.SetSelection(kIdDriverList, r.driver_index);
  SetSimulation(r.use_simulator != 0);

  if (const std::string* path = DriverPathAt(c.GetSelection(kIdDriverList))) {
    driver_path_ = *path;
    SetModified();
  }
  return true;
}

bool CDebugPage::OnKillActive() {
  const DialogControls& c = controls();
  DebugOptionRecord& r = record();
  r.use_simulator = c.GetCheck(kIdSoftwareSimulation) == kChecked ? 1 : 0;
  r.driver_index = c.GetSelection(kIdDriverList);
  r.sim_load_app = c.GetCheck(kIdSimLoadApp) == kChecked ? 1 : 0;
  r.sim_run_to_main = c.GetCheck(kIdSimRunToMain) == kChecked ? 1 : 0;
  r.hw_load_app = c.GetCheck(kIdHwLoadApp) == kChecked ? 1 : 0;
  r.hw_run_to_main = c.GetCheck(kIdHwRunToMain) == kChecked ? 1 : 0;
  SetDriverText(driver_path_, &r);
  return true;
}

bool CDebugPage::OnApply() {
  if (store_flag() != 0) {
    set_store_flag(0);
    if (DebugOptionRecord* host = session_->state->context.debug_record) {
      std::memcpy(host, &record(), sizeof(DebugOptionRecord));
    }
  }
  return true;
}

void CDebugPage::OnDefault() {
  DialogControls& c = controls();
  c.SetCheck(kIdSimLoadApp, kChecked);
  c.SetCheck(kIdHwLoadApp, kChecked);
  c.SetCheck(kIdHwRunToMain, kUnchecked);
  c.SetSelection(kIdDriverList, 0);
  // The path goes with the index, or the record would name the first
  // driver by index and another by path.
  if (const std::string* path = DriverPathAt(c.GetSelection(kIdDriverList))) {
    driver_path_ = *path;
  }
  SetSimulation(false);
  SetModified();
}

void CDebugPage::OnControl(int id, Notification code) {
  switch (id) {
    case kIdDriverList:
      if (code != Notification::kSelectionChanged) return;
      if (const std::string* path = DriverPathAt(controls().GetSelection(kIdDriverList))) {
        driver_path_ = *path;
      }
      SetModified();
      return;
    case kIdDriverSettings:
      if (code == Notification::kClicked) DriverSettings();
      return;
    case kIdSoftwareSimulation:
    case kIdHardwareEmulation:
    case kIdSimLoadApp:
    case kIdSimRunToMain:
    case kIdHwLoadApp:
    case kIdHwRunToMain:
      if (code == Notification::kClicked) SetModified();
      return;
    default:
      return;
  }
}

void CDebugPage::DriverSettings() {
  SetModified();
  const std::string* listed = DriverPathAt(controls().GetSelection(kIdDriverList));
  if (listed == nullptr) return;
  const std::string path(TrimBlanks(*listed));
  // A relative path names a file in the host's folder. The library is
  // loaded from there too: the platform's loader would otherwise search
  // the host program's folder only on Windows.
  const char* folder = session_->state->context.install_dir;
  const std::string resolved =
      folder != nullptr && *folder != '\0' ? AbsolutePathIn(folder, path) : path;

  PluginState* state = session_->state;
  const std::string key = DriverSettingsKey(path);
  std::string settings;
  if (auto stored = state->driver_settings.find(key); stored != state->driver_settings.end()) {
    settings = stored->second;
  }
  if (RunDriverSettings(resolved, &settings) != DriverSettingsStatus::kAccepted) return;
  state->driver_settings[key] = settings;
  if (state->host != nullptr) state->host->SetDriverSetting(key.c_str(), settings.c_str());
}

}  // namespace c51::settings
