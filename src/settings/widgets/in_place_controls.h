// The edit and "..." button a list editor shows over the item being
// edited. Both report keys, clicks and focus loss to their owner with a
// CtrlMsg record and hide themselves when the owner answers non-zero.
// They are models: a window-system backend mirrors their state onto real
// child windows and feeds them the keys, clicks and focus changes.
#ifndef C51_SETTINGS_WIDGETS_IN_PLACE_CONTROLS_H_
#define C51_SETTINGS_WIDGETS_IN_PLACE_CONTROLS_H_

#include <string>
#include <vector>

#include "settings/widgets/ctrl_msg.h"
#include "settings/widgets/rect.h"

namespace c51::settings {

class InPlaceControl;

// No window of ours has the focus.
constexpr int kNoWindow = 0;

// The keyboard focus and the mouse position as the window system keeps
// them, windows named by control id. Moving the focus tells the in-place
// control that loses it, after the move, as the kill-focus message does.
class InputState {
 public:
  int focus() const { return focus_; }
  void SetFocus(int window);
  // The mouse position the notifications carry.
  Point cursor() const { return cursor_; }
  void set_cursor(Point p) { cursor_ = p; }

  // For the in-place controls, which register for the lifetime of the
  // state they were created with.
  void Watch(InPlaceControl* control) { watched_.push_back(control); }
  void Unwatch(InPlaceControl* control);

 private:
  int focus_ = kNoWindow;
  Point cursor_;
  std::vector<InPlaceControl*> watched_;  // not owned
};

class InPlaceControl {
 public:
  // `parent` is the window the focus goes back to; `owner` hears of
  // everything. Neither is owned; both outlive the control.
  InPlaceControl(int id, int parent, CtrlMsgOwner* owner, InputState* input);
  virtual ~InPlaceControl();
  InPlaceControl(const InPlaceControl&) = delete;
  InPlaceControl& operator=(const InPlaceControl&) = delete;

  int id() const { return id_; }
  bool visible() const { return visible_; }
  const Rect& rect() const { return rect_; }
  bool has_focus() const { return input_->focus() == id_; }

  // When visible: hides where it is and gives the focus back to the parent
  // when it had it. (A control losing the focus to some other window
  // leaves the focus there.)
  void Hide();
  // The focus moved from this control to `window`.
  virtual void OnKillFocus(int window) = 0;
  // Null (the default): notifications go straight to the owner.
  void set_router(CtrlMsgRouter* router) { router_ = router; }

 protected:
  // When hidden and `rect` is not empty: moves there and becomes visible.
  bool ShowAt(const Rect& rect);
  // Sends the notification; the owner's answer.
  int Send(int32_t code, int32_t value);
  InputState* input() const { return input_; }

 private:
  int id_;
  int parent_;
  CtrlMsgOwner* owner_;
  CtrlMsgRouter* router_ = nullptr;
  InputState* input_;
  bool visible_ = false;
  Rect rect_;
};

class CInPlaceEdit final : public InPlaceControl {
 public:
  // Created hidden, with a border and automatic horizontal scrolling;
  // takes Enter as input rather than passing it to the dialog.
  using InPlaceControl::InPlaceControl;

  // When shown: a 2-pixel left margin, all text selected, the focus.
  bool Show(const Rect& rect);

  const std::string& text() const { return text_; }
  // From code: replaces the text, selects nothing.
  void SetText(const std::string& text);
  // Whether the whole text is selected (typing replaces it).
  bool all_selected() const { return all_selected_; }
  int left_margin() const { return left_margin_; }

  // A key for the edit. Enter and Escape never reach the edit itself: they
  // go to the owner, and the edit hides when it answers non-zero. True
  // when the key was taken that way.
  bool OnKey(int vkey);
  // The user typing: the text becomes `text`. False unless the edit is
  // visible and has the focus.
  bool Type(const std::string& text);
  void OnKillFocus(int window) override;

 private:
  std::string text_;
  bool all_selected_ = false;
  int left_margin_ = 0;
};

class CInPlaceButton final : public InPlaceControl {
 public:
  using InPlaceControl::InPlaceControl;

  static constexpr char kText[] = "...";

  // Shown without taking the focus.
  bool Show(const Rect& rect) { return ShowAt(rect); }
  // Escape goes to the owner, whose answer does not hide the button.
  bool OnKey(int vkey);
  // The button was clicked (the window system delivers it; the focus is
  // on the button by then). False when hidden.
  bool Click();
  void OnKillFocus(int window) override;

 private:
  // While its click is being reported, so that the focus moving away
  // during that report (a chooser opening) is not taken for the user
  // leaving the button.
  bool busy_ = false;
};

}  // namespace c51::settings

#endif  // C51_SETTINGS_WIDGETS_IN_PLACE_CONTROLS_H_
