// The host's nodes and the effects of its services, directly and as the
// plug-in reaches them through the table.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "host/build_output.h"
#include "host/host_tree.h"
#include "host/plugin_host.h"
#include "host/project_model.h"
#include "platform/fs.h"
#include "project/node.h"
#include "support/temp_dir.h"

namespace c51::host {
namespace {

std::vector<std::string> Attributes(const ProjectNode* node) {
  std::vector<std::string> out;
  for (const NodeAttribute* a = node->attributes.next; a != &node->attributes; a = a->next)
    out.push_back(std::string(TextView(a->name)) + "=" +
                  (a->value.data ? std::string(TextView(a->value)) : "<null>"));
  return out;
}

std::vector<std::string> ChildNames(const ProjectNode* node) {
  std::vector<std::string> out;
  for (const ProjectNode* c = node->first_child; c; c = c->next_sibling) {
    const char* name = GetAttributeText(c, "Name");
    out.push_back(std::string(TextView(c->name)) + (name ? ":" + std::string(name) : ""));
  }
  return out;
}

TEST(HostTreeTest, UpdateAddsReplacesAndKeepsTheRest) {
  HostTree tree;
  ProjectNode* root = tree.NewRoot("CorvaneProject");
  ProjectNode* config =
      tree.AddChild(tree.AppendChild(root, "Configurations"), "Configuration", "Debug");
  tree.SetAttribute(config, "A", "1");
  tree.SetAttribute(config, "B", "2");
  tree.set_modified(false);

  // The plug-in's detached node: its own allocator, its own name.
  NodePtr detached = CreateDetachedNode("SomethingElse");
  SetAttributeText(detached.get(), "B", "two");
  SetAttributeText(detached.get(), "C", "3");
  SetAttributeText(detached.get(), "D", nullptr);
  tree.UpdateFrom(config, detached.get());
  // Nothing of the detached node is kept: freeing it must not disturb the
  // tree (the sanitizers watch this).
  detached.reset();

  EXPECT_EQ(Attributes(config),
            (std::vector<std::string>{"Name=Debug", "A=1", "B=two", "C=3", "D=<null>"}));
  EXPECT_EQ(std::string(TextView(config->name)), "Configuration");
  EXPECT_TRUE(tree.modified());
}

TEST(HostTreeTest, AddChildAppendsAndIsFoundAtOnce) {
  HostTree tree;
  ProjectNode* root = tree.NewRoot("CorvaneProject");
  ProjectNode* config = tree.AddChild(root, "Configuration", nullptr);
  ASSERT_NE(config, nullptr);
  EXPECT_EQ(FindAttribute(config, "Name"), nullptr);
  ProjectNode* c51 = tree.AddChild(config, "Tool", "C51Tool");
  ProjectNode* a51 = tree.AddChild(config, "Tool", "A51Tool");
  // The lookups the plug-in uses see the new nodes in document order.
  EXPECT_EQ(FirstChildNamed(config, "Tool"), c51);
  EXPECT_EQ(NextSiblingNamed(c51, "Tool"), a51);
  EXPECT_EQ(a51->parent, config);
  EXPECT_STREQ(GetAttributeText(a51, "Name"), "A51Tool");
  EXPECT_EQ(ChildNames(config), (std::vector<std::string>{"Tool:C51Tool", "Tool:A51Tool"}));
}

TEST(HostTreeTest, AddChildRefusesWhatIsNotItsOwn) {
  HostTree tree, other;
  ProjectNode* root = tree.NewRoot("CorvaneProject");
  ProjectNode* foreign = other.NewRoot("CorvaneProject");
  NodePtr detached = CreateDetachedNode("Configuration");
  EXPECT_EQ(tree.AddChild(nullptr, "File", nullptr), nullptr);
  EXPECT_EQ(tree.AddChild(foreign, "File", nullptr), nullptr);
  EXPECT_EQ(tree.AddChild(detached.get(), "File", nullptr), nullptr);
  EXPECT_EQ(tree.AddChild(root, nullptr, nullptr), nullptr);
  EXPECT_EQ(root->first_child, nullptr);
  EXPECT_EQ(foreign->first_child, nullptr);
  // UpdateFrom leaves a foreign target alone too.
  NodePtr values = CreateDetachedNode("x");
  SetAttributeText(values.get(), "K", "V");
  tree.UpdateFrom(foreign, values.get());
  EXPECT_TRUE(Attributes(foreign).empty());
}

TEST(HostTreeTest, NestingStopsAtTheLimitTheLoaderAccepts) {
  HostTree tree;
  ProjectNode* node = tree.NewRoot("CorvaneProject");
  int depth = 0;
  while (ProjectNode* child = tree.AddChild(node, "Filter", nullptr)) {
    node = child;
    ++depth;
  }
  EXPECT_EQ(depth, kMaxTreeDepth - 1);
}

TEST(HostTreeTest, RemoveKeepsAppendingRight) {
  HostTree tree;
  ProjectNode* root = tree.NewRoot("CorvaneProject");
  tree.AppendChild(root, "A");
  ProjectNode* b = tree.AppendChild(root, "B");
  tree.Remove(b);
  tree.AppendChild(root, "C");
  EXPECT_EQ(ChildNames(root), (std::vector<std::string>{"A", "C"}));
}

// The real plug-in calling the services it finds in its table.
class PluginServicesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(dir_.path().empty());
    capture_ = std::tmpfile();
    ASSERT_NE(capture_, nullptr);
    output_ = std::make_unique<BuildOutput>(capture_, false);
    plugin_ = std::make_unique<PluginHost>(&tree_, output_.get());
    std::string err;
    ASSERT_TRUE(plugin_->Load(ExecutableDirectory() + PluginFileName(), &err)) << err;
    root_ = tree_.NewRoot("CorvaneProject");
    tree_.SetAttribute(root_, "Name", "p");
    plugin_->set_project_path(dir_.path() + "p.cvproj");
    plugin_->SendContext();
  }
  void TearDown() override {
    plugin_.reset();
    output_.reset();
    if (capture_) std::fclose(capture_);
  }
  std::string Captured() {
    output_->Flush();
    std::string text;
    std::rewind(capture_);
    for (int c; (c = std::fgetc(capture_)) != EOF;) text.push_back(static_cast<char>(c));
    return text;
  }

