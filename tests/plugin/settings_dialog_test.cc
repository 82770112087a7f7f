// The settings dialogs as a host opens them: through slot 3 of a fresh
// library, driven by the list of actions the command-line host hands over,
// with the keys landing in the host's tree through its services.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "entry/plugin_interface.h"
#include "platform/env.h"
#include "platform/fs.h"
#include "project/node.h"
#include "support/fake_host.h"
#include "support/temp_dir.h"

namespace c51::test {
namespace {

class SettingsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string err;
    ASSERT_TRUE(plugin_.Load(&err)) << err;
    table_ = plugin_.table();
    host_.Install(table_);
    host_.project_path = dir_.path() + "demo.cvproj";
    host_.device_properties = {"CPU=IRAM(0-0xFF) IROM(0-0x1FFF) CLOCK(12000000)"};
    table_->SetHostContext(host_.Context());
    config_ = host_.AddConfiguration("Debug");
    host_.Set(host_.root(), "Name", "demo");
    files_ = host_.Add(host_.root(), "Files");
    table_->OpenConfiguration(host_.root(), "Debug");
    table_->CreateDefaultConfiguration(config_);
    host_.calls.clear();
  }
  void TearDown() override {
    UnsetEnv("C51_SETTINGS_ACTIONS");
    UnsetEnv("C51_SETTINGS_REPORT");
  }

  // Opens the dialog of `node` with `actions`; the report it wrote.
  std::string Run(ProjectNode* node, const std::string& actions, int* result = nullptr) {
    std::string err, report;
    EXPECT_TRUE(WriteWholeFile(dir_.path() + "actions.txt", actions, &err)) << err;
    RemoveFile(dir_.path() + "report.txt");
    SetEnv("C51_SETTINGS_ACTIONS", dir_.path() + "actions.txt");
    SetEnv("C51_SETTINGS_REPORT", dir_.path() + "report.txt");
    int answer = table_->ShowSettings(node);
    if (result) *result = answer;
    ReadWholeFile(dir_.path() + "report.txt", &report, &err);
    return report;
  }
  std::vector<std::string> Updates() const {
    std::vector<std::string> updates;
    for (const HostCall& call : host_.calls) {
      if (call.service != "UpdateNode") continue;
      std::string line;
      for (const std::string& arg : call.args) line += arg + " ";
      updates.push_back(line);
    }
    return updates;
  }
  ProjectNode* Tool(ProjectNode* scope, const char* name) {
    for (ProjectNode* child = scope->first_child; child; child = child->next_sibling) {
      if (FakeHost::Get(child, "Name") == name) return child;
    }
    return nullptr;
  }

  ScopedTempDir dir_{"c51settings"};
  PluginLibrary plugin_;
  PluginInterface* table_ = nullptr;
  FakeHost host_;
  ProjectNode* config_ = nullptr;
  ProjectNode* files_ = nullptr;
};

TEST_F(SettingsDialogTest, ProjectDialogOkWritesTheEditedTargetAndTheClock) {
  int result = -1;
  std::string report = Run(host_.root(), "type 1563 11.0592\nok\n", &result);
  EXPECT_EQ(result, 0);
  EXPECT_NE(report.find("> type 1563 11.0592\n> ok\n"), std::string::npos) << report;
  EXPECT_NE(report.find("[page 1 \"Target\"]"), std::string::npos) << report;
  EXPECT_NE(report.find("result: OK"), std::string::npos) << report;
  EXPECT_EQ(FakeHost::Get(config_, "SIMCLK"), "11.059200");
  EXPECT_EQ(host_.clock, 11.0592);
  EXPECT_FALSE(host_.TreeChangedBehindServices());
}

TEST_F(SettingsDialogTest, ApplyWritesAtOnceAndCancelKeepsIt) {
  std::string report = Run(host_.root(), "page 5\ntype 1591 FAST\napply\ntype 1591 SLOW\ncancel\n");
  EXPECT_NE(report.find("result: Cancel"), std::string::npos) << report;
  EXPECT_EQ(FakeHost::Get(Tool(config_, "C51Tool"), "C51DEF"), "FAST");
}

TEST_F(SettingsDialogTest, ValidationKeepsThePageAndShowsTheMessage) {
  std::string report = Run(host_.root(), "type 1011 0x10000\npage 5\nok\ncancel\n");
  // "无效中断矢量地址!" (invalid interrupt vector address), then the typed start
  const std::string message =
      "message: \xCE\xDE\xD0\xA7\xD6\xD0\xB6\xCF\xCA\xB8\xC1\xBF\xB5\xD8\xD6\xB7!0x10000";
  EXPECT_NE(report.find("> page 5\n" + message + "\nrefused: page 5\n"), std::string::npos)
      << report;
  EXPECT_NE(report.find("result: Cancel"), std::string::npos) << report;
  EXPECT_TRUE(Updates().empty());
}

TEST_F(SettingsDialogTest, DefaultResetsTheActivePage) {
  Run(host_.root(), "page 6\nclick 1611\napply\ndefault\nok\n");
  ProjectNode* a51 = Tool(config_, "A51Tool");
  // Apply stored MPL; "Default" then put the project's defaults back.
  EXPECT_EQ(FakeHost::Get(a51, "A51FL"), "68");
}

