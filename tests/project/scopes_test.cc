#include "project/scopes.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>

#include "project/device_record.h"
#include "project/node.h"
#include "recording_host.h"

namespace c51 {
namespace {

using test::AddNode;

// "CorvaneProject" with configurations "Debug" and "Release" (after one
// without "Name"), and Files / Filter "outer" / Filter "inner" / File, plus
// a file directly under "Files".
class ScopesTest : public testing::Test {
 protected:
  void SetUp() override {
    root_ = CreateDetachedNode("CorvaneProject");
    ProjectNode* configs = AddNode(root_.get(), "Configurations");
    AddNode(configs, "Configuration");
    debug_ = AddNode(configs, "Configuration", "Debug");
    release_ = AddNode(configs, "Configuration", "Release");
    files_ = AddNode(root_.get(), "Files");
    outer_ = AddNode(files_, "Filter", "outer");
    inner_ = AddNode(outer_, "Filter", "inner");
    file_ = AddNode(inner_, "File");
    loose_ = AddNode(files_, "File");
    ref_ = {root_.get(), ""};
  }

  static ProjectNode* Scope(ProjectNode* parent, const char* element, const char* config,
                            std::initializer_list<std::pair<const char*, const char*>> keys = {}) {
    ProjectNode* scope = AddNode(parent, element, config);
    for (const auto& [key, value] : keys) SetAttributeText(scope, key, value);
    return scope;
  }

  NodePtr root_;
  ProjectNode *debug_, *release_, *files_, *outer_, *inner_, *file_, *loose_;
  ConfigurationRef ref_;
};

TEST_F(ScopesTest, EmptyNameAdoptsTheFirstNamedScopeForAllLaterLookups) {
  Scope(outer_, "FilterConfiguration", "Release");
  ProjectNode* outer_debug = Scope(outer_, "FilterConfiguration", "Debug");
  EXPECT_NE(FindGroupConfiguration(outer_, &ref_), nullptr);
  EXPECT_EQ(ref_.name, "Release");
  EXPECT_EQ(FindCurrentConfiguration(&ref_), release_);
  ref_.name = "Debug";
  EXPECT_EQ(FindGroupConfiguration(outer_, &ref_), outer_debug);
  EXPECT_EQ(FindCurrentConfiguration(&ref_), debug_);
  ref_.name = "debug";
  EXPECT_EQ(FindCurrentConfiguration(&ref_), nullptr);
  ref_.name.clear();
  EXPECT_EQ(FindCurrentConfiguration(&ref_), debug_);  // skips the one without "Name"
  EXPECT_EQ(ref_.name, "Debug");

  ConfigurationRef no_root;
  EXPECT_EQ(FindCurrentConfiguration(&no_root), nullptr);
  ConfigurationRef no_configs{files_, ""};
  EXPECT_EQ(FindCurrentConfiguration(&no_configs), nullptr);
  EXPECT_EQ(FindGroupConfiguration(nullptr, &ref_), nullptr);
}

TEST_F(ScopesTest, LocalConfigurationAndToolNodes) {
  ref_.name = "Debug";
  EXPECT_EQ(FindLocalConfiguration(file_, &ref_), nullptr);
  ProjectNode* outer_config = Scope(outer_, "FilterConfiguration", "Debug");
  EXPECT_EQ(FindLocalConfiguration(file_, &ref_), outer_config);
  ProjectNode* inner_config = Scope(inner_, "FilterConfiguration", "Debug");
  Scope(file_, "FileConfiguration", "Release");
  EXPECT_EQ(FindLocalConfiguration(file_, &ref_), inner_config);
  ProjectNode* own = Scope(file_, "FileConfiguration", "Debug");
  EXPECT_EQ(FindLocalConfiguration(file_, &ref_), own);

  SetAttributeText(AddNode(own, "Tool"), "Name", nullptr);  // a null name matches nothing
  ProjectNode* c51 = AddNode(own, "Tool", "C51Tool");
  AddNode(own, "Tool", "C51Tool");
  EXPECT_EQ(FindToolNode(own, "C51Tool"), c51);
  EXPECT_EQ(FindToolNode(own, "A51Tool"), nullptr);
  EXPECT_EQ(FindToolNode(own, ""), nullptr);
  EXPECT_EQ(FindToolNode(nullptr, "C51Tool"), nullptr);
}

TEST_F(ScopesTest, FileSwitchesResolveThroughGroupsOnlyWithAFileScope) {
  ref_.name = "Debug";
  Scope(outer_, "FilterConfiguration", "Debug",
        {{"IncBld", "0"}, {"GenAsm", "1"}, {"AsmAsm", "1"}});
  EXPECT_TRUE(ResolveFileSwitches(file_, &ref_).included());

  Scope(inner_, "FilterConfiguration", "Debug", {{"GenAsm", "0"}});
  ProjectNode* own = Scope(file_, "FileConfiguration", "Debug", {{"IncBld", "2"}});
  FileSwitches resolved = ResolveFileSwitches(file_, &ref_);
  EXPECT_FALSE(resolved.included());
  EXPECT_EQ(resolved.gen_asm, 0);  // the nearest group wins
  EXPECT_TRUE(resolved.assembles_asm());
  SetAttributeText(own, "IncBld", "1");
  EXPECT_EQ(ResolveFileSwitches(file_, &ref_).inc_bld, 1);

  // Only "Filter" ancestors count.
  Scope(files_, "FilterConfiguration", "Debug", {{"AsmAsm", "0"}});
  Scope(loose_, "FileConfiguration", "Debug");
  EXPECT_EQ(ResolveFileSwitches(loose_, &ref_).asm_asm, 2);
}

TEST_F(ScopesTest, StoredCodeBankTable) {
  // clang-format off
  const struct {
    const char* file_bank;   // null: no "BankNum" in the file scope
    const char* group_bank;  // null: no "BankNum" in the group scope
    bool file_scope;
    int bank_count;
    const char* expected;    // null: nothing appended
  } cases[] = {
      {"3", nullptr, true, 4, "BANK3 {"}, {"4", nullptr, true, 4, nullptr},
      {"0", nullptr, true, 2, "BANK0 {"}, {"63", nullptr, true, 64, "BANK63 {"},
      {"-1", nullptr, true, 4, nullptr},  {"-5", nullptr, true, 64, nullptr},
      {"1", nullptr, true, 0, nullptr},   {"2abc", nullptr, true, 4, "BANK2 {"},
      {nullptr, "1", true, 4, nullptr},   // a file scope without "BankNum" ends the search
      {nullptr, "1", false, 4, "BANK1 {"}, {nullptr, nullptr, false, 4, nullptr},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.file_bank ? c.file_bank : "-") << "/"
                                    << (c.group_bank ? c.group_bank : "-") << "/" << c.bank_count);
    SetUp();
    ref_.name = "Debug";
    ProjectNode* group = Scope(inner_, "FilterConfiguration", "Debug");
    if (c.group_bank) SetAttributeText(group, "BankNum", c.group_bank);
    ProjectNode* own = c.file_scope ? Scope(file_, "FileConfiguration", "Debug") : nullptr;
    if (c.file_bank) SetAttributeText(own, "BankNum", c.file_bank);
    std::string out = "x ";
    EXPECT_EQ(AppendStoredCodeBank(file_, &ref_, c.bank_count, &out), c.expected != nullptr);
    EXPECT_EQ(out, std::string("x ") + (c.expected ? c.expected : ""));
  }
}

