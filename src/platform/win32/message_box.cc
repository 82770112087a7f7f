#include "platform/message_box.h"

#include <windows.h>

namespace c51 {

// C51_HEADLESS=1 turns message boxes off, so that unattended runs (tests,
// scripted builds) never wait on a window nobody will see.
bool HasSystemMessageBox() {
  char value[8];
  DWORD n = GetEnvironmentVariableA("C51_HEADLESS", value, sizeof value);
  return !(n == 1 && value[0] == '1');
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
