#include "settings/widgets/list_header.h"

#include "settings/widgets/list_box_ex.h"

namespace c51::settings {
namespace {

constexpr int kImageFromRight = 90;
constexpr int kFirstButtonFromRight = 88;
constexpr int kButtonPitch = 22;
constexpr int kButtonSize = 20;

}  // namespace

HeaderLayout ComputeHeaderLayout(const Rect& client) {
  HeaderLayout layout;
  int top = client.top + (client.height() - kHeaderImageHeight) / 2;
  int image_left = client.right - kImageFromRight;
  layout.image = {image_left, top, image_left + kHeaderImageWidth, top + kHeaderImageHeight};
  layout.caption = {client.left, client.top, image_left, client.bottom};
  for (int i = 0; i < kHeaderButtonCount; ++i) {
    int left = client.right - kFirstButtonFromRight + i * kButtonPitch;
    layout.buttons[i] = {left, top, left + kButtonSize, top + kButtonSize};
  }
  return layout;
}

const char* HeaderToolTip(int button) {
  static const char* const kTips[kHeaderButtonCount] = {"New", "Delete", "Move Up", "Move Down"};
  return button >= 0 && button < kHeaderButtonCount ? kTips[button] : "";
}

int CListHeader::HitTest(Point p) const {
  for (int i = 0; i < kHeaderButtonCount; ++i) {
    if (layout_.buttons[i].Contains(p)) return i;
  }
  return kHeaderNone;
}

ButtonEdge CListHeader::Edge(int button) const {
  if (button != hover_ || hover_ == kHeaderNone) return ButtonEdge::kNone;
  return pressed_ ? ButtonEdge::kSunken : ButtonEdge::kRaised;
}

bool CListHeader::OnMouseMove(Point p) {
  // While pressed the button keeps its look wherever the mouse goes.
  if (pressed_) return false;
  int button = HitTest(p);
  if (button == hover_) return false;
  hover_ = button;
  return true;
}

bool CListHeader::OnMouseLeave() {
  if (hover_ == kHeaderNone) return false;
  hover_ = kHeaderNone;
  return true;
}

bool CListHeader::OnLButtonDown(Point p) {
  int button = HitTest(p);
  if (button == kHeaderNone) return false;
  hover_ = button;
  pressed_ = true;
  return true;
}

bool CListHeader::OnLButtonUp(Point p) {
  if (!pressed_) return false;
  pressed_ = false;
  int button = HitTest(p);
  if (button == hover_) Perform(button);
  hover_ = button;
  return true;
}

void CListHeader::Perform(int button) {
  if (button < 0 || button >= kHeaderButtonCount) return;
  list_->FinishEditing();
  if (button == kHeaderNew) {
    list_->AddNew();
    return;
  }
  int selection = list_->controls().GetSelection(list_->id());
  if (selection < 0) return;
  switch (button) {
    case kHeaderDelete:
      list_->DeleteItem(selection);
      break;
    case kHeaderMoveUp:
      list_->MoveUp(selection);
      break;
    case kHeaderMoveDown:
      list_->MoveDown(selection);
      break;
  }
}

}  // namespace c51::settings
