// The headless controls behave as the platform's do where page logic
// depends on it: which changes notify, how clicks move check states, what
// disabled and read-only controls refuse.
#include "settings/headless/headless_dialog.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace c51::settings {
namespace {

struct Recorder : ControlEvents {
  void OnControl(int id, Notification code) override { seen.emplace_back(id, code); }
  std::vector<std::pair<int, Notification>> seen;
};

DialogTemplate Layout() {
  DialogTemplate t;
  t.id = 900;
  t.controls = {
      {kNoId, ControlKind::kStatic, kStyleNone, "Label:", {}},
      {10, ControlKind::kEdit, kStyleNone, "", {}},
      {11, ControlKind::kEdit, kMultiLine | kReadOnly, "", {}},
      {12, ControlKind::kEdit, kHidden, "", {}},
      {20, ControlKind::kCheckBox, kAutomatic, "Two", {}},
      {21, ControlKind::kCheckBox, kAutomatic | kThreeState, "Three", {}},
      {22, ControlKind::kCheckBox, kStyleNone, "Manual", {}},
      {30, ControlKind::kDropDownList, kStyleNone, "", {"a", "b", "c"}},
      {40, ControlKind::kRadioButton, kAutomatic | kGroupStart, "r1", {}},
      {41, ControlKind::kRadioButton, kAutomatic, "r2", {}},
      {42, ControlKind::kRadioButton, kAutomatic | kGroupStart, "other group", {}},
      {50, ControlKind::kPushButton, kDisabled, "...", {}},
  };
  return t;
}

TEST(HeadlessDialogTest, TextChangesNotifyProgrammaticSelectionsDoNot) {
  Recorder events;
  HeadlessDialog dialog(Layout(), &events);
  dialog.SetText(10, "x");
  dialog.SetText(10, "x");     // the same text notifies again, as the platform does
  dialog.UpdateText(10, "x");  // but data exchange skips an unchanged text
  dialog.SetText(11, "read-only edits notify too");
  dialog.SetSelection(30, 1);
  dialog.SetCheck(20, kChecked);
  dialog.SetText(20, "a check box caption raises nothing");
  std::vector<std::pair<int, Notification>> want = {{10, Notification::kTextChanged},
                                                    {10, Notification::kTextChanged},
                                                    {11, Notification::kTextChanged}};
  EXPECT_EQ(events.seen, want);
  EXPECT_EQ(dialog.GetText(30), "b");
  EXPECT_EQ(dialog.GetText(20), "a check box caption raises nothing");
}

TEST(HeadlessDialogTest, ClicksMoveCheckStates) {
  Recorder events;
  HeadlessDialog dialog(Layout(), &events);
  std::vector<int> two, three;
  for (int i = 0; i < 4; ++i) {
    ASSERT_TRUE(dialog.Click(20));
    two.push_back(dialog.GetCheck(20));
    ASSERT_TRUE(dialog.Click(21));
    three.push_back(dialog.GetCheck(21));
  }
  EXPECT_EQ(two, (std::vector<int>{1, 0, 1, 0}));
  EXPECT_EQ(three, (std::vector<int>{1, 2, 0, 1}));
  // A box that is not automatic only tells its dialog.
  ASSERT_TRUE(dialog.Click(22));
  EXPECT_EQ(dialog.GetCheck(22), kUnchecked);
  EXPECT_EQ(events.seen.back(), std::make_pair(22, Notification::kClicked));
  // Switched to three states, a two-state box cycles through all three.
  dialog.SetThreeState(20, true);
  dialog.SetCheck(20, kChecked);
  dialog.Click(20);
  EXPECT_EQ(dialog.GetCheck(20), kIndeterminate);
}

TEST(HeadlessDialogTest, RadioButtonsClearTheirGroupOnly) {
  HeadlessDialog dialog(Layout(), nullptr);
  dialog.Click(42);
  dialog.Click(40);
  dialog.Click(41);
  EXPECT_EQ(dialog.GetCheck(40), kUnchecked);
  EXPECT_EQ(dialog.GetCheck(41), kChecked);
  EXPECT_EQ(dialog.GetCheck(42), kChecked);
}

TEST(HeadlessDialogTest, RefusedActions) {
  Recorder events;
  HeadlessDialog dialog(Layout(), &events);
  EXPECT_FALSE(dialog.Click(50));      // disabled in the template
  EXPECT_FALSE(dialog.Type(11, "x"));  // read-only
  EXPECT_FALSE(dialog.Type(99, "x"));  // no such control
  EXPECT_FALSE(dialog.Choose(30, 3));  // past the end
  EXPECT_FALSE(dialog.ChooseText(30, "z"));
  EXPECT_FALSE(dialog.Type(12, "x"));  // hidden in the template
  dialog.Enable(10, false);
  EXPECT_FALSE(dialog.Type(10, "x"));
  EXPECT_TRUE(events.seen.empty());
  EXPECT_EQ(dialog.GetText(10), "");
  dialog.Enable(50, true);
  EXPECT_TRUE(dialog.Click(50));
  EXPECT_TRUE(dialog.ChooseText(30, "c"));
  EXPECT_EQ(dialog.GetSelection(30), 2);
}

TEST(HeadlessDialogTest, ListItemsKeepTheirDataAndSelection) {
  HeadlessDialog dialog(Layout(), nullptr);
  dialog.SetSelection(30, 2);
  dialog.SetItemData(30, 2, 77);
  EXPECT_EQ(dialog.InsertItem(30, 0, "first"), 0);
  EXPECT_EQ(dialog.GetSelection(30), 3);
  EXPECT_EQ(dialog.GetItemData(30, 3), 77);
  EXPECT_EQ(dialog.AddItem(30, "last"), 4);
  dialog.DeleteItem(30, 3);
  EXPECT_EQ(dialog.GetSelection(30), -1);
  dialog.SetSelection(30, 9);
  EXPECT_EQ(dialog.GetSelection(30), -1);
  EXPECT_EQ(dialog.GetItemText(30, 3), "last");
  EXPECT_EQ(dialog.GetItemText(30, 4), "");
  dialog.ResetItems(30);
  EXPECT_EQ(dialog.GetItemCount(30), 0);
}

}  // namespace
}  // namespace c51::settings
