// The table as the host sees it: a fresh library per test, driven only
// through GetInterface.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "entry/plugin_interface.h"
#include "project/node.h"
#include "support/fake_host.h"
#include "support/temp_dir.h"

namespace c51::test {
namespace {

class EntryTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string err;
    ASSERT_TRUE(plugin_.Load(&err)) << err;
    table_ = plugin_.table();
    host_.Install(table_);
  }

  PluginLibrary plugin_;
  PluginInterface* table_ = nullptr;
  FakeHost host_;
};

TEST_F(EntryTableTest, GetInterfaceFillsOnlyThePluginWords) {
  // The host's words keep what the host wrote, even when the table is
  // asked for again.
  auto* words = reinterpret_cast<uintptr_t*>(table_);
  const uintptr_t host_words[] = {12, 13, 14, 15, 16, 17, 18, 19, 23};
  for (uintptr_t slot : host_words) words[slot] = 0x1000 + slot;
  auto get_interface = reinterpret_cast<GetInterfaceFunction>(
      reinterpret_cast<uintptr_t>(plugin_.library().Symbol("GetInterface")));
  ASSERT_EQ(get_interface(), table_);
  for (uintptr_t slot : host_words) EXPECT_EQ(words[slot], 0x1000 + slot) << "slot " << slot;
  for (int slot = 0; slot < 24; ++slot) {
    if ((slot >= 12 && slot <= 19) || slot == 23) continue;
    EXPECT_NE(words[slot], 0u) << "slot " << slot;
  }
}

// Before a configuration is opened, every entry that works on one answers
// with its failure value, tells the host nothing and changes nothing.
TEST_F(EntryTableTest, EntriesAnswerWithFailureValuesBeforeAConfigurationIsOpen) {
  EXPECT_EQ(table_->SetHostContext(host_.Context()), 1);
  EXPECT_EQ(table_->ShowSettings(nullptr), 2);
  EXPECT_EQ(table_->ImportProject(host_.root(), "missing.uvproj"), 0);
  EXPECT_EQ(table_->BuildTarget(0), 0);
  EXPECT_EQ(table_->TranslateFile(nullptr), 0);
  char buffer[16] = "unchanged";
  EXPECT_EQ(table_->NextDependency("a.c", buffer, sizeof buffer, 1), 0);
  EXPECT_EQ(table_->NextIncludeDirectory(buffer, sizeof buffer, 1), 0);
  EXPECT_STREQ(buffer, "unchanged");
  EXPECT_EQ(table_->ReservedEntry(), 0);
  table_->CleanTarget();
  table_->StopBuild();
  EXPECT_TRUE(host_.calls.empty());
  EXPECT_FALSE(host_.TreeChangedBehindServices());
}

// Without windows and without a script the settings dialogs close as
// Cancel at once; what the project dialog prepares still goes through the
// host's services.
TEST_F(EntryTableTest, SettingsOpenThroughTheTableAndCloseUnscripted) {
  host_.project_path = "/p/demo.cvproj";
  table_->SetHostContext(host_.Context());
  ProjectNode* config = host_.AddConfiguration("Debug");
  table_->OpenConfiguration(host_.root(), "Debug");
  host_.calls.clear();
  EXPECT_EQ(table_->ShowSettings(host_.root()), 0);
  std::vector<std::string> created;
  for (const HostCall& call : host_.calls) {
    EXPECT_EQ(call.service, "AddChild");
    EXPECT_EQ(call.node, config);
    created.push_back(call.args.back());
  }
  EXPECT_EQ(created, (std::vector<std::string>{"C51Tool", "A51Tool", "Lx51Tool"}));
  EXPECT_FALSE(host_.TreeChangedBehindServices());
  ProjectNode* group = host_.Add(host_.Add(host_.root(), "Files"), "Filter", "App");
  host_.calls.clear();
  EXPECT_EQ(table_->ShowSettings(group), 0);
  EXPECT_TRUE(host_.calls.empty());
}

TEST_F(EntryTableTest, NullArgumentsAreAnsweredQuietly) {
  EXPECT_EQ(table_->SetHostContext(nullptr), 1);
  table_->OpenConfiguration(nullptr, "Debug");
  table_->OpenConfiguration(host_.root(), nullptr);
  table_->CreateDefaultConfiguration(nullptr);
  table_->Notify(2, nullptr);
  table_->SetDriverSetting(nullptr, nullptr);
  EXPECT_EQ(table_->GetDebugRecord(nullptr), 0);
  EXPECT_TRUE(host_.calls.empty());
  EXPECT_FALSE(host_.TreeChangedBehindServices());
}

// Output folder + output name of 259 characters fit the record's field;
// 260 do not, and the record's other bytes are copied all the same.
TEST_F(EntryTableTest, DebugRecordTakesOutputPathsBelow260Characters) {
  ScopedTempDir dir;
  ASSERT_FALSE(dir.path().empty());
  host_.project_path = dir.path() + "proj.cvproj";
  host_.debug.use_simulator = 1;
  host_.debug.sim_run_to_main = 1;
  std::strcpy(host_.debug.driver_text, "S8051.DLL");
  ASSERT_EQ(table_->SetHostContext(host_.Context()), 1);
  ProjectNode* config = host_.AddConfiguration("Debug");

  DebugOptionRecord record{};
  table_->OpenConfiguration(host_.root(), "Debug");
  ASSERT_EQ(table_->GetDebugRecord(&record), 1);
  const std::string output_dir = record.output_path;
  ASSERT_GT(output_dir.size(), std::strlen("proj"));
  ASSERT_EQ(output_dir.substr(output_dir.size() - 4), "proj");
  const std::string folder = output_dir.substr(0, output_dir.size() - 4);
  EXPECT_EQ(folder.substr(folder.size() - 6), "Debug" + folder.substr(folder.size() - 1));
  ASSERT_LT(folder.size(), 200u);

  host_.Set(config, "OutputName", std::string(259 - folder.size(), 'n').c_str());
  table_->OpenConfiguration(host_.root(), "Debug");
  std::memset(&record, 0, sizeof record);
  ASSERT_EQ(table_->GetDebugRecord(&record), 1);
  EXPECT_EQ(std::strlen(record.output_path), 259u);
  EXPECT_EQ(record.use_simulator, 1);
  EXPECT_STREQ(record.driver_text, "S8051.DLL");

  host_.Set(config, "OutputName", std::string(260 - folder.size(), 'n').c_str());
  table_->OpenConfiguration(host_.root(), "Debug");
  std::memset(&record, 0, sizeof record);
  EXPECT_EQ(table_->GetDebugRecord(&record), 0);
  EXPECT_EQ(record.sim_run_to_main, 1);
  EXPECT_STREQ(record.output_path, "");
  EXPECT_FALSE(host_.TreeChangedBehindServices());
}

// A rename through Notify does not move the folders derived at opening.
TEST_F(EntryTableTest, NotifyRenamesWithoutRecomputingFolders) {
  ScopedTempDir dir;
  host_.project_path = dir.path() + "proj.cvproj";
  table_->SetHostContext(host_.Context());
  host_.AddConfiguration("Debug");
  host_.AddConfiguration("Release");
  table_->OpenConfiguration(host_.root(), "Debug");
  DebugOptionRecord before{};
  ASSERT_EQ(table_->GetDebugRecord(&before), 1);
  table_->Notify(2, "Release");
  table_->Notify(7, "Other");
  DebugOptionRecord after{};
  ASSERT_EQ(table_->GetDebugRecord(&after), 1);
  EXPECT_STREQ(before.output_path, after.output_path);
}

}  // namespace
}  // namespace c51::test
