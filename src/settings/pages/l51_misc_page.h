// The "Linker Misc" page (template 186): the warnings to disable, the
// overlay directives and further linker controls, with the linker control
// string they give. It works on the dialog's linker record and rejects
// nothing; multi-line texts keep their line breaks.
#ifndef C51_SETTINGS_PAGES_L51_MISC_PAGE_H_
#define C51_SETTINGS_PAGES_L51_MISC_PAGE_H_

#include "settings/ardel_page.h"
#include "settings/resources/control_ids.h"
#include "settings/settings_records.h"

namespace c51::settings {

class CL51MiscPage : public CArdelPage {
 public:
  explicit CL51MiscPage(SettingsSession* session)
      : CArdelPage(IDD_LINKER_MISC_PAGE), session_(session) {}

  DialogTemplate Template(Language language) const override;

  bool OnInitDialog() override;
  bool OnKillActive() override;
  bool OnApply() override;
  void OnDefault() override;
  void OnControl(int id, Notification code) override;

 private:
  LinkerOptions& linker() const { return session_->records->linker; }
  // The record with the page's three texts.
  LinkerOptions PageValues() const;
  // Marks the page modified (so merely opening it activates Apply) and
  // shows the string for the page's texts.
  void RebuildControlString();

  SettingsSession* session_;
};

}  // namespace c51::settings

#endif  // C51_SETTINGS_PAGES_L51_MISC_PAGE_H_
