// The C51 page as a user meets it in the settings sheet: what it loads at
// each scope, how the control string follows every change, the
// interrupt vector check on leaving, the "Default" rules, the include
// editor and Apply.
#include "settings/pages/c51_page.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "plugin/state.h"
#include "project/recording_host.h"
#include "settings/headless/headless_backend.h"
#include "settings/pages/folder_setup_dialog.h"

namespace c51::settings {
namespace {

// "ROM (SMALL) " from CodeMode 0; the listing is off.
constexpr char kProjectDefaultString[] = "ROM (SMALL) DEBUG OBJECTEXTEND NOPRINT ";
// Below the project the object directive joins in.
constexpr char kGroupDefaultString[] =
    "ROM (SMALL) DEBUG OBJECTEXTEND NOPRINT OBJECT(.\\Debug\\*.obj) ";

class C51PageTest : public ::testing::Test {
 protected:
  C51PageTest() {
    state_.target.code_mode = 0;
    state_.output.output_directory = ".\\Debug\\";
    state_.output.listing_directory = ".\\Debug\\";
    state_.output.output_name = "blinky";
    state_.output_dir = "C:\\work\\Debug\\";
    session_.state = &state_;
    session_.records = &records_;
    sheet_.AddPage(&blank_);
    sheet_.AddPage(&page_);
  }

  // Loads `record` at `scope`: the settings entry's part.
  void Prepare(OptionScope scope, const C51Record& record) {
    records_.compiler_scope = scope;
    records_.compiler = record;
  }
  // Runs the sheet with the C51 page brought up from the blank first page.
  int Open(const std::function<void(HeadlessSheet&, HeadlessDialog&)>& script) {
    backend_.sheet_script = [&script](HeadlessSheet& run) {
      ASSERT_TRUE(run.SelectPage(1));
      script(run, run.active());
    };
    return sheet_.DoModal(&backend_);
  }

