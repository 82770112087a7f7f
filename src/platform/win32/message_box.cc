#include "platform/message_box.h"

#include <windows.h>

namespace c51 {

bool HasSystemMessageBox() {
  return true;
}

int ShowSystemMessageBox(const std::string& text, const std::string& caption, int icon,
                         int buttons) {
  static const UINT kIcons[] = {0, MB_ICONINFORMATION, MB_ICONWARNING, MB_ICONERROR,
                                MB_ICONQUESTION};
  static const UINT kButtons[] = {MB_OK, MB_OKCANCEL, MB_YESNO, MB_YESNOCANCEL};
  UINT type = (icon >= 0 && icon < 5 ? kIcons[icon] : 0) |
              (buttons >= 0 && buttons < 4 ? kButtons[buttons] : MB_OK);
  return MessageBoxA(GetActiveWindow(), text.c_str(), caption.c_str(), type);
}

}  // namespace c51
