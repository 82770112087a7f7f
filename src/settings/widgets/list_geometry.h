// Where the list editor's pieces go, in the list's client pixels: items,
// the in-place edit and "..." button over an item, the drag insertion
// mark. Plain functions, so that a window-system backend only draws.
#ifndef C51_SETTINGS_WIDGETS_LIST_GEOMETRY_H_
#define C51_SETTINGS_WIDGETS_LIST_GEOMETRY_H_

#include "settings/widgets/rect.h"

namespace c51::settings {

// What the list needs of its font.
struct TextMetrics {
  int height = 13;
  int external_leading = 0;
};

// Items are owner-drawn with a fixed height: character height plus the
// font's external leading (never below 1).
int ItemHeight(const TextMetrics& metrics);

// The list's scroll state: item `top_index` is drawn at the client's top.
struct ListLayout {
  Rect client{0, 0, 240, 160};
  int item_height = 13;
  int top_index = 0;
};

// How many whole items fit; at least 1.
int VisibleItemCount(const ListLayout& layout);
// The rectangle of item `index` (of any index: items above the top one
// lie above the client area).
Rect ItemRectAt(const ListLayout& layout, int index);
// The item under `p`; -1 outside the client area or below the last item.
int ItemAt(const ListLayout& layout, int count, Point p);
// Where a dragged item would be inserted when dropped at `p`: the index of
// the item under it, `count` below the last item, -1 outside the client area.
int InsertPositionAt(const ListLayout& layout, int count, Point p);
// The top index that shows `index`, scrolling as little as possible.
int TopIndexShowing(const ListLayout& layout, int index);

// The in-place edit over an item: 5 pixels in from the left, 30 short on
// the right with the "..." button (5 without), 2 pixels taller at top and
// bottom. The button fills the 25 pixels between the edit and the 5-pixel
// right margin, just as tall:
//   item {0,10,200,26}: edit {5,8,170,28}, button {170,8,195,28};
//   without button: edit {5,8,195,28}
Rect InPlaceEditRect(const Rect& item, bool with_button);
Rect InPlaceButtonRect(const Rect& item);

// The drag insertion mark at insert position `position`: a 2-pixel line
// across the top edge of that position's item, 5 pixels in from each side,
// with 3-pixel wide ticks 8 pixels taller at both ends. Drawn by inverting,
// clipped to the client area, so drawing it twice removes it.
struct InsertMarkShape {
  Rect line;
  Rect left_tick;
  Rect right_tick;
  Rect clip;
  bool operator==(const InsertMarkShape&) const = default;
};
InsertMarkShape InsertMarkAt(const ListLayout& layout, int position);

// How an owner-drawn item is painted: nothing for an index that is not an
// item; the text 8 pixels in from the left, one line, vertically centred;
// a selected item in the highlight colours with a focus rectangle.
struct ItemPaint {
  bool draw = false;
  Rect text;
  bool highlight = false;
  bool focus_rect = false;
};
ItemPaint PlanItemPaint(const Rect& item, int index, int count, bool selected);

}  // namespace c51::settings

#endif  // C51_SETTINGS_WIDGETS_LIST_GEOMETRY_H_
