// The action list of a scripted settings dialog: what it accepts, what it
// refuses, and the report of the controls a user would see.
#include "settings/settings_script.h"

#include <gtest/gtest.h>

namespace c51::settings {
namespace {

TEST(SettingsScriptTest, ParsesEachAction) {
  std::vector<SettingsAction> actions;
  std::string error;
  ASSERT_TRUE(
      ParseSettingsActions("# a comment\r\n"
                           "page 2\n"
                           "  page Linker Misc\n"
                           "type 1591 A B  \n"
                           "type 1591\n"
                           "choose 1593 =6: Loop rotation\n"
                           "choose 1593 10\n"
                           "click 1595\n"
                           "folder C:\\inc\n"
                           "answer no\n"
                           "\n"
                           "ok",
                           &actions, &error))
      << error;
  ASSERT_EQ(actions.size(), 10u);
  EXPECT_EQ(actions[0].kind, SettingsAction::kPage);
  EXPECT_EQ(actions[0].index, 2);
  EXPECT_EQ(actions[1].index, -1);
  EXPECT_EQ(actions[1].text, "Linker Misc");
  EXPECT_EQ(actions[2].id, 1591);
  EXPECT_EQ(actions[2].text, "A B  ");  // typed text keeps its blanks
  EXPECT_EQ(actions[3].text, "");
  EXPECT_EQ(actions[4].text, "6: Loop rotation");
  EXPECT_EQ(actions[5].index, 10);
  EXPECT_EQ(actions[6].kind, SettingsAction::kClick);
  EXPECT_EQ(actions[7].text, "C:\\inc");
  EXPECT_EQ(actions[8].answer, MessageAnswer::kNo);
  EXPECT_EQ(actions[9].kind, SettingsAction::kOk);
}

TEST(SettingsScriptTest, RefusesWhatItDoesNotKnow) {
  struct Case {
    const char* text;
    const char* error;
  } cases[] = {
      {"ok\npress 1\n", "action 2: unknown action \"press\""},
      {"type x y", "action 1: \"type\" needs a control id"},
      {"click 12 extra", "action 1: \"click\" takes only a control id"},
      {"choose 12", "action 1: \"choose\" needs an index or =<text>"},
      {"choose 12 -1", "action 1: \"choose\" needs an index or =<text>"},
      {"page", "action 1: \"page\" needs an index or a caption"},
      {"ok now", "action 1: \"ok\" takes nothing after it"},
      {"answer maybe", "action 1: \"answer\" takes ok, cancel, yes or no"},
      {"click 99999999999", "action 1: \"click\" needs a control id"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::vector<SettingsAction> actions;
    std::string error;
    EXPECT_FALSE(ParseSettingsActions(c.text, &actions, &error));
    EXPECT_EQ(error, c.error);
  }
}

TEST(SettingsScriptTest, DescribesControlsInTemplateOrder) {
  DialogTemplate layout{900,
                        "Page",
                        {{kNoId, ControlKind::kStatic, kStyleNone, "Label:", {}},
                         {12, ControlKind::kEdit, kMultiLine, "", {}},
                         {10, ControlKind::kCheckBox, kDisabled, "Box", {}},
                         {11, ControlKind::kDropDownList, kStyleNone, "", {"a", "b"}},
                         {13, ControlKind::kListBox, kHidden, "", {"x\\", "y"}}}};
  HeadlessDialog dialog(layout, nullptr);
  dialog.SetText(12, "one\r\n\"two\"");
  dialog.SetCheck(10, kIndeterminate);
  dialog.SetSelection(11, 1);
  EXPECT_EQ(DescribeControls(dialog),
            "  12 edit \"one\\r\\n\\\"two\\\"\"\n"
            "  10 check disabled [2] \"Box\"\n"
            "  11 list 1/2 \"b\"\n"
            "  13 listbox hidden -1/2 \"x\\\\\" \"y\"\n");
}

}  // namespace
}  // namespace c51::settings
