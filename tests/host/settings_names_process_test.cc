// corvane-c51 run as a process: settings by label, --list, the exit status
// of a refused action, the Debug page's record kept between runs, and the
// import's second step on a copy of the bundled uVision 4 example.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "host/host_platform.h"
#include "host/host_tree.h"
#include "host/project_file.h"
#include "platform/fs.h"
#include "project/node.h"
#include "run_host.h"
#include "support/fs_path.h"
#include "support/temp_dir.h"

namespace c51::host {
namespace {

using test::HostRun;

class SettingsNamesProcessTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(dir_.path().empty()); }

  HostRun Run(const std::vector<std::string>& args) {
    HostRun run = test::RunHost(args, dir_.path());
    std::erase(run.out, '\r');
    return run;
  }
  std::string Path(const std::string& name) const { return dir_.path() + name; }
  std::string Read(const std::string& name) const {
    std::string text, err;
    ReadWholeFile(Path(name), &text, &err);
    return text;
  }
  void Write(const std::string& name, const std::string& text) {
    std::string err;
    ASSERT_TRUE(WriteWholeFile(Path(name), text, &err)) << err;
  }
  std::string NewProject() {
    HostRun run = Run({"new", Path("demo.cvproj")});
    EXPECT_EQ(run.status, 0) << run.err;
    return Path("demo.cvproj");
  }
  // The attribute of the configuration named `config` in the saved file.
  // A key of the configuration, or of its tool node ("C51Tool", "A51Tool").
  std::string ConfigValue(const std::string& project, const std::string& config, const char* key,
                          const char* tool = nullptr) {
    HostTree tree;
    std::string err;
    EXPECT_EQ(LoadProjectFile(Path(project), &tree, &err), LoadStatus::kOkay) << err;
    ProjectNode* configs = FirstChildNamed(tree.root(), "Configurations");
    for (ProjectNode* c = configs ? configs->first_child : nullptr; c; c = c->next_sibling) {
      const char* name = GetAttributeText(c, "Name");
      if (!name || config != name) continue;
      ProjectNode* node = tool ? nullptr : c;
      for (ProjectNode* t = tool ? c->first_child : nullptr; t; t = t->next_sibling) {
        const char* tool_name = GetAttributeText(t, "Name");
        if (tool_name && std::string(tool_name) == tool) node = t;
      }
      if (!node) return "(no tool)";
      const char* value = GetAttributeText(node, key);
      return value ? value : "(none)";
    }
    return "(no configuration)";
  }

  test::ScopedTempDir dir_{"c51names"};
};

TEST_F(SettingsNamesProcessTest, ActionsNameControlsByLabelOrCaption) {
  const std::string project = NewProject();
  HostRun run = Run({"settings", "-p", project, "show", "type \"xtal (MHz)\" 11.0592",
                     "choose \"Memory Model:\" 2", "click Code Banking", "page 2",
                     "type \"Name of Executable\" firmware", "ok"});
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  for (const char* part : {
           "  1563 edit \"Xtal(MHz):\" \"24.000000\"\n",
           "> type \"xtal (MHz)\" 11.0592\n",
           "> click Code Banking\n",
           "  1563 edit \"Xtal(MHz):\" \"11.0592\"\n",
           "  1000 check [1] \"Code Banking\"\n",
       }) {
    EXPECT_NE(run.out.find(part), std::string::npos) << part << run.out;
  }
  EXPECT_EQ(run.out.find("-1 label"), std::string::npos) << run.out;
  EXPECT_EQ(ConfigValue("demo.cvproj", "Target 1", "SIMCLK"), "11.059200");
  EXPECT_EQ(ConfigValue("demo.cvproj", "Target 1", "MemMode"), "2");
  EXPECT_EQ(ConfigValue("demo.cvproj", "Target 1", "OutputName"), "firmware");
}

