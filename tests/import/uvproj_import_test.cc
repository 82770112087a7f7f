// uVision 4 projects imported through slot 4: the configurations with
// their converted options, the group tree of the first target, the name
// handed back, the failed-check lines and what a failure leaves behind.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "entry/import_entry.h"
#include "import_fixture.h"
#include "plugin/state.h"
#include "project/host_services.h"
#include "ui/user_interface.h"

namespace c51::test {
namespace {

using Strings = std::vector<std::string>;

// The GBK texts of the three failure messages.
const char kDamaged[] = "\xB9\xA4\xB3\xCC\xCE\xC4\xBC\xFE\xD2\xD1\xCB\xF0\xBB\xB5";
const char kNotSupported[] =
    "\xD4\xDD\xB2\xBB\xD6\xA7\xB3\xD6\xB8\xC3\xB9\xA4\xB3\xCC\xB5\xC4\xB5\xBC\xC8\xEB";
const char kFilesFailed[] =
    "\xB5\xBC\xC8\xEB\xB9\xA4\xB3\xCC\xD6\xD0\xB5\xC4\xCE\xC4\xBC\xFE\xD0\xC5\xCF\xA2\xCA\xA7\xB0"
    "\xDC";

const char kFirstTargetFiles[] =
    "Files\n"
    "  Filter Name=Source\n"
    "    File RelativePath=.\\src\\main.c\n"
    "    File RelativePath=.\\src\\startup.a51\n"
    "      FileConfiguration Name=Debug\n"
    "    Filter Name=Drivers\n"
    "      File RelativePath=.\\drv\\uart.c\n"
    "  Filter Name=Docs & Notes\n"
    "    File RelativePath=readme.txt\n";

class UvprojImportTest : public ImportTest {
 protected:
  ProjectNode* Configurations() {
    std::vector<ProjectNode*> found = Children(host_.root(), "Configurations");
    return found.size() == 1 ? found[0] : nullptr;
  }
  ProjectNode* Tool(ProjectNode* config, const char* name) {
    for (ProjectNode* tool : Children(config, "Tool"))
      if (FakeHost::Get(tool, "Name") == name) return tool;
    return nullptr;
  }
};

TEST_F(UvprojImportTest, TwoTargetsBecomeConfigurationsWithConvertedOptions) {
  std::string path =
      Stage({{"two_targets.uvproj", "Blinky.uvproj"}, {"two_targets.uvopt", "Blinky.uvopt"}});
  EXPECT_EQ(Import(path), "Release");  // marked current in the options file
  EXPECT_TRUE(Checks().empty());

  ProjectNode* configs = Configurations();
  ASSERT_NE(configs, nullptr);
  std::vector<ProjectNode*> list = Children(configs, "Configuration");
  ASSERT_EQ(list.size(), 2u);
  ProjectNode* debug = list[0];
  ProjectNode* release = list[1];
  EXPECT_EQ(FakeHost::Get(debug, "Name"), "Debug");
  EXPECT_EQ(FakeHost::Get(release, "Name"), "Release");

  // Imported keys replace the defaults; the rest keep them.
  struct Row {
    ProjectNode* node;
    const char* key;
    const char* value;
  };
  ProjectNode* d_c51 = Tool(debug, "C51Tool");
  ProjectNode* d_a51 = Tool(debug, "A51Tool");
  ProjectNode* d_lx51 = Tool(debug, "Lx51Tool");
  ProjectNode* r_c51 = Tool(release, "C51Tool");
  ProjectNode* r_a51 = Tool(release, "A51Tool");
  ProjectNode* r_lx51 = Tool(release, "Lx51Tool");
  ASSERT_TRUE(d_c51 && d_a51 && d_lx51 && r_c51 && r_a51 && r_lx51);
  const Row rows[] = {
      {debug, "CodeBank", "1,16,0x8000,0xFFFF,"},  // cBanks 3: 2 << 3 banks
      {debug, "BeforeCmp", "1?gen.bat?0?skip.bat?"},
      {debug, "BeforeBuild", "0??1?pre <x>.bat?"},
      {debug, "AfterBuild", "1?post1.bat?1?post2.bat?"},
      {debug, "GENAPP", "1"},
      {debug, "GENLIB", "0"},
      {debug, "CodeMode", "2"},
      {debug, "OutputDirectory", ".\\Debug\\"},
      {debug, "OutputName", "Blinky"},
      {debug, "SIMCLK", "24.000000"},
      // 1 + 1*4 + 0*16 + 1*64 + 1*256 + 5*1024 + 9*16384 + 1*262144 + 0
      {d_c51, "C51FL", "415045"},
      {d_c51, "C51VA", "32768"},
      {d_c51, "C51DEF", "DEBUG=1 TRACE"},
      {d_c51, "C51UDF", "TRACE"},
      {d_c51, "C51MSC", "NOCOND"},
      {d_c51, "INCC5", ".\\inc;..\\common"},
      {d_a51, "A51FL", "1"},  // MPL on, standard macros off, the 8051 module in use
      {d_a51, "A51SET", "BOARD=2"},
      {d_a51, "A51RST", "OLD"},
      {d_a51, "A51MSC", "NOMOD51 XREF"},
      {d_a51, "INCA5", ".\\asm"},
      {d_lx51, "LX51FL", "4"},
      {d_lx51, "LX51OVL", "main ! isr"},
      {d_lx51, "LX51MSC", "NOPRINT"},
      {d_lx51, "LX51DWN", "16"},
      {d_lx51, "LX51COB", "0x0000"},
      {d_lx51, "LX51XDB", "0x8000"},
      {d_lx51, "LX51PDB", "0x100"},
      {d_lx51, "LX51BIB", "0x20"},
      {d_lx51, "LX51DAB", "0x30"},
      {d_lx51, "LX51IDB", "0x80"},
      {d_lx51, "LX51PRC", "?DT?A"},
      {d_lx51, "LX51STK", "?STACK"},
      {d_lx51, "LX51COS", "?PR?MAIN"},
      {d_lx51, "LX51XDS", "?XD?BUF"},
      {d_lx51, "LX51BIS", "?BI?F"},
      {d_lx51, "LX51DAS", "?DT?X"},
      {d_lx51, "LX51IDS", "?ID?Y"},
      {release, "CodeBank", "0,2,0x8000,0xFFFF,"},  // cBanks 9 is out of range: 2 banks
      {release, "BeforeCmp", "0??0??"},
      {release, "GENAPP", "0"},
      {release, "GENLIB", "1"},
      {release, "OutputDirectory", ".\\Release\\"},
      {r_c51, "C51FL", "4852752"},  // the project default without interrupt vectors
      {r_c51, "C51DEF", ""},
      {r_a51, "A51FL", "68"},
      {r_lx51, "LX51FL", "0"},
      {r_lx51, "LX51STK", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.key);
    EXPECT_EQ(FakeHost::Get(row.node, row.key), row.value);
  }
  // Exactly three tools each: the defaults made them, the import reused them.
  EXPECT_EQ(Children(debug, "Tool").size(), 3u);
  EXPECT_EQ(Children(release, "Tool").size(), 3u);

  // Groups come from the first target only.
  std::vector<ProjectNode*> files = Children(host_.root(), "Files");
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(Shape(files[0]), kFirstTargetFiles);
  EXPECT_FALSE(host_.TreeChangedBehindServices());
}

// A target name that would lead the default folders out of the project,
// and a source name the tools cannot take: left out with a line each.
TEST_F(UvprojImportTest, NamesThatLeaveTheProjectAreLeftOut) {
  std::string text;
  ASSERT_EQ(ReadWholeFile(ImportFixture("two_targets.uvproj"), &text, nullptr), ReadStatus::kOkay);
  auto replace = [&](const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
  };
  replace("<TargetName>Debug</TargetName>", "<TargetName>..\\..\\ESCAPED</TargetName>");
  replace("<FilePath>.\\drv\\uart.c</FilePath>", "<FilePath>.\\drv\\u&quot;art.c</FilePath>");
  const std::string path = Write("Blinky.uvproj", text);
  ASSERT_NE(Import(path), "<null>");
  std::vector<ProjectNode*> list = Children(Configurations(), "Configuration");
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(FakeHost::Get(list[0], "OutputDirectory"), ".\\");
  EXPECT_EQ(FakeHost::Get(list[0], "ListingDirectory"), ".\\");
  EXPECT_EQ(FakeHost::Get(list[1], "OutputDirectory"), ".\\Release\\");
  const std::string shape = Shape(Children(host_.root(), "Files").at(0));
  EXPECT_EQ(shape.find("art.c"), std::string::npos) << shape;
  EXPECT_NE(shape.find("main.c"), std::string::npos) << shape;
#ifndef _WIN32
  const std::vector<std::string> lines = CheckTexts();
  for (const char* part : {"\"OutputDirectory\" \".\\..\\..\\ESCAPED\\\"",
                           "\"ListingDirectory\" \".\\..\\..\\ESCAPED\\\"", "u\"art.c"}) {
    bool found = false;
    for (const std::string& line : lines) found = found || line.find(part) != std::string::npos;
    EXPECT_TRUE(found) << part << "\n" << testing::PrintToString(lines);
  }
#endif
}

// The memory and code models come along; a file without them keeps the
// new configuration's.
TEST_F(UvprojImportTest, MemoryAndCodeModelsAreImported) {
  std::string text;
  ASSERT_EQ(ReadWholeFile(ImportFixture("two_targets.uvproj"), &text, nullptr), ReadStatus::kOkay);
  const size_t second = text.find("<MemoryModel>0</MemoryModel>", text.find("Release"));
  ASSERT_NE(second, std::string::npos);
  text.replace(second, 28, "<MemoryModel>2</MemoryModel><RomSize>1</RomSize>");
  const size_t first = text.find("<MemoryModel>0</MemoryModel>");
  text.erase(first, 28);
  ASSERT_NE(Import(Write("Blinky.uvproj", text)), "<null>");
  std::vector<ProjectNode*> list = Children(Configurations(), "Configuration");
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(FakeHost::Get(list[0], "MemMode"), "0");
  EXPECT_EQ(FakeHost::Get(list[0], "CodeMode"), "2");
  EXPECT_EQ(FakeHost::Get(list[1], "MemMode"), "2");
  EXPECT_EQ(FakeHost::Get(list[1], "CodeMode"), "1");
}

TEST_F(UvprojImportTest, EachStoreOfSaveOptionsIsOneUpdateInOrder) {
  std::string path = Stage({{"two_targets.uvproj", "Blinky.uvproj"}});
  Import(path);
  // The writes on the first configuration and its tools, up to the second.
  std::vector<std::string> firsts;
  bool in_debug = false;
  for (const HostCall& call : host_.calls) {
    if (call.service != "UpdateNode" || call.args.empty()) continue;
    if (call.args[0] == "Name=Release") break;
    if (call.args[0] == "Name=Debug") in_debug = true;
    if (in_debug) firsts.push_back(call.args[0] + " (" + std::to_string(call.args.size()) + ")");
  }
  EXPECT_EQ(firsts,
            (Strings{"Name=Debug (1)",
                     // the default configuration: keys, then three tools
                     "CodeMode=2 (15)", "C51FL=4853008 (6)", "A51FL=68 (5)", "LX51FL=4 (17)",
                     // then the imported values
                     "CodeBank=1,16,0x8000,0xFFFF, (2)", "BeforeCmp=1?gen.bat?0?skip.bat? (3)",
                     "C51FL=415045 (6)", "A51FL=1 (5)", "LX51FL=4 (17)", "GENAPP=1 (2)"}));
}

TEST_F(UvprojImportTest, CurrentTargetFollowsTheOptionsFile) {
  struct Case {
    const char* options;       // fixture staged as the options file; "" for none
    const char* options_name;  // its name in the folder
    const char* name;          // the project's name in the folder
    const char* returned;
    Strings checks;
  };
  const Case cases[] = {
      {"two_targets.uvopt", "Marked.uvopt", "Marked.uvproj", "Release", {}},
      {"", "", "NoOptions.uvproj", "Debug", {"xml.Load(uvopt)"}},
      {"unmarked.uvopt", "Unmarked.uvopt", "Unmarked.uvproj", "Debug", {}},
      {"broken_options.uvopt",
       "Broken.uvopt",
       "Broken.uvproj",
       "Debug",
       {"xml.FindChildElem(\"OPTFL\")"}},
      // Capitals are accepted; the options file is then looked for as
      // "<name>.UVopt" and found in any letter case, as on Windows.
      {"two_targets.uvopt", "Capitals.uvopt", "Capitals.UVPROJ", "Release", {}},
      {"two_targets.uvopt", "MIXED.UVOPT", "Mixed.uvproj", "Release", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeHost host;
    host.Install(table_);
    std::string path = Stage({{"two_targets.uvproj", c.name}});
    if (*c.options) Stage({{c.options, c.options_name}});
    last_result_ = table_->ImportProject(host.root(), path.c_str());
    ASSERT_NE(last_result_, 0);
    EXPECT_STREQ(reinterpret_cast<const char*>(last_result_), c.returned);
#if !defined(_WIN32)
    EXPECT_EQ(CheckTexts(), c.checks);
#endif
    host_.Install(table_);
  }
}

TEST_F(UvprojImportTest, FailuresReportTheirChecksAndKeepWhatWasMade) {
  struct Case {
    const char* fixture;
    Strings checks;
    size_t configurations;  // complete ones left behind
    bool files;             // whether "Files" was made
  };
  const Case cases[] = {
      {"wrong_header.uvproj",
       {"xml.Load(uvopt)", "\"### uVision Project, (C) Keil Software\"==m_xml.GetChildData()"},
       0,
       false},
      // The second target lacks an element: the first is complete, nothing
      // of the second reaches the project.
      {"missing_vector.uvproj",
       {"xml.Load(uvopt)", "m_xml.FindChildElem( \"UseInterruptVector\" )", "import_c()",
        "import_options()"},
       1,
       false},
      {"missing_lx51.uvproj",
       {"xml.Load(uvopt)", "m_xml.FindChildElem( \"Lx51\" )", "import_options()"},
       0,
       false},
      // An element a group may not hold stops the group import after the
      // first group.
      {"group_unknown.uvproj", {"xml.Load(uvopt)", "false", "import_group(pFiles)"}, 2, true},
      // Not well formed: no check line for the project itself.
      {"damaged.uvproj", {"xml.Load(uvopt)"}, 0, false},
      {"binary.uvproj", {"xml.Load(uvopt)"}, 0, false},
      {"other_schema.uvproj", {"xml.Load(uvopt)", "m_xml.FindElem( \"Project\" )"}, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fixture);
    FakeHost host;
    host.Install(table_);
    std::string path = Stage({{c.fixture, c.fixture}});
    EXPECT_EQ(table_->ImportProject(host.root(), path.c_str()), 0);
#if !defined(_WIN32)
    std::vector<CheckLine> checks = Checks();
    Strings texts;
    std::set<int> lines;
    for (const CheckLine& check : checks) {
      texts.push_back(check.text);
      EXPECT_GT(check.line, 0);
      lines.insert(check.line);
    }
    EXPECT_EQ(texts, c.checks);
    EXPECT_EQ(lines.size(), checks.size()) << "each check has a line of its own";
#endif
    std::vector<ProjectNode*> configs = Children(host.root(), "Configurations");
    size_t count = configs.empty() ? 0 : Children(configs[0], "Configuration").size();
    EXPECT_EQ(count, c.configurations);
    EXPECT_EQ(Children(host.root(), "Files").size(), c.files ? 1u : 0u);
    if (c.files) {
      EXPECT_EQ(Shape(Children(host.root(), "Files")[0]),
                "Files\n"
                "  Filter Name=Source\n"
                "    File RelativePath=.\\src\\main.c\n"
                "    File RelativePath=.\\src\\startup.a51\n"
                "      FileConfiguration Name=Debug\n"
                "    Filter Name=Drivers\n"
                "      File RelativePath=.\\drv\\uart.c\n"
                "  Filter Name=Docs & Notes\n");
    }
    host_.Install(table_);
  }
}

TEST_F(UvprojImportTest, HostRefusingConfigurationsFailsSaveOptions) {
  std::string path = Stage({{"two_targets.uvproj", "Blinky.uvproj"}});
  host_.fail_add_child = true;
  EXPECT_EQ(Import(path), "<null>");
#if !defined(_WIN32)
  EXPECT_EQ(CheckTexts(), (Strings{"xml.Load(uvopt)", "m_pcfgs", "save_options()"}));
#endif
  EXPECT_TRUE(Children(host_.root(), "Configurations").empty());
}

TEST_F(UvprojImportTest, MissingFileOrOtherExtensionImportsNothing) {
  std::string other = Stage({{"two_targets.uvproj", "Blinky.xml"}});
  EXPECT_EQ(Import(other), "<null>");
  EXPECT_EQ(Import(temp_.path() + "Missing.uvproj"), "<null>");
  EXPECT_EQ(Import(temp_.path() + "Missing.uv2"), "<null>");
  EXPECT_TRUE(host_.calls.empty());
  EXPECT_TRUE(Checks().empty());
}

#if !defined(_WIN32)
TEST_F(UvprojImportTest, PathWithNonAsciiBytesImports) {
  std::string path = Stage({{"two_targets.uvproj", "\xE5\xB7\xA5\xE7\xA8\x8B.uvproj"},
                            {"two_targets.uvopt", "\xE5\xB7\xA5\xE7\xA8\x8B.uvopt"}});
  EXPECT_EQ(Import(path), "Release");
}
#endif

// The final message box is the system's in the loaded plug-in; here the
// entry runs on a state of its own with a recording interface.
class TableServices final : public HostServices {
 public:
  explicit TableServices(PluginInterface* table) : table_(table) {}
  void UpdateNode(ProjectNode* target, ProjectNode* detached) override {
    table_->HostUpdateNode(target, detached);
  }
  ProjectNode* AddChild(ProjectNode* parent, const char* element, const char* name) override {
    return table_->HostAddChild(parent, element, name);
  }
  bool RunCommand(const char*, int*) override { return false; }
  void Output(const char*, int) override {}
  void TranslationDone() override {}
  void SetDriverSetting(const char*, const char*) override {}
  void DeviceChanged(void*) override {}

 private:
  PluginInterface* table_;
};

// A group or file the first target leaves out of its build is left out of
// that configuration's build: its scope for it says so.
TEST_F(UvprojImportTest, GroupsAndFilesLeftOutOfTheBuildStayOut) {
  FakeHost host;
  host.Install(table_);
  const std::string path = Stage({{"group_option.uvproj", "group_option.uvproj"}});
  ASSERT_NE(table_->ImportProject(host.root(), path.c_str()), 0);
  const ProjectNode* files = Children(host.root(), "Files").at(0);
  const std::vector<ProjectNode*> groups = Children(files, "Filter");
  ASSERT_EQ(groups.size(), 2u);
  const ProjectNode* startup = Children(groups[0], "File").at(1);
  const std::vector<ProjectNode*> file_scopes = Children(startup, "FileConfiguration");
  const std::vector<ProjectNode*> group_scopes = Children(groups[1], "FilterConfiguration");
  for (const std::vector<ProjectNode*>* scopes : {&file_scopes, &group_scopes}) {
    ASSERT_EQ(scopes->size(), 1u);
    int include = 2;
    ASSERT_NE(GetAttributeInt((*scopes)[0], "IncBld", &include), nullptr);
    EXPECT_EQ(include, 0);
  }
  // The left-out group's file says so itself.
  const ProjectNode* readme = Children(groups[1], "File").at(0);
  ASSERT_EQ(Children(readme, "FileConfiguration").size(), 1u);
  EXPECT_TRUE(Children(groups[0], "FilterConfiguration").empty());
  EXPECT_TRUE(Children(Children(groups[0], "File").at(0), "FileConfiguration").empty());
}

TEST_F(UvprojImportTest, FailureShowsOneMessageBoxWithTheFirstErrorText) {
  struct Case {
    const char* fixture;
    const char* message;  // null: success, no message box
  };
  const Case cases[] = {
      {"two_targets.uvproj", nullptr},
      {"damaged.uvproj", kDamaged},
      {"binary.uvproj", kDamaged},
      {"other_schema.uvproj", kNotSupported},
      {"wrong_header.uvproj", kNotSupported},
      {"missing_vector.uvproj", kNotSupported},
      {"group_option.uvproj", nullptr},  // a group's options are stepped past
      {"group_unknown.uvproj", kFilesFailed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fixture);
    FakeHost host;
    PluginInterface table{};
    host.Install(&table);
    TableServices services(&table);
    HeadlessInterface ui;
    PluginState state;
    state.context = *host.Context();
    state.host = &services;
    state.ui = &ui;
    std::string path = Stage({{c.fixture, c.fixture}});
    const char* result = ImportProject(&state, host.root(), path.c_str());
    if (!c.message) {
      ASSERT_NE(result, nullptr);
      EXPECT_EQ(result, state.imported_name.c_str());
      EXPECT_EQ(state.imported_name, "Debug");
      EXPECT_TRUE(ui.messages.empty());
      continue;
    }
    EXPECT_EQ(result, nullptr);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, c.message);
    EXPECT_EQ(ui.messages[0].caption, "");
    EXPECT_EQ(ui.messages[0].buttons, MessageButtons::kOk);
    Checks();  // drained, so that the next case starts clean
  }
  host_.Install(table_);
}

}  // namespace
}  // namespace c51::test
