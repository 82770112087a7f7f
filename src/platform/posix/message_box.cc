#include "platform/message_box.h"

namespace c51 {

// No window system is assumed on POSIX: the headless interface records
// message boxes instead.
bool HasSystemMessageBox() {
  return false;
}

int ShowSystemMessageBox(const std::string&, const std::string&, int, int) {
  return 1;
}

}  // namespace c51