TEST_F(SettingsDialogTest, GroupAndFileScopesInherit) {
  ProjectNode* group = host_.Add(files_, "Filter", "Drivers");
  ProjectNode* file = host_.Add(group, "File");
  host_.Set(file, "RelativePath", ".\\uart.c");
  host_.calls.clear();
  std::string group_report = Run(group, "page 1\ntype 1591 GROUPED\nok\n");
  EXPECT_NE(group_report.find("result: OK"), std::string::npos) << group_report;
  EXPECT_EQ(FakeHost::Get(group, "LocalConfigure"), "1");

  // The file's page shows the group's define before its own.
  std::string file_report = Run(file, "page 1\ntype 1591 MINE\nshow\nok\n");
  EXPECT_NE(file_report.find("DEFINE (GROUPED,MINE)"), std::string::npos) << file_report;
  EXPECT_EQ(FakeHost::Get(file, "LocalConfigure"), "1");
  EXPECT_FALSE(host_.TreeChangedBehindServices());
}

TEST_F(SettingsDialogTest, BadActionsAreReportedAndChangeNothing) {
  std::string report = Run(host_.root(), "type 1563 11\nfrobnicate\nok\n");
  EXPECT_NE(report.find("error: action 2: unknown action \"frobnicate\""), std::string::npos)
      << report;
  EXPECT_TRUE(Updates().empty());
}

TEST_F(SettingsDialogTest, FileDialogShowsFileFactsAndStoresItsSwitches) {
  std::string err;
  ASSERT_TRUE(WriteWholeFile(dir_.path() + "main.c", "void main(){}", &err)) << err;
  ProjectNode* file = host_.Add(files_, "File");
  host_.Set(file, "RelativePath", ".\\main.c");
  host_.calls.clear();
  std::string report = Run(file, "click 1318\nok\n");
  EXPECT_NE(report.find("  1316 edit \"13 Bytes\"\n"), std::string::npos) << report;
#if !defined(_WIN32)
  // Windows asks its shell, whose names vary with the system.
  EXPECT_NE(report.find("  1325 edit \"C File\"\n"), std::string::npos) << report;
#endif
  EXPECT_NE(report.find("  1318 check [0]"), std::string::npos) << report;
  ProjectNode* scope = nullptr;
  for (ProjectNode* child = file->first_child; child; child = child->next_sibling) scope = child;
  ASSERT_NE(scope, nullptr);
  EXPECT_EQ(FakeHost::Get(scope, "IncBld"), "0");
  EXPECT_EQ(FakeHost::Get(scope, "BankNum"), "-1");
  EXPECT_EQ(FakeHost::Get(file, "LocalConfigure"), "1");
  EXPECT_FALSE(host_.TreeChangedBehindServices());
}

TEST_F(SettingsDialogTest, OutputPageWritesAfterOk) {
  Run(host_.root(), "page 2\ntype 1245 firmware\nclick 1231\nok\n");
  EXPECT_EQ(FakeHost::Get(config_, "OutputName"), "firmware");
  EXPECT_EQ(FakeHost::Get(config_, "GENAPP"), "0");
  EXPECT_EQ(FakeHost::Get(config_, "GENLIB"), "1");
}

// Stored keys full of garbage and edits full of hostile text: every page
// loads, every page can be visited, and the dialog ends, whatever it says.
TEST_F(SettingsDialogTest, GarbageKeysAndTextsLeaveSoundPages) {
  // Each with whether it is a crystal the Target page refuses to store.
  const struct {
    const char* value;
    bool bad_crystal;
  } garbage[] = {{"", false},          {"-99999999999999999999", true},
                 {"0x", false},        {"{,,,}", false},
                 {",,,,,,,,", false},  {"?\?\?\?", false},
                 {"\xFF\xFE(", false}, {"1e999", true}};
  ProjectNode* tools[] = {Tool(config_, "C51Tool"), Tool(config_, "A51Tool"),
                          Tool(config_, "Lx51Tool")};
  const char* keys[] = {"CodeMode", "MemMode",   "RTOS",       "T51FL",          "SIMCLK", "OCM51",
                        "OCR51",    "CodeBank",  "OPTLT",      "C51FL",          "C51VA",  "A51FL",
                        "LX51FL",   "BeforeCmp", "AfterBuild", "OutputDirectory"};
  std::string visit;
  for (int page = 0; page < 10; ++page) {
    visit += "page " + std::to_string(page) + "\nshow\n";
  }
  for (int id : {1563, 1011, 1012, 1016, 1002, 1591, 1600, 1607, 1626, 1615}) {
    visit += "type " + std::to_string(id) + " 99999999999999999999999,?\n";
  }
  for (const auto& [value, bad_crystal] : garbage) {
    SCOPED_TRACE(value);
    for (const char* key : keys) {
      host_.Set(config_, key, value);
      for (ProjectNode* tool : tools) host_.Set(tool, key, value);
    }
    std::string report = Run(host_.root(), visit + "default\nok\ncancel\n");
    // A stored crystal out of range keeps the Target page from being left,
    // a stored address out of range the C51 page; everything before loads.
    if (bad_crystal) {
      EXPECT_NE(report.find("refused: page 2\n"), std::string::npos) << report;
    } else {
      EXPECT_NE(report.find("[page 5 "), std::string::npos) << report;
    }
    EXPECT_NE(report.find("result: "), std::string::npos) << report;
  }
  EXPECT_FALSE(host_.TreeChangedBehindServices());
}

}  // namespace
}  // namespace c51::test
