#include "settings/widgets/list_box_ex.h"

namespace c51::settings {
namespace {

// Where an index lands when the item at `from` is taken out and put back
// at `to` (an index of the list without it).
int Follow(int index, int from, int to) {
  if (index < 0) return index;
  if (index == from) return to;
  if (index > from) --index;
  if (index >= to) ++index;
  return index;
}

}  // namespace

CListBoxEx::CListBoxEx(DialogControls* controls, int list_id, uint32_t style)
    : controls_(controls),
      id_(list_id),
      style_(style),
      edit_(kIdInPlaceEdit, list_id, this, &input_),
      button_(kIdInPlaceButton, list_id, this, &input_) {}

void CListBoxEx::EnsureVisible(int index) {
  layout_.top_index = TopIndexShowing(layout_, index);
}

bool CListBoxEx::BeginEditing(int index) {
  if (editing() || index < 0) return false;
  bool appended = index >= count();
  if (appended) index = controls_->AddItem(id_, std::string());
  // Selecting scrolls the item into view, as the list box does.
  controls_->SetSelection(id_, index);
  EnsureVisible(index);
  editing_item_ = index;
  Rect item = ItemRect(index);
  edit_.SetText(controls_->GetItemText(id_, index));
  if (!edit_.Show(InPlaceEditRect(item, has_browse_button()))) {
    // A list too small to hold the edit: an edit nobody can end would
    // block every later one.
    editing_item_ = -1;
    if (appended) controls_->DeleteItem(id_, index);
    return false;
  }
  if (has_browse_button()) button_.Show(InPlaceButtonRect(item));
  return true;
}

void CListBoxEx::EndEditing(bool cancelled) {
  if (!editing()) return;
  int item = editing_item_;
  // Cleared first: hiding the edit moves the focus, which must not be
  // taken for the user leaving an edit still in progress.
  editing_item_ = -1;
  edit_.Hide();
  button_.Hide();
  const std::string text = cancelled ? controls_->GetItemText(id_, item) : edit_.text();
  if (text.empty()) {
    controls_->DeleteItem(id_, item);
    if (last_item_ == item) {
      last_item_ = -1;
    } else if (last_item_ > item) {
      --last_item_;
    }
  } else if (!cancelled) {
    ReplaceItem(item, text, controls_->GetItemData(id_, item));
    controls_->SetSelection(id_, item);
  }
  Invalidate();
}

void CListBoxEx::CommitEditing() {
  int item = editing_item_;
  bool accepted = OnItemEdited(item, edit_.text(), false);
  EndEditing(!accepted);
}

void CListBoxEx::FinishEditing() {
  if (editing()) CommitEditing();
}

bool CListBoxEx::DeleteItem(int index) {
  if (editing() || !IsItem(index)) return false;
  controls_->DeleteItem(id_, index);
  if (last_item_ == index) {
    last_item_ = -1;
  } else if (last_item_ > index) {
    --last_item_;
  }
  Invalidate();
  return true;
}

bool CListBoxEx::MoveUp(int index) {
  if (editing() || !IsItem(index) || index == 0) return false;
  Swap(index - 1, index);
  controls_->SetSelection(id_, index - 1);
  return true;
}

bool CListBoxEx::MoveDown(int index) {
  if (editing() || !IsItem(index) || index == count() - 1) return false;
  Swap(index, index + 1);
  controls_->SetSelection(id_, index + 1);
  return true;
}

void CListBoxEx::ReplaceItem(int index, const std::string& text, intptr_t data) {
  int selection = controls_->GetSelection(id_);
  controls_->DeleteItem(id_, index);
  controls_->InsertItem(id_, index, text);
  controls_->SetItemData(id_, index, data);
  if (selection == index) controls_->SetSelection(id_, index);
}

void CListBoxEx::Swap(int a, int b) {
  const std::string text_a = controls_->GetItemText(id_, a);
  const std::string text_b = controls_->GetItemText(id_, b);
  intptr_t data_a = controls_->GetItemData(id_, a);
  intptr_t data_b = controls_->GetItemData(id_, b);
  if (surface_) surface_->SetRedraw(false);
  ReplaceItem(a, text_b, data_b);
  ReplaceItem(b, text_a, data_a);
  if (surface_) surface_->SetRedraw(true);
  if (last_item_ == a) {
    last_item_ = b;
  } else if (last_item_ == b) {
    last_item_ = a;
  }
  Invalidate();
}

void CListBoxEx::MoveItem(int from, int to) {
  const std::string text = controls_->GetItemText(id_, from);
  intptr_t data = controls_->GetItemData(id_, from);
  controls_->DeleteItem(id_, from);
  controls_->InsertItem(id_, to, text);
  controls_->SetItemData(id_, to, data);
  controls_->SetSelection(id_, to);
  last_item_ = Follow(last_item_, from, to);
  Invalidate();
}

void CListBoxEx::Invalidate() {
  if (surface_) surface_->Invalidate();
}

bool CListBoxEx::CanEditItem(int) {
  return true;
}

bool CListBoxEx::OnItemEdited(int, const std::string&, bool) {
  return true;
}

void CListBoxEx::OnBrowseItem(int) {}

void CListBoxEx::OnLButtonDown(Point p) {
  last_item_ = ItemAt(layout_, count(), p);
}

void CListBoxEx::OnLButtonDblClk(Point p) {
  int item = ItemAt(layout_, count(), p);
  last_item_ = item;
  if (item >= 0 && CanEditItem(item)) BeginEditing(item);
}

bool CListBoxEx::OnKeyDown(int vkey, bool alt) {
  if (alt) {
    int selection = controls_->GetSelection(id_);
    switch (vkey) {
      case kVkUp:
      case kVkLeft:
        MoveUp(selection);
        return true;
      case kVkRight:
      case kVkDown:
        MoveDown(selection);
        return true;
      default:
        return false;
    }
  }
  switch (vkey) {
    case kVkF2:
      if (IsItem(last_item_) && CanEditItem(last_item_)) BeginEditing(last_item_);
      return true;
    case kVkDelete:
      if (IsItem(last_item_)) DeleteItem(last_item_);
      return true;
    default:
      return false;
  }
}

bool CListBoxEx::BeginDrag(Point p) {
  if (editing()) return false;
  int item = ItemAt(layout_, count(), p);
  if (item < 0) return false;
  drag_source_ = item;
  controls_->SetSelection(id_, item);
  last_insert_mark_ = -1;
  DrawInsert(InsertPositionAt(layout_, count(), p));
  return true;
}

void CListBoxEx::Dragging(Point p) {
  if (dragging()) DrawInsert(InsertPositionAt(layout_, count(), p));
}

void CListBoxEx::CancelDrag() {
  DrawInsert(-1);
  drag_source_ = -1;
}

void CListBoxEx::Dropped(Point p) {
  if (!dragging()) return;
  DrawInsert(-1);
  int from = drag_source_;
  drag_source_ = -1;
  int to = InsertPositionAt(layout_, count(), p);
  // Just above or just below itself the item would not move.
  if (to < 0 || to == from || to == from + 1) return;
  MoveItem(from, from < to ? to - 1 : to);
}

void CListBoxEx::DrawInsert(int position) {
  if (position == last_insert_mark_) return;
  // Inverting draws and removes alike: the old mark goes before the new
  // one is drawn.
  if (surface_ && last_insert_mark_ >= 0) {
    surface_->InvertInsertMark(InsertMarkAt(layout_, last_insert_mark_));
  }
  if (surface_ && position >= 0) surface_->InvertInsertMark(InsertMarkAt(layout_, position));
  last_insert_mark_ = position;
}

int CListBoxEx::OnCtrlMsg(const CtrlMsg& msg) {
  // A control left over from an edit that already ended just hides.
  if (!editing()) return 1;
  switch (msg.code) {
    case kCtrlKey:
      if (msg.value == kVkEscape) {
        OnItemEdited(editing_item_, edit_.text(), true);
        EndEditing(true);
        return 1;
      }
      if (msg.value == kVkReturn) {
        CommitEditing();
        return 1;
      }
      return 0;
    case kCtrlClicked:
      OnBrowseItem(editing_item_);
      return 1;
    case kCtrlFocusLost:
      // Between the edit and its button the edit goes on.
      if (msg.value == edit_.id() || msg.value == button_.id()) return 0;
      CommitEditing();
      return 1;
    default:
      return 0;
  }
}

}  // namespace c51::settings
