#include "platform/list_window.h"

#include <windows.h>

namespace c51 {

long SendToListWindow(const char* data, size_t size) {
  if (!data || size > MAXDWORD) return 0;
  HWND window = FindWindowA("#32770", "ListWin");
  if (!window) return 0;
  COPYDATASTRUCT message;
  message.dwData = 0;
  message.cbData = static_cast<DWORD>(size);
  message.lpData = const_cast<char*>(data);
  return static_cast<long>(
      SendMessageA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&message)));
}

}  // namespace c51
