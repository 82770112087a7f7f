// An editable, reorderable list of text lines over a list box of a
// dialog: items are added, edited in place (with an optional "..." button
// beside the edit), deleted, moved up and down by keys or the header
// strip's buttons, and dragged to a new place. The list box keeps the
// texts and item data; this class keeps the editing state and decides.
//
// The window system's messages come in through the On... and drag
// functions; ListBoxUser (list_box_user.h) performs a user's actions
// through them for the headless backend and tests.
#ifndef C51_SETTINGS_WIDGETS_LIST_BOX_EX_H_
#define C51_SETTINGS_WIDGETS_LIST_BOX_EX_H_

#include <cstdint>
#include <string>

#include "settings/dialog_controls.h"
#include "settings/widgets/ctrl_msg.h"
#include "settings/widgets/in_place_controls.h"
#include "settings/widgets/list_geometry.h"

namespace c51::settings {

// Style bit: a "..." button beside the in-place edit.
constexpr uint32_t kListStyleBrowseButton = 0x4000;

// The in-place controls are children of the list; their ids lie outside
// the range the dialog templates use.
constexpr int kIdInPlaceEdit = 0x7F01;
constexpr int kIdInPlaceButton = 0x7F02;

// What the list editor asks of the window that shows it. The headless
// backend has none.
class ListSurface {
 public:
  // Drawing off and on around a change made in several steps.
  virtual void SetRedraw(bool on) = 0;
  // The whole list is to be drawn again.
  virtual void Invalidate() = 0;
  // Inverts the mark's rectangles with a half-tone brush.
  virtual void InvertInsertMark(const InsertMarkShape& mark) = 0;

 protected:
  ~ListSurface() = default;
};

class CListBoxEx : public CtrlMsgOwner {
 public:
  // `controls` holds the list box `list_id`; it outlives this object.
  CListBoxEx(DialogControls* controls, int list_id, uint32_t style = 0);
  virtual ~CListBoxEx() = default;
  CListBoxEx(const CListBoxEx&) = delete;
  CListBoxEx& operator=(const CListBoxEx&) = delete;

  DialogControls& controls() const { return *controls_; }
  int id() const { return id_; }
  uint32_t style() const { return style_; }
  bool has_browse_button() const { return (style_ & kListStyleBrowseButton) != 0; }
  int count() const { return controls_->GetItemCount(id_); }

  // The geometry the window system reports.
  void SetClientRect(const Rect& client) { layout_.client = client; }
  void SetTextMetrics(const TextMetrics& metrics) { layout_.item_height = ItemHeight(metrics); }
  void SetTopIndex(int index) { layout_.top_index = index < 0 ? 0 : index; }
  // Scrolls as little as possible to show `index`.
  void EnsureVisible(int index);
  const ListLayout& layout() const { return layout_; }
  Rect ItemRect(int index) const { return ItemRectAt(layout_, index); }
  // Null: nothing is drawn (headless).
  void set_surface(ListSurface* surface) { surface_ = surface; }
  // How the in-place controls' notifications travel (null: directly).
  void set_ctrl_msg_router(CtrlMsgRouter* router) {
    edit_.set_router(router);
    button_.set_router(router);
  }

  bool editing() const { return editing_item_ >= 0; }
  // Where the drag insertion mark is drawn; -1 when none.
  int insert_mark() const { return last_insert_mark_; }
  bool dragging() const { return drag_source_ >= 0; }

  InputState& input() { return input_; }
  CInPlaceEdit& edit() { return edit_; }
  CInPlaceButton& button() { return button_; }

  // Edits item `index`, or a new empty item appended when `index` is past
  // the last one: selects it, puts its text into the in-place edit and
  // shows the edit (and the "..." button) over it. False when an item is
  // being edited or the index is negative.
  bool BeginEditing(int index);
  // Hides the in-place controls and ends the edit. An empty result deletes
  // the item: the edit's text, or when cancelled the item's own text (so
  // that Escape drops a new item but never an existing one). Otherwise,
  // unless cancelled, the edit's text replaces the item's (its data kept)
  // and the item is selected.
  void EndEditing(bool cancelled);
  // Ends an edit in progress as the focus leaving it would: the text is
  // offered to OnItemEdited and kept when accepted.
  void FinishEditing();
  bool AddNew() { return BeginEditing(count()); }
  // These refuse (false) while an item is being edited, for an index that
  // is not an item, and for a move past either end. A moved item stays
  // selected; moving exchanges texts and item data.
  bool DeleteItem(int index);
  bool MoveUp(int index);
  bool MoveDown(int index);

  // Whether item `index` may be edited. Yes by default.
  virtual bool CanEditItem(int index);
  // The edit of `index` ended with `text`, cancelled by Escape or not.
  // Whether the text is accepted (the answer counts only when not
  // cancelled). Yes by default.
  virtual bool OnItemEdited(int index, const std::string& text, bool cancelled);
  // The "..." button was clicked while `index` is edited. Nothing by default.
  virtual void OnBrowseItem(int index);

  // The window system's messages, in client coordinates, delivered after
  // the list box's own handling (which selects the item under a click and
  // takes the focus).
  void OnLButtonDown(Point p);
  void OnLButtonDblClk(Point p);
  // True when the key was taken (F2, Delete, Alt with an arrow key).
  bool OnKeyDown(int vkey, bool alt);

  // The drag-list protocol. A drag begins on an item unless one is being
  // edited; the insertion mark follows the mouse;
  // a drop moves the dragged item to the marked position.
  bool BeginDrag(Point p);
  void Dragging(Point p);
  void CancelDrag();
  void Dropped(Point p);

  // From the in-place controls. 1 (hide) unless ignored.
  int OnCtrlMsg(const CtrlMsg& msg) override;

 private:
  void CommitEditing();
  bool IsItem(int index) const { return index >= 0 && index < count(); }
  // Puts `text` and `data` at `index`, keeping the selection.
  void ReplaceItem(int index, const std::string& text, intptr_t data);
  void Swap(int a, int b);
  void MoveItem(int from, int to);
  void DrawInsert(int position);
  void Invalidate();

  DialogControls* controls_;
  int id_;
  uint32_t style_;
  ListLayout layout_;
  ListSurface* surface_ = nullptr;

  InputState input_;  // before the controls, which register with it
  CInPlaceEdit edit_;
  CInPlaceButton button_;

  int last_item_ = -1;     // the item last clicked or double-clicked; -1 when none
  int editing_item_ = -1;  // the item being edited; -1 when none
  int last_insert_mark_ = -1;
  int drag_source_ = -1;  // the dragged item; -1 when no drag runs
};

}  // namespace c51::settings

#endif  // C51_SETTINGS_WIDGETS_LIST_BOX_EX_H_