  PluginState state_;
  SettingsRecords records_;
  SettingsSession session_;
  HeadlessInterface ui_;
  HeadlessBackend backend_{&ui_, Language::kChinese};
  CArdelPage blank_;
  CC51Page page_{&session_};
  CArdelPropertySheet sheet_{"title"};
};

TEST_F(C51PageTest, ProjectScopeLoadsTheRecordAndIsModifiedAtOnce) {
  Prepare(OptionScope::kProject, DefaultC51Record(OptionScope::kProject));
  Open([](HeadlessSheet& run, HeadlessDialog& c) {
    EXPECT_TRUE(run.IsButtonEnabled(kIdApply));
    EXPECT_EQ(c.GetSelection(IDC_C51_LEVEL), 8);
    EXPECT_EQ(c.GetSelection(IDC_C51_EMPHASIS), 1);
    EXPECT_EQ(c.GetSelection(IDC_C51_WARNINGS), 2);
    EXPECT_EQ(c.GetSelection(IDC_C51_FLOAT_BITS), 3);
    EXPECT_EQ(c.GetCheck(IDC_C51_INTERRUPT_VECTORS), kChecked);
    EXPECT_EQ(c.GetCheck(IDC_C51_ANSI_PROMOTION), kChecked);
    EXPECT_EQ(c.GetCheck(IDC_C51_REGISTER_COLORING), kUnchecked);
    EXPECT_EQ(c.GetCheck(IDC_C51_NO_ABSOLUTE_REGISTERS), kUnchecked);
    EXPECT_EQ(c.GetCheck(IDC_C51_KEEP_ORDER), kUnchecked);
    EXPECT_EQ(c.GetText(IDC_C51_VECTOR_ADDRESS), "0x0000");
    EXPECT_FALSE(c.IsEnabled(IDC_C51_UNDEFINE));
    EXPECT_TRUE(c.IsEnabled(IDC_C51_INTERRUPT_VECTORS));
    EXPECT_TRUE(c.IsEnabled(IDC_C51_REGISTER_COLORING));
    EXPECT_TRUE(c.IsEnabled(IDC_C51_VECTOR_ADDRESS));
    EXPECT_EQ(c.GetText(IDC_C51_CONTROL_STRING), kProjectDefaultString);
    // Register coloring is a single bit at the project: two states.
    EXPECT_TRUE(c.Click(IDC_C51_REGISTER_COLORING));
    EXPECT_TRUE(c.Click(IDC_C51_REGISTER_COLORING));
    EXPECT_EQ(c.GetCheck(IDC_C51_REGISTER_COLORING), kUnchecked);
  });
}

TEST_F(C51PageTest, TheControlStringFollowsEveryChange) {
  Prepare(OptionScope::kProject, DefaultC51Record(OptionScope::kProject));
  Open([](HeadlessSheet&, HeadlessDialog& c) {
    c.Type(IDC_C51_DEFINE, "A  B=2");
    c.Choose(IDC_C51_LEVEL, 9);
    c.Choose(IDC_C51_EMPHASIS, 0);
    c.Choose(IDC_C51_WARNINGS, 0);
    c.Choose(IDC_C51_FLOAT_BITS, 5);
    c.Click(IDC_C51_REGISTER_COLORING);
    c.Click(IDC_C51_KEEP_ORDER);
    c.Click(IDC_C51_ANSI_PROMOTION);
    c.Click(IDC_C51_NO_ABSOLUTE_REGISTERS);
    c.Type(IDC_C51_VECTOR_ADDRESS, "0x8000");
    c.Type(IDC_C51_INCLUDE, ";;C:\\inc;");
    c.Type(IDC_C51_MISC, " SMALL ");
    EXPECT_EQ(c.GetText(IDC_C51_CONTROL_STRING),
              "ROM (SMALL) WARNINGLEVEL (0) OPTIMIZE (9,SIZE) INCDIR (C:\\inc) FLOATFUZZY (5) "
              "SMALL DEFINE (A,B=2) REGFILE (C:\\work\\Debug\\blinky.ORG) ORDER NOINTPROMOTE "
              "NOAREGS INTVECTOR(0x8000) DEBUG OBJECTEXTEND NOPRINT ");
    c.Click(IDC_C51_INTERRUPT_VECTORS);
    EXPECT_NE(c.GetText(IDC_C51_CONTROL_STRING).find(" NOINTVECTOR DEBUG"), std::string::npos);
  });
}

TEST_F(C51PageTest, TheVectorAddressIsCheckedWhenThePageIsLeft) {
  struct Case {
    const char* text;
    bool accepted;
    int stored;
  } cases[] = {
      {"", true, 0},      {"0xFFFF", true, 0xFFFF},    {"65535", true, 65535},
      {"0100", true, 64}, {"0x10000", false, 0x10000}, {"65536", false, 65536},
      {"-1", false, -1},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.text);
    Prepare(OptionScope::kProject, DefaultC51Record(OptionScope::kProject));
    ui_.messages.clear();
    Open([&k](HeadlessSheet& run, HeadlessDialog& c) {
      c.Choose(IDC_C51_LEVEL, 9);
      c.Type(IDC_C51_DEFINE, "X");
      c.Type(IDC_C51_VECTOR_ADDRESS, k.text);
      EXPECT_EQ(run.SelectPage(0), k.accepted);
      EXPECT_EQ(run.active_index(), k.accepted ? 0 : 1);
    });
    // Flags and address are stored either way; the texts only when valid.
    EXPECT_EQ(records_.compiler.flags, 0x4A4D10);
    EXPECT_EQ(records_.compiler.vector_address, k.stored);
    EXPECT_EQ(records_.compiler.define, k.accepted ? "X" : "");
    if (k.accepted) {
      EXPECT_TRUE(ui_.messages.empty());
    } else {
      ASSERT_EQ(ui_.messages.size(), 1u);
      // "无效中断矢量地址!" (invalid interrupt vector address)
      EXPECT_EQ(ui_.messages[0].text,
                "\xCE\xDE\xD0\xA7\xD6\xD0\xB6\xCF\xCA\xB8\xC1\xBF\xB5\xD8\xD6\xB7!");
      EXPECT_EQ(ui_.messages[0].icon, MessageIcon::kInformation);
    }
  }
  backend_.set_language(Language::kEnglish);
  ui_.messages.clear();
  Open([](HeadlessSheet& run, HeadlessDialog& c) {
    c.Type(IDC_C51_VECTOR_ADDRESS, "0x10000");
    EXPECT_FALSE(run.PressOk());
  });
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, "Invalid interrupt vector address");
}

