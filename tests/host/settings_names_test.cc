// Settings by name: the report read back (controls, labels, pages), names
// compared as users write them, actions rewritten to ids and the report
// shown as written, and the JSON of --list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/settings_json.h"
#include "host/settings_names.h"
#include "host/settings_report.h"

namespace c51::host {
namespace {

// A report as the plug-in writes it: a page shown by "show", then the
// closing section with every page shown.
const char kReport[] =
    "[sheet \"Project Settings \\\"demo\\\"\"]\n"
    "  caption \"Corvane Settings\"\n"
    "  7701 button \"Default\"\n"
    "> show\n"
    "[page 1 \"Target\"]\n"
    "  -1 label \"Xtal(MHz):\"\n"
    "  1563 edit \"24.000000\"\n"
    "> page 0\n"
    "refused: page 0\n"
    "[page 1 \"Target\"]\n"
    "  -1 label \"Xtal(MHz):\"\n"
    "  1563 edit \"11.0592\"\n"
    "  -1 label \"Memory Model\"\n"
    "  1564 list 2/3 \"Large: variables in XDATA\"\n"
    "  1000 check [1] \"Code Banking\"\n"
    "  -1 label \"Bank Area\"\n"
    "  -1 label \"End:\"\n"
    "  1002 edit disabled \"0x0000\"\n"
    "  1003 edit disabled \"0xFFFF\"\n"
    "[page 9 \"Debug\"]\n"
    "  -1 label \"Unused\"\n"
    "  1423 radio [1] \"Software Simulation\"\n"
    "  1426 check hidden [1] \"Run to main()\"\n"
    "  1451 check [0] \"Run to main()\"\n"
    "  1522 list -1/0 \"\"\n"
    "  77 listbox 0/2 \"a\\\\\" \"b \\\"c\\\"\"\n"
    "result: OK\n";

const ReportControl* Control(const ReportPage& page, int id) {
  for (const ReportControl& c : page.controls)
    if (c.id == id) return &c;
  return nullptr;
}

TEST(SettingsReportTest, ParsesControlLinesOfEveryKind) {
  struct Case {
    const char* line;
    bool ok;
    int id;
    const char* kind;
    bool enabled, visible;
    int check, selection, count;
    const char* text;
  } cases[] = {
      {"  1563 edit \"11.0592\"", true, 1563, "edit", true, true, -1, -1, 0, "11.0592"},
      {"  12 edit disabled hidden \"a\\r\\n\\\"b\\\"\"", true, 12, "edit", false, false, -1, -1, 0,
       "a\r\n\"b\""},
      {"  1000 check [2] \"Code Banking\"", true, 1000, "check", true, true, 2, -1, 0,
       "Code Banking"},
      {"  1564 list 1/3 \"Compact\"", true, 1564, "list", true, true, -1, 1, 3, "Compact"},
      {"  5 listbox hidden 1/2 \"x\" \"y\"", true, 5, "listbox", true, false, -1, 1, 2, "y"},
      {"  -1 label \"Xtal\"", false, 0, "", true, true, -1, -1, 0, ""},
      {"  caption \"Corvane Settings\"", false, 0, "", true, true, -1, -1, 0, ""},
      {"  1 check \"no state\"", false, 0, "", true, true, -1, -1, 0, ""},
      {"  1 edit \"unterminated", false, 0, "", true, true, -1, -1, 0, ""},
      {"> type 1563 1", false, 0, "", true, true, -1, -1, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    ReportControl control;
    ASSERT_EQ(ParseControlLine(c.line, &control), c.ok);
    if (!c.ok) continue;
    EXPECT_EQ(control.id, c.id);
    EXPECT_EQ(control.kind, c.kind);
    EXPECT_EQ(control.enabled, c.enabled);
    EXPECT_EQ(control.visible, c.visible);
    EXPECT_EQ(control.check, c.check);
    EXPECT_EQ(control.selection, c.selection);
    EXPECT_EQ(control.count, c.count);
    EXPECT_EQ(control.text, c.text);
  }
}

TEST(SettingsReportTest, NamesEachControlByTheLabelBeforeItOrItsCaption) {
  const std::vector<ReportPage> pages = ReportedPages(kReport);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(FirstReportedPage(kReport), 1);
  const ReportPage& target = pages[0];
  EXPECT_EQ(target.index, 1);
  EXPECT_EQ(target.caption, "Target");
  // The closing section's block, not the one "show" printed before.
  ASSERT_NE(Control(target, 1563), nullptr);
  EXPECT_EQ(Control(target, 1563)->text, "11.0592");
  struct Case {
    int id;
    const char* label;
  } cases[] = {
      {1563, "Xtal(MHz):"},
      {1564, "Memory Model"},
      {1000, "Code Banking"},
      // Both after the nearest label: a name shared, not guessed.
      {1002, "End:"},
      {1003, "End:"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    ASSERT_NE(Control(target, c.id), nullptr);
    EXPECT_EQ(Control(target, c.id)->label, c.label);
  }
  // A label does not reach past a control that names itself.
  ASSERT_NE(Control(pages[1], 1522), nullptr);
  EXPECT_EQ(Control(pages[1], 1522)->label, "");
  ASSERT_NE(Control(pages[1], 77), nullptr);
  EXPECT_EQ(Control(pages[1], 77)->items, (std::vector<std::string>{"a\\", "b \"c\""}));
}

TEST(SettingsReportTest, FoldsLabelsIntoTheControlLines) {
  const std::string folded = FoldLabels(kReport);
  EXPECT_EQ(folded.find("  -1 label"), std::string::npos) << folded;
  for (const char* line : {
           "  1563 edit \"Xtal(MHz):\" \"24.000000\"\n",
           "  1564 list \"Memory Model\" 2/3 \"Large: variables in XDATA\"\n",
           "  1000 check [1] \"Code Banking\"\n",
           "  1002 edit \"End:\" disabled \"0x0000\"\n",
           "  1522 list -1/0 \"\"\n",
           "  7701 button \"Default\"\n",
           "refused: page 0\n",
       }) {
    EXPECT_NE(folded.find(line), std::string::npos) << line << folded;
  }
}

TEST(SettingsReportTest, NormalNamesIgnoreCaseBlanksMnemonicsAndAColon) {
  struct Case {
    const char* text;
    const char* normal;
  } cases[] = {
      {"Xtal (MHz):", "xtal(mhz)"},
      {"Xtal(MHz)", "xtal(mhz)"},
      {"&Name of Executable", "nameofexecutable"},
      {"Name(&N):", "name"},
      {"End::", "end"},
      // GBK: a trail byte that looks like "Z" stays as it is.
      {"\xB7\x5A:", "\xB7\x5A"},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(NormalName(c.text), c.normal);
  }
}

TEST(SettingsNamesTest, FindsAControlByNameOrSaysWhyNot) {
  const std::vector<ReportPage> pages = ReportedPages(kReport);
  struct Case {
    size_t page;
    const char* name;
    int id;  // 0: refused
    const char* why;
  } cases[] = {
      {0, "xtal (mhz)", 1563, ""},
      {0, "MEMORY MODEL:", 1564, ""},
      {0, "code banking", 1000, ""},
      {0, "End", 0,
       "\"End\" names several controls on page 1 \"Target\": \"End:\" (1002), "
       "\"End:\" (1003)"},
      {0, "Crystal", 0,
       "no control on page 1 \"Target\" is named \"Crystal\"; the names there: "
       "\"Xtal(MHz):\" (1563), \"Memory Model\" (1564)"},
      // The hidden twin gives way to the visible one.
      {1, "run to main()", 1451, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    int id = 0;
    std::string why;
    EXPECT_EQ(FindNamedControl(pages[c.page], c.name, &id, &why), c.id != 0);
    EXPECT_EQ(id, c.id);
    EXPECT_NE(why.find(c.why), std::string::npos) << why;
  }
}

TEST(SettingsNamesTest, ResolvesNamesOnThePageActiveAtTheirPlace) {
  DialogSurvey survey{ReportedPages(kReport), 1};
  const std::vector<ResolvedAction> actions = ResolveNames(
      "type \"Xtal (MHz)\" 11.0592\n"
      "  # a comment\n"
      "\n"
      "type 1563  two blanks\r\n"
      "choose \"Memory Model\" =Large: variables in XDATA\n"
      "click Code Banking\n"
      "page Debug\n"
      "click \"Run to main()\"\n"
      "type Xtal 1\n"
      "page 7\n"
      "click \"Run to main()\"\n"
      "page 1\n"
      "type \"\" x\n",
      survey);
  const std::vector<std::string> sent = {
      "type 1563 11.0592",
      "type 1563  two blanks",
      "choose 1564 =Large: variables in XDATA",
      "click 1000",
      "page Debug",
      "click 1451",
      "type 0 1",  // Xtal is not on the Debug page
      "page 7",    // no such page: the Debug page stays
      "click 1451",
      "page 1",
      "type 0 x",
  };
  ASSERT_EQ(actions.size(), sent.size());
  for (size_t i = 0; i < sent.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(actions[i].sent, sent[i]);
    EXPECT_EQ(actions[i].why.empty(), sent[i].find(" 0 ") == std::string::npos) << actions[i].why;
  }
  EXPECT_EQ(actions[0].written, "type \"Xtal (MHz)\" 11.0592");
  EXPECT_NE(actions[6].why.find("page 9 \"Debug\""), std::string::npos) << actions[6].why;
  EXPECT_TRUE(NamesAControl("click \"Code Banking\""));
  EXPECT_TRUE(NamesAControl("  type Xtal 1"));
  EXPECT_FALSE(NamesAControl("type 1563 \"quoted text\""));
  EXPECT_FALSE(NamesAControl("page Target"));
}

TEST(SettingsNamesTest, ShowsTheReportWithTheActionsAsWritten) {
  const std::vector<ResolvedAction> actions = {
      {"type \"Xtal\" 1", "type 1563 1", ""},
      {"click Nope", "click 0", "no control is named \"Nope\""},
      {"click Nope", "click 0", "no control is named \"Nope\""},
      {"ok", "ok", ""},
  };
  const std::string report =
      "[sheet \"x\"]\n"
      "> type 1563 1\n"
      "> click 0\n"
      "refused: click 0\n"
      "> click 0\n"
      "refused: click 0\n"
      "> ok\n"
      "> click 0\n"
      "result: OK\n";
  EXPECT_EQ(ReportAsWritten(report, actions),
            "[sheet \"x\"]\n"
            "> type \"Xtal\" 1\n"
            "> click Nope\n"
            "refused: click Nope (no control is named \"Nope\")\n"
            "> click Nope\n"
            "refused: click Nope (no control is named \"Nope\")\n"
            "> ok\n"
            // Past the last action nothing is taken for one.
            "> click 0\n"
            "result: OK\n");
}

TEST(SettingsJsonTest, ListsPagesControlsLabelsAndValues) {
  const std::string json = SettingsJson(ReportedPages(kReport));
  for (const char* part : {
           "{\n  \"pages\": [\n    {\n      \"index\": 1,\n      \"caption\": \"Target\",",
           "{\"id\": 1563, \"kind\": \"edit\", \"label\": \"Xtal(MHz):\", \"value\": \"11.0592\", "
           "\"enabled\": true, \"visible\": true}",
           "{\"id\": 1564, \"kind\": \"list\", \"label\": \"Memory Model\", \"value\": \"Large: "
           "variables in XDATA\", \"selection\": 2, \"count\": 3,",
           "{\"id\": 1002, \"kind\": \"edit\", \"label\": \"End:\", \"value\": \"0x0000\", "
           "\"enabled\": false,",
           "{\"id\": 1426, \"kind\": \"check\", \"label\": \"Run to main()\", \"value\": 1, "
           "\"enabled\": true, \"visible\": false}",
           "\"items\": [\"a\\\\\", \"b \\\"c\\\"\"]",
       }) {
    EXPECT_NE(json.find(part), std::string::npos) << part << "\n" << json;
  }
  EXPECT_EQ(SettingsJson({}), "{\n  \"pages\": []\n}\n");
}

}  // namespace
}  // namespace c51::host
