#include "settings/win32/win32_dialog_controls.h"

#include <vector>

namespace c51::settings {
namespace {

// The messages of the two list controls, side by side, so that one
// implementation serves both.
struct ListMessages {
  UINT count, text_length, text, insert, remove, reset, get_data, set_data, get_selection,
      set_selection;
  LRESULT error;
};
constexpr ListMessages kComboMessages{CB_GETCOUNT,     CB_GETLBTEXTLEN, CB_GETLBTEXT,
                                      CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT,
                                      CB_GETITEMDATA,  CB_SETITEMDATA,  CB_GETCURSEL,
                                      CB_SETCURSEL,    CB_ERR};
constexpr ListMessages kListMessages{
    LB_GETCOUNT,    LB_GETTEXTLEN,  LB_GETTEXT,   LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT,
    LB_GETITEMDATA, LB_SETITEMDATA, LB_GETCURSEL, LB_SETCURSEL,    LB_ERR};

const ListMessages* ListOf(HWND control) {
  switch (ClassOf(control)) {
    case ControlClass::kComboBox:
      return &kComboMessages;
    case ControlClass::kListBox:
      return &kListMessages;
    default:
      return nullptr;
  }
}

std::string WindowText(HWND window) {
  int length = GetWindowTextLengthA(window);
  if (length <= 0) return std::string();
  std::vector<char> buffer(length + 1);
  int copied = static_cast<int>(
      SendMessageA(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data())));
  return std::string(buffer.data(), copied > 0 ? copied : 0);
}

}  // namespace

ControlClass ClassOf(HWND control) {
  char name[32] = {};
  if (control == nullptr || GetClassNameA(control, name, sizeof name) == 0) {
    return ControlClass::kOther;
  }
  if (lstrcmpiA(name, "Button") == 0) return ControlClass::kButton;
  if (lstrcmpiA(name, "Edit") == 0) return ControlClass::kEdit;
  if (lstrcmpiA(name, "ComboBox") == 0) return ControlClass::kComboBox;
  if (lstrcmpiA(name, "ListBox") == 0) return ControlClass::kListBox;
  return ControlClass::kOther;
}

std::optional<Notification> MapNotification(ControlClass control_class, int code) {
  switch (control_class) {
    case ControlClass::kButton:
      if (code == BN_CLICKED) return Notification::kClicked;
      break;
    case ControlClass::kEdit:
      if (code == EN_CHANGE) return Notification::kTextChanged;
      break;
    case ControlClass::kComboBox:
      if (code == CBN_SELCHANGE) return Notification::kSelectionChanged;
      break;
    case ControlClass::kListBox:
      if (code == LBN_SELCHANGE) return Notification::kSelectionChanged;
      if (code == LBN_DBLCLK) return Notification::kDoubleClicked;
      break;
    case ControlClass::kOther:
      break;
  }
  return std::nullopt;
}

bool Win32DialogControls::Exists(int id) const {
  return Item(id) != nullptr;
}

int Win32DialogControls::GetCheck(int id) const {
  HWND control = Item(id);
  return control ? static_cast<int>(SendMessageA(control, BM_GETCHECK, 0, 0)) : kUnchecked;
}

void Win32DialogControls::SetCheck(int id, int state) {
  if (HWND control = Item(id)) SendMessageA(control, BM_SETCHECK, state, 0);
}

void Win32DialogControls::SetThreeState(int id, bool three_state) {
  if (HWND control = Item(id)) {
    SendMessageA(control, BM_SETSTYLE, three_state ? BS_AUTO3STATE : BS_AUTOCHECKBOX, TRUE);
  }
}

std::string Win32DialogControls::GetText(int id) const {
  HWND control = Item(id);
  return control ? WindowText(control) : std::string();
}

