// Pixel rectangles and points in a window's client coordinates, as the
// window system gives them: right and bottom lie just outside.
#ifndef C51_SETTINGS_WIDGETS_RECT_H_
#define C51_SETTINGS_WIDGETS_RECT_H_

namespace c51::settings {

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool empty() const { return right <= left || bottom <= top; }
  bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  Point Center() const { return {(left + right) / 2, (top + bottom) / 2}; }
  bool operator==(const Rect&) const = default;
};

}  // namespace c51::settings

#endif  // C51_SETTINGS_WIDGETS_RECT_H_
