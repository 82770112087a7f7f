// The base of every settings page: a property page with a store flag that
// the sheet sets when the user presses Apply while the page is active, so
// that the page writes its keys at once, and the node those keys live in.
#ifndef C51_SETTINGS_ARDEL_PAGE_H_
#define C51_SETTINGS_ARDEL_PAGE_H_

#include <string>

#include "settings/dialog_controls.h"
#include "settings/dialog_template.h"
#include "settings/resources/control_ids.h"
#include "support/messages.h"
#include "ui/user_interface.h"

namespace c51 {
struct ProjectNode;
}

namespace c51::settings {

class CArdelPropertySheet;
class SettingsBackend;

class CArdelPage : public ControlEvents {
 public:
  CArdelPage() : CArdelPage(IDD_EMPTY_PAGE) {}
  explicit CArdelPage(int template_id) : template_id_(template_id) {}
  virtual ~CArdelPage() = default;
  CArdelPage(const CArdelPage&) = delete;
  CArdelPage& operator=(const CArdelPage&) = delete;

  int template_id() const { return template_id_; }
  // The page's controls; the tab caption is the template's caption.
  virtual DialogTemplate Template(Language language) const;

  // What the sheet calls, as the platform's sheet does.
  // Once, when the page is first activated; its controls exist by then.
  virtual bool OnInitDialog() { return true; }
  // Each time the page becomes the active one; false refuses.
  virtual bool OnSetActive() { return true; }
  // Before the page stops being the active one; false keeps it active.
  virtual bool OnKillActive() { return true; }
  // Apply or OK, for every page initialised; false keeps the sheet open.
  virtual bool OnApply() { return true; }
  // Cancel, for every page initialised.
  virtual void OnReset() {}
  // The sheet's "Default" button (message 7701). Nothing by default.
  virtual void OnDefault() {}
  void OnControl(int, Notification) override {}

  // Set by the sheet on Apply while the page is active; stays set.
  int store_flag() const { return store_flag_; }
  void set_store_flag(int flag) { store_flag_ = flag; }
  // The node the page's Apply writes to; null: the page writes nothing.
  ProjectNode* bound_node() const { return bound_node_; }
  void Bind(ProjectNode* node) { bound_node_ = node; }

  // Whether the page's controls exist (it has been activated).
  bool HasWindow() const { return controls_ != nullptr; }
  DialogControls& controls() const { return *controls_; }
  SettingsBackend* backend() const;
  Language language() const;

  // Tells the sheet the page has changes (activates Apply) or none.
  void SetModified(bool changed = true);
  bool modified() const { return modified_; }
  // A message box over the sheet.
  MessageAnswer MessageBox(const std::string& text, MessageIcon icon = MessageIcon::kNone,
                           MessageButtons buttons = MessageButtons::kOk);

  // For the sheet's backend: the page's controls once they exist, and the
  // modified flag as the sheet last saw it.
  void Attach(CArdelPropertySheet* sheet, DialogControls* controls) {
    sheet_ = sheet;
    controls_ = controls;
  }
  void ClearModified() { modified_ = false; }

 private:
  int template_id_;
  int store_flag_ = 0;
  bool modified_ = false;
  ProjectNode* bound_node_ = nullptr;
  CArdelPropertySheet* sheet_ = nullptr;
  DialogControls* controls_ = nullptr;
};

}  // namespace c51::settings

#endif  // C51_SETTINGS_ARDEL_PAGE_H_
