// The "Linker Locate" page (template 187): the linker's CODE and XDATA
// ranges, which it can take from the target's memory layout, and the base
// addresses and segment lists of every 8051 memory space, with the linker
// control string they give. It works on the dialog's linker record and
// rejects nothing.
#ifndef C51_SETTINGS_PAGES_BL51_PAGE_H_
#define C51_SETTINGS_PAGES_BL51_PAGE_H_

#include "settings/ardel_page.h"
#include "settings/resources/control_ids.h"
#include "settings/settings_records.h"

namespace c51::settings {

class CBL51Page : public CArdelPage {
 public:
  explicit CBL51Page(SettingsSession* session)
      : CArdelPage(IDD_LINKER_LOCATE_PAGE), session_(session) {}

  DialogTemplate Template(Language language) const override;

  bool OnInitDialog() override;
  bool OnKillActive() override;
  bool OnApply() override;
  void OnDefault() override;
  void OnControl(int id, Notification code) override;

 private:
  LinkerOptions& linker() const { return session_->records->linker; }
  // The record with the page's current texts and box.
  LinkerOptions PageValues() const;
  // CODE and XDATA from the target record and the device, into their range
  // edits.
  void FillLayoutRanges();
  void RebuildControlString();

  SettingsSession* session_;
};

}  // namespace c51::settings

#endif  // C51_SETTINGS_PAGES_BL51_PAGE_H_
