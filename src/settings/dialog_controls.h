// The one interface through which page logic talks to its controls, by
// control id. Two backends: values in memory (headless) and real windows
// (Windows). Setters behave as the platform's control messages do: setting
// an edit's text raises a text-change notification (even for the same
// text, as the platform does), setting a check state or a selection from
// code raises nothing.
#ifndef C51_SETTINGS_DIALOG_CONTROLS_H_
#define C51_SETTINGS_DIALOG_CONTROLS_H_

#include <cstdint>
#include <string>

namespace c51::settings {

// What a control tells its dialog.
enum class Notification {
  kClicked,           // button, check box, radio button
  kTextChanged,       // edit
  kSelectionChanged,  // list chosen by the user
  kDoubleClicked,     // list box
};

// Check states.
constexpr int kUnchecked = 0;
constexpr int kChecked = 1;
constexpr int kIndeterminate = 2;

class DialogControls {
 public:
  virtual bool Exists(int id) const = 0;

  virtual int GetCheck(int id) const = 0;
  virtual void SetCheck(int id, int state) = 0;
  // Switches a check box to an automatic three-state box (true) or back to
  // an automatic two-state one.
  virtual void SetThreeState(int id, bool three_state) = 0;

  // Edits, labels, buttons and check boxes: the window text.
  virtual std::string GetText(int id) const = 0;
  virtual void SetText(int id, const std::string& text) = 0;

  // Drop-down lists and list boxes. Indexes from 0; -1 is "none".
  virtual int GetItemCount(int id) const = 0;
  virtual std::string GetItemText(int id, int index) const = 0;
  // Inserts before `index` (-1 or past the end: appends); the new index.
  virtual int InsertItem(int id, int index, const std::string& text) = 0;
  virtual void DeleteItem(int id, int index) = 0;
  virtual void ResetItems(int id) = 0;
  virtual intptr_t GetItemData(int id, int index) const = 0;
  virtual void SetItemData(int id, int index, intptr_t data) = 0;
  virtual int GetSelection(int id) const = 0;
  virtual void SetSelection(int id, int index) = 0;

  virtual bool IsEnabled(int id) const = 0;
  virtual void Enable(int id, bool enabled) = 0;
  virtual bool IsVisible(int id) const = 0;

  // Appends to a list; the new index.
  int AddItem(int id, const std::string& text) { return InsertItem(id, -1, text); }
  // Sets a text only when it differs, so that no notification is raised
  // for a text that did not change (what data exchange with a dialog does).
  void UpdateText(int id, const std::string& text) {
    if (GetText(id) != text) SetText(id, text);
  }

 protected:
  ~DialogControls() = default;
};

// What a backend's class declares: every method above that it overrides.
// Written once for the two backends (HeadlessDialog, Win32DialogControls),
// so that a method added to the interface is added here and reaches both.
#define C51_DIALOG_CONTROLS_OVERRIDES                                  \
  bool Exists(int id) const override;                                  \
  int GetCheck(int id) const override;                                 \
  void SetCheck(int id, int state) override;                           \
  void SetThreeState(int id, bool three_state) override;               \
  std::string GetText(int id) const override;                          \
  void SetText(int id, const std::string& text) override;              \
  int GetItemCount(int id) const override;                             \
  std::string GetItemText(int id, int index) const override;           \
  int InsertItem(int id, int index, const std::string& text) override; \
  void DeleteItem(int id, int index) override;                         \
  void ResetItems(int id) override;                                    \
  intptr_t GetItemData(int id, int index) const override;              \
  void SetItemData(int id, int index, intptr_t data) override;         \
  int GetSelection(int id) const override;                             \
  void SetSelection(int id, int index) override;                       \
  bool IsEnabled(int id) const override;                               \
  void Enable(int id, bool enabled) override;                          \
  bool IsVisible(int id) const override;

// Receives the notifications of a dialog's controls.
class ControlEvents {
 public:
  virtual void OnControl(int id, Notification code) = 0;

 protected:
  ~ControlEvents() = default;
};

}  // namespace c51::settings

#endif  // C51_SETTINGS_DIALOG_CONTROLS_H_
