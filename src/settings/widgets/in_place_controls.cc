#include "settings/widgets/in_place_controls.h"

#include <algorithm>

namespace c51::settings {

void InputState::SetFocus(int window) {
  int old = focus_;
  if (old == window) return;
  focus_ = window;
  for (InPlaceControl* control : watched_) {
    if (control->id() == old) control->OnKillFocus(window);
  }
}

void InputState::Unwatch(InPlaceControl* control) {
  watched_.erase(std::remove(watched_.begin(), watched_.end(), control), watched_.end());
}

InPlaceControl::InPlaceControl(int id, int parent, CtrlMsgOwner* owner, InputState* input)
    : id_(id), parent_(parent), owner_(owner), input_(input) {
  input_->Watch(this);
}

InPlaceControl::~InPlaceControl() {
  input_->Unwatch(this);
}

bool InPlaceControl::ShowAt(const Rect& rect) {
  if (visible_ || rect.empty()) return false;
  rect_ = rect;
  visible_ = true;
  return true;
}

void InPlaceControl::Hide() {
  if (!visible_) return;
  // Hidden first, so that the focus moving away is not reported as the
  // user leaving the control.
  visible_ = false;
  if (has_focus()) input_->SetFocus(parent_);
}

int InPlaceControl::Send(int32_t code, int32_t value) {
  Point at = input_->cursor();
  const CtrlMsg msg{id_, code, value, at.x, at.y};
  return router_ != nullptr ? router_->Route(owner_, msg) : owner_->OnCtrlMsg(msg);
}

bool CInPlaceEdit::Show(const Rect& rect) {
  if (!ShowAt(rect)) return false;
  left_margin_ = 2;
  all_selected_ = true;
  input()->SetFocus(id());
  return true;
}

void CInPlaceEdit::SetText(const std::string& text) {
  text_ = text;
  all_selected_ = false;
}

bool CInPlaceEdit::OnKey(int vkey) {
  if (vkey != kVkReturn && vkey != kVkEscape) return false;
  if (Send(kCtrlKey, vkey) != 0) Hide();
  return true;
}

bool CInPlaceEdit::Type(const std::string& text) {
  if (!visible() || !has_focus()) return false;
  SetText(text);
  return true;
}

void CInPlaceEdit::OnKillFocus(int window) {
  if (!visible()) return;
  if (Send(kCtrlFocusLost, window) != 0) Hide();
}

bool CInPlaceButton::OnKey(int vkey) {
  if (vkey != kVkEscape) return false;
  Send(kCtrlKey, vkey);
  return true;
}

bool CInPlaceButton::Click() {
  if (!visible()) return false;
  busy_ = true;
  Send(kCtrlClicked, id());
  busy_ = false;
  return true;
}

void CInPlaceButton::OnKillFocus(int window) {
  if (!visible() || busy_) return;
  if (Send(kCtrlFocusLost, window) != 0) Hide();
}

}  // namespace c51::settings
