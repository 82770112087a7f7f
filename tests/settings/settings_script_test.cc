// The action list of a scripted settings dialog: what it accepts, what it
// refuses, and the report of the controls a user would see.
#include "settings/settings_script.h"

#include <gtest/gtest.h>

#include "options/options_tree.h"
#include "plugin/state.h"
#include "settings/pages/c51_page.h"
#include "settings/settings_entry.h"

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
      {"item new", "action 1: \"item new\" needs a text"},
      {"item edit x y", "action 1: \"item edit\" needs an item index"},
      {"item up", "action 1: \"item up\" needs an item index"},
      {"item delete 1 2", "action 1: \"item delete\" takes only an item index"},
      {"item swap 1", "action 1: \"item\" takes new, edit, browse, delete, up or down"},
      {"dialog", "action 1: \"dialog\" takes ok or cancel"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::vector<SettingsAction> actions;
    std::string error;
    EXPECT_FALSE(ParseSettingsActions(c.text, &actions, &error));
    EXPECT_EQ(error, c.error);
  }
}

TEST(SettingsScriptTest, ParsesTheListEditorActions) {
  struct Case {
    const char* line;
    SettingsAction::Kind kind;
    int index;
    const char* text;
  } cases[] = {
      {"item new ..\\inc ", SettingsAction::kItemNew, -1, "..\\inc "},
      {"item edit 2 C:\\My Inc", SettingsAction::kItemEdit, 2, "C:\\My Inc"},
      {"item edit  0", SettingsAction::kItemEdit, 0, ""},
      {"item browse 1", SettingsAction::kItemBrowse, 1, ""},
      {"item delete 3 ", SettingsAction::kItemDelete, 3, ""},
      {"item up 1", SettingsAction::kItemUp, 1, ""},
      {"item down 0", SettingsAction::kItemDown, 0, ""},
      {"dialog ok", SettingsAction::kDialogOk, -1, ""},
      {"dialog cancel", SettingsAction::kDialogCancel, -1, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    std::vector<SettingsAction> actions;
    std::string error;
    ASSERT_TRUE(ParseSettingsActions(c.line, &actions, &error)) << error;
    ASSERT_EQ(actions.size(), 1u);
    EXPECT_EQ(actions[0].kind, c.kind);
    EXPECT_EQ(actions[0].index, c.index);
    EXPECT_EQ(actions[0].text, c.text);
    EXPECT_TRUE(IsDialogAction(actions[0].kind));
  }
}

// The project dialog driven by a script through the C51 page's include
// folder editor: each edit shows in the report, and OK stores the list as
// edited.
TEST(SettingsScriptTest, DrivesTheIncludeFolderEditorEndToEnd) {
  test::ProjectTree tree;
  test::RecordingServices host;
  tree.Tool(nullptr, "C51Tool", {{"INCC5", "inc;lib;old"}});
  PluginState state;
  state.host = &host;
  state.configuration = tree.ref;
  HeadlessInterface ui;
  HeadlessBackend backend(&ui, Language::kEnglish);
  backend.folder_answers = {"C:\\Keil\\C51\\INC"};
  std::vector<SettingsAction> actions;
  std::string error;
  ASSERT_TRUE(
      ParseSettingsActions("item new too early\n"
                           "page C51\n"
                           "click 1052\n"
                           "item new src\\h\n"      // inc lib old src\h
                           "item edit 0 include\n"  // include lib old src\h
                           "item browse 1\n"        // include C:\Keil\C51\INC old src\h
                           "item delete 2\n"        // include C:\Keil\C51\INC src\h
                           "item up 2\n"            // include src\h C:\Keil\C51\INC
                           "item down 0\n"          // src\h include C:\Keil\C51\INC
                           "item up 0\n"            // refused: the first
                           "item new a;b\n"         // refused: the separator
                           "show\n"
                           "dialog ok\n"
                           "item delete 0\n"  // refused: the editor is closed
                           "ok\n",
                           &actions, &error))
      << error;
  std::string report;
  backend.sheet_script = [&](HeadlessSheet& sheet) {
    RunSettingsActions(actions, &sheet, &backend, &ui, &report);
  };
  ShowSettings(&state, tree.root.get(), &backend);

  const std::string items =
      "  3001 listbox -1/3 \"src\\\\h\" \"include\" \"C:\\\\Keil\\\\C51\\\\INC\"\n";
  for (const std::string& part : std::vector<std::string>{
           std::string("> item new too early\nrefused: item new too early\n"),
           std::string("> click 1052\n[dialog \"Folder Setup\"]\n"),
           std::string("  3001 listbox -1/3 \"inc\" \"lib\" \"old\"\n> item new src\\h\n"),
           std::string("> item up 0\nrefused: item up 0\n"),
           std::string("> item new a;b\nmessage: An include folder cannot contain \";\": a;b\n"
                       "refused: item new a;b\n"),
           "> show\n[dialog \"Folder Setup\"]\n  1 button \"OK\"\n  2 button \"Cancel\"\n"
           "  3000 button \"Include &Directories:\"\n" +
               items,
           std::string("> dialog ok\n[dialog \"Folder Setup\" closed: OK]\n"),
           std::string("> item delete 0\nrefused: item delete 0\n"),
           std::string("result: OK\n"),
       }) {
    EXPECT_NE(report.find(part), std::string::npos) << part << "\n---\n" << report;
  }
  EXPECT_STREQ(GetAttributeText(FindToolNode(tree.config, "C51Tool"), "INCC5"),
               "src\\h\\;include\\;C:\\Keil\\C51\\INC\\");
}

// The report starts with what the entry and the frame composed: the
// sheet's title, its painted caption and the "Default" button, in the
// interface language.
TEST(SettingsScriptTest, ReportsTheTitleCaptionAndDefaultButton) {
  test::ProjectTree tree;
  test::RecordingServices host;
  ProjectNode* group = test::AddNode(tree.files, "Filter", "App");
  PluginState state;
  state.host = &host;
  state.configuration = tree.ref;
  SetAttributeText(tree.root.get(), "Name", "demo");
  struct Case {
    ProjectNode* node;
    Language language;
    const char* head;
  } cases[] = {
      // 配置文件组 "App" (configure file group), 默认值 (default value)
      {group, Language::kChinese,
       "[sheet \"\xC5\xE4\xD6\xC3\xCE\xC4\xBC\xFE\xD7\xE9 \\\"App\\\"\"]\n"
       "  caption \"Corvane Settings\"\n"
       "  7701 button \"\xC4\xAC\xC8\xCF\xD6\xB5\"\n"
       "> cancel\n"},
      {tree.root.get(), Language::kEnglish,
       "[sheet \"Project Settings \\\"demo\\\"\"]\n"
       "  caption \"Corvane Settings\"\n"
       "  7701 button \"Default\"\n"
       "> cancel\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.head);
    HeadlessInterface ui;
    HeadlessBackend backend(&ui, c.language);
    std::vector<SettingsAction> actions;
    std::string error, report;
    ASSERT_TRUE(ParseSettingsActions("cancel", &actions, &error)) << error;
    backend.sheet_script = [&](HeadlessSheet& sheet) {
      RunSettingsActions(actions, &sheet, &backend, &ui, &report);
    };
    ShowSettings(&state, c.node, &backend);
    EXPECT_EQ(report.substr(0, std::string(c.head).size()), c.head) << report;
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
            "  -1 label \"Label:\"\n"
            "  12 edit \"one\\r\\n\\\"two\\\"\"\n"
            "  10 check disabled [2] \"Box\"\n"
            "  11 list 1/2 \"b\"\n"
            "  13 listbox hidden -1/2 \"x\\\\\" \"y\"\n");
}

}  // namespace
}  // namespace c51::settings
