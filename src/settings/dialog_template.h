// What a dialog resource holds, as plain data: the controls a page or
// dialog is made of, with their kinds, styles, initial texts and list
// items. The headless backend builds its controls from it; the Windows
// build keeps the same ids in its resources.
#ifndef C51_SETTINGS_DIALOG_TEMPLATE_H_
#define C51_SETTINGS_DIALOG_TEMPLATE_H_

#include <cstdint>
#include <string>
#include <vector>

namespace c51::settings {

enum class ControlKind {
  kStatic,  // label or display text
  kGroupBox,
  kEdit,
  kCheckBox,  // two-state unless kThreeState
  kRadioButton,
  kPushButton,
  kDropDownList,  // combo box without an edit part
  kListBox,
};

// Style bits of a control.
enum ControlStyle : uint32_t {
  kStyleNone = 0,
  kMultiLine = 1u << 0,   // edit
  kReadOnly = 1u << 1,    // edit
  kThreeState = 1u << 2,  // check box
  kAutomatic = 1u << 3,   // check box or radio button changes its own state when clicked
  kDisabled = 1u << 4,
  kHidden = 1u << 5,
  kGroupStart = 1u << 6,  // first radio button of a group
};

// Labels without a use in code share the id -1.
constexpr int kNoId = -1;

struct ControlSpec {
  int id = kNoId;
  ControlKind kind = ControlKind::kStatic;
  uint32_t style = kStyleNone;
  std::string text;
  std::vector<std::string> items;  // the list's initial data, in order
};

struct DialogTemplate {
  int id = 0;
  std::string caption;
  std::vector<ControlSpec> controls;
};

// Control ids of the platform's dialogs and property sheet.
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdApply = 12321;
// The sheet's "Default" button, and the message it sends to the active page.
constexpr int kIdDefault = 7701;

}  // namespace c51::settings

#endif  // C51_SETTINGS_DIALOG_TEMPLATE_H_
