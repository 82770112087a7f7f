// What the plug-in's code asks of the user interface outside the settings
// pages. Two implementations: the system's own windows (Windows) and a
// headless one that records what would have been shown (every platform;
// tests and the command-line host use it).
#ifndef C51_UI_USER_INTERFACE_H_
#define C51_UI_USER_INTERFACE_H_

#include <string>
#include <vector>

namespace c51 {

enum class MessageIcon { kNone, kInformation, kWarning, kError, kQuestion };
enum class MessageButtons { kOk, kOkCancel, kYesNo, kYesNoCancel };
// The button that closed a message box.
enum class MessageAnswer { kOk = 1, kCancel = 2, kYes = 6, kNo = 7 };

class UserInterface {
 public:
  virtual MessageAnswer ShowMessage(const std::string& text, const std::string& caption,
                                    MessageIcon icon, MessageButtons buttons) = 0;

 protected:
  ~UserInterface() = default;
};

// A message box that was asked for in headless mode.
struct RecordedMessage {
  std::string text;
  std::string caption;
  MessageIcon icon;
  MessageButtons buttons;
};

// Records every message box and answers with the first button of its set
// (OK or Yes), or with the answers queued in `answers`, first to last.
class HeadlessInterface final : public UserInterface {
 public:
  MessageAnswer ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                            MessageButtons buttons) override;

  std::vector<RecordedMessage> messages;
  std::vector<MessageAnswer> answers;
};

// The system's interface where there is one (Windows); elsewhere a
// process-wide headless one.
UserInterface* SystemInterface();

}  // namespace c51

#endif  // C51_UI_USER_INTERFACE_H_