TEST_F(SettingsNamesProcessTest, ARefusedActionFailsTheCommandAfterTheReport) {
  const std::string project = NewProject();
  struct Case {
    std::vector<std::string> actions;
    const char* refused;
    const char* saved_clock;  // the actions around the refused one still count
  } cases[] = {
      {{"type Crystal 12", "type 1563 12", "ok"},
       "refused: type Crystal 12 (no control on page 1 \"Target\" is named \"Crystal\"; the names "
       "there: \"Target Device:\" (1242), \"Xtal(MHz):\" (1563)",
       "12.000000"},
      {{"type End 0x10", "type 1563 13", "ok"},
       "refused: type End 0x10 (\"End\" names several controls on page 1 \"Target\": \"End:\" "
       "(1002), \"End:\" (1003); give the id)",
       "13.000000"},
      // Unknown id and disabled control: refused by the plug-in itself.
      {{"type 4711 1", "type 1563 14", "ok"}, "refused: type 4711 1\n", "14.000000"},
      {{"type 1002 0x10", "type 1563 15", "ok"}, "refused: type 1002 0x10\n", "15.000000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.actions.front());
    std::vector<std::string> args = {"settings", "-p", project};
    args.insert(args.end(), c.actions.begin(), c.actions.end());
    HostRun run = Run(args);
    EXPECT_EQ(run.status, 2) << run.out << run.err;
    EXPECT_NE(run.out.find(c.refused), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("result: OK\n"), std::string::npos) << run.out;
    EXPECT_EQ(ConfigValue("demo.cvproj", "Target 1", "SIMCLK"), c.saved_clock);
  }
}

TEST_F(SettingsNamesProcessTest, ListPrintsEveryPageAsJson) {
  const std::string project = NewProject();
  ASSERT_EQ(Run({"settings", "-p", project, "type 1563 12", "ok"}).status, 0);
  const std::string before = Read("demo.cvproj");
  HostRun run = Run({"settings", "-p", project, "--list"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.rfind("{\n  \"pages\": [\n    {\n      \"index\": 0,\n", 0), 0u) << run.out;
  for (const char* part : {
           "\"caption\": \"Target\"",
           "{\"id\": 1563, \"kind\": \"edit\", \"label\": \"Xtal(MHz):\", \"value\": "
           "\"12.000000\", \"enabled\": true, \"visible\": true}",
           "{\"id\": 1000, \"kind\": \"check\", \"label\": \"Code Banking\", \"value\": 0,",
           "\"caption\": \"Debug\"",
           "\"index\": 9,",
       }) {
    EXPECT_NE(run.out.find(part), std::string::npos) << part << "\n" << run.out;
  }
  EXPECT_EQ(run.out.find("\"index\": 10,"), std::string::npos) << run.out;
  EXPECT_EQ(run.out.substr(run.out.size() - 4), "]\n}\n");
  // Looking writes nothing.
  EXPECT_EQ(Read("demo.cvproj"), before);
  EXPECT_EQ(Run({"settings", "-p", project, "--list", "ok"}).status, 2);
}

TEST_F(SettingsNamesProcessTest, TheDebugPageSettingsAreKept) {
  const std::string project = NewProject();
  // A new project starts with the record's initial values.
  HostRun run = Run({"settings", "-p", project, "page 9", "show", "cancel"});
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_NE(run.out.find("  1423 radio [1] \"Software Simulation\"\n  1424 radio [0]"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("  1451 check [1] \"Run to main()\"\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("  1452 check [0] \"Run to main()\"\n"), std::string::npos) << run.out;

  run = Run({"settings", "-p", project, "page 9", "click \"Hardware Emulation\"", "click 1451",
             "click 1452", "ok"});
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_NE(Read("demo.cvproj")
                .find("<DebugOptions Version=\"1\" UseSimulator=\"0\" "
                      "DriverIndex=\"-1\" SimulatorLoad=\"1\" "
                      "SimulatorRunToMain=\"0\" EmulatorLoad=\"1\" "
                      "EmulatorRunToMain=\"1\" Driver=\"\""),
            std::string::npos)
      << Read("demo.cvproj");
  run = Run({"settings", "-p", project, "page 9", "show", "cancel"});
  EXPECT_NE(run.out.find("  1423 radio [0] \"Software Simulation\"\n  1424 radio [1]"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("  1451 check [0] \"Run to main()\"\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("  1452 check [1] \"Run to main()\"\n"), std::string::npos) << run.out;

  // A project file from before the record was kept still loads, with the
  // initial record, and a Cancel leaves it as it was.
  std::string old = Read("demo.cvproj");
  const size_t element = old.find("  <DebugOptions ");
  ASSERT_NE(element, std::string::npos);
  old.erase(element, old.find('\n', element) + 1 - element);
  Write("demo.cvproj", old);
  run = Run({"settings", "-p", project, "page 9", "show", "cancel"});
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_NE(run.out.find("  1423 radio [1] \"Software Simulation\"\n"), std::string::npos)
      << run.out;
  EXPECT_EQ(Read("demo.cvproj"), old);
}

// The bundled uVision 4 example with the values the plug-in leaves out set
// to something else than the defaults.
class ImportExtrasProcessTest : public SettingsNamesProcessTest {
 protected:
  void SetUp() override {
    SettingsNamesProcessTest::SetUp();
    std::string into = dir_.path();
    into.pop_back();
    std::error_code ec;
    std::filesystem::copy(test::FsPath(ExecutableDirectory() + "examples/blinky"),
                          test::FsPath(into), std::filesystem::copy_options::recursive, ec);
    ASSERT_FALSE(ec) << ec.message();
    std::string uvproj = Read("blinky.uvproj");
    auto replace_first = [&](const std::string& from, const std::string& to) {
      const size_t at = uvproj.find(from);
      ASSERT_NE(at, std::string::npos) << from;
      uvproj.replace(at, from.size(), to);
    };
    replace_first("<OutputDirectory>.\\Debug\\</OutputDirectory>",
                  "<Vendor>Atmel</Vendor><Cpu>IRAM(0-0xFF) CLOCK(11059200)</Cpu>"
                  "<OutputDirectory>.\\Obj\\</OutputDirectory><OutputName>fw</OutputName>"
                  "<ListingPath>.\\Lst\\</ListingPath>");
    replace_first("<MemoryModel>0</MemoryModel>",
                  "<MemoryModel>2</MemoryModel><RTOS>0</RTOS><RomSize>1</RomSize>");
    replace_first(
        "<OutputDirectory>.\\Release\\</OutputDirectory>",
        "<OutputDirectory>..\\Release\\</OutputDirectory><OutputName>C:\\fw</OutputName>");
    Write("blinky.uvproj", uvproj);
  }
};

TEST_F(ImportExtrasProcessTest, TakesWhatThePluginLeavesOutThroughTheSettingsDialog) {
  HostRun run = Run({"import", Path("blinky.uvproj"), "-o", Path("p.cvproj")});
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  for (const char* part : {
           "taken: device AT89C52 (Atmel)\n",
           "taken into \"Debug\": crystal 11.0592 MHz\n",
           "taken into \"Debug\": memory model large\n",
           "taken into \"Debug\": code model compact\n",
           "taken into \"Debug\": output folder .\\Obj\\\n",
           "taken into \"Debug\": listing folder .\\Lst\\\n",
           "taken into \"Debug\": output name fw\n",
           "taken into \"Release\": memory model small\n",
           "\nstill left out: ",
       }) {
    EXPECT_NE(run.out.find(part), std::string::npos) << part << run.out;
  }
  EXPECT_EQ(run.out.find("taken into \"Release\": output"), std::string::npos) << run.out;
  EXPECT_NE(run.err.find("\"Release\": output folder \"..\\Release\\\" leaves the project folder"),
            std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("\"Release\": output name \"C:\\fw\" leaves the project folder"),
            std::string::npos)
      << run.err;
  struct Case {
    const char* config;
    const char* key;
    const char* value;
  } cases[] = {
      {"Debug", "SIMCLK", "11.059200"},
      {"Debug", "MemMode", "2"},
      {"Debug", "CodeMode", "1"},
      {"Debug", "OutputDirectory", ".\\Obj\\"},
      {"Debug", "ListingDirectory", ".\\Lst\\"},
      {"Debug", "OutputName", "fw"},
      {"Release", "OutputDirectory", ".\\Release\\"},
      {"Release", "OutputName", "p"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.config) + " " + c.key);
    EXPECT_EQ(ConfigValue("p.cvproj", c.config, c.key), c.value);
  }
  // The hex file lands where the uVision project put it.
  run = Run({"build", "-p", Path("p.cvproj"), "--config", "Debug"});
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_TRUE(PathExists(Path("Obj/fw.hex"))) << run.out;
}

// A uVision 2 project's import takes only the current target's folders:
// the host takes every target's values, the models, the C51 defines and
// the include folders from the targets' option blocks.
TEST_F(SettingsNamesProcessTest, ImportOfAUv2ProjectTakesItsTargetsOptions) {
  std::string into = dir_.path();
  into.pop_back();
  std::error_code ec;
  std::filesystem::copy(test::FsPath(ExecutableDirectory() + "examples/clock"), test::FsPath(into),
                        std::filesystem::copy_options::recursive, ec);
  ASSERT_FALSE(ec) << ec.message();
  std::string uv2 = Read("clock.uv2");
  auto replace_first = [&](const std::string& from, const std::string& to) {
    const size_t at = uv2.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    uv2.replace(at, from.size(), to);
  };
  // Lines as uVision 2 writes them, among others the host leaves alone.
  replace_first(" LstDir (.\\Listings\\)",
                " LstDir (.\\Listings\\)\r\n HexSel=0\r\n MODEL5=2\r\n RTOS5=0\r\n ROMSZ5=1\r\n"
                " C51FL=21630224\r\n C51DEF (DEBUG, HZ=50)\r\n C51UDF ()\r\n"
                " INCC5 (.\\inc;.\\src)\r\n INCA5 (.\\inc)");
  replace_first(" OutDir (.\\Release\\)", " MODEL5=0\r\n INCC5 ()\r\n OutDir (.\\Out\\)");
  Write("clock.uv2", uv2);
  HostRun run = Run({"import", Path("clock.uv2"), "-o", Path("p.cvproj")});
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  for (const char* part : {
           "taken into \"Debug\": memory model large\n",
           "taken into \"Debug\": code model compact\n",
           "taken into \"Debug\": C51 defines DEBUG, HZ=50\n",
           "taken into \"Debug\": C51 include folders .\\inc;.\\src\n",
           "taken into \"Debug\": A51 include folders .\\inc\n",
           "taken into \"Release\": memory model small\n",
           "taken into \"Release\": output folder .\\Out\\\n",
           "\nstill left out: ",
       }) {
    EXPECT_NE(run.out.find(part), std::string::npos) << part << run.out;
  }
  EXPECT_EQ(run.out.find("taken into \"Release\": C51 include"), std::string::npos) << run.out;
  EXPECT_EQ(ConfigValue("p.cvproj", "Debug", "MemMode"), "2");
  EXPECT_EQ(ConfigValue("p.cvproj", "Debug", "CodeMode"), "1");
  EXPECT_EQ(ConfigValue("p.cvproj", "Release", "MemMode"), "0");
  EXPECT_EQ(ConfigValue("p.cvproj", "Release", "OutputDirectory"), ".\\Out\\");
  EXPECT_EQ(ConfigValue("p.cvproj", "Debug", "C51DEF", "C51Tool"), "DEBUG, HZ=50");
  EXPECT_EQ(ConfigValue("p.cvproj", "Debug", "INCC5", "C51Tool"), ".\\inc;.\\src");
  EXPECT_EQ(ConfigValue("p.cvproj", "Debug", "INCA5", "A51Tool"), ".\\inc");
}

// A later uVision writes an 8051 project in the same XML as "uvprojx" with
// its options in "uvoptx": imported as the uvproj it is, current target
// and all, through copies that do not outlive the import.
TEST_F(ImportExtrasProcessTest, AProjectOfTheLaterExtensionImportsAsItsFormat) {
  std::string uvproj = Read("blinky.uvproj");
  const size_t schema = uvproj.find("<SchemaVersion>1.1</SchemaVersion>");
  ASSERT_NE(schema, std::string::npos);
  uvproj.replace(schema, 34, "<SchemaVersion>2.1</SchemaVersion>");
  const size_t end = uvproj.find("</Project>");
  ASSERT_NE(end, std::string::npos);
  uvproj.insert(end, "  <RTE>\n    <apis/>\n    <components/>\n  </RTE>\n");
  Write("fw.uvprojx", uvproj);
  Write("fw.uvoptx", Read("blinky.uvopt"));
  ASSERT_TRUE(RemoveFile(Path("blinky.uvproj")));
  HostRun run = Run({"import", Path("fw.uvprojx"), "-o", Path("fw.cvproj")});
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_NE(run.out.find("taken into \"Debug\": memory model large\n"), std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("active configuration \"Debug\""), std::string::npos) << run.out;
  EXPECT_EQ(ConfigValue("fw.cvproj", "Debug", "MemMode"), "2");
  EXPECT_FALSE(PathExists(Path("fw.uvproj")));
  run = Run({"build", "-p", Path("fw.cvproj"), "--config", "Debug"});
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_TRUE(PathExists(Path("Obj/fw.hex"))) << run.out;
}

// Repositories seldom keep the options file: the import says what its
// absence means after the plug-in's check line.
TEST_F(ImportExtrasProcessTest, AMissingOptionsFileIsExplained) {
  ASSERT_TRUE(RemoveFile(Path("blinky.uvopt")));
  HostRun run = Run({"import", Path("blinky.uvproj"), "-o", Path("p.cvproj")});
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  const size_t check = run.err.find("xml.Load(uvopt)");
  ASSERT_NE(check, std::string::npos) << run.err;
  EXPECT_NE(run.err.find("corvane-c51: note: the uVision options file (.uvopt)", check),
            std::string::npos)
      << run.err;
  EXPECT_NE(run.out.find("active configuration \"Debug\""), std::string::npos) << run.out;
}

TEST_F(ImportExtrasProcessTest, PluginOnlyLeavesTheHostsPartOut) {
  HostRun run = Run({"import", Path("blinky.uvproj"), "-o", Path("p.cvproj"), "--plugin-only"});
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_EQ(run.out.find("taken"), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find("still left out"), std::string::npos) << run.out;
  EXPECT_EQ(ConfigValue("p.cvproj", "Debug", "OutputDirectory"), ".\\Debug\\");
  EXPECT_EQ(ConfigValue("p.cvproj", "Debug", "OutputName"), "p");
  EXPECT_EQ(Read("p.cvproj").find("<Device "), std::string::npos);
}

}  // namespace
}  // namespace c51::host
