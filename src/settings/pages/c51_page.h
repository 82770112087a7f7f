// The "C51" page (template 173): the compiler options of the scope being
// edited (project, group or file), with the control string they make shown
// read-only and kept current on every change.
#ifndef C51_SETTINGS_PAGES_C51_PAGE_H_
#define C51_SETTINGS_PAGES_C51_PAGE_H_

#include <string>

#include "options/c51_control_string.h"
#include "settings/ardel_page.h"
#include "settings/resources/control_ids.h"
#include "settings/settings_records.h"

namespace c51::settings {

// The lists' "Default" entries (inherit): the last of each list.
constexpr int kC51LevelDefault = 10;
constexpr int kC51EmphasisDefault = 2;
constexpr int kC51WarningsDefault = 3;
constexpr int kC51FloatBitsDefault = 8;

// The page's controls in the resource language; English and Chinese share
// ids and layout.
DialogTemplate C51PageTemplate(Language language);

class CC51Page : public CArdelPage {
 public:
  // `session` outlives the page; the page edits `session->records->compiler`
  // at the scope `compiler_scope`.
  explicit CC51Page(SettingsSession* session);

  DialogTemplate Template(Language language) const override { return C51PageTemplate(language); }
  bool OnInitDialog() override;
  // Stores into the record; refuses an interrupt vector address past 0xFFFF.
  bool OnKillActive() override;
  bool OnApply() override;
  void OnDefault() override;
  void OnControl(int id, Notification code) override;

 private:
  OptionScope scope() const { return session_->records->compiler_scope; }
  C51Record& record() const { return session_->records->compiler; }

  // Record => members => controls, then a refresh.
  void Load();
  // Marks the page modified and rebuilds the control string from the controls.
  void Refresh();
  void ReadControls();
  void WriteControls();
  // At project scope "Default" in a list puts back the stored value.
  void KeepProjectValue(int list_id);
  void EditIncludes();
  C51PageValues PageValues() const;

  SettingsSession* session_;
  // Set while the page writes its own controls: their notifications are
  // not the user's.
  bool writing_ = false;

  // Mirrors of the controls. List indexes start at -1 (nothing selected);
  // check states are 0, 1 or 2 (indeterminate: inherit).
  std::string define_;
  std::string undefine_;
  std::string misc_;
  std::string include_;
  std::string vector_address_;  // as typed; shown as "0x%04X" on load
  std::string control_string_;
  int level_ = -1;
  int emphasis_ = -1;
  int warnings_ = -1;
  int float_bits_ = -1;
  int register_coloring_ = 0;
  int no_absolute_registers_ = 0;
  int interrupt_vectors_ = 0;
  int keep_order_ = 0;
  int ansi_promotion_ = 0;
};

}  // namespace c51::settings

#endif  // C51_SETTINGS_PAGES_C51_PAGE_H_