TEST_F(C51PageTest, DefaultInAListPutsTheStoredValueBackAtProjectScopeOnly) {
  C51Record record = DefaultC51Record(OptionScope::kProject);
  record.flags = 0x494D10;  // level 5
  Prepare(OptionScope::kProject, record);
  Open([](HeadlessSheet& run, HeadlessDialog& c) {
    c.Choose(IDC_C51_LEVEL, 3);
    c.ChooseText(IDC_C51_LEVEL, "Default");
    EXPECT_EQ(c.GetSelection(IDC_C51_LEVEL), 5);
    EXPECT_EQ(c.GetText(IDC_C51_CONTROL_STRING),
              "ROM (SMALL) OPTIMIZE (5,SPEED) DEBUG OBJECTEXTEND NOPRINT ");
    c.Choose(IDC_C51_EMPHASIS, kC51EmphasisDefault);
    c.Choose(IDC_C51_WARNINGS, kC51WarningsDefault);
    c.Choose(IDC_C51_FLOAT_BITS, kC51FloatBitsDefault);
    EXPECT_EQ(c.GetSelection(IDC_C51_EMPHASIS), 1);
    EXPECT_EQ(c.GetSelection(IDC_C51_WARNINGS), 2);
    EXPECT_EQ(c.GetSelection(IDC_C51_FLOAT_BITS), 3);
    run.SelectPage(0);
  });
  EXPECT_EQ(records_.compiler.flags, 0x494D10);

  record.flags = kC51InheritFlags - (5 << 14);  // level 5, all else inherit
  Prepare(OptionScope::kGroup, record);
  Open([](HeadlessSheet& run, HeadlessDialog& c) {
    EXPECT_EQ(c.GetSelection(IDC_C51_LEVEL), 5);
    c.Choose(IDC_C51_LEVEL, 3);
    c.ChooseText(IDC_C51_LEVEL, "Default");
    EXPECT_EQ(c.GetSelection(IDC_C51_LEVEL), kC51LevelDefault);
    run.SelectPage(0);
  });
  EXPECT_EQ(records_.compiler.flags, kC51InheritFlags);
}

TEST_F(C51PageTest, FileScopeInheritsVectorsAndColoringAndOffersThreeStates) {
  Prepare(OptionScope::kFile, DefaultC51Record(OptionScope::kFile));
  Open([](HeadlessSheet& run, HeadlessDialog& c) {
    EXPECT_EQ(c.GetCheck(IDC_C51_INTERRUPT_VECTORS), kIndeterminate);
    EXPECT_EQ(c.GetCheck(IDC_C51_REGISTER_COLORING), kIndeterminate);
    EXPECT_FALSE(c.Click(IDC_C51_INTERRUPT_VECTORS));
    EXPECT_FALSE(c.Click(IDC_C51_REGISTER_COLORING));
    EXPECT_FALSE(c.Type(IDC_C51_VECTOR_ADDRESS, "0x8000"));
    EXPECT_TRUE(c.IsEnabled(IDC_C51_UNDEFINE));
    EXPECT_EQ(c.GetSelection(IDC_C51_LEVEL), kC51LevelDefault);
    EXPECT_EQ(c.GetText(IDC_C51_CONTROL_STRING), kGroupDefaultString);
    // Keep order: inherit -> off -> on.
    c.Click(IDC_C51_KEEP_ORDER);
    EXPECT_EQ(c.GetCheck(IDC_C51_KEEP_ORDER), kUnchecked);
    c.Click(IDC_C51_KEEP_ORDER);
    EXPECT_EQ(c.GetCheck(IDC_C51_KEEP_ORDER), kChecked);
    EXPECT_NE(c.GetText(IDC_C51_CONTROL_STRING).find(" ORDER "), std::string::npos);
    run.SelectPage(0);
  });
  // Only the keep-order field (bits 2-3) left its inherit value.
  EXPECT_EQ(records_.compiler.flags, kC51InheritFlags - 0x8 + 0x4);
}

TEST_F(C51PageTest, FieldsAreReducedIntoRange) {
  C51Record record = DefaultC51Record(OptionScope::kProject);
  record.flags = 0x4B0D10;  // level field 12
  Prepare(OptionScope::kProject, record);
  Open([](HeadlessSheet&, HeadlessDialog& c) {
    EXPECT_EQ(c.GetSelection(IDC_C51_LEVEL), 1);
    EXPECT_EQ(c.GetText(IDC_C51_CONTROL_STRING),
              "ROM (SMALL) OPTIMIZE (1,SPEED) DEBUG OBJECTEXTEND NOPRINT ");
  });
}

