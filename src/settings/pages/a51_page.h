// The "A51" page (template 174): the assembler options of the scope being
// edited (project, group or file), with the control string they make shown
// read-only and kept current on every change.
#ifndef C51_SETTINGS_PAGES_A51_PAGE_H_
#define C51_SETTINGS_PAGES_A51_PAGE_H_

#include <string>

#include "options/a51_control_string.h"
#include "settings/ardel_page.h"
#include "settings/resources/control_ids.h"
#include "settings/settings_records.h"

namespace c51::settings {

DialogTemplate A51PageTemplate(Language language);

class CA51Page : public CArdelPage {
 public:
  // `session` outlives the page; the page edits `session->records->assembler`
  // at the scope `assembler_scope`.
  explicit CA51Page(SettingsSession* session);

  DialogTemplate Template(Language language) const override { return A51PageTemplate(language); }
  bool OnInitDialog() override;
  // Rebuilds the control string (other pages may have changed its inputs)
  // without marking the page modified.
  bool OnSetActive() override;
  // Stores into the record; never refuses.
  bool OnKillActive() override;
  bool OnApply() override;
  void OnDefault() override;
  void OnControl(int id, Notification code) override;

 private:
  OptionScope scope() const { return session_->records->assembler_scope; }
  A51Record& record() const { return session_->records->assembler; }

  void Load();
  void Rebuild();
  void ReadControls();
  void WriteControls();
  void EditIncludes();

  SettingsSession* session_;
  // Set while the page writes its own controls: their notifications are
  // not the user's.
  bool writing_ = false;

  // Mirrors of the edits; the check boxes are read where they are needed.
  std::string set_;
  std::string reset_;
  std::string misc_;
  std::string include_;
  std::string control_string_;
};

}  // namespace c51::settings

#endif  // C51_SETTINGS_PAGES_A51_PAGE_H_
