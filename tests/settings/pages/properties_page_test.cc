// The Property page in the settings sheet: the facts it shows about a
// file on disk (type, size, local modification time), the code-bank list
// built from the configuration's banking, the three-state switches, and
// what it stores when left.
#include "settings/pages/properties_page.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "options/options_tree.h"
#include "platform/fs.h"
#include "plugin/state.h"
#include "settings/headless/headless_backend.h"
#include "support/temp_dir.h"

namespace c51::settings {
namespace {

// Sets a file's modification time to a wall-clock time of the local zone,
// as the C library converts it: an oracle independent of the page.
bool SetLocalModificationTime(const std::string& path, int year, int month, int day, int hour,
                              int minute, int second) {
  std::tm local{};
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day;
  local.tm_hour = hour;
  local.tm_min = minute;
  local.tm_sec = second;
  local.tm_isdst = -1;
  const std::time_t when = std::mktime(&local);
  if (when == static_cast<std::time_t>(-1)) return false;
  std::error_code ec;
  std::filesystem::last_write_time(
      path, std::chrono::file_clock::from_sys(std::chrono::system_clock::from_time_t(when)), ec);
  return !ec;
}

class PropertiesPageTest : public ::testing::Test {
 protected:
  PropertiesPageTest() {
    state_.configuration = tree_.ref;
    session_.state = &state_;
    session_.records = &records_;
    sheet_.AddPage(&blank_);
    sheet_.AddPage(&page_);
  }
  void SetUp() override { ASSERT_FALSE(dir_.path().empty()); }

  std::string At(const std::string& name) const { return dir_.path() + name; }
  void SetBanks(const char* code_bank) { SetAttributeText(tree_.config, "CodeBank", code_bank); }

  // Runs the sheet and brings the page up from the blank first page;
  // `before` runs first, while the page has not loaded yet.
  void Open(const std::function<void(HeadlessSheet&, HeadlessDialog&)>& script,
            const std::function<void()>& before = nullptr) {
    backend_.sheet_script = [&](HeadlessSheet& run) {
      if (before) before();
      ASSERT_TRUE(run.SelectPage(1));
      script(run, run.active());
    };
    sheet_.DoModal(&backend_);
  }
  // Opens the page on `path` and leaves it at once; the four fact texts.
  std::vector<std::string> FactsOf(const std::string& path,
                                   const std::function<void()>& before = nullptr) {
    records_.file.full_path = path;
    std::vector<std::string> facts;
    Open(
        [&](HeadlessSheet& run, HeadlessDialog& c) {
          for (int id : {IDC_PROP_PATH, IDC_PROP_TYPE, IDC_PROP_SIZE, IDC_PROP_MODIFIED}) {
            facts.push_back(c.GetText(id));
          }
          run.SelectPage(0);
        },
        before);
    return facts;
  }

