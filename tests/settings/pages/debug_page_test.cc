// The Debug page over a device database written for each test and two
// stand-in driver libraries (one with DllUv3Cap, one without): the driver
// list, what is loaded from and stored into the debug record, "Default",
// Apply, and the driver's own settings.
#include "settings/pages/debug_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/fs.h"
#include "plugin/state.h"
#include "project/recording_host.h"
#include "settings/headless/headless_backend.h"
#include "settings/pages/debug_driver.h"
#include "support/temp_dir.h"

namespace c51::settings {
namespace {

TEST(DriverDatabaseTest, DriverKeys) {
  const std::pair<const char*, bool> cases[] = {
      {"TDRV0", true}, {"tdrv1", true}, {"TdRv12", true}, {"TDRVX", true},  {"TDRV", false},
      {"tdr", false},  {"", false},     {"XDRV0", false}, {"TDR0V", false}, {" TDRV0", false},
  };
  for (const auto& [key, qualifies] : cases) {
    SCOPED_TRACE(key);
    EXPECT_EQ(IsDriverKey(key), qualifies);
  }
}

TEST(DriverDatabaseTest, DriverValues) {
  struct Case {
    const char* value;
    const char* description;  // null: not a driver
    const char* path;
  } cases[] = {
      {"BIN\\MON51.DLL (\"Monitor-51 Driver\")", "Monitor-51 Driver", "BIN\\MON51.DLL "},
      {"x.dll(\"a\" \"b\")", "a", "x.dll"},
      {"x.dll(-S \"first\" -T(2) \"second\")", "first", "x.dll"},
      {"x.dll (\"\")", "", "x.dll "},
      {"(\"no path\")", "no path", ""},
      {"\"quoted\" then.dll (x)", "quoted", "\"quoted\" then.dll "},
      {"x.dll \"no parenthesis\"", nullptr, nullptr},
      {"x.dll (no description)", nullptr, nullptr},
      {"x.dll (\"one quote)", nullptr, nullptr},
      {"", nullptr, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    DriverEntry entry{"unchanged", "unchanged"};
    EXPECT_EQ(ParseDriverValue(c.value, &entry), c.description != nullptr);
    EXPECT_EQ(entry.description, c.description ? c.description : "unchanged");
    EXPECT_EQ(entry.library_path, c.path ? c.path : "unchanged");
  }
}

TEST(DriverSettingsKeyTest, TrimmedAndLowerCase) {
  EXPECT_EQ(DriverSettingsKey("  BIN\\Mon51.DLL \t"), "bin\\mon51.dll");
  // "驱" (0xC7 0xFD) and "动" (0xB6 0xAF) stay; a trail byte in the ASCII
  // range ("@" in 0x81 0x40, "Z" in 0xB1 0x5A) is not a letter to change.
  EXPECT_EQ(DriverSettingsKey("D\xC7\xFD\xB6\xAF\\\x81\x40\xB1Z.DLL"),
            "d\xC7\xFD\xB6\xAF\\\x81\x40\xB1Z.dll");
  EXPECT_EQ(DriverSettingsKey("   "), "");
}

// A host that records what the Debug page reports.
class DriverHost : public test::RecordingHost {
 public:
  void SetDriverSetting(const char* key, const char* value) override {
    settings.emplace_back(key, value);
  }
  std::vector<std::pair<std::string, std::string>> settings;
};

std::string Slashes(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

class DebugPageTest : public ::testing::Test {
 protected:
  DebugPageTest() {
    state_.host = &host_;
    state_.context.install_dir = host_dir_.path().c_str();
    state_.context.debug_record = &host_record_;
    state_.debug = InitialDebugRecord();
    session_.state = &state_;
    session_.records = &records_;
    sheet_.AddPage(&other_);
    sheet_.AddPage(&page_);
  }
  void SetUp() override {
    ASSERT_FALSE(host_dir_.path().empty());
    working_dir_ = CurrentDirectory();
  }
  // The page resolves driver paths with the host folder as the current
  // one; the temporary folder can only go once it is left.
  void TearDown() override { ChangeCurrentDirectory(working_dir_); }

  void WriteDatabase(const std::string& text) {
    std::string err;
    ASSERT_TRUE(WriteWholeFile(host_dir_.path() + "Kelvadb.ini", text, &err)) << err;
  }
  // A database listing the two stand-in drivers by absolute path and a
  // library that does not exist.
  void WriteStandardDatabase() {
    WriteDatabase("[C51]\r\nTDRV0=" + fake_driver_ + " (\"Fake Driver\")\r\nTDRV1=" + no_cap_ +
                  "(\"No Capability\")\r\nTDRV2=missing.dll (\"Missing\")\r\n");
  }

  // Runs the sheet with the Debug page shown first.
  int Open(const std::function<void(HeadlessSheet&, HeadlessDialog&)>& script) {
    backend_.sheet_script = [&script](HeadlessSheet& run) {
      ASSERT_TRUE(run.SelectPage(1));
      script(run, run.active());
    };
    return sheet_.DoModal(&backend_);
  }

  // Runs a sheet of its own with `page` second, shown first.
  void Run(CDebugPage* page, const std::function<void(HeadlessSheet&, HeadlessDialog&)>& script) {
    CArdelPage first;
    CArdelPropertySheet sheet("title");
    sheet.AddPage(&first);
    sheet.AddPage(page);
    backend_.sheet_script = [&script](HeadlessSheet& run) {
      ASSERT_TRUE(run.SelectPage(1));
      script(run, run.active());
    };
    sheet.DoModal(&backend_);
  }

  std::vector<std::string> Items(const HeadlessDialog& c) const {
    std::vector<std::string> items;
    for (int i = 0; i < c.GetItemCount(IDC_DEBUG_DRIVER_LIST); ++i)
      items.push_back(c.GetItemText(IDC_DEBUG_DRIVER_LIST, i));
    return items;
  }

  const std::string fake_driver_ = ExecutableDirectory() + "fakedebug/FakeDrv.dll";
  const std::string no_cap_ = ExecutableDirectory() + "fakedebug/NoCapDrv.dll";
  test::ScopedTempDir host_dir_;
  std::string working_dir_;
  DriverHost host_;
  DebugOptionRecord host_record_ = InitialDebugRecord();
  PluginState state_;
  SettingsRecords records_;
  SettingsSession session_;
  HeadlessInterface ui_;
  HeadlessBackend backend_{&ui_, Language::kEnglish};
  CArdelPage other_;
  CDebugPage page_{&session_};
  CArdelPropertySheet sheet_{"title"};
};

TEST_F(DebugPageTest, ListsTheDriversOfTheDatabase) {
  using namespace std::string_literals;
  struct Case {
    const char* what;
    bool present;
    std::string database;
    std::vector<std::string> drivers;
  } cases[] = {
      {"no database", false, "", {}},
      {"empty file", true, "", {}},
      {"no C51 section", true, "[A51]\nTDRV0=a.dll (\"A\")\n", {}},
      {"binary garbage", true, "\x01\xFE[\0=\n\n==(\"\"\xFF"s, {}},
      {"keys and values",
       true,
       "; a comment\n"
       "[Other]\nTDRV0=other.dll (\"Other section\")\n"
       "[c51]\n"
       "TDRV=short.dll (\"Four characters\")\n"
       "tdrv1=low.dll (\"Lower-case key\")\n"
       "TDRV2=noquote.dll (no description)\n"
       "TDRV3=noparen.dll \"No parenthesis\"\n"
       "no equals sign\n"
       "  TdRv4 = BIN\\Mon51.DLL (\"Monitor-51\")   \n"
       "XDRV5=x.dll (\"Not a driver\")\n"
       "TDRV7=last.dll(\"Last\")\n"
       "[Next]\nTDRV8=next.dll (\"Next section\")\n",
       {"Lower-case key", "Monitor-51", "Last"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RemoveFile(host_dir_.path() + "Kelvadb.ini");
    if (c.present) WriteDatabase(c.database);
    CDebugPage page(&session_);
    Run(&page, [&](HeadlessSheet& run, HeadlessDialog& d) {
      EXPECT_EQ(Items(d), c.drivers);
      EXPECT_FALSE(run.IsButtonEnabled(kIdApply));
    });
  }
}

TEST_F(DebugPageTest, LoadsTheRecord) {
  WriteStandardDatabase();
  struct Case {
    DebugOptionRecord record;
    int simulation, emulation;
    int selection;
    const char* path;  // the driver path leaving the page stores
    bool modified;
  } cases[] = {
      {InitialDebugRecord(), kChecked, kUnchecked, -1, "from the record", false},
      {{0, 1, 0, 0, 0, 1, {}, {}, 0}, kUnchecked, kChecked, 1, nullptr, true},
      {{5, 7, 1, 0, 1, 1, {}, {}, 0}, kChecked, kUnchecked, -1, "from the record", false},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.selection);
    SetDriverText("from the record", &c.record);
    state_.debug = c.record;
    CDebugPage page(&session_);
    Run(&page, [&](HeadlessSheet& run, HeadlessDialog& d) {
      EXPECT_EQ(d.GetCheck(IDC_DEBUG_SIMULATOR), c.simulation);
      EXPECT_EQ(d.GetCheck(IDC_DEBUG_EMULATOR), c.emulation);
      EXPECT_EQ(d.GetCheck(IDC_DEBUG_SIM_LOAD_APP), c.record.sim_load_app ? kChecked : kUnchecked);
      EXPECT_EQ(d.GetCheck(IDC_DEBUG_SIM_RUN_TO_MAIN),
                c.record.sim_run_to_main ? kChecked : kUnchecked);
      EXPECT_EQ(d.GetCheck(IDC_DEBUG_HW_LOAD_APP), c.record.hw_load_app ? kChecked : kUnchecked);
      EXPECT_EQ(d.GetCheck(IDC_DEBUG_HW_RUN_TO_MAIN),
                c.record.hw_run_to_main ? kChecked : kUnchecked);
      EXPECT_EQ(d.GetSelection(IDC_DEBUG_DRIVER_LIST), c.selection);
      EXPECT_EQ(run.IsButtonEnabled(kIdApply), c.modified);
      EXPECT_FALSE(d.IsVisible(IDC_DEBUG_SIM_LOAD_APP));
      ASSERT_TRUE(run.SelectPage(0));
    });
    EXPECT_EQ(DriverText(state_.debug), c.path ? c.path : no_cap_);
  }
}

TEST_F(DebugPageTest, LeavingThePageStoresTheRecord) {
  WriteStandardDatabase();
  state_.debug.output_path[0] = 'o';  // the rest of the record stays
  Open([&](HeadlessSheet& run, HeadlessDialog& c) {
    ASSERT_TRUE(c.Click(IDC_DEBUG_EMULATOR));
    EXPECT_TRUE(run.IsButtonEnabled(kIdApply));
    ASSERT_TRUE(c.Click(IDC_DEBUG_SIM_RUN_TO_MAIN));
    ASSERT_TRUE(c.Click(IDC_DEBUG_HW_LOAD_APP));
    ASSERT_TRUE(c.Click(IDC_DEBUG_HW_RUN_TO_MAIN));
    ASSERT_TRUE(c.Choose(IDC_DEBUG_DRIVER_LIST, 0));
    EXPECT_FALSE(c.Click(IDC_DEBUG_SIM_LOAD_APP));  // hidden: the user cannot reach it
    ASSERT_TRUE(run.SelectPage(0));
  });
  const DebugOptionRecord& r = state_.debug;
  EXPECT_EQ(r.use_simulator, 0);
  EXPECT_EQ(r.driver_index, 0);
  EXPECT_EQ(r.sim_load_app, 1);
  EXPECT_EQ(r.sim_run_to_main, 0);
  EXPECT_EQ(r.hw_load_app, 0);
  EXPECT_EQ(r.hw_run_to_main, 1);
  EXPECT_EQ(DriverText(r), fake_driver_ + " ");
  EXPECT_EQ(r.output_path[0], 'o');
  // Leaving the page does not reach the host's record.
  EXPECT_EQ(host_record_.use_simulator, 1);
}

TEST_F(DebugPageTest, ALongDriverPathIsCutTo2047Characters) {
  const std::string long_path(3000, 'p');
  WriteDatabase("[C51]\nTDRV0=" + long_path + "(\"Long\")\n");
  Open([&](HeadlessSheet& run, HeadlessDialog& c) {
    ASSERT_TRUE(c.Choose(IDC_DEBUG_DRIVER_LIST, 0));
    ASSERT_TRUE(run.SelectPage(0));
  });
  EXPECT_EQ(DriverText(state_.debug), long_path.substr(0, 2047));
  EXPECT_EQ(state_.debug.driver_text[2047], '\0');

  // A short path after a long one leaves nothing of the long one behind.
  SetDriverText("short", &state_.debug);
  EXPECT_EQ(DriverText(state_.debug), "short");
  EXPECT_EQ(state_.debug.driver_text[2046], '\0');
}

TEST_F(DebugPageTest, ApplyCopiesTheRecordWhenThePageIsActive) {
  WriteStandardDatabase();
  state_.debug.output_path[0] = 'o';
  Open([&](HeadlessSheet& run, HeadlessDialog& c) {
    ASSERT_TRUE(c.Choose(IDC_DEBUG_DRIVER_LIST, 0));
    ASSERT_TRUE(c.Click(IDC_DEBUG_EMULATOR));
    // Apply from another page leaves the host's record alone.
    ASSERT_TRUE(run.SelectPage(0));
    ASSERT_TRUE(run.PressApply());
    EXPECT_EQ(host_record_.use_simulator, 1);
    ASSERT_TRUE(run.SelectPage(1));
    ASSERT_TRUE(c.Click(IDC_DEBUG_SIM_RUN_TO_MAIN));
    ASSERT_TRUE(run.PressApply());
    EXPECT_EQ(page_.store_flag(), 0);
    EXPECT_EQ(std::memcmp(&host_record_, &state_.debug, sizeof host_record_), 0);
    EXPECT_EQ(host_record_.use_simulator, 0);
    EXPECT_EQ(host_record_.sim_run_to_main, 0);
    EXPECT_EQ(DriverText(host_record_), fake_driver_ + " ");
    EXPECT_EQ(host_record_.output_path[0], 'o');
    // The flag was cleared: a later OK does not copy again.
    ASSERT_TRUE(c.Click(IDC_DEBUG_SIMULATOR));
    EXPECT_TRUE(run.PressOk());
  });
  EXPECT_EQ(state_.debug.use_simulator, 1);
  EXPECT_EQ(host_record_.use_simulator, 0);
}

TEST_F(DebugPageTest, DefaultResetsTheEmulatorSide) {
  WriteStandardDatabase();
  state_.debug = {1, 2, 0, 0, 0, 1, {}, {}, 0};
  Open([&](HeadlessSheet& run, HeadlessDialog& c) {
    ASSERT_TRUE(run.PressApply());
    EXPECT_FALSE(run.IsButtonEnabled(kIdApply));
    ASSERT_TRUE(run.PressDefault());
    EXPECT_TRUE(run.IsButtonEnabled(kIdApply));
    EXPECT_EQ(c.GetCheck(IDC_DEBUG_SIMULATOR), kUnchecked);
    EXPECT_EQ(c.GetCheck(IDC_DEBUG_EMULATOR), kChecked);
    EXPECT_EQ(c.GetCheck(IDC_DEBUG_SIM_LOAD_APP), kChecked);
    EXPECT_EQ(c.GetCheck(IDC_DEBUG_SIM_RUN_TO_MAIN), kUnchecked);  // not the default's
    EXPECT_EQ(c.GetCheck(IDC_DEBUG_HW_LOAD_APP), kChecked);
    EXPECT_EQ(c.GetCheck(IDC_DEBUG_HW_RUN_TO_MAIN), kUnchecked);
    EXPECT_EQ(c.GetSelection(IDC_DEBUG_DRIVER_LIST), 0);
    ASSERT_TRUE(run.SelectPage(0));
  });
  EXPECT_EQ(state_.debug.driver_index, 0);
  // The path goes with the first driver, as the index does.
  EXPECT_EQ(DriverText(state_.debug), fake_driver_ + " ");
}

TEST_F(DebugPageTest, DriverSettings) {
  // A copy of the driver in the host folder, listed by a relative path.
  std::string bytes, err;
  ASSERT_EQ(ReadWholeFile(fake_driver_, &bytes, &err), ReadStatus::kOkay) << err;
  ASSERT_TRUE(CreateDirectories(host_dir_.path() + "Drivers"));
  ASSERT_TRUE(WriteWholeFile(host_dir_.path() + "Drivers/FakeDrv.dll", bytes, &err)) << err;
  const std::string listed[] = {fake_driver_, no_cap_, "missing.dll", "Drivers\\FakeDrv.dll"};
  WriteDatabase("[C51]\nTDRV0=" + listed[0] + " (\"Fake\")\nTDRV1=" + listed[1] +
                "(\"No Capability\")\nTDRV2=" + listed[2] + " (\"Missing\")\nTDRV3=  " + listed[3] +
                "  (\"Relative\")\n");
  const std::string copy = host_dir_.path() + "Drivers/FakeDrv.dll";
  const std::string overflow(kDriverSettingsSize, 'x');

  struct Case {
    const char* what;
    int driver;          // -1: none selected
    const char* stored;  // the text kept for the driver before; null: none
    std::string result;  // what is kept and reported after; empty: nothing happens
  } cases[] = {
      {"accepted", 0, "old settings", "code=1;path=" + fake_driver_ + ";was=old settings"},
      {"nothing stored yet", 0, nullptr, "code=1;path=" + fake_driver_ + ";was="},
      {"rejected", 0, "reject me", ""},
      {"unterminated answer", 0, "overflow", overflow},
      {"relative to the host folder", 3, "rel", "code=1;path=" + copy + ";was=rel"},
      {"no DllUv3Cap", 1, "x", ""},
      {"cannot be loaded", 2, "x", ""},
      {"no driver selected", -1, "x", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    // Kept under the path as listed, trimmed and in lower case.
    const std::string key = c.driver >= 0 ? DriverSettingsKey(listed[c.driver]) : "";
    state_.driver_settings.clear();
    if (c.stored) state_.driver_settings[key] = c.stored;
    host_.settings.clear();
    state_.debug.driver_index = c.driver;
    CDebugPage page(&session_);
    Run(&page, [&](HeadlessSheet&, HeadlessDialog& d) {
      EXPECT_EQ(d.GetSelection(IDC_DEBUG_DRIVER_LIST), c.driver);
      page.ClearModified();
      ASSERT_TRUE(d.Click(IDC_DEBUG_DRIVER_SETTINGS));
      EXPECT_TRUE(page.modified());
    });
    if (c.result.empty()) {
      EXPECT_TRUE(host_.settings.empty());
      EXPECT_EQ(state_.driver_settings.size(), c.stored ? 1u : 0u);
      if (c.stored) {
        EXPECT_EQ(state_.driver_settings[key], c.stored);
      }
      continue;
    }
    // The driver saw its path absolute and the text stored for it.
    const std::string result = Slashes(c.result);
    EXPECT_EQ(state_.driver_settings.size(), 1u);
    EXPECT_EQ(Slashes(state_.driver_settings[key]), result);
    ASSERT_EQ(host_.settings.size(), 1u);
    EXPECT_EQ(host_.settings[0].first, key);
    EXPECT_EQ(Slashes(host_.settings[0].second), result);
  }
  EXPECT_EQ(DriverSettingsKey(listed[3]), "drivers\\fakedrv.dll");
}

TEST_F(DebugPageTest, TemplatesInBothLanguages) {
  const DialogTemplate english = page_.Template(Language::kEnglish);
  const DialogTemplate chinese = page_.Template(Language::kChinese);
  EXPECT_EQ(english.id, 309);
  EXPECT_EQ(english.caption, "Debug");
  EXPECT_EQ(chinese.caption, "\xB5\xF7\xCA\xD4");  // 调试
  const std::pair<int, const char*> texts[] = {
      {IDC_DEBUG_SIMULATOR, "Software Simulation"},
      {IDC_DEBUG_EMULATOR, "Hardware Emulation"},
      {IDC_DEBUG_SIM_LOAD_APP, "Load Application at  Startup"},
      {IDC_DEBUG_SIM_RUN_TO_MAIN, "Run to main()"},
      {IDC_DEBUG_DRIVER_SETTINGS, "Settings"},
      {IDC_DEBUG_HW_LOAD_APP, "Load Application at Startup"},
      {IDC_DEBUG_HW_RUN_TO_MAIN, "Run to main()"},
  };
  HeadlessDialog controls(english, nullptr);
  for (const auto& [id, text] : texts) EXPECT_EQ(controls.GetText(id), text) << id;
  ASSERT_EQ(english.controls.size(), chinese.controls.size());
  for (size_t i = 0; i < english.controls.size(); ++i) {
    EXPECT_EQ(english.controls[i].id, chinese.controls[i].id);
    EXPECT_EQ(english.controls[i].kind, chinese.controls[i].kind);
    EXPECT_EQ(english.controls[i].style, chinese.controls[i].style);
  }
}

}  // namespace
}  // namespace c51::settings
