// The Linker Locate and Linker Misc pages in the settings sheet: what they
// load from the linker record, the ranges taken from the target layout,
// the control string that follows every change, "Default", storing when
// left and Apply.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "plugin/state.h"
#include "project/recording_host.h"
#include "settings/headless/headless_backend.h"
#include "settings/pages/bl51_page.h"
#include "settings/pages/l51_misc_page.h"

namespace c51::settings {
namespace {

constexpr int kLocate = 1;
constexpr int kMisc = 2;

class LinkerPagesTest : public ::testing::Test {
 protected:
  LinkerPagesTest() {
    state_.host = &host_;
    state_.context.device = &device_;
    state_.output.output_name = "blinky";
    device_.properties = properties_;
    session_.state = &state_;
    session_.records = &records_;
    sheet_.AddPage(&blank_);
    sheet_.AddPage(&locate_);
    sheet_.AddPage(&misc_);
  }

  // Runs the sheet with page `index` brought up from the blank first page.
  int Open(int index, const std::function<void(HeadlessSheet&, HeadlessDialog&)>& script) {
    backend_.sheet_script = [index, &script](HeadlessSheet& run) {
      ASSERT_TRUE(run.SelectPage(index));
      script(run, run.active());
    };
    return sheet_.DoModal(&backend_);
  }

  // Distinct texts in all sixteen fields.
  static LinkerOptions FullRecord() {
    LinkerOptions o;
    o.flags = 0;
    o.code_base = "0x0-0x7FFF";
    o.xdata_base = "0x0-0xFF";
    o.pdata_base = "0x10";
    o.bit_base = "0x20";
    o.data_base = "0x30";
    o.idata_base = "0x80";
    o.precede = "?DT?P";
    o.stack = "?STACK";
    o.code_segments = "?PR?MAIN";
    o.xdata_segments = "?XD?X";
    o.bit_segments = "?BI?B";
    o.data_segments = "?DT?D";
    o.idata_segments = "?ID?I";
    o.overlay = "main ! f1";
    o.misc = "NOSORTSIZE";
    o.disable_warnings = "16";
    return o;
  }

