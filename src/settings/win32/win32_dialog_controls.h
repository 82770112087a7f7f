// DialogControls over a real dialog window: every call is a message to the
// control with that id. Texts are the plug-in's 8-bit texts, passed through
// the ANSI messages so that the window system converts them with the local
// code page.
#ifndef C51_SETTINGS_WIN32_WIN32_DIALOG_CONTROLS_H_
#define C51_SETTINGS_WIN32_WIN32_DIALOG_CONTROLS_H_

#include <windows.h>

#include <optional>

#include "settings/dialog_controls.h"
#include "settings/dialog_template.h"

namespace c51::settings {

// What a control's window class makes of its notification codes, which
// overlap between classes (1 is a selection change of a combo box and of
// a list box, 0 a button click).
enum class ControlClass { kOther, kButton, kEdit, kComboBox, kListBox };
ControlClass ClassOf(HWND control);
std::optional<Notification> MapNotification(ControlClass control_class, int code);

class Win32DialogControls final : public DialogControls {
 public:
  explicit Win32DialogControls(HWND dialog) : dialog_(dialog) {}

  HWND dialog() const { return dialog_; }

  C51_DIALOG_CONTROLS_OVERRIDES

  // Gives the lists of `layout` their items, for templates that cannot
  // carry them; a list that already has items keeps them.
  void FillLists(const DialogTemplate& layout);

 private:
  HWND Item(int id) const { return GetDlgItem(dialog_, id); }

  HWND dialog_;
};

}  // namespace c51::settings

#endif  // C51_SETTINGS_WIN32_WIN32_DIALOG_CONTROLS_H_
