#include "ui/user_interface.h"

namespace c51 {

MessageAnswer HeadlessInterface::ShowMessage(const std::string& text, const std::string& caption,
                                             MessageIcon icon, MessageButtons buttons) {
  messages.push_back({text, caption, icon, buttons});
  if (!answers.empty()) {
    MessageAnswer answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }
  return buttons == MessageButtons::kYesNo || buttons == MessageButtons::kYesNoCancel
             ? MessageAnswer::kYes
             : MessageAnswer::kOk;
}

}  // namespace c51