  PluginState state_;
  SettingsRecords records_;
  SettingsSession session_;
  test::RecordingHost host_;
  const char* properties_[2] = {"CPU=IRAM(0-0xFF) IROM(0-0xFFF) XRAM(0-0x7FF)", nullptr};
  DeviceRecord device_{};
  HeadlessInterface ui_;
  HeadlessBackend backend_{&ui_, Language::kChinese};
  CArdelPage blank_;
  CBL51Page locate_{&session_};
  CL51MiscPage misc_{&session_};
  CArdelPropertySheet sheet_{"title"};
};

// The edits of the locate page and the texts FullRecord puts in them.
const std::vector<std::pair<int, std::string>> kLocateTexts = {
    {IDC_LOCATE_CODE_RANGE, "0x0-0x7FFF"},  {IDC_LOCATE_XDATA_RANGE, "0x0-0xFF"},
    {IDC_LOCATE_PDATA_BASE, "0x10"},        {IDC_LOCATE_BIT_BASE, "0x20"},
    {IDC_LOCATE_DATA_BASE, "0x30"},         {IDC_LOCATE_IDATA_BASE, "0x80"},
    {IDC_LOCATE_PRECEDE, "?DT?P"},          {IDC_LOCATE_STACK, "?STACK"},
    {IDC_LOCATE_CODE_SEGMENTS, "?PR?MAIN"}, {IDC_LOCATE_XDATA_SEGMENTS, "?XD?X"},
    {IDC_LOCATE_BIT_SEGMENTS, "?BI?B"},     {IDC_LOCATE_DATA_SEGMENTS, "?DT?D"},
    {IDC_LOCATE_IDATA_SEGMENTS, "?ID?I"},
};

TEST_F(LinkerPagesTest, LocateShowsTheStoredTextsAndTheirControlString) {
  records_.linker = FullRecord();
  Open(kLocate, [](HeadlessSheet& run, HeadlessDialog& c) {
    for (const auto& [id, text] : kLocateTexts) EXPECT_EQ(c.GetText(id), text) << id;
    EXPECT_EQ(c.GetCheck(IDC_LOCATE_USE_TARGET_LAYOUT), kUnchecked);
    EXPECT_TRUE(c.IsEnabled(IDC_LOCATE_CODE_RANGE));
    EXPECT_TRUE(c.IsEnabled(IDC_LOCATE_XDATA_RANGE));
    EXPECT_TRUE(run.IsButtonEnabled(kIdApply));
    EXPECT_EQ(c.GetText(IDC_LOCATE_CONTROL_STRING),
              "TO \"blinky\"\r\nRAMSIZE(256)\r\nDISABLEWARNING (16)\r\nNOSORTSIZE \r\n"
              "OVERLAY( main ! f1 )\r\nCODE( 0x0-0x7FFF,?PR?MAIN )\r\nXDATA( 0x0-0xFF , ?XD?X )\r\n"
              "PDATA( 0x10 )\r\nPRECEDE( ?DT?P )\r\nBIT( 0x20 , ?BI?B )\r\nDATA( 0x30 , ?DT?D )\r\n"
              "IDATA( 0x80 , ?ID?I )\r\nSTACK( ?STACK )\r\n");
    // Every edit rebuilds the string at once.
    c.Type(IDC_LOCATE_DATA_SEGMENTS, "?DT?NEW");
    EXPECT_NE(c.GetText(IDC_LOCATE_CONTROL_STRING).find("DATA( 0x30 , ?DT?NEW )\r\n"),
              std::string::npos);
    c.Type(IDC_LOCATE_CODE_RANGE, "");
    EXPECT_NE(c.GetText(IDC_LOCATE_CONTROL_STRING).find("CODE( ?PR?MAIN )\r\n"), std::string::npos);
  });
}

TEST_F(LinkerPagesTest, LocateTakesTheRangesFromTheTargetWhileChecked) {
  struct Case {
    int t51_flags;
    MemoryRanges code;
    MemoryRanges xdata;
    const char* code_text;
    const char* xdata_text;
  } cases[] = {
      // On-chip ROM and an off-chip range right after it merge.
      {kT51OnChipRom | kT51OnChipXram,
       {{{0x1000, 0x1000}, {0, 0}, {0, 0}}},
       {{{0, 0}, {0x800, 0x800}, {0, 0}}},
       "0x0000-0x1FFF",
       "0x0000-0x0FFF"},
      // No on-chip use, no off-chip ranges: nothing.
      {0, {}, {}, "", ""},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.code_text);
    state_.target.t51_flags = k.t51_flags;
    state_.target.ocm51 = FormatMemoryRanges(k.code);
    state_.target.ocr51 = FormatMemoryRanges(k.xdata);
    records_.linker = FullRecord();
    // Bits other than the layout switch do not survive a store.
    records_.linker.flags = kLinkerUseTargetLayout | 1 | 16;
    Open(kLocate, [&k](HeadlessSheet& run, HeadlessDialog& c) {
      EXPECT_EQ(c.GetCheck(IDC_LOCATE_USE_TARGET_LAYOUT), kChecked);
      EXPECT_FALSE(c.IsEnabled(IDC_LOCATE_CODE_RANGE));
      EXPECT_FALSE(c.IsEnabled(IDC_LOCATE_XDATA_RANGE));
      EXPECT_EQ(c.GetText(IDC_LOCATE_CODE_RANGE), k.code_text);
      EXPECT_EQ(c.GetText(IDC_LOCATE_XDATA_RANGE), k.xdata_text);
      const std::string code = *k.code_text ? std::string(k.code_text) + ",?PR?MAIN" : "?PR?MAIN";
      EXPECT_NE(c.GetText(IDC_LOCATE_CONTROL_STRING).find("CODE( " + code + " )"),
                std::string::npos);
      EXPECT_TRUE(run.PressOk());
    });
    EXPECT_EQ(records_.linker.flags, kLinkerUseTargetLayout);
    EXPECT_EQ(records_.linker.code_base, k.code_text);
    EXPECT_EQ(records_.linker.xdata_base, k.xdata_text);
    EXPECT_EQ(records_.linker.stack, "?STACK");
  }
}

TEST_F(LinkerPagesTest, UncheckingKeepsTheComputedRangesForEditing) {
  state_.target.t51_flags = kT51OnChipRom;
  records_.linker = FullRecord();
  records_.linker.flags = kLinkerUseTargetLayout;
  Open(kLocate, [this](HeadlessSheet& run, HeadlessDialog& c) {
    EXPECT_EQ(c.GetText(IDC_LOCATE_CODE_RANGE), "0x0000-0x0FFF");
    ASSERT_TRUE(c.Click(IDC_LOCATE_USE_TARGET_LAYOUT));
    EXPECT_TRUE(c.IsEnabled(IDC_LOCATE_CODE_RANGE));
    EXPECT_EQ(c.GetText(IDC_LOCATE_CODE_RANGE), "0x0000-0x0FFF");
    EXPECT_EQ(c.GetText(IDC_LOCATE_XDATA_RANGE), "");
    c.Type(IDC_LOCATE_CODE_RANGE, "0x0000-0x3FFF");
    c.Type(IDC_LOCATE_STACK, "?STK");
    ASSERT_TRUE(run.SelectPage(0));
    EXPECT_EQ(records_.linker.flags, 0);
    EXPECT_EQ(records_.linker.code_base, "0x0000-0x3FFF");
    EXPECT_EQ(records_.linker.xdata_base, "");
    EXPECT_EQ(records_.linker.stack, "?STK");
    // Checking it again throws the typed range away.
    ASSERT_TRUE(run.SelectPage(kLocate));
    ASSERT_TRUE(c.Click(IDC_LOCATE_USE_TARGET_LAYOUT));
    EXPECT_FALSE(c.IsEnabled(IDC_LOCATE_CODE_RANGE));
    EXPECT_EQ(c.GetText(IDC_LOCATE_CODE_RANGE), "0x0000-0x0FFF");
  });
}

TEST_F(LinkerPagesTest, LocateDefaultRecomputesTheRangesAndEmptiesTheRest) {
  state_.target.t51_flags = kT51OnChipRom | kT51OnChipXram;
  const LinkerOptions stored = FullRecord();
  records_.linker = stored;
  auto press_default = [](HeadlessSheet& run, HeadlessDialog& c) {
    EXPECT_TRUE(run.PressDefault());
    EXPECT_EQ(c.GetCheck(IDC_LOCATE_USE_TARGET_LAYOUT), kChecked);
    EXPECT_FALSE(c.IsEnabled(IDC_LOCATE_CODE_RANGE));
    EXPECT_EQ(c.GetText(IDC_LOCATE_CODE_RANGE), "0x0000-0x0FFF");
    EXPECT_EQ(c.GetText(IDC_LOCATE_XDATA_RANGE), "0x0000-0x07FF");
    for (size_t i = 2; i < kLocateTexts.size(); ++i) {
      EXPECT_EQ(c.GetText(kLocateTexts[i].first), "") << kLocateTexts[i].first;
    }
    EXPECT_EQ(c.GetText(IDC_LOCATE_CONTROL_STRING),
              "TO \"blinky\"\r\nRAMSIZE(256)\r\nDISABLEWARNING (16)\r\nNOSORTSIZE \r\n"
              "OVERLAY( main ! f1 )\r\nCODE( 0x0000-0x0FFF )\r\nXDATA( 0x0000-0x07FF )\r\n");
  };
  Open(kLocate, [&](HeadlessSheet& run, HeadlessDialog& c) {
    press_default(run, c);
    EXPECT_TRUE(run.PressCancel());
  });
  EXPECT_EQ(records_.linker.flags, 0);
  EXPECT_EQ(records_.linker.stack, "?STACK");
  EXPECT_EQ(records_.linker.code_base, "0x0-0x7FFF");

  Open(kLocate, [&](HeadlessSheet& run, HeadlessDialog& c) {
    press_default(run, c);
    EXPECT_TRUE(run.PressOk());
  });
  EXPECT_EQ(records_.linker.flags, kLinkerUseTargetLayout);
  EXPECT_EQ(records_.linker.code_base, "0x0000-0x0FFF");
  EXPECT_EQ(records_.linker.pdata_base, "");
  EXPECT_EQ(records_.linker.idata_segments, "");
  EXPECT_EQ(records_.linker.overlay, "main ! f1");  // the misc page's texts stay
}

TEST_F(LinkerPagesTest, MiscShowsItsTextsStoresThemAsTypedAndCountsAsChanged) {
  records_.linker = FullRecord();
  Open(kMisc, [this](HeadlessSheet& run, HeadlessDialog& c) {
    // Merely opening the page activates Apply.
    EXPECT_TRUE(run.IsButtonEnabled(kIdApply));
    EXPECT_EQ(c.GetText(IDC_LINKER_MISC_DISABLE_WARNINGS), "16");
    EXPECT_EQ(c.GetText(IDC_LINKER_MISC_OVERLAY), "main ! f1");
    EXPECT_EQ(c.GetText(IDC_LINKER_MISC_CONTROLS), "NOSORTSIZE");
    EXPECT_NE(c.GetText(IDC_LINKER_MISC_CONTROL_STRING)
                  .find("DISABLEWARNING (16)\r\nNOSORTSIZE \r\nOVERLAY( main ! f1 )\r\n"
                        "CODE( 0x0-0x7FFF,?PR?MAIN )"),
              std::string::npos);
    c.Type(IDC_LINKER_MISC_OVERLAY, "main ! (f1, f2)\r\nf2 ! f3");
    c.Type(IDC_LINKER_MISC_DISABLE_WARNINGS, " ");
    EXPECT_NE(c.GetText(IDC_LINKER_MISC_CONTROL_STRING)
                  .find("RAMSIZE(256)\r\nNOSORTSIZE \r\nOVERLAY( main ! (f1, f2)\r\nf2 ! f3 )\r\n"),
              std::string::npos);
    EXPECT_EQ(records_.linker.overlay, "main ! f1");  // not yet left
    EXPECT_TRUE(run.PressOk());
  });
  EXPECT_EQ(records_.linker.overlay, "main ! (f1, f2)\r\nf2 ! f3");
  EXPECT_EQ(records_.linker.disable_warnings, " ");
  EXPECT_EQ(records_.linker.misc, "NOSORTSIZE");
  EXPECT_EQ(records_.linker.stack, "?STACK");
}

TEST_F(LinkerPagesTest, MiscDefaultEmptiesThePageNotTheRecord) {
  records_.linker = FullRecord();
  auto press_default = [](HeadlessSheet& run, HeadlessDialog& c) {
    EXPECT_TRUE(run.PressDefault());
    EXPECT_EQ(c.GetText(IDC_LINKER_MISC_DISABLE_WARNINGS), "");
    EXPECT_EQ(c.GetText(IDC_LINKER_MISC_OVERLAY), "");
    EXPECT_EQ(c.GetText(IDC_LINKER_MISC_CONTROLS), "");
    EXPECT_EQ(c.GetText(IDC_LINKER_MISC_CONTROL_STRING).find("OVERLAY"), std::string::npos);
  };
  Open(kMisc, [&](HeadlessSheet& run, HeadlessDialog& c) {
    press_default(run, c);
    EXPECT_TRUE(run.PressCancel());
  });
  EXPECT_EQ(records_.linker.overlay, "main ! f1");
  EXPECT_EQ(records_.linker.disable_warnings, "16");
  Open(kMisc, [&](HeadlessSheet& run, HeadlessDialog& c) {
    press_default(run, c);
    EXPECT_TRUE(run.PressOk());
  });
  EXPECT_EQ(records_.linker.overlay, "");
  EXPECT_EQ(records_.linker.misc, "");
  EXPECT_EQ(records_.linker.disable_warnings, "");
}

TEST_F(LinkerPagesTest, ApplyWritesEachPagesKeysWhenItsStoreFlagIsSet) {
  NodePtr config = CreateDetachedNode("Configuration");
  ProjectNode* tool = test::AddNode(config.get(), "Tool", "Lx51Tool");
  locate_.Bind(tool);
  misc_.Bind(tool);
  records_.linker = FullRecord();
  Open(kMisc, [](HeadlessSheet& run, HeadlessDialog&) {
    ASSERT_TRUE(run.SelectPage(kLocate));
    run.active().Type(IDC_LOCATE_STACK, "?S");
    EXPECT_TRUE(run.PressApply());
    ASSERT_TRUE(run.SelectPage(kMisc));
    run.active().Type(IDC_LINKER_MISC_CONTROLS, "NOOVERLAY");
    EXPECT_TRUE(run.PressCancel());
  });
  ASSERT_EQ(host_.updates.size(), 1u);
  EXPECT_EQ(host_.updates[0].target, tool);
  EXPECT_EQ(
      host_.updates[0].attributes,
      (std::vector<std::string>{"LX51FL=0", "LX51COB=0x0-0x7FFF", "LX51XDB=0x0-0xFF",
                                "LX51PDB=0x10", "LX51BIB=0x20", "LX51DAB=0x30", "LX51IDB=0x80",
                                "LX51PRC=?DT?P", "LX51STK=?S", "LX51COS=?PR?MAIN", "LX51XDS=?XD?X",
                                "LX51BIS=?BI?B", "LX51DAS=?DT?D", "LX51IDS=?ID?I"}));

  host_.updates.clear();
  Open(kMisc, [](HeadlessSheet& run, HeadlessDialog& c) {
    c.Type(IDC_LINKER_MISC_CONTROLS, "NOOVERLAY");
    EXPECT_TRUE(run.PressApply());
    // OK applies again: the flag stays set for the rest of the run.
    EXPECT_TRUE(run.PressOk());
  });
  ASSERT_EQ(host_.updates.size(), 2u);
  EXPECT_EQ(host_.updates[1].attributes,
            (std::vector<std::string>{"LX51OVL=main ! f1", "LX51MSC=NOOVERLAY", "LX51DWN=16"}));
}

TEST(LinkerTemplatesTest, BothLanguagesCarryTheSameControls) {
  SettingsSession session;
  CBL51Page locate(&session);
  CL51MiscPage misc(&session);
  for (const CArdelPage* page :
       {static_cast<const CArdelPage*>(&locate), static_cast<const CArdelPage*>(&misc)}) {
    const DialogTemplate english = page->Template(Language::kEnglish);
    const DialogTemplate chinese = page->Template(Language::kChinese);
    EXPECT_EQ(english.id, page->template_id());
    ASSERT_EQ(english.controls.size(), chinese.controls.size());
    for (size_t i = 0; i < english.controls.size(); ++i) {
      EXPECT_EQ(english.controls[i].id, chinese.controls[i].id) << i;
      EXPECT_EQ(english.controls[i].kind, chinese.controls[i].kind) << i;
      EXPECT_EQ(english.controls[i].style, chinese.controls[i].style) << i;
    }
  }
}

}  // namespace
}  // namespace c51::settings