  test::ScopedTempDir dir_{"c51prop"};
  test::ProjectTree tree_;
  PluginState state_;
  SettingsRecords records_;
  SettingsSession session_;
  HeadlessInterface ui_;
  HeadlessBackend backend_{&ui_, Language::kChinese};
  CArdelPage blank_;
  CPropertiesPage page_{&session_};
  CArdelPropertySheet sheet_{"title"};
};

TEST_F(PropertiesPageTest, SizesAreGroupedByThousands) {
  struct Case {
    uintmax_t bytes;
    const char* shown;
  } cases[] = {{12, "12 Bytes"},
               {123456, "123,456 Bytes"},
               {1234567, "1,234,567 Bytes"},
               {5000000000u, "5,000,000,000 Bytes"}};  // the size's high word counts
  const std::string path = At("main.c");
  ASSERT_TRUE(WriteWholeFile(path, "", nullptr));
  for (const Case& k : cases) {
    SCOPED_TRACE(k.bytes);
    std::error_code ec;
    std::filesystem::resize_file(path, k.bytes, ec);  // sparse: nothing is written
    ASSERT_FALSE(ec) << ec.message();
    const std::vector<std::string> facts = FactsOf(path);
    EXPECT_EQ(facts[0], path);
    EXPECT_EQ(facts[2], k.shown);
    EXPECT_FALSE(facts[3].empty());
#ifndef _WIN32
    EXPECT_EQ(facts[1], "C File");
#else
    EXPECT_FALSE(facts[1].empty());
#endif
  }
  RemoveFile(path);
}

TEST(PropertiesFormatTest, ByteCountsAtTheEdges) {
  const struct {
    int64_t bytes;
    const char* shown;
  } cases[] = {{0, "0 Bytes"},        {999, "999 Bytes"},
               {1000, "1,000 Bytes"}, {100000, "100,000 Bytes"},
               {-5, "0 Bytes"},       {INT64_MAX, "9,223,372,036,854,775,807 Bytes"}};
  for (const auto& k : cases) EXPECT_EQ(FormatByteCount(k.bytes), k.shown) << k.bytes;
}

TEST_F(PropertiesPageTest, ModificationTimeIsShownInLocalTime) {
  const std::string path = At("startup.a51");
  ASSERT_TRUE(WriteWholeFile(path, "x", nullptr));
  ASSERT_TRUE(SetLocalModificationTime(path, 2011, 3, 5, 14, 7, 9));
  EXPECT_EQ(FactsOf(path)[3], "2011-03-05 14:07:09");
  // Two digits after "20" would make this 2099.
  ASSERT_TRUE(SetLocalModificationTime(path, 1999, 12, 31, 23, 59, 59));
  EXPECT_EQ(FactsOf(path)[3], "1999-12-31 23:59:59");
}

TEST_F(PropertiesPageTest, FolderShowsTimeButNoSize) {
  ASSERT_TRUE(CreateDirectories(At("src")));
#ifndef _WIN32
  ASSERT_TRUE(SetLocalModificationTime(At("src"), 2012, 1, 2, 3, 4, 5));
#endif
  const std::vector<std::string> facts = FactsOf(At("src"));
  EXPECT_EQ(facts[2], "");
#ifndef _WIN32
  EXPECT_EQ(facts[1], "File Folder");
  EXPECT_EQ(facts[3], "2012-01-02 03:04:05");
#else
  // MinGW's time setter cannot open a folder: the time is the creation's,
  // so only its form is known.
  EXPECT_EQ(facts[3].size(), 19u) << facts[3];
#endif
}

TEST_F(PropertiesPageTest, PathsNotOnDiskShowOnlyPathAndType) {
  // One never there, one removed after the entry filled the record but
  // before the page was shown.
  const std::string gone = At("gone.c");
  ASSERT_TRUE(WriteWholeFile(gone, "int x;", nullptr));
  for (const std::string& path : {At("missing\\never.h"), gone}) {
    const std::vector<std::string> facts = FactsOf(path, [&] { RemoveFile(gone); });
    EXPECT_EQ(facts[0], path);
    EXPECT_FALSE(facts[1].empty()) << path;
    EXPECT_EQ(facts[2] + facts[3], "") << path;
  }
}

TEST_F(PropertiesPageTest, FourBanksListEachAndSelectTheStoredOne) {
  SetBanks("1,4,0x8000,0xFFFF,");
  const struct {
    int stored;
    const char* shown;
  } cases[] = {{4, "default"}, {5, "COMMON"},  {7, "COMMON"},       {2, "Bank #2"},
               {-1, "COMMON"}, {-2, "COMMON"}, {INT_MAX, "COMMON"}, {INT_MIN, "COMMON"}};
  const std::vector<std::string> entries = {"COMMON",  "Bank #0", "Bank #1",
                                            "Bank #2", "Bank #3", "default"};
  for (const auto& k : cases) {
    SCOPED_TRACE(k.stored);
    records_.file.bank = k.stored;
    int selected = -1;
    Open([&](HeadlessSheet& run, HeadlessDialog& c) {
      ASSERT_EQ(c.GetItemCount(IDC_PROP_CODE_BANK), 6);
      for (int i = 0; i < 6; ++i) EXPECT_EQ(c.GetItemText(IDC_PROP_CODE_BANK, i), entries[i]);
      EXPECT_TRUE(c.IsEnabled(IDC_PROP_CODE_BANK));
      EXPECT_EQ(c.GetText(IDC_PROP_CODE_BANK), k.shown);
      selected = c.GetSelection(IDC_PROP_CODE_BANK);
      run.SelectPage(0);
    });
    // Leaving stores what the list shows.
    EXPECT_EQ(records_.file.bank, selected - 1);
  }
}

TEST_F(PropertiesPageTest, ChosenBankIsStoredAsIndexMinusOne) {
  SetBanks("1,8,0x8000,0xFFFF,");
  const struct {
    const char* choice;
    int stored;
  } cases[] = {{"Bank #0", 0}, {"Bank #7", 7}, {"default", 8}, {"COMMON", -1}};
  for (const auto& k : cases) {
    records_.file.bank = 3;
    Open([&](HeadlessSheet& run, HeadlessDialog& c) {
      EXPECT_EQ(c.GetItemCount(IDC_PROP_CODE_BANK), 10);
      ASSERT_TRUE(c.ChooseText(IDC_PROP_CODE_BANK, k.choice));
      run.SelectPage(0);
    });
    EXPECT_EQ(records_.file.bank, k.stored) << k.choice;
  }
}

TEST_F(PropertiesPageTest, WithoutBankingTheListIsDisabledAtCommon) {
  for (const char* code_bank : {static_cast<const char*>(nullptr), "0,4,0x8000,0xFFFF,"}) {
    SCOPED_TRACE(code_bank ? code_bank : "no key");
    if (code_bank) SetBanks(code_bank);
    records_.file.bank = 2;
    Open([&](HeadlessSheet& run, HeadlessDialog& c) {
      EXPECT_EQ(c.GetItemCount(IDC_PROP_CODE_BANK), 1);
      EXPECT_FALSE(c.IsEnabled(IDC_PROP_CODE_BANK));
      EXPECT_EQ(c.GetText(IDC_PROP_CODE_BANK), "COMMON");
      run.SelectPage(0);
    });
    EXPECT_EQ(records_.file.bank, -1);
  }
}

TEST_F(PropertiesPageTest, GroupEditsTheSwitchesWithoutFacts) {
  records_.file.full_path.clear();
  records_.file.include_in_build = kUnchecked;
  records_.file.gen_asm = kChecked;
  records_.file.asm_asm = kIndeterminate;
  Open([&](HeadlessSheet& run, HeadlessDialog& c) {
    for (int id : {IDC_PROP_PATH, IDC_PROP_TYPE, IDC_PROP_SIZE, IDC_PROP_MODIFIED}) {
      EXPECT_EQ(c.GetText(id), "") << id;
    }
    EXPECT_EQ(c.GetCheck(IDC_PROP_INCLUDE_IN_BUILD), kUnchecked);
    EXPECT_EQ(c.GetCheck(IDC_PROP_GENERATE_SRC), kChecked);
    EXPECT_EQ(c.GetCheck(IDC_PROP_ASSEMBLE_SRC), kIndeterminate);
    // "Default" is not this page's: nothing moves.
    EXPECT_TRUE(run.PressDefault());
    EXPECT_EQ(c.GetCheck(IDC_PROP_GENERATE_SRC), kChecked);
    // Three states each: 0 -> 1, 1 -> 2, 2 -> 0.
    for (int id : {IDC_PROP_INCLUDE_IN_BUILD, IDC_PROP_GENERATE_SRC, IDC_PROP_ASSEMBLE_SRC})
      c.Click(id);
    run.SelectPage(0);
  });
  EXPECT_EQ(records_.file.include_in_build, kChecked);
  EXPECT_EQ(records_.file.gen_asm, kIndeterminate);
  EXPECT_EQ(records_.file.asm_asm, kUnchecked);
  EXPECT_EQ(records_.file.full_path, "");
}

TEST_F(PropertiesPageTest, TemplatesShareIdsAndKindsInBothLanguages) {
  const DialogTemplate english = PropertiesPageTemplate(Language::kEnglish);
  const DialogTemplate chinese = PropertiesPageTemplate(Language::kChinese);
  ASSERT_EQ(english.controls.size(), chinese.controls.size());
  for (size_t i = 0; i < english.controls.size(); ++i) {
    const ControlSpec& e = english.controls[i];
    const ControlSpec& z = chinese.controls[i];
    EXPECT_TRUE(e.id == z.id && e.kind == z.kind && e.style == z.style && e.items == z.items) << i;
  }
}

}  // namespace
}  // namespace c51::settings
