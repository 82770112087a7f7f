// The "Property" page (template 188) of the settings of one file or one
// file group: what the disk says about the file (path, type, size, last
// change) and the scope's per-file switches and code bank. It only moves
// values between its controls and the file record; the settings entry
// writes them. No Apply of its own, and "Default" leaves it alone.
#ifndef C51_SETTINGS_PAGES_PROPERTIES_PAGE_H_
#define C51_SETTINGS_PAGES_PROPERTIES_PAGE_H_

#include <cstdint>
#include <string>

#include "platform/local_time.h"
#include "settings/ardel_page.h"
#include "settings/resources/control_ids.h"
#include "settings/settings_records.h"

namespace c51::settings {

// A byte count with "," between groups of three digits and " Bytes":
//   12 => "12 Bytes"   123456 => "123,456 Bytes"   1234567 => "1,234,567 Bytes"
// A negative count (never a real size) shows as 0.
std::string FormatByteCount(int64_t bytes);

// "YYYY-MM-DD hh:mm:ss", each field zero-padded:  "2011-03-05 14:07:09".
std::string FormatLocalTime(const CalendarTime& time);

DialogTemplate PropertiesPageTemplate(Language language);

class CPropertiesPage : public CArdelPage {
 public:
  // `session` outlives the page; the page edits `session->records->file`
  // and reads the bank count from the current configuration.
  explicit CPropertiesPage(SettingsSession* session);

  DialogTemplate Template(Language language) const override {
    return PropertiesPageTemplate(language);
  }
  bool OnInitDialog() override;
  // Stores the switches and the bank into the record; never refuses.
  bool OnKillActive() override;

 private:
  void Load();
  void LoadBanks();
  void LoadFileFacts();

  SettingsSession* session_;
  std::string path_;
  std::string type_;
  std::string size_;
  std::string modified_;
};

}  // namespace c51::settings

#endif  // C51_SETTINGS_PAGES_PROPERTIES_PAGE_H_