TEST_F(C51PageTest, GroupScopeShowsInheritedTextsWithoutRepeatingItsOwn) {
  C51Record record = DefaultC51Record(OptionScope::kGroup);
  record.define = "X Y";
  record.undefine = "y";
  Prepare(OptionScope::kGroup, record);
  records_.c51_inherited.project_define = "P";
  records_.c51_inherited.group_define = "G";
  records_.c51_inherited.project_flags = 0x494D10;  // level 5
  Open([](HeadlessSheet& run, HeadlessDialog& c) {
    EXPECT_EQ(c.GetText(IDC_C51_CONTROL_STRING),
              "ROM (SMALL) OPTIMIZE (5,SPEED) DEFINE (P,G,X) DEBUG OBJECTEXTEND NOPRINT "
              "OBJECT(.\\Debug\\*.obj) ");
    c.Type(IDC_C51_DEFINE, "Z");
    run.SelectPage(0);
    // Back on the page, the enclosing group's text is still the only one
    // before the page's own.
    run.SelectPage(1);
    EXPECT_NE(run.active().GetText(IDC_C51_CONTROL_STRING).find("DEFINE (P,G,Z)"),
              std::string::npos);
  });
  EXPECT_EQ(records_.compiler.define, "Z");
  EXPECT_EQ(records_.compiler.undefine, "y");
  EXPECT_EQ(records_.c51_inherited.group_define, "G");
  EXPECT_EQ(records_.c51_inherited.project_define, "P");

  Prepare(OptionScope::kProject, DefaultC51Record(OptionScope::kProject));
  Open([](HeadlessSheet& run, HeadlessDialog& c) {
    c.Type(IDC_C51_DEFINE, "Q");
    run.SelectPage(0);
  });
  EXPECT_EQ(records_.c51_inherited.project_define, "Q");

  Prepare(OptionScope::kFile, DefaultC51Record(OptionScope::kFile));
  Open([](HeadlessSheet& run, HeadlessDialog& c) {
    c.Type(IDC_C51_DEFINE, "F");
    run.SelectPage(0);
  });
  EXPECT_EQ(records_.c51_inherited.project_define, "Q");
  EXPECT_EQ(records_.c51_inherited.group_define, "G");
}

TEST_F(C51PageTest, DefaultResetsTheScopeAndKeepsTheAddressBelowTheProject) {
  C51Record record;
  record.flags = 0x494D10;
  record.vector_address = 0x8000;
  record.define = "D";
  record.undefine = "U";
  record.misc = "M";
  record.include = "I";
  Prepare(OptionScope::kGroup, record);
  Open([this](HeadlessSheet& run, HeadlessDialog& c) {
    page_.ClearModified();
    EXPECT_TRUE(run.PressDefault());
    EXPECT_TRUE(page_.modified());
    EXPECT_EQ(c.GetText(IDC_C51_DEFINE), "");
    EXPECT_EQ(c.GetSelection(IDC_C51_LEVEL), kC51LevelDefault);
    // The box shows the address edit's text, and vectors are on at the project.
    EXPECT_EQ(c.GetText(IDC_C51_VECTOR_ADDRESS), "0x8000");
    EXPECT_EQ(c.GetText(IDC_C51_CONTROL_STRING),
              "ROM (SMALL) INTVECTOR(0x8000) DEBUG OBJECTEXTEND NOPRINT OBJECT(.\\Debug\\*.obj) ");
  });
  EXPECT_EQ(records_.compiler.flags, kC51InheritFlags);
  EXPECT_EQ(records_.compiler.vector_address, 0x8000);
  EXPECT_EQ(records_.compiler.define, "");
  EXPECT_EQ(records_.compiler.undefine, "");
  EXPECT_EQ(records_.compiler.misc, "");
  EXPECT_EQ(records_.compiler.include, "");

  Prepare(OptionScope::kProject, record);
  Open([](HeadlessSheet& run, HeadlessDialog& c) {
    run.PressDefault();
    EXPECT_EQ(c.GetText(IDC_C51_VECTOR_ADDRESS), "0x0000");
    EXPECT_EQ(c.GetText(IDC_C51_CONTROL_STRING), kProjectDefaultString);
    run.SelectPage(0);
  });
  EXPECT_EQ(records_.compiler.flags, kC51ProjectFlags);
  EXPECT_EQ(records_.compiler.vector_address, 0);
}