  test::ScopedTempDir dir_;
  HostTree tree_;
  FILE* capture_ = nullptr;
  std::unique_ptr<BuildOutput> output_;
  std::unique_ptr<PluginHost> plugin_;
  ProjectNode* root_ = nullptr;
};

TEST_F(PluginServicesTest, DefaultConfigurationArrivesThroughUpdateAndAddChild) {
  ProjectNode* config =
      tree_.AddChild(tree_.AppendChild(root_, "Configurations"), "Configuration", "Debug");
  plugin_->table()->CreateDefaultConfiguration(config);
  EXPECT_STREQ(GetAttributeText(config, "Name"), "Debug");
  EXPECT_STREQ(GetAttributeText(config, "OutputDirectory"), ".\\Debug\\");
  EXPECT_STREQ(GetAttributeText(config, "OutputName"), "p");
  // The default clock the context points at.
  EXPECT_STREQ(GetAttributeText(config, "SIMCLK"), "24.000000");
  EXPECT_EQ(ChildNames(config),
            (std::vector<std::string>{"Tool:C51Tool", "Tool:A51Tool", "Tool:Lx51Tool"}));
  EXPECT_STREQ(GetAttributeText(FirstChildNamed(config, "Tool"), "C51FL"), "4853008");
}

TEST_F(PluginServicesTest, TreeServicesSitInTheirWords) {
  PluginInterface* table = plugin_->table();
  ProjectNode* files = table->HostAddChild(root_, "Files", nullptr);
  ASSERT_NE(files, nullptr);
  ProjectNode* group = table->HostAddChild(files, "Filter", "Src");
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(ChildNames(root_), std::vector<std::string>{"Files"});
  EXPECT_EQ(ChildNames(files), std::vector<std::string>{"Filter:Src"});
  NodePtr detached = CreateDetachedNode("Filter");
  SetAttributeText(detached.get(), "LocalConfigure", "1");
  table->HostUpdateNode(group, detached.get());
  EXPECT_EQ(Attributes(group), (std::vector<std::string>{"Name=Src", "LocalConfigure=1"}));
  EXPECT_EQ(table->HostAddChild(detached.get(), "File", nullptr), nullptr);
}

