// The Listing page in the settings sheet: which control shows which
// "OPTLT" position, the captions built from the folder and the project
// name, the options that follow their main boxes, the folder chooser, and
// what the page stores when left.
#include "settings/pages/listing_page.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "plugin/state.h"
#include "settings/headless/headless_backend.h"

namespace c51::settings {
namespace {

// The control of each "OPTLT" position; position 10 is the macro list.
constexpr int kIds[kListingSwitchCount] = {1291, 1292, 1293, 1294, 1295, 1296, 1297,
                                           1201, 1298, 1299, 1300, 1301, 1211, 1086,
                                           1228, 1214, 1229, 1207, 1225, 1227};
constexpr int kMacroPosition = 9;  // index
constexpr int kCompilerOptions[] = {1292, 1293, 1294, 1295};
constexpr int kAssemblerOptions[] = {1201, 1298, 1299, 1300};
constexpr int kLinkerOptions[] = {1211, 1086, 1228, 1214, 1229, 1207, 1225, 1227};

class ListingPageTest : public ::testing::Test {
 protected:
  ListingPageTest() {
    state_.context.project_path = "C:\\work\\proj\\blinky.cvproj";
    state_.output.listing_directory = ".\\Debug\\";
    session_.state = &state_;
    session_.records = &records_;
    sheet_.AddPage(&other_);
    sheet_.AddPage(&page_);
  }

  // Brings the Listing page up from the first page, runs the script, then
  // leaves the page (so that it stores) and cancels.
  void Open(const std::function<void(HeadlessSheet&, HeadlessDialog&)>& script,
            Language language = Language::kEnglish) {
    backend_.set_language(language);
    backend_.sheet_script = [&script](HeadlessSheet& run) {
      ASSERT_TRUE(run.SelectPage(1));
      script(run, run.active());
      EXPECT_TRUE(run.SelectPage(0));
    };
    sheet_.DoModal(&backend_);
  }

