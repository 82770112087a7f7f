// The list editor and its header strip: geometry, in-place editing,
// moves, drags and the header's buttons, driven as a user would.
#include "settings/widgets/list_box_ex.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "settings/headless/headless_dialog.h"
#include "settings/widgets/list_box_user.h"
#include "settings/widgets/list_header.h"

namespace c51::settings {
namespace {

constexpr int kList = 500;
using Items = std::vector<std::string>;

DialogTemplate Layout() {
  DialogTemplate t;
  t.id = 901;
  t.controls = {
      {kIdOk, ControlKind::kPushButton, kStyleNone, "OK", {}},
      {kList, ControlKind::kListBox, kStyleNone, "", {}},
  };
  return t;
}

// Records what the overridable operations were asked.
class RecordingList : public CListBoxEx {
 public:
  using CListBoxEx::CListBoxEx;
  bool CanEditItem(int index) override { return locked.count(index) == 0; }
  bool OnItemEdited(int index, const std::string& text, bool cancelled) override {
    log.push_back("edited " + std::to_string(index) + " '" + text + "'" +
                  (cancelled ? " cancelled" : ""));
    return accept;
  }
  void OnBrowseItem(int index) override { log.push_back("browse " + std::to_string(index)); }

  std::vector<std::string> log;
  std::set<int> locked;
  bool accept = true;
};

struct Fixture {
  explicit Fixture(Items items, uint32_t style = kListStyleBrowseButton)
      : dialog(Layout(), nullptr), list(&dialog, kList, style) {
    for (size_t i = 0; i < items.size(); ++i) {
      dialog.AddItem(kList, items[i]);
      dialog.SetItemData(kList, static_cast<int>(i), 100 + static_cast<intptr_t>(i));
    }
    list.SetClientRect({0, 0, 200, 160});
    list.SetTextMetrics({14, 2});  // 16-pixel items, ten of them visible
  }
  Items items() const {
    Items out;
    for (int i = 0; i < dialog.GetItemCount(kList); ++i)
      out.push_back(dialog.GetItemText(kList, i));
    return out;
  }
  std::vector<intptr_t> data() const {
    std::vector<intptr_t> out;
    for (int i = 0; i < dialog.GetItemCount(kList); ++i)
      out.push_back(dialog.GetItemData(kList, i));
    return out;
  }
  int selection() const { return dialog.GetSelection(kList); }

