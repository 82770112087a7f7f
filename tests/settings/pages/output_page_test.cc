// The Output page in the settings sheet: what it shows of the output
// record, the captions that follow the folder and the name in the
// interface language, the folder chooser, and what it stores when left.
#include "settings/pages/output_page.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "plugin/state.h"
#include "settings/headless/headless_backend.h"

namespace c51::settings {
namespace {

// "创建应用文件(&A): " and "创建库文件(&L): ": the Chinese leads.
constexpr char kChineseExecutable[] = "\xB4\xB4\xBD\xA8\xD3\xA6\xD3\xC3\xCE\xC4\xBC\xFE(&A): ";
constexpr char kChineseLibrary[] = "\xB4\xB4\xBD\xA8\xBF\xE2\xCE\xC4\xBC\xFE(&L): ";
// "请选择列表文件的输出位置：" (please choose the output directory)
constexpr char kChineseChooseTitle[] =
    "\xC7\xEB\xD1\xA1\xD4\xF1\xC1\xD0\xB1\xED\xCE\xC4\xBC\xFE\xB5\xC4\xCA\xE4\xB3\xF6\xCE\xBB\xD6"
    "\xC3\xA3\xBA";
constexpr char kResourceExecutable[] = "Cre&ate Executable: <rel path>\\basename";
constexpr char kResourceLibrary[] = "Create &Library: <rel path>\\basename";

class OutputPageTest : public ::testing::Test {
 protected:
  OutputPageTest() {
    state_.context.project_path = "C:\\work\\proj\\blinky.cvproj";
    session_.state = &state_;
    session_.records = &records_;
    sheet_.AddPage(&page_);
    sheet_.AddPage(&other_);
  }

  void SetRecord(const char* folder, const char* name, int gen_app, int gen_lib) {
    state_.output.output_directory = folder;
    state_.output.output_name = name;
    state_.output.gen_app = gen_app;
    state_.output.gen_lib = gen_lib;
  }

  // Runs the sheet with the Output page shown first; the script's end
  // leaves the page (so that it stores) and cancels.
  void Open(const std::function<void(HeadlessSheet&, HeadlessDialog&)>& script,
            Language language = Language::kEnglish) {
    backend_.set_language(language);
    backend_.sheet_script = [&script](HeadlessSheet& run) {
      script(run, run.active());
      EXPECT_TRUE(run.SelectPage(1));
    };
    sheet_.DoModal(&backend_);
  }

