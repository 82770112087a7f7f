// The system's modal message box.
#ifndef C51_PLATFORM_MESSAGE_BOX_H_
#define C51_PLATFORM_MESSAGE_BOX_H_

#include <string>

namespace c51 {

// True where the system has message boxes (Windows) and the environment
// variable C51_HEADLESS is not "1".
bool HasSystemMessageBox();

// Shows a modal message box owned by the active window. `icon`: 0 none,
// 1 information, 2 warning, 3 error, 4 question; `buttons`: 0 OK,
// 1 OK/Cancel, 2 Yes/No, 3 Yes/No/Cancel. Returns the button pressed
// (1 OK, 2 Cancel, 6 Yes, 7 No); 1 where there are no message boxes.
int ShowSystemMessageBox(const std::string& text, const std::string& caption, int icon,
                         int buttons);

}  // namespace c51

#endif  // C51_PLATFORM_MESSAGE_BOX_H_
