// The header strip over a list editor: the list's caption with four small
// buttons at its right, "New", "Delete", "Move Up" and "Move Down". It is
// the dialog's button control that carries the caption; this class keeps
// its hover and pressed state and performs the buttons on the list.
#ifndef C51_SETTINGS_WIDGETS_LIST_HEADER_H_
#define C51_SETTINGS_WIDGETS_LIST_HEADER_H_

#include "settings/widgets/rect.h"

namespace c51::settings {

class CListBoxEx;

enum HeaderButton : int {
  kHeaderNew = 0,
  kHeaderDelete = 1,
  kHeaderMoveUp = 2,
  kHeaderMoveDown = 3,
  kHeaderNone = 4,  // no button under the mouse
};
constexpr int kHeaderButtonCount = 4;

// The button image: four 22-pixel cells, 88 x 20 pixels in all.
constexpr int kHeaderImageWidth = 88;
constexpr int kHeaderImageHeight = 20;

// Where the strip's parts go in its client area: the image 90 pixels from
// the right edge; the buttons 20 x 20 pixels, 22 apart, the first 88
// pixels from the right edge; all vertically centred. The caption takes
// the rest at the left. Client {0,0,240,24}:
//   image {150,2,238,22}, buttons {152,2,172,22} {174,2,194,22} ...
struct HeaderLayout {
  Rect caption;
  Rect image;
  Rect buttons[kHeaderButtonCount];
};
HeaderLayout ComputeHeaderLayout(const Rect& client);

// The tooltip over a button: "New", "Delete", "Move Up", "Move Down";
// "" for kHeaderNone.
const char* HeaderToolTip(int button);

enum class ButtonEdge {
  kNone,
  kRaised,  // under the mouse
  kSunken,  // under the mouse and pressed
};

class CListHeader {
 public:
  // `list` outlives the header.
  explicit CListHeader(CListBoxEx* list) : list_(list) { OnSize({0, 0, 240, 24}); }

  void OnSize(const Rect& client) { layout_ = ComputeHeaderLayout(client); }
  const HeaderLayout& layout() const { return layout_; }
  // The button under `p`; kHeaderNone when none.
  int HitTest(Point p) const;

  // How `button` is drawn: raised under the mouse, sunken while held down.
  ButtonEdge Edge(int button) const;

  // The mouse, in client coordinates. Each answers whether the strip must
  // be drawn again (a button changed its look).
  bool OnMouseMove(Point p);
  bool OnMouseLeave();
  // On a button: the mouse is captured (true) and the button shown pressed.
  bool OnLButtonDown(Point p);
  // Released over the pressed button: the button is performed. The mouse
  // is released; true when it had been captured.
  bool OnLButtonUp(Point p);

  // What each button does: New begins a new item; the others act on the
  // selected item, and only when there is one. An edit in progress ends
  // first, as the focus leaving it would, so that no button acts on an
  // item while it is edited.
  void Perform(int button);

 private:
  CListBoxEx* list_;
  HeaderLayout layout_;
  int hover_ = kHeaderNone;  // the button under the mouse
  bool pressed_ = false;     // the hovered button is held down
};

}  // namespace c51::settings

#endif  // C51_SETTINGS_WIDGETS_LIST_HEADER_H_
