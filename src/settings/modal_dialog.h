// A plain modal dialog with OK and Cancel (the include-directories editor
// is one), run by the backend like a sheet.
#ifndef C51_SETTINGS_MODAL_DIALOG_H_
#define C51_SETTINGS_MODAL_DIALOG_H_

#include "settings/dialog_controls.h"
#include "settings/dialog_template.h"
#include "support/messages.h"

namespace c51::settings {

class SettingsBackend;
class CListBoxEx;
class CListHeader;

// A list editor a dialog shows, for a backend that draws it and feeds it
// the window system's messages: the list, its header strip and the strip's
// control id.
struct ListEditorParts {
  CListBoxEx* list = nullptr;
  CListHeader* header = nullptr;
  int header_id = 0;
};

class ModalDialog : public ControlEvents {
 public:
  ModalDialog() = default;
  virtual ~ModalDialog() = default;
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;

  virtual DialogTemplate Template(Language language) const = 0;
  // The controls exist; fill them.
  virtual bool OnInitDialog() { return true; }
  // OK pressed: false keeps the dialog open.
  virtual bool OnOK() { return true; }
  virtual void OnCancel() {}
  void OnControl(int, Notification) override {}
  // The dialog's list editor while it runs; none by default.
  virtual ListEditorParts list_editor() const { return {}; }

  // kResultOk, kResultCancel, or the id the dialog was ended with.
  int DoModal(SettingsBackend* backend);

  bool HasWindow() const { return controls_ != nullptr; }
  DialogControls& controls() const { return *controls_; }
  SettingsBackend* backend() const { return backend_; }
  // For the backend: the controls while the dialog runs.
  void Attach(DialogControls* controls) { controls_ = controls; }

 private:
  SettingsBackend* backend_ = nullptr;
  DialogControls* controls_ = nullptr;
};

}  // namespace c51::settings

#endif  // C51_SETTINGS_MODAL_DIALOG_H_
