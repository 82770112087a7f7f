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

  bool Exists(int id) const override;
  int GetCheck(int id) const override;
  void SetCheck(int id, int state) override;
  void SetThreeState(int id, bool three_state) override;
  std::string GetText(int id) const override;
  void SetText(int id, const std::string& text) override;
  int GetItemCount(int id) const override;
  std::string GetItemText(int id, int index) const override;
  int InsertItem(int id, int index, const std::string& text) override;
  void DeleteItem(int id, int index) override;
  void ResetItems(int id) override;
  intptr_t GetItemData(int id, int index) const override;
  void SetItemData(int id, int index, intptr_t data) override;
  int GetSelection(int id) const override;
  void SetSelection(int id, int index) override;
  bool IsEnabled(int id) const override;
  void Enable(int id, bool enabled) override;
  bool IsVisible(int id) const override;

  // Gives the lists of `layout` their items, for templates that cannot
  // carry them; a list that already has items keeps them.
  void FillLists(const DialogTemplate& layout);

 private:
  HWND Item(int id) const { return GetDlgItem(dialog_, id); }

  HWND dialog_;
};

}  // namespace c51::settings

#endif  // C51_SETTINGS_WIN32_WIN32_DIALOG_CONTROLS_H_
