// The "Debug" page of the project settings (template 309): software
// simulation or hardware emulation, the start-up switches of each, and the
// hardware debug driver chosen from the host's device database, with the
// driver's own settings dialog. It edits the plug-in's debug record
// (PluginState::debug) and copies it to the host's on Apply.
#ifndef C51_SETTINGS_PAGES_DEBUG_PAGE_H_
#define C51_SETTINGS_PAGES_DEBUG_PAGE_H_

#include <string>
#include <vector>

#include "project/debug_record.h"
#include "settings/ardel_page.h"
#include "settings/pages/driver_database.h"
#include "settings/resources/control_ids.h"
#include "settings/settings_records.h"

namespace c51::settings {

// Copies `path` into the record's driver field, cut to 2047 characters,
// the rest of the field zero.
void SetDriverText(const std::string& path, DebugOptionRecord* record);

class CDebugPage : public CArdelPage {
 public:
  explicit CDebugPage(SettingsSession* session) : CArdelPage(IDD_DEBUG_PAGE), session_(session) {}

  DialogTemplate Template(Language language) const override;

  bool OnInitDialog() override;
  bool OnKillActive() override;
  bool OnApply() override;
  void OnDefault() override;
  void OnControl(int id, Notification code) override;

 private:
  DebugOptionRecord& record() const;
  // The path of the driver list's entry `index`; null for none.
  const std::string* DriverPathAt(int index) const;
  void SetSimulation(bool simulator);
  void DriverSettings();

  SettingsSession* session_;
  // The listed drivers; each list entry's item data is its index here.
  std::vector<DriverEntry> drivers_;
  // The library path that leaving the page stores in the record.
  std::string driver_path_;
};

}  // namespace c51::settings

#endif  // C51_SETTINGS_PAGES_DEBUG_PAGE_H_
