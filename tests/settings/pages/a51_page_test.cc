// The A51 page in the settings sheet: loading at each scope, the three
// switches and their stored fields, the live control string, "Default",
// the include editor and Apply.
#include "settings/pages/a51_page.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "plugin/state.h"
#include "project/recording_host.h"
#include "settings/headless/headless_backend.h"
#include "settings/pages/folder_setup_dialog.h"

namespace c51::settings {
namespace {

// Standard macros with expansion 0 and SFR names add nothing; the listing is off.
constexpr char kProjectDefaultString[] = "SET (SMALL) DEBUG NOPRINT EP ";

class A51PageTest : public ::testing::Test {
 protected:
  A51PageTest() {
    state_.output.output_directory = ".\\Debug\\";
    state_.output.listing_directory = ".\\Debug\\";
    state_.output.output_name = "blinky";
    session_.state = &state_;
    session_.records = &records_;
    sheet_.AddPage(&blank_);
    sheet_.AddPage(&page_);
  }

  void Prepare(OptionScope scope, const A51Record& record) {
    records_.assembler_scope = scope;
    records_.assembler = record;
  }
  // Runs the sheet with the A51 page brought up from the blank first page.
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
  CA51Page page_{&session_};
  CArdelPropertySheet sheet_{"title"};
};

TEST_F(A51PageTest, ProjectScopeLoadsWithoutMarkingThePageModified) {
  A51Record record = DefaultA51Record(OptionScope::kProject);
  record.set = "S";
  record.misc = "M";
  record.include = "I";
  Prepare(OptionScope::kProject, record);
  Open([](HeadlessSheet& run, HeadlessDialog& c) {
    EXPECT_FALSE(run.IsButtonEnabled(kIdApply));
    EXPECT_EQ(c.GetCheck(IDC_A51_STANDARD), kChecked);
    EXPECT_EQ(c.GetCheck(IDC_A51_MPL), kUnchecked);
    EXPECT_EQ(c.GetCheck(IDC_A51_SFR_NAMES), kChecked);
    EXPECT_FALSE(c.IsEnabled(IDC_A51_RESET));
    EXPECT_EQ(c.GetText(IDC_A51_SET), "S");
    EXPECT_EQ(c.GetText(IDC_A51_CONTROL_STRING), "SET (SMALL,S) DEBUG INCDIR (I) M NOPRINT EP ");
    c.Type(IDC_A51_SET, "");
    c.Type(IDC_A51_MISC, "");
    c.Type(IDC_A51_INCLUDE, "");
    EXPECT_TRUE(run.IsButtonEnabled(kIdApply));
    EXPECT_EQ(c.GetText(IDC_A51_CONTROL_STRING), kProjectDefaultString);
    c.Click(IDC_A51_STANDARD);
    EXPECT_EQ(c.GetText(IDC_A51_CONTROL_STRING), "NOMACRO SET (SMALL) DEBUG NOPRINT EP ");
    c.Click(IDC_A51_MPL);
    c.Click(IDC_A51_SFR_NAMES);
    EXPECT_EQ(c.GetText(IDC_A51_CONTROL_STRING), "MPL NOMOD51 SET (SMALL) DEBUG NOPRINT EP ");
    run.SelectPage(0);
  });
  EXPECT_EQ(records_.assembler.flags, 1);
}

TEST_F(A51PageTest, AtFileScopeEachSwitchStoresItsThreeStates) {
  struct Case {
    int id;
    int shift;
  } cases[] = {{IDC_A51_MPL, 0}, {IDC_A51_STANDARD, 2}, {IDC_A51_SFR_NAMES, 6}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.id);
    Prepare(OptionScope::kFile, DefaultA51Record(OptionScope::kFile));
    // Inherit, then off, on and inherit again.
    for (int state : {kIndeterminate, kUnchecked, kChecked, kIndeterminate}) {
      Open([&](HeadlessSheet& run, HeadlessDialog& c) {
        EXPECT_TRUE(c.IsEnabled(IDC_A51_RESET));
        if (state != kIndeterminate || c.GetCheck(k.id) != kIndeterminate) c.Click(k.id);
        EXPECT_EQ(c.GetCheck(k.id), state);
        run.SelectPage(0);
      });
      EXPECT_EQ((records_.assembler.flags >> k.shift) & 3, state);
      EXPECT_EQ(records_.assembler.flags & ~(3 << k.shift), kA51InheritFlags & ~(3 << k.shift));
    }
  }
}

TEST_F(A51PageTest, BitsOutsideTheThreeFieldsAreDroppedOnLeaving) {
  A51Record record = DefaultA51Record(OptionScope::kProject);
  record.flags = 68 | 0x30;  // bits 4-5 set as well
  Prepare(OptionScope::kProject, record);
  Open([](HeadlessSheet& run, HeadlessDialog&) { run.SelectPage(0); });
  EXPECT_EQ(records_.assembler.flags, 68);
}

TEST_F(A51PageTest, SwitchesAreFieldsModuloThreeAtEveryScope) {
  A51Record record = DefaultA51Record(OptionScope::kProject);
  record.flags = 3 | (4 << 2) | (5 << 6);  // MPL 3, Standard 4, SFR 5
  Prepare(OptionScope::kProject, record);
  Open([](HeadlessSheet&, HeadlessDialog& c) {
    EXPECT_EQ(c.GetCheck(IDC_A51_MPL), kUnchecked);
    EXPECT_EQ(c.GetCheck(IDC_A51_STANDARD), kChecked);
    EXPECT_EQ(c.GetCheck(IDC_A51_SFR_NAMES), kIndeterminate);
  });
}

TEST_F(A51PageTest, DefaultResetsTheScope) {
  A51Record record;
  record.flags = 1;  // MPL only
  record.set = "S";
  record.reset = "R";
  record.misc = "M";
  record.include = "I";
  Prepare(OptionScope::kProject, record);
  Open([](HeadlessSheet& run, HeadlessDialog& c) {
    EXPECT_TRUE(run.PressDefault());
    EXPECT_TRUE(run.IsButtonEnabled(kIdApply));
    EXPECT_EQ(c.GetCheck(IDC_A51_STANDARD), kChecked);
    EXPECT_EQ(c.GetCheck(IDC_A51_MPL), kUnchecked);
    EXPECT_EQ(c.GetCheck(IDC_A51_SFR_NAMES), kChecked);
    EXPECT_EQ(c.GetText(IDC_A51_SET), "");
    EXPECT_EQ(c.GetText(IDC_A51_CONTROL_STRING), kProjectDefaultString);
  });
  EXPECT_EQ(records_.assembler.flags, kA51ProjectFlags);
  EXPECT_EQ(records_.assembler.set, "");
  EXPECT_EQ(records_.assembler.reset, "");
  EXPECT_EQ(records_.assembler.misc, "");
  EXPECT_EQ(records_.assembler.include, "");

  Prepare(OptionScope::kGroup, record);
  Open([](HeadlessSheet& run, HeadlessDialog& c) {
    run.PressDefault();
    EXPECT_EQ(c.GetCheck(IDC_A51_MPL), kIndeterminate);
  });
  EXPECT_EQ(records_.assembler.flags, kA51InheritFlags);
}

TEST_F(A51PageTest, ActivationRebuildsTheStringWithoutActivatingApply) {
  Prepare(OptionScope::kProject, DefaultA51Record(OptionScope::kProject));
  Open([this](HeadlessSheet& run, HeadlessDialog& c) {
    EXPECT_EQ(c.GetText(IDC_A51_CONTROL_STRING), kProjectDefaultString);
    run.SelectPage(0);
    // What the Listing page would have changed: the assembler listing on.
    state_.output.listing[kLstAssembler] = 1;
    run.SelectPage(1);
    EXPECT_EQ(c.GetText(IDC_A51_CONTROL_STRING),
              "SET (SMALL) DEBUG NOCOND NOSYMBOLS PRINT(.\\Debug\\*.lst) EP ");
    EXPECT_FALSE(run.IsButtonEnabled(kIdApply));
    EXPECT_FALSE(page_.modified());
  });
}

TEST_F(A51PageTest, GroupScopeShowsInheritedTextsAndKeepsItsSetForThePagesBelow) {
  A51Record record = DefaultA51Record(OptionScope::kGroup);
  record.set = "X Y";
  record.reset = "y";
  record.include = "own";
  Prepare(OptionScope::kGroup, record);
  records_.a51_inherited.project_set = "P";
  records_.a51_inherited.group_set = "G";
  records_.a51_inherited.project_include = "prj";
  records_.a51_inherited.group_flags = 1;  // MPL on, Standard and SFR names off
  Open([](HeadlessSheet& run, HeadlessDialog& c) {
    EXPECT_EQ(c.GetCheck(IDC_A51_MPL), kIndeterminate);
    EXPECT_EQ(c.GetText(IDC_A51_CONTROL_STRING),
              "MPL NOMOD51 SET (SMALL,P,G,X) DEBUG INCDIR (prj;;own) NOPRINT "
              "OBJECT(.\\Debug\\*.obj) EP ");
    c.Type(IDC_A51_SET, "Z");
    run.SelectPage(0);
    run.SelectPage(1);
    EXPECT_NE(run.active().GetText(IDC_A51_CONTROL_STRING).find("SET (SMALL,P,G,Z)"),
              std::string::npos);
  });
  EXPECT_EQ(records_.assembler.set, "Z");
  EXPECT_EQ(records_.a51_inherited.group_set, "G");
  EXPECT_EQ(records_.a51_inherited.project_set, "P");

  Prepare(OptionScope::kProject, DefaultA51Record(OptionScope::kProject));
  Open([](HeadlessSheet& run, HeadlessDialog& c) {
    c.Type(IDC_A51_SET, "Q");
    run.SelectPage(0);
  });
  EXPECT_EQ(records_.a51_inherited.project_set, "Q");

  Prepare(OptionScope::kFile, DefaultA51Record(OptionScope::kFile));
  Open([](HeadlessSheet& run, HeadlessDialog& c) {
    c.Type(IDC_A51_SET, "F");
    run.SelectPage(0);
  });
  EXPECT_EQ(records_.a51_inherited.project_set, "Q");
  EXPECT_EQ(records_.a51_inherited.group_set, "G");
}

TEST_F(A51PageTest, TheIncludeEditorReplacesTheTextOnOk) {
  Prepare(OptionScope::kProject, DefaultA51Record(OptionScope::kProject));
  backend_.dialog_scripts.push_back([](HeadlessDialogRun& run) {
    run.controls().AddItem(IDC_FOLDER_LIST, "asm");
    run.PressOk();
  });
  backend_.dialog_scripts.push_back([](HeadlessDialogRun& run) { run.PressCancel(); });
  Open([](HeadlessSheet& run, HeadlessDialog& c) {
    EXPECT_TRUE(c.Click(IDC_A51_INCLUDE_BROWSE));
    EXPECT_EQ(c.GetText(IDC_A51_INCLUDE), "asm\\");
    EXPECT_TRUE(run.IsButtonEnabled(kIdApply));
    EXPECT_EQ(c.GetText(IDC_A51_CONTROL_STRING), "SET (SMALL) DEBUG INCDIR (asm\\) NOPRINT EP ");
    EXPECT_TRUE(c.Click(IDC_A51_INCLUDE_BROWSE));
    EXPECT_EQ(c.GetText(IDC_A51_INCLUDE), "asm\\");
    run.SelectPage(0);
  });
  EXPECT_EQ(records_.assembler.include, "asm\\");
}

TEST_F(A51PageTest, ApplyWritesTheFiveKeysWhenBoundAndAsked) {
  test::RecordingHost host;
  state_.host = &host;
  NodePtr tool = CreateDetachedNode("Tool");
  Prepare(OptionScope::kProject, DefaultA51Record(OptionScope::kProject));
  page_.Bind(tool.get());
  Open([](HeadlessSheet& run, HeadlessDialog& c) {
    c.Type(IDC_A51_SET, "S");
    EXPECT_TRUE(run.PressOk());
  });
  EXPECT_TRUE(host.updates.empty());
  Open([](HeadlessSheet& run, HeadlessDialog& c) {
    c.Click(IDC_A51_MPL);
    EXPECT_TRUE(run.PressApply());
  });
  ASSERT_EQ(host.updates.size(), 1u);
  EXPECT_EQ(host.updates[0].target, tool.get());
  EXPECT_EQ(host.updates[0].attributes,
            (std::vector<std::string>{"A51FL=69", "A51SET=S", "A51RST=", "A51MSC=", "INCA5="}));
}

TEST_F(A51PageTest, TemplateInBothLanguages) {
  HeadlessDialog en(A51PageTemplate(Language::kEnglish), nullptr);
  HeadlessDialog zh(A51PageTemplate(Language::kChinese), nullptr);
  EXPECT_EQ(en.layout().id, 174);
  EXPECT_EQ(en.GetText(IDC_A51_SFR_NAMES), "&Define 8051 SFR Name");
  // "定义 8051 SFR 名称(&D)" (define 8051 SFR names)
  EXPECT_EQ(zh.GetText(IDC_A51_SFR_NAMES), "\xB6\xA8\xD2\xE5 8051 SFR \xC3\xFB\xB3\xC6(&D)");
  for (int id : {IDC_A51_SET, IDC_A51_RESET, IDC_A51_STANDARD, IDC_A51_MPL, IDC_A51_SFR_NAMES,
                 IDC_A51_INCLUDE, IDC_A51_INCLUDE_BROWSE, IDC_A51_MISC, IDC_A51_CONTROL_STRING}) {
    SCOPED_TRACE(id);
    EXPECT_TRUE(en.Exists(id));
    EXPECT_EQ(en.Find(id)->kind, zh.Find(id)->kind);
  }
  EXPECT_EQ(en.Find(IDC_A51_CONTROL_STRING)->style, kMultiLine | kReadOnly);
}

}  // namespace
}  // namespace c51::settings