TEST_F(C51PageTest, TheIncludeEditorReplacesTheTextOnOk) {
  Prepare(OptionScope::kProject, DefaultC51Record(OptionScope::kProject));
  backend_.dialog_scripts.push_back([](HeadlessDialogRun& run) {
    EXPECT_EQ(run.controls().GetItemCount(IDC_FOLDER_LIST), 1);
    run.controls().AddItem(IDC_FOLDER_LIST, "more");
    run.PressOk();
  });
  backend_.dialog_scripts.push_back([](HeadlessDialogRun& run) {
    run.controls().ResetItems(IDC_FOLDER_LIST);
    run.PressCancel();
  });
  Open([](HeadlessSheet& run, HeadlessDialog& c) {
    c.Type(IDC_C51_INCLUDE, "inc");
    EXPECT_TRUE(c.Click(IDC_C51_INCLUDE_BROWSE));
    EXPECT_EQ(c.GetText(IDC_C51_INCLUDE), "inc\\;more\\");
    EXPECT_EQ(c.GetText(IDC_C51_CONTROL_STRING),
              "ROM (SMALL) INCDIR (inc\\;more\\) DEBUG OBJECTEXTEND NOPRINT ");
    EXPECT_TRUE(c.Click(IDC_C51_INCLUDE_BROWSE));
    EXPECT_EQ(c.GetText(IDC_C51_INCLUDE), "inc\\;more\\");
    run.SelectPage(0);
  });
  EXPECT_EQ(records_.compiler.include, "inc\\;more\\");
}

TEST_F(C51PageTest, ApplyWritesTheSixKeysWhenBoundAndAsked) {
  test::RecordingHost host;
  state_.host = &host;
  NodePtr tool = CreateDetachedNode("Tool");
  Prepare(OptionScope::kProject, DefaultC51Record(OptionScope::kProject));
  // Bound, but closed with OK alone: the settings entry writes after OK.
  page_.Bind(tool.get());
  Open([](HeadlessSheet& run, HeadlessDialog&) { EXPECT_TRUE(run.PressOk()); });
  EXPECT_TRUE(host.updates.empty());
  // Not bound: Apply writes nothing.
  page_.Bind(nullptr);
  Open([](HeadlessSheet& run, HeadlessDialog& c) {
    c.Type(IDC_C51_DEFINE, "X");
    EXPECT_TRUE(run.PressApply());
  });
  EXPECT_TRUE(host.updates.empty());
  page_.Bind(tool.get());
  Open([](HeadlessSheet& run, HeadlessDialog& c) {
    c.Type(IDC_C51_MISC, "SMALL");
    EXPECT_TRUE(run.PressApply());
  });
  ASSERT_EQ(host.updates.size(), 1u);
  EXPECT_EQ(host.updates[0].target, tool.get());
  EXPECT_EQ(host.updates[0].attributes,
            (std::vector<std::string>{"C51FL=4853008", "C51VA=0", "C51DEF=X",
                                      "C51UDF=", "C51MSC=SMALL", "INCC5="}));
}

TEST_F(C51PageTest, ListsComeFromTheTemplateInBothLanguages) {
  DialogTemplate english = C51PageTemplate(Language::kEnglish);
  DialogTemplate chinese = C51PageTemplate(Language::kChinese);
  EXPECT_EQ(english.id, 173);
  HeadlessDialog en(english, nullptr);
  HeadlessDialog zh(chinese, nullptr);
  struct List {
    int id;
    int count;
  } lists[] = {
      {IDC_C51_LEVEL, 11}, {IDC_C51_EMPHASIS, 3}, {IDC_C51_WARNINGS, 4}, {IDC_C51_FLOAT_BITS, 9}};
  for (const List& list : lists) {
    SCOPED_TRACE(list.id);
    ASSERT_EQ(en.GetItemCount(list.id), list.count);
    ASSERT_EQ(zh.GetItemCount(list.id), list.count);
    EXPECT_EQ(en.GetItemText(list.id, list.count - 1), "Default");
    // "默认，上一级的设置" (default: the setting of the level above)
    EXPECT_EQ(zh.GetItemText(list.id, list.count - 1),
              "\xC4\xAC\xC8\xCF\xA3\xAC\xC9\xCF\xD2\xBB\xBC\xB6\xB5\xC4\xC9\xE8\xD6\xC3");
  }
  EXPECT_EQ(en.GetItemText(IDC_C51_LEVEL, 3), "3:Peephole optimazation");
  EXPECT_EQ(en.GetItemText(IDC_C51_WARNINGS, 2), "Warning Level  2");
  EXPECT_EQ(en.GetItemText(IDC_C51_FLOAT_BITS, 7), "7");
  EXPECT_EQ(en.GetText(IDC_C51_NO_ABSOLUTE_REGISTERS), "&Don't absolute register access");
  EXPECT_EQ(en.Find(IDC_C51_CONTROL_STRING)->style, kMultiLine | kReadOnly);
}

}  // namespace
}  // namespace c51::settings
