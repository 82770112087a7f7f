// The notification the in-place controls send to their owner (a list
// editor): which control, what happened, and where the mouse was. On
// Windows it travels as the registered message named kCtrlMsgName with a
// pointer to the record; the headless backend calls the owner directly.
#ifndef C51_SETTINGS_WIDGETS_CTRL_MSG_H_
#define C51_SETTINGS_WIDGETS_CTRL_MSG_H_

#include <cstdint>

namespace c51::settings {

inline constexpr char kCtrlMsgName[] = "ipc_CtrlMsg";

enum CtrlMsgCode : int32_t {
  kCtrlKey = 1,        // value: the virtual key code
  kCtrlClicked = 2,    // value: the button's control id
  kCtrlFocusLost = 3,  // value: the window receiving the focus (0: none of ours)
};

// Five 32-bit fields. Windows are named by control id, not by handle, so
// the record is the same on every width.
struct CtrlMsg {
  int32_t control = 0;  // the sending control's id
  int32_t code = 0;     // CtrlMsgCode
  int32_t value = 0;
  int32_t x = 0;  // the mouse position when the message was sent
  int32_t y = 0;
  bool operator==(const CtrlMsg&) const = default;
};
static_assert(sizeof(CtrlMsg) == 20, "five 32-bit fields");

class CtrlMsgOwner {
 public:
  // Non-zero: the sending control hides itself.
  virtual int OnCtrlMsg(const CtrlMsg& msg) = 0;

 protected:
  ~CtrlMsgOwner() = default;
};

// How the in-place controls' notifications reach their owner when they
// take a detour: on Windows through the registered message, so that the
// owner's window sees them as the window system delivers them.
class CtrlMsgRouter {
 public:
  // Delivers `msg` to `owner`; the owner's answer.
  virtual int Route(CtrlMsgOwner* owner, const CtrlMsg& msg) = 0;

 protected:
  ~CtrlMsgRouter() = default;
};

// The virtual key codes the list editor and its in-place controls handle.
constexpr int kVkReturn = 0x0D;
constexpr int kVkEscape = 0x1B;
constexpr int kVkLeft = 0x25;
constexpr int kVkUp = 0x26;
constexpr int kVkRight = 0x27;
constexpr int kVkDown = 0x28;
constexpr int kVkDelete = 0x2E;
constexpr int kVkF2 = 0x71;

}  // namespace c51::settings

#endif  // C51_SETTINGS_WIDGETS_CTRL_MSG_H_