  PluginState state_;
  SettingsRecords records_;
  SettingsSession session_;
  HeadlessInterface ui_;
  HeadlessBackend backend_{&ui_, Language::kEnglish};
  COutputPage page_{&session_};
  CArdelPage other_;
  CArdelPropertySheet sheet_{"title"};
};

TEST_F(OutputPageTest, LoadsShowsAndStoresTheRecord) {
  struct Case {
    const char* folder;
    const char* name;
    int gen_app;
    int gen_lib;
    Language language;
    const char* shown_folder;  // also what is stored back
    std::string executable;
    std::string library;
  } cases[] = {
      {".\\Debug\\", "blinky", 1, 0, Language::kEnglish, ".\\Debug\\",
       "Cre&ate Executable :.\\Debug\\blinky", "Create &Library:.\\Debug\\blinky.lib"},
      // The final backslash is added, and the captions are Chinese.
      {"..\\out", "tiny", 0, 1, Language::kChinese, "..\\out\\",
       std::string(kChineseExecutable) + "..\\out\\tiny",
       std::string(kChineseLibrary) + "..\\out\\tiny.lib"},
      // No folder: the resource's captions stay; name and choice still show.
      {"", "lib1", 0, 1, Language::kEnglish, "", kResourceExecutable, kResourceLibrary},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    SetRecord(k.folder, k.name, k.gen_app, k.gen_lib);
    Open(
        [&k](HeadlessSheet& run, HeadlessDialog& c) {
          EXPECT_EQ(c.GetText(IDC_OUTPUT_FOLDER), k.shown_folder);
          EXPECT_EQ(c.GetText(IDC_OUTPUT_NAME), k.name);
          EXPECT_EQ(c.GetText(IDC_OUTPUT_CREATE_EXECUTABLE), k.executable);
          EXPECT_EQ(c.GetText(IDC_OUTPUT_CREATE_LIBRARY), k.library);
          EXPECT_EQ(c.GetCheck(IDC_OUTPUT_CREATE_EXECUTABLE), k.gen_app ? kChecked : kUnchecked);
          EXPECT_EQ(c.GetCheck(IDC_OUTPUT_CREATE_LIBRARY), k.gen_lib ? kChecked : kUnchecked);
          // Loading is no change of the user's.
          EXPECT_FALSE(run.IsButtonEnabled(kIdApply));
        },
        k.language);
    EXPECT_EQ(state_.output.output_directory, k.shown_folder);
    EXPECT_EQ(state_.output.output_name, k.name);
    EXPECT_EQ(state_.output.gen_app, k.gen_app);
    EXPECT_EQ(state_.output.gen_lib, k.gen_lib);
  }
}

TEST_F(OutputPageTest, TypingANameUpdatesBothCaptions) {
  for (Language language : {Language::kEnglish, Language::kChinese}) {
    SetRecord(".\\Debug\\", "blinky", 1, 0);
    const std::string exe = MessageText(MessageId::kCreateExecutable, language);
    const std::string lib = MessageText(MessageId::kCreateLibrary, language);
    Open(
        [&](HeadlessSheet& run, HeadlessDialog& c) {
          ASSERT_TRUE(c.Type(IDC_OUTPUT_NAME, "mon51"));
          EXPECT_EQ(c.GetText(IDC_OUTPUT_CREATE_EXECUTABLE), exe + ".\\Debug\\mon51");
          EXPECT_EQ(c.GetText(IDC_OUTPUT_CREATE_LIBRARY), lib + ".\\Debug\\mon51.lib");
          ASSERT_TRUE(c.Type(IDC_OUTPUT_NAME, ""));
          EXPECT_EQ(c.GetText(IDC_OUTPUT_CREATE_LIBRARY), lib + ".\\Debug\\.lib");
          ASSERT_TRUE(c.Type(IDC_OUTPUT_NAME, "final"));
          EXPECT_FALSE(run.IsButtonEnabled(kIdApply));
        },
        language);
    EXPECT_EQ(state_.output.output_name, "final");
  }
}

TEST_F(OutputPageTest, TypingWithoutAFolderKeepsTheProjectFolder) {
  // An empty folder is the project folder; a lone "\" would be the root.
  SetRecord("", "a", 1, 0);
  Open([](HeadlessSheet&, HeadlessDialog& c) {
    ASSERT_TRUE(c.Type(IDC_OUTPUT_NAME, "b"));
    EXPECT_EQ(c.GetText(IDC_OUTPUT_FOLDER), "");
    EXPECT_EQ(c.GetText(IDC_OUTPUT_CREATE_EXECUTABLE), "Cre&ate Executable :b");
    EXPECT_EQ(c.GetText(IDC_OUTPUT_CREATE_LIBRARY), "Create &Library:b.lib");
  });
  EXPECT_EQ(state_.output.output_directory, "");
  EXPECT_EQ(state_.output.output_name, "b");
}

TEST_F(OutputPageTest, BrowseTakesAProjectRelativeFolder) {
  SetRecord(".\\Debug\\", "blinky", 1, 0);
  backend_.folder_answers = {std::nullopt, "C:\\work\\proj\\Obj", "D:\\build"};
  Open(
      [](HeadlessSheet& run, HeadlessDialog& c) {
        ASSERT_TRUE(c.Type(IDC_OUTPUT_NAME, "mon"));
        ASSERT_TRUE(c.Click(IDC_OUTPUT_CREATE_LIBRARY));
        EXPECT_EQ(c.GetCheck(IDC_OUTPUT_CREATE_EXECUTABLE), kUnchecked);  // one group
        // Cancelled: nothing changes.
        ASSERT_TRUE(c.Click(IDC_OUTPUT_BROWSE));
        EXPECT_EQ(c.GetText(IDC_OUTPUT_FOLDER), ".\\Debug\\");
        ASSERT_TRUE(c.Click(IDC_OUTPUT_BROWSE));
        EXPECT_EQ(c.GetText(IDC_OUTPUT_FOLDER), ".\\Obj\\");
        EXPECT_EQ(c.GetText(IDC_OUTPUT_NAME), "mon");
        EXPECT_EQ(c.GetText(IDC_OUTPUT_CREATE_EXECUTABLE),
                  std::string(kChineseExecutable) + ".\\Obj\\mon");
        EXPECT_EQ(c.GetCheck(IDC_OUTPUT_CREATE_LIBRARY), kChecked);
        // Another drive: the folder stays absolute.
        ASSERT_TRUE(c.Click(IDC_OUTPUT_BROWSE));
        EXPECT_EQ(c.GetText(IDC_OUTPUT_CREATE_LIBRARY),
                  std::string(kChineseLibrary) + "D:\\build\\mon.lib");
        // The page has no "Default" and never marks itself modified.
        ASSERT_TRUE(run.PressDefault());
        EXPECT_EQ(c.GetText(IDC_OUTPUT_NAME), "mon");
        EXPECT_FALSE(run.IsButtonEnabled(kIdApply));
      },
      Language::kChinese);
  ASSERT_EQ(backend_.chooser_requests.size(), 3u);
  EXPECT_EQ(backend_.chooser_requests[0].kind, ChooserRequest::kFolder);
  EXPECT_EQ(backend_.chooser_requests[0].title, kChineseChooseTitle);
  EXPECT_EQ(state_.output.output_directory, "D:\\build\\");
  EXPECT_EQ(state_.output.output_name, "mon");
  EXPECT_EQ(state_.output.gen_lib, 1);
}

TEST(OutputPageTemplateTest, BothLanguagesHaveTheSameControls) {
  const DialogTemplate en = OutputPageTemplate(Language::kEnglish);
  const DialogTemplate zh = OutputPageTemplate(Language::kChinese);
  EXPECT_EQ(en.id, 172);
  ASSERT_EQ(en.controls.size(), zh.controls.size());
  for (size_t i = 0; i < en.controls.size(); ++i) {
    EXPECT_EQ(en.controls[i].id, zh.controls[i].id) << i;
    EXPECT_EQ(en.controls[i].kind, zh.controls[i].kind) << i;
    EXPECT_EQ(en.controls[i].style, zh.controls[i].style) << i;
  }
}

}  // namespace
}  // namespace c51::settings
