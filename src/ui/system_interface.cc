#include "platform/message_box.h"
#include "ui/user_interface.h"

namespace c51 {
namespace {

// The system's modal message box.
class SystemMessages final : public UserInterface {
 public:
  MessageAnswer ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                            MessageButtons buttons) override {
    return static_cast<MessageAnswer>(
        ShowSystemMessageBox(text, caption, static_cast<int>(icon), static_cast<int>(buttons)));
  }
};

}  // namespace

UserInterface* SystemInterface() {
  if (HasSystemMessageBox()) {
    static SystemMessages system;
    return &system;
  }
  static HeadlessInterface headless;
  return &headless;
}

}  // namespace c51
