// The in-place edit and button on their own: what they report to their
// owner, when they hide, and where the focus goes.
#include "settings/widgets/in_place_controls.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace c51::settings {
namespace {

constexpr int kParent = 300;
constexpr int kEdit = 301;
constexpr int kButton = 302;
constexpr int kOther = 400;
constexpr Rect kAt{5, 8, 170, 28};

struct Owner : CtrlMsgOwner {
  int OnCtrlMsg(const CtrlMsg& msg) override {
    seen.push_back(msg);
    if (during) during(msg);
    return answer;
  }
  std::vector<CtrlMsg> seen;
  int answer = 1;
  std::function<void(const CtrlMsg&)> during;
};

struct Fixture {
  Fixture() {
    input.SetFocus(kParent);
    input.set_cursor({40, 17});
  }
  Owner owner;
  InputState input;
  CInPlaceEdit edit{kEdit, kParent, &owner, &input};
  CInPlaceButton button{kButton, kParent, &owner, &input};
};

TEST(InPlaceEditTest, ShowsOnceAtANonEmptyRectangleWithTheFocus) {
  Fixture f;
  f.edit.SetText("inc");
  EXPECT_FALSE(f.edit.Show({5, 8, 5, 28}));
  EXPECT_FALSE(f.edit.visible());
  EXPECT_EQ(f.input.focus(), kParent);

  ASSERT_TRUE(f.edit.Show(kAt));
  EXPECT_EQ(f.edit.rect(), kAt);
  EXPECT_TRUE(f.edit.all_selected());
  EXPECT_EQ(f.edit.left_margin(), 2);
  EXPECT_EQ(f.input.focus(), kEdit);
  // Already visible: it stays where it is.
  EXPECT_FALSE(f.edit.Show({0, 0, 50, 50}));
  EXPECT_EQ(f.edit.rect(), kAt);
  EXPECT_TRUE(f.owner.seen.empty());
}

TEST(InPlaceEditTest, EnterAndEscapeGoToTheOwner) {
  struct Case {
    int vkey;
    int answer;
    bool sent;
    bool visible_after;
  } cases[] = {
      {kVkReturn, 1, true, false}, {kVkEscape, 1, true, false}, {kVkReturn, 0, true, true},
      {kVkEscape, 0, true, true},  {'A', 1, false, true},       {kVkDelete, 1, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.vkey);
    Fixture f;
    f.owner.answer = c.answer;
    f.edit.Show(kAt);
    EXPECT_EQ(f.edit.OnKey(c.vkey), c.sent);
    if (c.sent) {
      ASSERT_EQ(f.owner.seen.size(), 1u);
      EXPECT_EQ(f.owner.seen[0], (CtrlMsg{kEdit, kCtrlKey, c.vkey, 40, 17}));
    } else {
      EXPECT_TRUE(f.owner.seen.empty());
    }
    EXPECT_EQ(f.edit.visible(), c.visible_after);
    // Hiding hands the focus back to the parent.
    EXPECT_EQ(f.input.focus(), c.visible_after ? kEdit : kParent);
  }
}

TEST(InPlaceEditTest, FocusLossIsReportedOnlyWhileVisible) {
  Fixture f;
  f.edit.Show(kAt);
  f.owner.answer = 0;
  f.input.SetFocus(kButton);
  EXPECT_TRUE(f.edit.visible());
  f.owner.answer = 1;
  f.input.SetFocus(kEdit);
  f.input.SetFocus(kOther);
  EXPECT_FALSE(f.edit.visible());
  // The focus stays where the user put it.
  EXPECT_EQ(f.input.focus(), kOther);
  std::vector<CtrlMsg> want = {{kEdit, kCtrlFocusLost, kButton, 40, 17},
                               {kEdit, kCtrlFocusLost, kOther, 40, 17}};
  EXPECT_EQ(f.owner.seen, want);

  // Hidden, it neither reports nor takes the focus back.
  f.input.SetFocus(kEdit);
  f.input.SetFocus(kOther);
  EXPECT_EQ(f.owner.seen.size(), 2u);
  EXPECT_EQ(f.input.focus(), kOther);
}

TEST(InPlaceEditTest, TypingNeedsTheVisibleFocusedEdit) {
  Fixture f;
  EXPECT_FALSE(f.edit.Type("x"));
  f.edit.SetText("old");
  f.edit.Show(kAt);
  f.owner.answer = 0;
  f.input.SetFocus(kOther);
  EXPECT_FALSE(f.edit.Type("x"));
  EXPECT_EQ(f.edit.text(), "old");
  f.input.SetFocus(kEdit);
  EXPECT_TRUE(f.edit.Type("new"));
  EXPECT_EQ(f.edit.text(), "new");
  EXPECT_FALSE(f.edit.all_selected());
}

TEST(InPlaceButtonTest, EscapeIsReportedButDoesNotHideIt) {
  Fixture f;
  ASSERT_TRUE(f.button.Show({170, 8, 195, 28}));
  // Shown without taking the focus.
  EXPECT_EQ(f.input.focus(), kParent);
  f.owner.answer = 1;
  EXPECT_TRUE(f.button.OnKey(kVkEscape));
  EXPECT_FALSE(f.button.OnKey(kVkReturn));
  EXPECT_TRUE(f.button.visible());
  std::vector<CtrlMsg> want = {{kButton, kCtrlKey, kVkEscape, 40, 17}};
  EXPECT_EQ(f.owner.seen, want);
}

TEST(InPlaceButtonTest, TheFocusCanMoveWhileAClickIsReported) {
  Fixture f;
  EXPECT_FALSE(f.button.Click());  // hidden
  f.button.Show({170, 8, 195, 28});
  f.input.SetFocus(kButton);
  f.owner.during = [&](const CtrlMsg& msg) {
    // A chooser opening takes the focus.
    if (msg.code == kCtrlClicked) f.input.SetFocus(kOther);
  };
  EXPECT_TRUE(f.button.Click());
  EXPECT_TRUE(f.button.visible());
  // The click alone: the focus moving away meanwhile is not the user
  // leaving the button.
  std::vector<CtrlMsg> want = {{kButton, kCtrlClicked, kButton, 40, 17}};
  EXPECT_EQ(f.owner.seen, want);

  // Not busy, losing the focus is reported and the answer hides it.
  f.owner.during = nullptr;
  f.input.SetFocus(kButton);
  f.input.SetFocus(kParent);
  ASSERT_EQ(f.owner.seen.size(), 2u);
  EXPECT_EQ(f.owner.seen[1], (CtrlMsg{kButton, kCtrlFocusLost, kParent, 40, 17}));
  EXPECT_FALSE(f.button.visible());
}

// A router sees every notification and decides what the control hears
// back: the owner's answer only through it.
TEST(InPlaceRouterTest, NotificationsTakeTheRouterAndItsAnswerCounts) {
  struct Recorder : CtrlMsgRouter {
    int Route(CtrlMsgOwner* owner, const CtrlMsg& msg) override {
      routed.push_back(msg);
      return pass ? owner->OnCtrlMsg(msg) : 0;
    }
    std::vector<CtrlMsg> routed;
    bool pass = true;
  } router;
  Fixture f;
  f.edit.set_router(&router);
  ASSERT_TRUE(f.edit.Show(kAt));
  router.pass = false;
  EXPECT_TRUE(f.edit.OnKey(kVkReturn));
  EXPECT_TRUE(f.edit.visible());  // the router answered 0
  EXPECT_TRUE(f.owner.seen.empty());
  router.pass = true;
  EXPECT_TRUE(f.edit.OnKey(kVkEscape));
  EXPECT_FALSE(f.edit.visible());
  ASSERT_EQ(router.routed.size(), 2u);
  EXPECT_EQ(router.routed[1], (CtrlMsg{kEdit, kCtrlKey, kVkEscape, 40, 17}));
  ASSERT_EQ(f.owner.seen.size(), 1u);
  EXPECT_EQ(f.owner.seen[0], router.routed[1]);
}

}  // namespace
}  // namespace c51::settings
