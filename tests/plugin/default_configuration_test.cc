// A new configuration's settings, written through the host's services.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/fake_host.h"

namespace c51::test {
namespace {

using Strings = std::vector<std::string>;

class DefaultConfigurationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string err;
    ASSERT_TRUE(plugin_.Load(&err)) << err;
    table_ = plugin_.table();
    host_.Install(table_);
    host_.project_path = "C:\\work\\blinky\\Blinky.cvproj";
    host_.clock = 24.0;
    host_.debug = DebugOptionRecord{1, 3, 1, 0, 1, 1, "", "", 0};
    std::strcpy(host_.debug.driver_text, "BIN\\MON51.DLL");
    table_->SetHostContext(host_.Context());
  }

  std::vector<HostCall> CallsNamed(const char* service) const {
    std::vector<HostCall> found;
    for (const HostCall& call : host_.calls)
      if (call.service == service) found.push_back(call);
    return found;
  }

  PluginLibrary plugin_;
  PluginInterface* table_ = nullptr;
  FakeHost host_;
};

TEST_F(DefaultConfigurationTest, WritesTheConfigurationKeysThenTheThreeTools) {
  ProjectNode* config = host_.AddConfiguration("Debug");
  table_->CreateDefaultConfiguration(config);

  ASSERT_EQ(host_.calls.size(), 7u);
  EXPECT_EQ(host_.calls[0].service, "UpdateNode");
  EXPECT_EQ(host_.calls[0].node, config);
  EXPECT_EQ(host_.calls[0].args,
            (Strings{"CodeMode=2", "MemMode=0", "RTOS=0", "T51FL=0", "SIMCLK=24.000000",
                     "OCM51=", "OCR51=", "CodeBank=", "OutputDirectory=.\\Debug\\",
                     "OutputName=Blinky", "GENAPP=1", "GENLIB=0", "ListingDirectory=.\\Debug\\",
                     "OPTLT=0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0",
                     "OPTDBG=1,3,1,0,1,1,(BIN\\MON51.DLL)"}));
  const char* tools[] = {"C51Tool", "A51Tool", "Lx51Tool"};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(host_.calls[1 + 2 * i].service, "AddChild");
    EXPECT_EQ(host_.calls[1 + 2 * i].args, (Strings{"Tool", tools[i]}));
    EXPECT_EQ(host_.calls[2 + 2 * i].service, "UpdateNode");
  }
  EXPECT_EQ(host_.calls[2].args,
            (Strings{"C51FL=4853008", "C51VA=0", "C51DEF=", "C51UDF=", "C51MSC=", "INCC5="}));
  EXPECT_EQ(host_.calls[4].args, (Strings{"A51FL=68", "A51SET=", "A51RST=", "A51MSC=", "INCA5="}));
  EXPECT_EQ(host_.calls[6].args,
            (Strings{"LX51FL=4", "LX51COB=", "LX51XDB=", "LX51PDB=", "LX51BIB=", "LX51DAB=",
                     "LX51IDB=", "LX51PRC=", "LX51STK=", "LX51COS=", "LX51XDS=", "LX51BIS=",
                     "LX51DAS=", "LX51IDS=", "LX51OVL=", "LX51MSC=", "LX51DWN="}));
  // "Name" survives and comes first; the tools hang under the configuration.
  EXPECT_EQ(FakeHost::AttributeNames(config).front(), "Name");
  EXPECT_EQ(FakeHost::Get(config, "Name"), "Debug");
  EXPECT_EQ(FakeHost::Get(host_.calls[6].node, "Name"), "Lx51Tool");
  EXPECT_EQ(host_.calls[6].node->parent, config);
  EXPECT_EQ(FakeHost::Get(config, "BeforeBuild"), "<missing>");
  EXPECT_FALSE(host_.TreeChangedBehindServices());
}

TEST_F(DefaultConfigurationTest, ExistingToolNodesAreOverwrittenNotDoubled) {
  ProjectNode* config = host_.AddConfiguration("Release");
  ProjectNode* a51 = host_.Add(config, "Tool", "A51Tool");
  host_.Set(a51, "A51FL", "999");
  host_.Set(a51, "Extra", "kept");
  table_->CreateDefaultConfiguration(config);

  std::vector<HostCall> added = CallsNamed("AddChild");
  ASSERT_EQ(added.size(), 2u);
  EXPECT_EQ(added[0].args[1], "C51Tool");
  EXPECT_EQ(added[1].args[1], "Lx51Tool");
  EXPECT_EQ(FakeHost::Get(a51, "A51FL"), "68");
  EXPECT_EQ(FakeHost::Get(a51, "Extra"), "kept");
  int tools = 0;
  for (ProjectNode* child = config->first_child; child; child = child->next_sibling) ++tools;
  EXPECT_EQ(tools, 3);
}

TEST_F(DefaultConfigurationTest, OtherNodesAndNamelessConfigurationsAreLeftAlone) {
  ProjectNode* config = host_.AddConfiguration("Debug");
  ProjectNode* configs = config->parent;
  table_->CreateDefaultConfiguration(configs);
  ProjectNode* nameless = host_.Add(configs, "Configuration");
  table_->CreateDefaultConfiguration(nameless);
  ProjectNode* lower = host_.Add(configs, "configuration", "Debug");
  table_->CreateDefaultConfiguration(lower);
  EXPECT_TRUE(host_.calls.empty());
  EXPECT_FALSE(host_.TreeChangedBehindServices());
}

// When the host cannot make the first tool node, no tool is written; the
// configuration keys already written stay.
TEST_F(DefaultConfigurationTest, AToolNodeTheHostCannotMakeEndsTheWriting) {
  ProjectNode* config = host_.AddConfiguration("Debug");
  host_.fail_add_child = true;
  table_->CreateDefaultConfiguration(config);
  ASSERT_EQ(host_.calls.size(), 2u);
  EXPECT_EQ(host_.calls[0].service, "UpdateNode");
  EXPECT_EQ(host_.calls[1].service, "AddChild");
  EXPECT_EQ(FakeHost::Get(config, "CodeMode"), "2");
  EXPECT_EQ(config->first_child, nullptr);
}

// The host's clock is whatever it holds now; the debug record is handed back
// unchanged.
TEST_F(DefaultConfigurationTest, ClockAndDebugRecordComeFromTheHost) {
  host_.clock = 11.0592;
  host_.debug.driver_text[0] = '\0';
  table_->SetHostContext(host_.Context());
  const DebugOptionRecord before = host_.debug;
  ProjectNode* config = host_.AddConfiguration("Target 1");
  table_->CreateDefaultConfiguration(config);
  EXPECT_EQ(FakeHost::Get(config, "SIMCLK"), "11.059200");
  EXPECT_EQ(FakeHost::Get(config, "OPTDBG"), "1,3,1,0,1,1,()");
  EXPECT_EQ(FakeHost::Get(config, "OutputDirectory"), ".\\Target 1\\");
  EXPECT_EQ(std::memcmp(&before, &host_.debug, sizeof before), 0);
}

}  // namespace
}  // namespace c51::test