void Win32DialogControls::SetText(int id, const std::string& text) {
  // An edit raises EN_CHANGE by itself, as the page logic expects.
  if (HWND control = Item(id)) {
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
}

int Win32DialogControls::GetItemCount(int id) const {
  HWND control = Item(id);
  const ListMessages* list = ListOf(control);
  if (list == nullptr) return 0;
  LRESULT count = SendMessageA(control, list->count, 0, 0);
  return count == list->error ? 0 : static_cast<int>(count);
}

std::string Win32DialogControls::GetItemText(int id, int index) const {
  HWND control = Item(id);
  const ListMessages* list = ListOf(control);
  if (list == nullptr || index < 0) return std::string();
  LRESULT length = SendMessageA(control, list->text_length, index, 0);
  if (length == list->error || length <= 0) return std::string();
  std::vector<char> buffer(length + 1);
  LRESULT copied =
      SendMessageA(control, list->text, index, reinterpret_cast<LPARAM>(buffer.data()));
  if (copied == list->error || copied < 0) return std::string();
  return std::string(buffer.data(), static_cast<size_t>(copied));
}

int Win32DialogControls::InsertItem(int id, int index, const std::string& text) {
  HWND control = Item(id);
  const ListMessages* list = ListOf(control);
  if (list == nullptr) return -1;
  if (index < 0 || index > GetItemCount(id)) index = -1;  // -1 appends
  LRESULT at = SendMessageA(control, list->insert, index, reinterpret_cast<LPARAM>(text.c_str()));
  return at < 0 ? -1 : static_cast<int>(at);
}

void Win32DialogControls::DeleteItem(int id, int index) {
  HWND control = Item(id);
  if (const ListMessages* list = ListOf(control); list != nullptr && index >= 0) {
    SendMessageA(control, list->remove, index, 0);
  }
}

void Win32DialogControls::ResetItems(int id) {
  HWND control = Item(id);
  if (const ListMessages* list = ListOf(control)) SendMessageA(control, list->reset, 0, 0);
}

intptr_t Win32DialogControls::GetItemData(int id, int index) const {
  HWND control = Item(id);
  const ListMessages* list = ListOf(control);
  if (list == nullptr || index < 0 || index >= GetItemCount(id)) return 0;
  return static_cast<intptr_t>(SendMessageA(control, list->get_data, index, 0));
}

void Win32DialogControls::SetItemData(int id, int index, intptr_t data) {
  HWND control = Item(id);
  if (const ListMessages* list = ListOf(control); list != nullptr && index >= 0) {
    SendMessageA(control, list->set_data, index, static_cast<LPARAM>(data));
  }
}

int Win32DialogControls::GetSelection(int id) const {
  HWND control = Item(id);
  const ListMessages* list = ListOf(control);
  if (list == nullptr) return -1;
  LRESULT selection = SendMessageA(control, list->get_selection, 0, 0);
  return selection < 0 ? -1 : static_cast<int>(selection);
}

void Win32DialogControls::SetSelection(int id, int index) {
  HWND control = Item(id);
  if (const ListMessages* list = ListOf(control)) {
    SendMessageA(control, list->set_selection, index < 0 ? static_cast<WPARAM>(-1) : index, 0);
  }
}

bool Win32DialogControls::IsEnabled(int id) const {
  HWND control = Item(id);
  return control != nullptr && IsWindowEnabled(control);
}

void Win32DialogControls::Enable(int id, bool enabled) {
  if (HWND control = Item(id)) EnableWindow(control, enabled);
}

bool Win32DialogControls::IsVisible(int id) const {
  // The control's own flag: a page not on top hides its controls from
  // IsWindowVisible without them being hidden.
  HWND control = Item(id);
  return control != nullptr && (GetWindowLongPtrA(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32DialogControls::FillLists(const DialogTemplate& layout) {
  for (const ControlSpec& entry : layout.controls) {
    if (entry.items.empty() || entry.id == kNoId || GetItemCount(entry.id) > 0) continue;
    for (const std::string& item : entry.items) AddItem(entry.id, item);
  }
}

}  // namespace c51::settings
