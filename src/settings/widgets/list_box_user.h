// A user's hands on a list editor and its header strip: each action is
// delivered as the window system would deliver it (focus changes first,
// then the mouse or key messages). The headless backend and tests drive
// the list through it. Actions answer false when refused: the list is
// disabled or hidden, the item is not there, or nobody took the action.
#ifndef C51_SETTINGS_WIDGETS_LIST_BOX_USER_H_
#define C51_SETTINGS_WIDGETS_LIST_BOX_USER_H_

#include <string>

#include "settings/widgets/list_box_ex.h"
#include "settings/widgets/list_header.h"

namespace c51::settings {

class ListBoxUser {
 public:
  // `header` may be null. Neither is owned.
  explicit ListBoxUser(CListBoxEx* list, CListHeader* header = nullptr)
      : list_(list), header_(header) {}

  // Clicks an item (scrolled into view first): the list takes the focus,
  // which ends an edit in progress, then selects the item.
  bool ClickItem(int index);
  bool DoubleClickItem(int index);
  // A key to the window with the focus: the in-place edit or button, or
  // the list.
  bool PressKey(int vkey, bool alt = false);
  // Types into the in-place edit, which must have the focus.
  bool Type(const std::string& text);
  // Clicks into the in-place edit, giving it the focus.
  bool ClickEdit();
  // Clicks the "..." button, which takes the focus before it reports.
  bool ClickBrowse();
  // Drags item `from` to insert position `position` (0 to count; `count`
  // is below the last item) and drops it there. False when the drag did
  // not start; a drop that does not move the item still counts.
  bool DragItem(int from, int position);
  // Moves over a header button, presses and releases it.
  bool PressHeaderButton(int button);

 private:
  bool Usable() const;
  // Scrolls `index` into view and puts the mouse on it.
  Point PointAt(int index);

  CListBoxEx* list_;
  CListHeader* header_;
};

}  // namespace c51::settings

#endif  // C51_SETTINGS_WIDGETS_LIST_BOX_USER_H_
