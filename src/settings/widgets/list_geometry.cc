#include "settings/widgets/list_geometry.h"

#include <algorithm>

namespace c51::settings {
namespace {

constexpr int kEditInset = 5;
constexpr int kButtonSpace = 30;
constexpr int kButtonWidth = 25;
constexpr int kTaller = 2;
constexpr int kMarkInset = 5;
constexpr int kTickWidth = 3;
constexpr int kTickOverhang = 4;  // above and below the line: 8 taller in all
constexpr int kTextIndent = 8;

int Height(const ListLayout& layout) {
  return std::max(layout.item_height, 1);
}

// The client row `p` falls in, counted in items from the top index.
int PositionAt(const ListLayout& layout, Point p) {
  return layout.top_index + (p.y - layout.client.top) / Height(layout);
}

}  // namespace

int ItemHeight(const TextMetrics& metrics) {
  return std::max(metrics.height + metrics.external_leading, 1);
}

int VisibleItemCount(const ListLayout& layout) {
  return std::max(layout.client.height() / Height(layout), 1);
}

Rect ItemRectAt(const ListLayout& layout, int index) {
  int top = layout.client.top + (index - layout.top_index) * Height(layout);
  return {layout.client.left, top, layout.client.right, top + Height(layout)};
}

int ItemAt(const ListLayout& layout, int count, Point p) {
  if (!layout.client.Contains(p)) return -1;
  int index = PositionAt(layout, p);
  return index < count ? index : -1;
}

int InsertPositionAt(const ListLayout& layout, int count, Point p) {
  if (!layout.client.Contains(p)) return -1;
  return std::min(PositionAt(layout, p), count);
}

int TopIndexShowing(const ListLayout& layout, int index) {
  if (index < layout.top_index) return std::max(index, 0);
  int visible = VisibleItemCount(layout);
  if (index >= layout.top_index + visible) return index - visible + 1;
  return layout.top_index;
}

Rect InPlaceEditRect(const Rect& item, bool with_button) {
  return {item.left + kEditInset, item.top - kTaller,
          item.right - (with_button ? kButtonSpace : kEditInset), item.bottom + kTaller};
}

Rect InPlaceButtonRect(const Rect& item) {
  int left = item.right - kButtonSpace;
  return {left, item.top - kTaller, left + kButtonWidth, item.bottom + kTaller};
}

InsertMarkShape InsertMarkAt(const ListLayout& layout, int position) {
  const Rect& c = layout.client;
  int y = ItemRectAt(layout, position).top;
  int left = c.left + kMarkInset;
  int right = c.right - kMarkInset;
  InsertMarkShape mark;
  mark.line = {left, y - 1, right, y + 1};
  mark.left_tick = {left, y - 1 - kTickOverhang, left + kTickWidth, y + 1 + kTickOverhang};
  mark.right_tick = {right - kTickWidth, y - 1 - kTickOverhang, right, y + 1 + kTickOverhang};
  mark.clip = c;
  return mark;
}

ItemPaint PlanItemPaint(const Rect& item, int index, int count, bool selected) {
  ItemPaint paint;
  if (index < 0 || index >= count) return paint;
  paint.draw = true;
  paint.text = {item.left + kTextIndent, item.top, item.right, item.bottom};
  paint.highlight = selected;
  paint.focus_rect = selected;
  return paint;
}

}  // namespace c51::settings