  HeadlessDialog dialog;
  RecordingList list;
  CListHeader header{&list};
  ListBoxUser user{&list, &header};
};

TEST(ListGeometryTest, InPlaceControlsOverAnItem) {
  const Rect item{0, 10, 200, 26};
  EXPECT_EQ(InPlaceEditRect(item, true), (Rect{5, 8, 170, 28}));
  EXPECT_EQ(InPlaceButtonRect(item), (Rect{170, 8, 195, 28}));
  EXPECT_EQ(InPlaceEditRect(item, false), (Rect{5, 8, 195, 28}));
  EXPECT_EQ(ItemHeight({13, 3}), 16);
  EXPECT_EQ(ItemHeight({0, 0}), 1);
}

TEST(ListGeometryTest, PointsToItemsAndInsertPositions) {
  // Items 16 high, item 2 at the top, so item 5 is the last one of four.
  ListLayout layout{{0, 10, 100, 74}, 16, 2};
  EXPECT_EQ(ItemRectAt(layout, 3), (Rect{0, 26, 100, 42}));
  struct Case {
    Point p;
    int item;
    int position;
  } cases[] = {
      {{50, 10}, 2, 2},  {{50, 25}, 2, 2},    {{50, 26}, 3, 3},   {{99, 73}, 5, 5},
      {{50, 9}, -1, -1}, {{100, 30}, -1, -1}, {{50, 74}, -1, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.p.x << "," << c.p.y);
    EXPECT_EQ(ItemAt(layout, 6, c.p), c.item);
    EXPECT_EQ(InsertPositionAt(layout, 6, c.p), c.position);
  }
  // Below the last of four items: no item, but the position after it.
  EXPECT_EQ(ItemAt(layout, 4, {50, 60}), -1);
  EXPECT_EQ(InsertPositionAt(layout, 4, {50, 60}), 4);

  EXPECT_EQ(VisibleItemCount(layout), 4);
  EXPECT_EQ(TopIndexShowing(layout, 0), 0);
  EXPECT_EQ(TopIndexShowing(layout, 4), 2);
  EXPECT_EQ(TopIndexShowing(layout, 9), 6);
}

TEST(ListGeometryTest, InsertMarkAndItemPainting) {
  ListLayout layout{{0, 0, 100, 64}, 16, 1};
  InsertMarkShape mark = InsertMarkAt(layout, 3);
  EXPECT_EQ(mark.line, (Rect{5, 31, 95, 33}));
  EXPECT_EQ(mark.left_tick, (Rect{5, 27, 8, 37}));
  EXPECT_EQ(mark.right_tick, (Rect{92, 27, 95, 37}));
  EXPECT_EQ(mark.clip, layout.client);

  const Rect item{0, 16, 100, 32};
  EXPECT_FALSE(PlanItemPaint(item, -1, 3, true).draw);
  EXPECT_FALSE(PlanItemPaint(item, 3, 3, false).draw);
  ItemPaint plain = PlanItemPaint(item, 1, 3, false);
  EXPECT_TRUE(plain.draw);
  EXPECT_EQ(plain.text, (Rect{8, 16, 100, 32}));
  EXPECT_FALSE(plain.highlight || plain.focus_rect);
  ItemPaint selected = PlanItemPaint(item, 1, 3, true);
  EXPECT_TRUE(selected.highlight && selected.focus_rect);
}

TEST(ListHeaderTest, LayoutAndToolTips) {
  HeaderLayout even = ComputeHeaderLayout({0, 0, 240, 24});
  EXPECT_EQ(even.image, (Rect{150, 2, 238, 22}));
  EXPECT_EQ(even.caption, (Rect{0, 0, 150, 24}));
  const Rect buttons[] = {
      {152, 2, 172, 22}, {174, 2, 194, 22}, {196, 2, 216, 22}, {218, 2, 238, 22}};
  for (int i = 0; i < kHeaderButtonCount; ++i) EXPECT_EQ(even.buttons[i], buttons[i]);
  HeaderLayout odd = ComputeHeaderLayout({10, 5, 310, 30});
  EXPECT_EQ(odd.buttons[0], (Rect{222, 7, 242, 27}));
  EXPECT_EQ(odd.buttons[3], (Rect{288, 7, 308, 27}));

  const char* tips[] = {"New", "Delete", "Move Up", "Move Down", ""};
  for (int i = 0; i <= kHeaderNone; ++i) EXPECT_STREQ(HeaderToolTip(i), tips[i]);
}

TEST(ListHeaderTest, HoverPressAndRelease) {
  Fixture f({"a", "b", "c"});
  CListHeader& h = f.header;
  const HeaderLayout& l = h.layout();
  Point up = l.buttons[kHeaderMoveUp].Center();
  Point down = l.buttons[kHeaderMoveDown].Center();

  EXPECT_TRUE(h.OnMouseMove(up));
  EXPECT_EQ(h.Edge(kHeaderMoveUp), ButtonEdge::kRaised);
  EXPECT_EQ(h.Edge(kHeaderMoveDown), ButtonEdge::kNone);
  EXPECT_FALSE(h.OnMouseMove(up));  // nothing to redraw
  EXPECT_FALSE(h.OnLButtonDown({2, 2}));
  EXPECT_EQ(h.Edge(kHeaderMoveUp), ButtonEdge::kRaised);

  // Pressed, moved off and released elsewhere: nothing happens.
  f.dialog.SetSelection(kList, 2);
  EXPECT_TRUE(h.OnLButtonDown(up));
  EXPECT_EQ(h.Edge(kHeaderMoveUp), ButtonEdge::kSunken);
  EXPECT_FALSE(h.OnMouseMove(down));
  EXPECT_EQ(h.Edge(kHeaderMoveUp), ButtonEdge::kSunken);
  EXPECT_EQ(h.Edge(kHeaderMoveDown), ButtonEdge::kNone);
  EXPECT_TRUE(h.OnLButtonUp(down));
  EXPECT_EQ(h.Edge(kHeaderMoveUp), ButtonEdge::kNone);
  EXPECT_EQ(h.Edge(kHeaderMoveDown), ButtonEdge::kRaised);
  EXPECT_EQ(f.items(), (Items{"a", "b", "c"}));

  // Released over the button it went down on: performed.
  EXPECT_TRUE(h.OnLButtonDown(up));
  EXPECT_TRUE(h.OnLButtonUp(up));
  EXPECT_EQ(f.items(), (Items{"a", "c", "b"}));
  EXPECT_FALSE(h.OnLButtonUp(up));  // not pressed any more

  EXPECT_TRUE(h.OnMouseLeave());
  for (int i = 0; i < kHeaderButtonCount; ++i) EXPECT_EQ(h.Edge(i), ButtonEdge::kNone);
}

TEST(ListHeaderTest, ButtonsActOnTheSelectedItemOnly) {
  struct Case {
    int selection;
    int button;
    Items items;
    int selected_after;
  } cases[] = {
      {-1, kHeaderDelete, {"a", "b", "c"}, -1},   {-1, kHeaderMoveUp, {"a", "b", "c"}, -1},
      {-1, kHeaderMoveDown, {"a", "b", "c"}, -1}, {1, kHeaderDelete, {"a", "c"}, -1},
      {1, kHeaderMoveUp, {"b", "a", "c"}, 0},     {1, kHeaderMoveDown, {"a", "c", "b"}, 2},
      {0, kHeaderMoveUp, {"a", "b", "c"}, 0},     {2, kHeaderMoveDown, {"a", "b", "c"}, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.selection << " " << HeaderToolTip(c.button));
    Fixture f({"a", "b", "c"});
    f.dialog.SetSelection(kList, c.selection);
    EXPECT_TRUE(f.user.PressHeaderButton(c.button));
    EXPECT_EQ(f.items(), c.items);
    EXPECT_EQ(f.selection(), c.selected_after);
    EXPECT_FALSE(f.list.editing());
  }
}

TEST(ListBoxExTest, DoubleClickEditsInPlaceAndEnterCommits) {
  Fixture f({"a", "b", "c"});
  ASSERT_TRUE(f.user.DoubleClickItem(1));
  EXPECT_TRUE(f.list.editing());
  EXPECT_EQ(f.selection(), 1);
  const Rect item = f.list.ItemRect(1);
  EXPECT_EQ(item, (Rect{0, 16, 200, 32}));
  EXPECT_TRUE(f.list.edit().visible());
  EXPECT_EQ(f.list.edit().rect(), InPlaceEditRect(item, true));
  EXPECT_EQ(f.list.edit().text(), "b");
  EXPECT_TRUE(f.list.edit().all_selected());
  EXPECT_EQ(f.list.input().focus(), kIdInPlaceEdit);
  EXPECT_TRUE(f.list.button().visible());
  EXPECT_EQ(f.list.button().rect(), InPlaceButtonRect(item));

  ASSERT_TRUE(f.user.Type("bee"));
  ASSERT_TRUE(f.user.PressKey(kVkReturn));
  EXPECT_EQ(f.items(), (Items{"a", "bee", "c"}));
  EXPECT_EQ(f.data(), (std::vector<intptr_t>{100, 101, 102}));
  EXPECT_EQ(f.selection(), 1);
  EXPECT_FALSE(f.list.editing());
  EXPECT_FALSE(f.list.edit().visible());
  EXPECT_FALSE(f.list.button().visible());
  EXPECT_EQ(f.list.input().focus(), kList);
  EXPECT_EQ(f.list.log, (std::vector<std::string>{"edited 1 'bee'"}));
}

TEST(ListBoxExTest, WithoutTheStyleThereIsNoButton) {
  Fixture f({"a"}, 0);
  ASSERT_TRUE(f.user.DoubleClickItem(0));
  EXPECT_EQ(f.list.edit().rect(), InPlaceEditRect(f.list.ItemRect(0), false));
  EXPECT_FALSE(f.list.button().visible());
  EXPECT_FALSE(f.user.ClickBrowse());
}

TEST(ListBoxExTest, HowAnEditEnds) {
  struct Case {
    const char* name;
    bool add_new;       // else edit item 1 ("b")
    const char* typed;  // null: type nothing
    int key;            // kVkReturn, kVkEscape, or 0: the focus moves to OK
    bool accept;
    Items items;
    const char* log;
  } cases[] = {
      {"new, escape", true, nullptr, kVkEscape, true, {"a", "b"}, "edited 2 '' cancelled"},
      {"new, typed, escape", true, "x", kVkEscape, true, {"a", "b"}, "edited 2 'x' cancelled"},
      {"new, enter", true, nullptr, kVkReturn, true, {"a", "b"}, "edited 2 ''"},
      {"new, typed, enter", true, "x", kVkReturn, true, {"a", "b", "x"}, "edited 2 'x'"},
      {"new, typed, left", true, "x", 0, true, {"a", "b", "x"}, "edited 2 'x'"},
      {"cleared, enter", false, "", kVkReturn, true, {"a"}, "edited 1 ''"},
      {"cleared, escape", false, "", kVkEscape, true, {"a", "b"}, "edited 1 '' cancelled"},
      {"typed, escape", false, "x", kVkEscape, true, {"a", "b"}, "edited 1 'x' cancelled"},
      {"typed, enter, refused", false, "x", kVkReturn, false, {"a", "b"}, "edited 1 'x'"},
      {"typed, left, refused", false, "x", 0, false, {"a", "b"}, "edited 1 'x'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Fixture f({"a", "b"});
    f.list.accept = c.accept;
    if (c.add_new) {
      ASSERT_TRUE(f.user.PressHeaderButton(kHeaderNew));
      EXPECT_EQ(f.items(), (Items{"a", "b", ""}));
    } else {
      ASSERT_TRUE(f.user.DoubleClickItem(1));
    }
    if (c.typed) {
      ASSERT_TRUE(f.user.Type(c.typed));
    }
    if (c.key != 0) {
      ASSERT_TRUE(f.user.PressKey(c.key));
    } else {
      f.list.input().SetFocus(kIdOk);
      EXPECT_EQ(f.list.input().focus(), kIdOk);
    }
    EXPECT_EQ(f.items(), c.items);
    EXPECT_EQ(f.list.log, (std::vector<std::string>{c.log}));
    EXPECT_FALSE(f.list.editing());
    EXPECT_FALSE(f.list.edit().visible());
    EXPECT_FALSE(f.list.button().visible());
    // The items' data stays with them.
    EXPECT_EQ(f.dialog.GetItemData(kList, 1) == 101, c.items.size() > 1);
  }
}

TEST(ListBoxExTest, BrowseKeepsTheEditGoing) {
  Fixture f({"a", "b"});
  ASSERT_TRUE(f.user.DoubleClickItem(0));
  ASSERT_TRUE(f.user.ClickBrowse());
  EXPECT_EQ(f.list.log, (std::vector<std::string>{"browse 0"}));
  EXPECT_TRUE(f.list.editing());
  EXPECT_TRUE(f.list.edit().visible());
  EXPECT_TRUE(f.list.button().visible());
  EXPECT_EQ(f.list.input().focus(), kIdInPlaceButton);
  // Back into the edit and out again: the focus between the two does not
  // end the edit.
  ASSERT_TRUE(f.user.ClickEdit());
  ASSERT_TRUE(f.user.ClickBrowse());
  EXPECT_TRUE(f.list.editing());
  // Escape in the button cancels the edit, which hides both.
  ASSERT_TRUE(f.user.PressKey(kVkEscape));
  EXPECT_FALSE(f.list.editing());
  EXPECT_FALSE(f.list.button().visible());
  EXPECT_EQ(f.list.input().focus(), kList);
  EXPECT_EQ(f.list.log,
            (std::vector<std::string>{"browse 0", "browse 0", "edited 0 'a' cancelled"}));
}

TEST(ListBoxExTest, LeavingTheButtonCommits) {
  Fixture f({"a", "b"});
  ASSERT_TRUE(f.user.DoubleClickItem(0));
  ASSERT_TRUE(f.user.Type("z"));
  ASSERT_TRUE(f.user.ClickBrowse());
  // Clicking another item takes the focus from the button.
  ASSERT_TRUE(f.user.ClickItem(1));
  EXPECT_EQ(f.items(), (Items{"z", "b"}));
  EXPECT_FALSE(f.list.editing());
  EXPECT_EQ(f.selection(), 1);
  // The click counts for F2.
  ASSERT_TRUE(f.user.PressKey(kVkF2));
  EXPECT_EQ(f.list.edit().text(), "b");
}

TEST(ListBoxExTest, WhoMayEdit) {
  Fixture f({"a", "b"});
  f.list.locked = {0};
  EXPECT_TRUE(f.user.DoubleClickItem(0));  // the click happens
  EXPECT_FALSE(f.list.editing());
  EXPECT_TRUE(f.user.PressKey(kVkF2));
  EXPECT_FALSE(f.list.editing());
  ASSERT_TRUE(f.user.ClickItem(1));
  ASSERT_TRUE(f.user.PressKey(kVkF2));
  EXPECT_TRUE(f.list.editing());
  EXPECT_EQ(f.list.edit().text(), "b");
  // While editing nothing else begins.
  EXPECT_FALSE(f.list.BeginEditing(0));
  EXPECT_FALSE(f.list.AddNew());
  f.list.EndEditing(true);

  // A disabled list takes no clicks at all.
  f.dialog.Enable(kList, false);
  EXPECT_FALSE(f.user.DoubleClickItem(1));
  EXPECT_FALSE(f.user.PressHeaderButton(kHeaderNew));
  EXPECT_FALSE(f.list.editing());
}

TEST(ListBoxExTest, DeleteKeyRemovesTheLastClickedItemOnce) {
  Fixture f({"a", "b", "c"});
  ASSERT_TRUE(f.user.ClickItem(1));
  ASSERT_TRUE(f.user.PressKey(kVkDelete));
  EXPECT_EQ(f.items(), (Items{"a", "c"}));
  // The item that moved up was never clicked: it stays.
  ASSERT_TRUE(f.user.PressKey(kVkDelete));
  EXPECT_EQ(f.items(), (Items{"a", "c"}));
  EXPECT_FALSE(f.user.PressKey('A'));
}

TEST(ListBoxExTest, AltArrowsMoveTheSelectedItem) {
  struct Case {
    int key;
    int selection;
    Items items;
    std::vector<intptr_t> data;
    int selected_after;
  } cases[] = {
      {kVkUp, 1, {"b", "a", "c"}, {101, 100, 102}, 0},
      {kVkLeft, 2, {"a", "c", "b"}, {100, 102, 101}, 1},
      {kVkDown, 0, {"b", "a", "c"}, {101, 100, 102}, 1},
      {kVkRight, 1, {"a", "c", "b"}, {100, 102, 101}, 2},
      {kVkUp, 0, {"a", "b", "c"}, {100, 101, 102}, 0},
      {kVkDown, 2, {"a", "b", "c"}, {100, 101, 102}, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.key << " from " << c.selection);
    Fixture f({"a", "b", "c"});
    ASSERT_TRUE(f.user.ClickItem(c.selection));
    EXPECT_TRUE(f.user.PressKey(c.key, true));
    EXPECT_EQ(f.items(), c.items);
    EXPECT_EQ(f.data(), c.data);
    EXPECT_EQ(f.selection(), c.selected_after);
    // The clicked item is still the one F2 edits.
    ASSERT_TRUE(f.user.PressKey(kVkF2));
    EXPECT_EQ(f.list.edit().text(), c.items[c.selected_after]);
  }
}

TEST(ListBoxExTest, HeaderButtonsFinishAnEditFirst) {
  Fixture f({"a", "b", "c"});
  ASSERT_TRUE(f.user.DoubleClickItem(0));
  ASSERT_TRUE(f.user.Type("A"));
  ASSERT_TRUE(f.user.PressHeaderButton(kHeaderMoveDown));
  EXPECT_EQ(f.items(), (Items{"b", "A", "c"}));
  EXPECT_EQ(f.selection(), 1);

  // A new empty item being edited goes away, and with it the selection.
  ASSERT_TRUE(f.user.PressHeaderButton(kHeaderNew));
  ASSERT_TRUE(f.user.PressHeaderButton(kHeaderDelete));
  EXPECT_EQ(f.items(), (Items{"b", "A", "c"}));
  EXPECT_FALSE(f.list.editing());

  // New while editing commits the edit and starts another.
  ASSERT_TRUE(f.user.DoubleClickItem(2));
  ASSERT_TRUE(f.user.Type("C"));
  ASSERT_TRUE(f.user.PressHeaderButton(kHeaderNew));
  EXPECT_EQ(f.items(), (Items{"b", "A", "C", ""}));
  EXPECT_TRUE(f.list.editing());
  EXPECT_EQ(f.selection(), 3);
}

TEST(ListBoxExTest, EditingScrollsTheItemIntoView) {
  Items many;
  for (int i = 0; i < 20; ++i) many.push_back("item" + std::to_string(i));
  Fixture f(many);
  ASSERT_TRUE(f.list.AddNew());
  // Ten items fit: the new item 20 is the bottom one.
  EXPECT_EQ(f.list.layout().top_index, 11);
  EXPECT_EQ(f.list.edit().rect(), (Rect{5, 142, 170, 162}));
  f.list.EndEditing(true);
  EXPECT_EQ(f.items().size(), 20u);

  // A list too small for the edit edits nothing and adds nothing.
  f.list.SetClientRect({0, 0, 4, 160});
  EXPECT_FALSE(f.list.AddNew());
  EXPECT_FALSE(f.list.editing());
  EXPECT_EQ(f.items().size(), 20u);
}

TEST(ListBoxExTest, DragMovesAnItemToTheMarkedPosition) {
  struct Case {
    int from;
    int position;
    Items items;
    std::vector<intptr_t> data;
    int selected_after;
  } cases[] = {
      {0, 3, {"b", "c", "a", "d"}, {101, 102, 100, 103}, 2},
      {3, 0, {"d", "a", "b", "c"}, {103, 100, 101, 102}, 0},
      {1, 4, {"a", "c", "d", "b"}, {100, 102, 103, 101}, 3},
      {2, 2, {"a", "b", "c", "d"}, {100, 101, 102, 103}, 2},
      {2, 3, {"a", "b", "c", "d"}, {100, 101, 102, 103}, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.from << " to " << c.position);
    Fixture f({"a", "b", "c", "d"});
    ASSERT_TRUE(f.user.ClickItem(1));
    ASSERT_TRUE(f.user.DragItem(c.from, c.position));
    EXPECT_EQ(f.items(), c.items);
    EXPECT_EQ(f.data(), c.data);
    EXPECT_EQ(f.selection(), c.selected_after);
    EXPECT_FALSE(f.list.dragging());
    EXPECT_EQ(f.list.insert_mark(), -1);
    // The last clicked item is followed to its new place, for F2 and Delete.
    ASSERT_TRUE(f.user.PressKey(kVkF2));
    EXPECT_EQ(f.list.edit().text(), "b");
  }
}

TEST(ListBoxExTest, DragIsRefusedWhileEditing) {
  Fixture f({"a", "b"});
  ASSERT_TRUE(f.user.DoubleClickItem(0));
  EXPECT_FALSE(f.user.DragItem(1, 0));
  EXPECT_TRUE(f.list.editing());
  EXPECT_EQ(f.items(), (Items{"a", "b"}));
}

// Records what the list asks its window to draw.
struct Surface : ListSurface {
  void SetRedraw(bool on) override { log.push_back(on ? "redraw on" : "redraw off"); }
  void Invalidate() override { log.push_back("invalidate"); }
  void InvertInsertMark(const InsertMarkShape& mark) override {
    log.push_back("invert " + std::to_string(mark.line.top + 1));
  }
  std::vector<std::string> log;
};

TEST(ListBoxExTest, TheInsertMarkIsRemovedBeforeTheNextIsDrawn) {
  Fixture f({"a", "b", "c"});
  Surface surface;
  f.list.set_surface(&surface);
  auto at = [&](int position) { return f.list.ItemRect(position).Center(); };
  ASSERT_TRUE(f.list.BeginDrag(at(0)));
  f.list.Dragging(at(0));
  f.list.Dragging(at(2));
  f.list.Dragging({50, 200});  // off the list: no mark
  f.list.Dragging(at(3));      // below the last item
  f.list.CancelDrag();
  EXPECT_EQ(f.items(), (Items{"a", "b", "c"}));
  std::vector<std::string> want = {"invert 0",  "invert 0",  "invert 32",
                                   "invert 32", "invert 48", "invert 48"};
  EXPECT_EQ(surface.log, want);

  // A move switches drawing off while the two items change places.
  surface.log.clear();
  f.list.MoveDown(0);
  want = {"redraw off", "redraw on", "invalidate"};
  EXPECT_EQ(surface.log, want);
}

}  // namespace
}  // namespace c51::settings
