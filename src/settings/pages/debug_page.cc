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
  if (index < 0 || index >= controls().GetItemCount(IDC_DEBUG_DRIVER_LIST)) return nullptr;
  const intptr_t entry = controls().GetItemData(IDC_DEBUG_DRIVER_LIST, index);
  if (entry < 0 || entry >= static_cast<intptr_t>(drivers_.size())) return nullptr;
  return &drivers_[entry].library_path;
}

void CDebugPage::SetSimulation(bool simulator) {
  controls().SetCheck(IDC_DEBUG_SIMULATOR, simulator ? kChecked : kUnchecked);
  controls().SetCheck(IDC_DEBUG_EMULATOR, simulator ? kUnchecked : kChecked);
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
    const int item = c.AddItem(IDC_DEBUG_DRIVER_LIST, drivers_[i].description);
    c.SetItemData(IDC_DEBUG_DRIVER_LIST, item, static_cast<intptr_t>(i));
  }

  c.SetCheck(IDC_DEBUG_SIM_LOAD_APP, CheckState(r.sim_load_app));
  c.SetCheck(IDC_DEBUG_HW_LOAD_APP, CheckState(r.hw_load_app));
  c.SetCheck(IDC_DEBUG_HW_RUN_TO_MAIN, CheckState(r.hw_run_to_main));
  c.SetCheck(IDC_DEBUG_SIM_RUN_TO_MAIN, CheckState(r.sim_run_to_main));
  c.SetSelection(IDC_DEBUG_DRIVER_LIST, r.driver_index);
  SetSimulation(r.use_simulator != 0);

  if (const std::string* path = DriverPathAt(c.GetSelection(IDC_DEBUG_DRIVER_LIST))) {
    driver_path_ = *path;
    SetModified();
  }
  return true;
}

bool CDebugPage::OnKillActive() {
  const DialogControls& c = controls();
  DebugOptionRecord& r = record();
  r.use_simulator = c.GetCheck(IDC_DEBUG_SIMULATOR) == kChecked ? 1 : 0;
  r.driver_index = c.GetSelection(IDC_DEBUG_DRIVER_LIST);
  r.sim_load_app = c.GetCheck(IDC_DEBUG_SIM_LOAD_APP) == kChecked ? 1 : 0;
  r.sim_run_to_main = c.GetCheck(IDC_DEBUG_SIM_RUN_TO_MAIN) == kChecked ? 1 : 0;
  r.hw_load_app = c.GetCheck(IDC_DEBUG_HW_LOAD_APP) == kChecked ? 1 : 0;
  r.hw_run_to_main = c.GetCheck(IDC_DEBUG_HW_RUN_TO_MAIN) == kChecked ? 1 : 0;
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
  c.SetCheck(IDC_DEBUG_SIM_LOAD_APP, kChecked);
  c.SetCheck(IDC_DEBUG_HW_LOAD_APP, kChecked);
  c.SetCheck(IDC_DEBUG_HW_RUN_TO_MAIN, kUnchecked);
  c.SetSelection(IDC_DEBUG_DRIVER_LIST, 0);
  // The path goes with the index, or the record would name the first
  // driver by index and another by path.
  if (const std::string* path = DriverPathAt(c.GetSelection(IDC_DEBUG_DRIVER_LIST))) {
    driver_path_ = *path;
  }
  SetSimulation(false);
  SetModified();
}

void CDebugPage::OnControl(int id, Notification code) {
  switch (id) {
    case IDC_DEBUG_DRIVER_LIST:
      if (code != Notification::kSelectionChanged) return;
      if (const std::string* path = DriverPathAt(controls().GetSelection(IDC_DEBUG_DRIVER_LIST))) {
        driver_path_ = *path;
      }
      SetModified();
      return;
    case IDC_DEBUG_DRIVER_SETTINGS:
      if (code == Notification::kClicked) DriverSettings();
      return;
    case IDC_DEBUG_SIMULATOR:
    case IDC_DEBUG_EMULATOR:
    case IDC_DEBUG_SIM_LOAD_APP:
    case IDC_DEBUG_SIM_RUN_TO_MAIN:
    case IDC_DEBUG_HW_LOAD_APP:
    case IDC_DEBUG_HW_RUN_TO_MAIN:
      if (code == Notification::kClicked) SetModified();
      return;
    default:
      return;
  }
}

void CDebugPage::DriverSettings() {
  SetModified();
  const std::string* listed = DriverPathAt(controls().GetSelection(IDC_DEBUG_DRIVER_LIST));
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
