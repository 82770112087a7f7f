#include "project/scopes.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>

#include "project/device_record.h"
#include "project/key_writer.h"
#include "project/node.h"
#include "project/scope_walk.h"
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

// The build walks the tree with a ScopeStack; every other caller climbs
// from the file. Both must answer alike whatever scopes the tree holds.
TEST_F(ScopesTest, AWalkDownTheTreeAnswersAsAClimbFromEachFile) {
  // Each scope's switches as "IncBld,GenAsm,AsmAsm", "-" for a key not
  // stored; null: the scope does not exist.
  struct Row {
    const char* files;  // a "FilterConfiguration" on "Files" (no group)
    const char* outer;
    const char* inner;
    const char* own;  // the file's own
  } rows[] = {
      {nullptr, nullptr, nullptr, nullptr}, {nullptr, "0,1,1", nullptr, nullptr},
      {nullptr, "0,1,1", "-,0,-", "2,-,-"}, {nullptr, "1,-,-", "-,-,0", "-,-,-"},
      {"0,0,0", nullptr, nullptr, "-,-,-"}, {"0,0,0", "-,1,-", nullptr, nullptr},
      {nullptr, nullptr, "0,-,1", "1,2,-"}, {"1,1,1", "0,0,0", "2,2,2", "-,-,-"},
  };
  const char* const keys[] = {"IncBld", "GenAsm", "AsmAsm"};
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message()
                 << (row.files ? row.files : "null") << " / " << (row.outer ? row.outer : "null")
                 << " / " << (row.inner ? row.inner : "null") << " / "
                 << (row.own ? row.own : "null"));
    SetUp();
    ref_.name = "Debug";
    const std::pair<ProjectNode*, const char*> scopes[] = {
        {files_, row.files}, {outer_, row.outer}, {inner_, row.inner}, {file_, row.own}};
    for (const auto& [owner, values] : scopes) {
      if (values == nullptr) continue;
      ProjectNode* scope =
          Scope(owner, owner == file_ ? "FileConfiguration" : "FilterConfiguration", "Debug");
      for (int i = 0; i < 3; ++i) {
        if (values[2 * i] != '-')
          SetAttributeText(scope, keys[i], std::string(1, values[2 * i]).c_str());
      }
    }
    for (ProjectNode* file : {file_, loose_}) {
      ScopeStack walk(&ref_);
      walk.EnterPath(file->parent);
      const ProjectNode* own = FindFileConfiguration(file, &ref_);
      const FileSwitches walked = ResolveFileSwitches(own, walk);
      const FileSwitches climbed = ResolveFileSwitches(file, &ref_);
      EXPECT_EQ(walked.inc_bld, climbed.inc_bld);
      EXPECT_EQ(walked.gen_asm, climbed.gen_asm);
      EXPECT_EQ(walked.asm_asm, climbed.asm_asm);
      EXPECT_EQ(own != nullptr ? own : walk.nearest(), FindLocalConfiguration(file, &ref_));
    }
    // Entering and leaving a group leaves the stack as it was.
    ScopeStack walk(&ref_);
    walk.EnterPath(files_);
    const ProjectNode* before = walk.nearest();
    walk.Enter(outer_);
    walk.Leave();
    EXPECT_EQ(walk.nearest(), before);
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
