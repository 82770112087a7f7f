#include "settings/widgets/list_box_user.h"

namespace c51::settings {

bool ListBoxUser::Usable() const {
  const DialogControls& c = list_->controls();
  return c.IsEnabled(list_->id()) && c.IsVisible(list_->id());
}

Point ListBoxUser::PointAt(int index) {
  list_->EnsureVisible(index);
  Point p = list_->ItemRect(index).Center();
  list_->input().set_cursor(p);
  return p;
}

bool ListBoxUser::ClickItem(int index) {
  if (!Usable()) return false;
  // The button goes down before anything else happens: the focus moves
  // first, and an edit that ends then may remove an item.
  list_->input().SetFocus(list_->id());
  if (index < 0 || index >= list_->count()) return false;
  Point p = PointAt(index);
  list_->controls().SetSelection(list_->id(), index);
  list_->OnLButtonDown(p);
  return true;
}

bool ListBoxUser::DoubleClickItem(int index) {
  if (!ClickItem(index)) return false;
  list_->OnLButtonDblClk(list_->input().cursor());
  return true;
}

bool ListBoxUser::PressKey(int vkey, bool alt) {
  int focus = list_->input().focus();
  if (focus == list_->edit().id()) return !alt && list_->edit().OnKey(vkey);
  if (focus == list_->button().id()) return !alt && list_->button().OnKey(vkey);
  if (focus == list_->id() && Usable()) return list_->OnKeyDown(vkey, alt);
  return false;
}

bool ListBoxUser::Type(const std::string& text) {
  return list_->edit().Type(text);
}

bool ListBoxUser::ClickEdit() {
  CInPlaceEdit& edit = list_->edit();
  if (!edit.visible()) return false;
  list_->input().set_cursor(edit.rect().Center());
  list_->input().SetFocus(edit.id());
  return edit.has_focus();
}

bool ListBoxUser::ClickBrowse() {
  CInPlaceButton& button = list_->button();
  if (!button.visible()) return false;
  list_->input().set_cursor(button.rect().Center());
  list_->input().SetFocus(button.id());
  return button.Click();
}

bool ListBoxUser::DragItem(int from, int position) {
  if (!Usable() || from < 0 || from >= list_->count()) return false;
  if (position < 0 || position > list_->count()) return false;
  if (!list_->BeginDrag(PointAt(from))) return false;
  // Past the end the mouse goes just below the last item, scrolled as the
  // drag scrolls the list near its edges.
  Point target = PointAt(position);
  list_->Dragging(target);
  list_->Dropped(target);
  return true;
}

bool ListBoxUser::PressHeaderButton(int button) {
  if (header_ == nullptr || !Usable()) return false;
  if (button < 0 || button >= kHeaderButtonCount) return false;
  Point p = header_->layout().buttons[button].Center();
  header_->OnMouseMove(p);
  if (!header_->OnLButtonDown(p)) return false;
  header_->OnLButtonUp(p);
  return true;
}

}  // namespace c51::settings