  PluginState state_;
  SettingsRecords records_;
  SettingsSession session_;
  HeadlessInterface ui_;
  HeadlessBackend backend_{&ui_, Language::kEnglish};
  CArdelPage other_;
  CListingPage page_{&session_};
  CArdelPropertySheet sheet_{"title"};
};

TEST_F(ListingPageTest, EachSwitchShowsAndStoresAtItsPosition) {
  for (int position = 0; position < kListingSwitchCount; ++position) {
    if (position == kMacroPosition) continue;
    SCOPED_TRACE(position + 1);
    ListingSwitches switches{};
    switches[position] = 1;
    switches[kMacroPosition] = 1;
    state_.output.listing = switches;
    Open([position](HeadlessSheet&, HeadlessDialog& c) {
      for (int i = 0; i < kListingSwitchCount; ++i) {
        if (i == kMacroPosition) continue;
        EXPECT_EQ(c.GetCheck(kIds[i]), i == position ? kChecked : kUnchecked) << kIds[i];
      }
      EXPECT_EQ(c.GetSelection(kIds[kMacroPosition]), 1);
    });
    EXPECT_EQ(state_.output.listing, switches);
  }

  // And the other way: every box clicked on, the main boxes first so that
  // their options can be reached.
  state_.output.listing = ListingSwitches{};
  Open([](HeadlessSheet&, HeadlessDialog& c) {
    for (int i = 0; i < kListingSwitchCount; ++i) {
      if (i == kMacroPosition) {
        ASSERT_TRUE(c.Choose(kIds[i], 2));
      } else {
        ASSERT_TRUE(c.Click(kIds[i])) << kIds[i];
      }
    }
  });
  ListingSwitches expected;
  expected.fill(1);
  expected[kMacroPosition] = 2;
  EXPECT_EQ(state_.output.listing, expected);
}

TEST_F(ListingPageTest, CaptionsFollowTheFolderAndTheProjectName) {
  struct Case {
    Language language;
    const char* compiler;
    const char* preprocessor;
    const char* assembler;
    const char* linker;
  } cases[] = {
      {Language::kEnglish, "&Compiler listing.\\Lst\\*.lst", "C &Preprocessor listing: .\\Lst\\*.i",
       "&Assembler listing: .\\Lst\\*.lst", "L&inker listing: .\\Lst\\blinky.m51"},
      // "&C 编译器列表: ", "预处理信息列表(&P): ", "汇编器列表(&A): ", "连接器列表(&L): "
      {Language::kChinese, "&C \xB1\xE0\xD2\xEB\xC6\xF7\xC1\xD0\xB1\xED: .\\Lst\\*.lst",
       "\xD4\xA4\xB4\xA6\xC0\xED\xD0\xC5\xCF\xA2\xC1\xD0\xB1\xED(&P): .\\Lst\\*.i",
       "\xBB\xE3\xB1\xE0\xC6\xF7\xC1\xD0\xB1\xED(&A): .\\Lst\\*.lst",
       "\xC1\xAC\xBD\xD3\xC6\xF7\xC1\xD0\xB1\xED(&L): .\\Lst\\blinky.m51"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(static_cast<int>(k.language));
    // Without its final backslash: shown and stored with it.
    state_.output.listing_directory = ".\\Lst";
    Open(
        [&k](HeadlessSheet&, HeadlessDialog& c) {
          EXPECT_EQ(c.GetText(IDC_LISTING_FOLDER), ".\\Lst\\");
          EXPECT_EQ(c.GetText(1291), k.compiler);
          EXPECT_EQ(c.GetText(1296), k.preprocessor);
          EXPECT_EQ(c.GetText(1297), k.assembler);
          EXPECT_EQ(c.GetText(1301), k.linker);
        },
        k.language);
    EXPECT_EQ(state_.output.listing_directory, ".\\Lst\\");
  }
}

TEST_F(ListingPageTest, WithoutAFolderNothingIsCaptionedOrDisabled) {
  state_.output.listing_directory = "";
  ListingSwitches switches{};
  switches[2] = 1;  // compiler symbols, with the compiler listing off
  // An index the list lacks shows no selection and is stored unchanged.
  switches[kMacroPosition] = 7;
  state_.output.listing = switches;
  Open([](HeadlessSheet&, HeadlessDialog& c) {
    EXPECT_EQ(c.GetText(IDC_LISTING_FOLDER), "");
    EXPECT_EQ(c.GetText(1291), "&Compiler listing(relative)");
    EXPECT_EQ(c.GetText(1301), "L&inker listing: *.map (relative)");
    for (int id : kCompilerOptions) EXPECT_TRUE(c.IsEnabled(id)) << id;
    for (int id : kAssemblerOptions) EXPECT_TRUE(c.IsEnabled(id)) << id;
    EXPECT_EQ(c.GetCheck(1293), kChecked);
    EXPECT_EQ(c.GetSelection(IDC_LISTING_ASSEMBLER_MACROS), -1);
  });
  EXPECT_EQ(state_.output.listing_directory, "");
  EXPECT_EQ(state_.output.listing, switches);
}

TEST_F(ListingPageTest, OptionsFollowTheirMainBoxes) {
  ListingSwitches switches{};
  switches[0] = 1;  // compiler listing on; assembler and linker listings off
  switches[kMacroPosition] = 2;
  state_.output.listing = switches;
  Open([](HeadlessSheet&, HeadlessDialog& c) {
    for (int id : kCompilerOptions) EXPECT_TRUE(c.IsEnabled(id)) << id;
    for (int id : kAssemblerOptions) EXPECT_FALSE(c.IsEnabled(id)) << id;
    for (int id : kLinkerOptions) EXPECT_TRUE(c.IsEnabled(id)) << id;

    ASSERT_TRUE(c.Click(1297));
    for (int id : kAssemblerOptions) EXPECT_TRUE(c.IsEnabled(id)) << id;
    ASSERT_TRUE(c.Choose(IDC_LISTING_ASSEMBLER_MACROS, 1));
    ASSERT_TRUE(c.Click(1297));
    for (int id : kAssemblerOptions) EXPECT_FALSE(c.IsEnabled(id)) << id;
    EXPECT_EQ(c.GetSelection(IDC_LISTING_ASSEMBLER_MACROS), 1);

    ASSERT_TRUE(c.Click(1291));
    for (int id : kCompilerOptions) EXPECT_FALSE(c.IsEnabled(id)) << id;
    // The linker listing's box switches nothing off.
    ASSERT_TRUE(c.Click(1301));
    ASSERT_TRUE(c.Click(1301));
    for (int id : kLinkerOptions) EXPECT_TRUE(c.IsEnabled(id)) << id;
  });
  ListingSwitches expected{};
  expected[kMacroPosition] = 1;  // kept while its list was disabled
  EXPECT_EQ(state_.output.listing, expected);
}

TEST_F(ListingPageTest, BrowseKeepsWhatWasClicked) {
  ListingSwitches switches{};
  switches[0] = 1;
  state_.output.listing = switches;
  backend_.folder_answers = {std::nullopt, "C:\\work\\proj\\Lst"};
  Open([](HeadlessSheet&, HeadlessDialog& c) {
    ASSERT_TRUE(c.Click(1293));
    ASSERT_TRUE(c.Click(1211));
    ASSERT_TRUE(c.Click(IDC_LISTING_BROWSE));  // cancelled
    EXPECT_EQ(c.GetText(IDC_LISTING_FOLDER), ".\\Debug\\");
    EXPECT_EQ(c.GetText(1301), "L&inker listing: .\\Debug\\blinky.m51");
    ASSERT_TRUE(c.Click(IDC_LISTING_BROWSE));
    EXPECT_EQ(c.GetText(IDC_LISTING_FOLDER), ".\\Lst\\");
    EXPECT_EQ(c.GetText(1301), "L&inker listing: .\\Lst\\blinky.m51");
    EXPECT_EQ(c.GetText(1296), "C &Preprocessor listing: .\\Lst\\*.i");
    EXPECT_EQ(c.GetCheck(1293), kChecked);
    EXPECT_EQ(c.GetCheck(1211), kChecked);
  });
  ASSERT_EQ(backend_.chooser_requests.size(), 2u);
  EXPECT_EQ(backend_.chooser_requests[1].kind, ChooserRequest::kFolder);
  EXPECT_EQ(backend_.chooser_requests[1].title, "Please choose the output directory :");
  EXPECT_EQ(state_.output.listing_directory, ".\\Lst\\");
  ListingSwitches expected{};
  expected[0] = expected[2] = expected[12] = 1;
  EXPECT_EQ(state_.output.listing, expected);
}

TEST(ListingPageTemplateTest, BothLanguagesHaveTheSameControls) {
  const DialogTemplate en = ListingPageTemplate(Language::kEnglish);
  const DialogTemplate zh = ListingPageTemplate(Language::kChinese);
  EXPECT_EQ(en.id, 171);
  ASSERT_EQ(en.controls.size(), zh.controls.size());
  for (size_t i = 0; i < en.controls.size(); ++i) {
    EXPECT_EQ(en.controls[i].id, zh.controls[i].id) << i;
    EXPECT_EQ(en.controls[i].kind, zh.controls[i].kind) << i;
    // The macro list's index is what is stored: one order in both.
    EXPECT_EQ(en.controls[i].items, zh.controls[i].items) << i;
  }
  HeadlessDialog c(en, nullptr);
  EXPECT_EQ(c.Find(IDC_LISTING_FOLDER)->kind, ControlKind::kStatic);
  EXPECT_EQ(c.Find(IDC_LISTING_BROWSE)->kind, ControlKind::kPushButton);
  EXPECT_EQ(
      c.Find(IDC_LISTING_ASSEMBLER_MACROS)->items,
      (std::vector<std::string>{"Final expansion only", "1st Level expansion", "All expansions"}));
  for (int i = 0; i < kListingSwitchCount; ++i) {
    if (i == kMacroPosition) continue;
    EXPECT_EQ(c.Find(kIds[i])->kind, ControlKind::kCheckBox) << kIds[i];
  }
}

}  // namespace
}  // namespace c51::settings