TEST_F(PluginServicesTest, OpenConfigurationWorksInTheProjectFolder) {
  ProjectNode* config =
      tree_.AddChild(tree_.AppendChild(root_, "Configurations"), "Configuration", "Rel");
  plugin_->table()->CreateDefaultConfiguration(config);
  const std::string cwd = CurrentDirectory();
  plugin_->table()->OpenConfiguration(root_, "Rel");
  ChangeCurrentDirectory(cwd);
  // The output folder is made beside the project file the context names.
  EXPECT_TRUE(IsDirectory(dir_.path() + "Rel"));
}

TEST_F(PluginServicesTest, RunCommandReportsTheExitCodeAndRunsInTheProjectFolder) {
  PluginInterface* table = plugin_->table();
  int code = 12345;
  EXPECT_EQ(table->HostRunCommand("exit 3", 0, 0, 0, &code), 0);
  EXPECT_EQ(code, 3);
  EXPECT_EQ(table->HostRunCommand("echo made> made.txt", 0, 0, 0, &code), 1);
  EXPECT_EQ(code, 0);
  EXPECT_TRUE(PathExists(dir_.path() + "made.txt"));
}

TEST_F(PluginServicesTest, OutputAddsLineEndsOnlyToKindOne) {
  PluginInterface* table = plugin_->table();
  table->HostOutput("linking...", 1);
  table->HostOutput("User Command #1:x\r\n", 0);
  table->HostOutput("tail", 0);
  EXPECT_EQ(Captured(), "linking...\nUser Command #1:x\r\ntail");
}

TEST_F(PluginServicesTest, DriverSettingsAreStoredInTheProject) {
  PluginInterface* table = plugin_->table();
  table->HostSetDriverSetting("c:\\drv\\a.dll", "one");
  table->HostSetDriverSetting("c:\\drv\\b.dll", "two");
  table->HostSetDriverSetting("c:\\drv\\a.dll", "three");
  EXPECT_EQ(ReadDriverSettings(root_),
            (std::vector<std::pair<std::string, std::string>>{{"c:\\drv\\a.dll", "three"},
                                                              {"c:\\drv\\b.dll", "two"}}));
}

TEST_F(PluginServicesTest, DeviceChangeReachesTheProjectAndTheNextContext) {
  const char* properties[] = {"CPU=IRAM(0-0xFF) CLOCK(11059200)", "REGFILE=(<ATMEL>)", nullptr};
  DeviceRecord record{"Atmel", "AT89C51", 0, properties};
  plugin_->table()->HostDeviceChanged(&record);
  EXPECT_TRUE(plugin_->device_changed());
  DeviceInfo stored = ReadDevice(root_);
  EXPECT_EQ(stored.vendor, "Atmel");
  EXPECT_EQ(stored.name, "AT89C51");
  EXPECT_EQ(stored.properties.size(), 2u);
  plugin_->SendContext();
  EXPECT_FALSE(plugin_->device_changed());
  EXPECT_EQ(plugin_->device().name, "AT89C51");
}

TEST_F(PluginServicesTest, TranslationDoneIsCounted) {
  plugin_->table()->HostTranslationDone();
  plugin_->table()->HostTranslationDone();
  EXPECT_EQ(plugin_->translation_done_calls(), 2);
}

TEST(PluginHostTest, ALibraryWithoutGetInterfaceIsRefused) {
  HostTree tree;
  BuildOutput output(stdout, false);
  PluginHost plugin(&tree, &output);
  std::string err;
  EXPECT_FALSE(plugin.Load(ExecutableDirectory() + "fakehost/opt/Mirelsk.dll", &err));
  EXPECT_NE(err.find("GetInterface"), std::string::npos) << err;
  EXPECT_FALSE(plugin.Load(ExecutableDirectory() + "no-such-library.so", &err));
  EXPECT_NE(err.find("no-such-library"), std::string::npos) << err;
}

}  // namespace
}  // namespace c51::host
