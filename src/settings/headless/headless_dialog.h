// Controls as values in memory, built from a dialog template, with the
// user's actions (click, type, choose) that raise notifications as real
// controls do. Tests and scripted runs drive pages through it.
#ifndef C51_SETTINGS_HEADLESS_HEADLESS_DIALOG_H_
#define C51_SETTINGS_HEADLESS_HEADLESS_DIALOG_H_

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "settings/dialog_controls.h"
#include "settings/dialog_template.h"

namespace c51::settings {

struct HeadlessControl {
  ControlKind kind = ControlKind::kStatic;
  uint32_t style = kStyleNone;
  std::string text;
  int check = kUnchecked;
  std::vector<std::string> items;
  std::vector<intptr_t> item_data;
  int selection = -1;
  bool enabled = true;
  bool visible = true;
};

class HeadlessDialog final : public DialogControls {
 public:
  // `events` receives the notifications; it may be null.
  HeadlessDialog(const DialogTemplate& layout, ControlEvents* events);

  C51_DIALOG_CONTROLS_OVERRIDES

  // The user's actions. Each is refused (false, nothing happens) when the
  // control is missing, disabled or hidden, or cannot take the action.
  // A click on an automatic check box moves it on (0 -> 1 -> 0, or
  // 0 -> 1 -> 2 -> 0 with three states), on an automatic radio button
  // checks it and clears the others of its group; then notifies.
  bool Click(int id);
  // Replaces an editable edit's text and notifies.
  bool Type(int id, const std::string& text);
  // Selects a list entry by index or by its text and notifies.
  bool Choose(int id, int index);
  bool ChooseText(int id, const std::string& text);

  const DialogTemplate& layout() const { return layout_; }
  // Null for an unknown id.
  const HeadlessControl* Find(int id) const;

 private:
  HeadlessControl* Mutable(int id);
  bool Usable(int id) const;
  void Notify(int id, Notification code);

  DialogTemplate layout_;
  ControlEvents* events_;
  std::map<int, HeadlessControl> controls_;
};

}  // namespace c51::settings

#endif  // C51_SETTINGS_HEADLESS_HEADLESS_DIALOG_H_