TEST_F(ScopesTest, SetOneAttributeGoesThroughTheHost) {
  test::RecordingHost host;
  SetOneAttribute(&host, file_, "LocalConfigure", "1");
  SetOneAttribute(&host, nullptr, "LocalConfigure", "1");
  ASSERT_EQ(host.updates.size(), 1u);
  EXPECT_EQ(host.updates[0].target, file_);
  EXPECT_EQ(host.updates[0].element, "File");
  EXPECT_EQ(host.updates[0].attributes, std::vector<std::string>{"LocalConfigure=1"});
}

TEST(DevicePropertyTest, FirstCaseInsensitivePrefixMatchWithAnEqualsSign) {
  const char* properties[] = {"CPU", "CPUX=1", "CPU=2", "regfile=REG51.H", "CLOCK=", nullptr};
  DeviceRecord device{"vendor", "device", 0, properties};
  // clang-format off
  const struct { const char* key; const char* expected; } cases[] = {
      {"CPU", "1"}, {"cpu", "1"}, {"REGFILE", "REG51.H"}, {"RE", "REG51.H"}, {"CLOCK", ""},
      {"", "1"}, {"MISSING", nullptr}, {"CPUXY", nullptr},
  };
  // clang-format on
  for (const auto& c : cases) {
    const char* found = FindDeviceProperty(&device, c.key);
    EXPECT_EQ(std::string(found ? found : "<null>"), c.expected ? c.expected : "<null>") << c.key;
  }
  // GBK bytes are not case-folded into each other.
  const char* gbk[] = {"\xC3\xC4=1", nullptr};
  DeviceRecord gbk_device{nullptr, nullptr, 0, gbk};
  EXPECT_EQ(FindDeviceProperty(&gbk_device, "\xE3\xE4"), nullptr);
  DeviceRecord no_list{"v", "d", 0, nullptr};
  EXPECT_EQ(FindDeviceProperty(&no_list, "CPU"), nullptr);
  EXPECT_EQ(FindDeviceProperty(nullptr, "CPU"), nullptr);
}

}  // namespace
}  // namespace c51
