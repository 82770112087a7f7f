// What surrounds the walk: the tool checks, the environment the tools get,
// the stop request, and folder names with blanks and non-ASCII bytes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/engine_fixture.h"
#include "platform/env.h"
#include "platform/fs.h"
#include "platform/path.h"
#include "project/node.h"
#include "support/messages.h"

namespace c51::test {
namespace {

using Strings = std::vector<std::string>;

// Hooks in front of the fake host's services, for one test at a time.
PluginInterface* g_table = nullptr;
void(C51_CDECL* g_output)(const char*, int) = nullptr;
int(C51_CDECL* g_run)(const char*, int, int, int, int*) = nullptr;
// "<command>: PATH=<value or (unset)> C51INC=<value> C51LIB=<value>"
Strings g_environments;

void C51_CDECL StopAfterFirstCompile(const char* text, int kind) {
  g_output(text, kind);
  if (kind == 1 && std::strncmp(text, "compiling ", 10) == 0) g_table->StopBuild();
}

std::string Variable(const char* name) {
  std::string value;
  return GetEnv(name, &value) ? value : "(unset)";
}

int C51_CDECL RecordEnvironment(const char* line, int a, int b, int c, int* exit_code) {
  g_environments.push_back(std::string(line) + ": PATH=" + Variable("PATH") +
                           " C51INC=" + Variable("C51INC") + " C51LIB=" + Variable("C51LIB"));
  return g_run(line, a, b, c, exit_code);
}

class BuildControlTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    g_table = table_;
    g_output = table_->HostOutput;
    g_run = table_->HostRunCommand;
    g_environments.clear();
  }

  // The project folder as the plug-in derives it: full, short, no separator.
  std::string ProjectFolder() const {
    return ShortPath(FullPath(project_.substr(0, project_.size() - 1)));
  }
  // The include folder of the toolchain in `bin`, as located.
  static std::string IncludeFolder(const std::string& bin) {
    return bin.substr(0, bin.size() - 4) + "INC\\";
  }
};

TEST_F(BuildControlTest, AStopRequestEndsTheWalkWithoutSummaryOrAfterBuild) {
  for (const char* name : {"a.c", "b.c", "c.c"}) {
    Write(name, "int x;\n");
    AddFile(Files(), name);
  }
  host_.Set(config_, "BeforeBuild", "1?before?0??");
  host_.Set(config_, "AfterBuild", "1?after?0??");
  Open();
  table_->HostOutput = StopAfterFirstCompile;
  table_->HostRunCommand = RecordEnvironment;
  const std::string path_before = Variable("PATH");

  EXPECT_EQ(Build(), 0);
  EXPECT_EQ(Lines(),
            (Strings{"build target 'proj-Debug'", "compiling a.c...", "Program build aborted."}));
  ASSERT_EQ(g_environments.size(), 1u);
  EXPECT_EQ(g_environments[0].substr(0, 8), "before: ");
  EXPECT_EQ(Variable("PATH"), path_before);
  EXPECT_FALSE(Exists("Debug/proj.lnp"));

  // The next build starts with the flag set again.
  table_->HostOutput = g_output;
  EXPECT_EQ(Build(), 1);
  EXPECT_EQ(LinesStartingWith("compiling "), (Strings{"compiling b.c...", "compiling c.c..."}));
}

TEST_F(BuildControlTest, ToolsSeeTheirVariablesAndPathComesBackAfterEveryBuild) {
  host_.device_properties = {"CPU=IRAM(0-0xFF)", "REGFILE=(<Atmel>)"};
  Write("good.c", "int x;\n");
  AddFile(Files(), "good.c");
  host_.Set(config_, "BeforeBuild", "1?before?0??");
  host_.Set(config_, "BeforeCmp", "1?compile?0??");
  host_.Set(config_, "AfterBuild", "1?after?0??");
  Open();
  table_->HostRunCommand = RecordEnvironment;
  const std::string inc = IncludeFolder(SimToolBin());
  const std::string lib = inc.substr(0, inc.size() - 4) + "LIB\\";
  const std::string path_before = Variable("PATH");
  ASSERT_NE(path_before, "(unset)");

  ASSERT_EQ(Build(), 1);
  ASSERT_EQ(g_environments.size(), 3u);
  EXPECT_EQ(g_environments[0].substr(0, 13 + path_before.size()), "before: PATH=" + path_before);
  // Windows still searches its system folders; POSIX keeps the old PATH
  // after the project folder so that user commands find their programs.
  const std::string tool_path = NativePathStyle() == PathStyle::kWindows
                                    ? ProjectFolder()
                                    : ProjectFolder() + ":" + path_before;
  EXPECT_EQ(g_environments[1],
            "compile: PATH=" + tool_path + " C51INC=" + inc + ";" + inc + "Atmel\\ C51LIB=" + lib);
  EXPECT_EQ(g_environments[2].substr(0, 12 + path_before.size()), "after: PATH=" + path_before);
  EXPECT_EQ(Variable("PATH"), path_before);

  // A failed build restores it too, and still runs the after-build commands.
  Write("bad.c", "int y; // SIM: ERROR C141 syntax error\n");
  AddFile(Files(), "bad.c");
  g_environments.clear();
  EXPECT_EQ(Build(), 0);
  ASSERT_EQ(g_environments.size(), 3u);
  EXPECT_EQ(g_environments[2].substr(0, 12 + path_before.size()), "after: PATH=" + path_before);
  EXPECT_EQ(Variable("PATH"), path_before);

  // A PATH that was not set is removed again.
  ASSERT_TRUE(UnsetEnv("PATH"));
  g_environments.clear();
  EXPECT_EQ(Build(), 0);
  ASSERT_EQ(g_environments.size(), 3u);
  EXPECT_EQ(g_environments[1].substr(0, 14 + ProjectFolder().size()),
            "compile: PATH=" + ProjectFolder());
  EXPECT_EQ(Variable("PATH"), "(unset)");
}

// Each case loads its own copy of the plug-in: a toolchain that was found
// once stays in force for the process.
TEST(MissingToolTest, TheFirstMissingProgramEndsTheBuildWithItsMessage) {
  struct Case {
    Strings present;
    MessageId message;
  };
  const Case cases[] = {
      {{}, MessageId::kNoCompiler},
      {{"C51.exe"}, MessageId::kNoAssembler},
      {{"C51.exe", "A51.exe"}, MessageId::kNoLibraryManager},
      {{"C51.exe", "A51.exe", "Lib51.exe", "OH51.exe"}, MessageId::kNoLinker},
  };
  UnsetEnv("UV2FILE_OPEN_COMMAND");
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.present));
    ScopedTempDir dir;
    const std::string bin = dir.path() + "C51\\BIN\\";
    ASSERT_TRUE(CreateDirectories(bin));
    std::string err;
    // Never started: the build stops before any tool runs.
    for (const std::string& tool : c.present) ASSERT_TRUE(WriteWholeFile(bin + tool, "", &err));
    FakeHost host;
    PluginLibrary plugin;
    ASSERT_TRUE(plugin.Load(&err)) << err;
    host.Install(plugin.table());
    host.install_dir = ExecutableDirectory() + "fakehost";
    host.project_path = dir.path() + "proj.cvproj";
    host.AddConfiguration("Debug");
    SetEnv("FAKE_PREFERENCE_VALUE", "C51|a|b|c|" + bin + "|e*");
    plugin.table()->SetHostContext(host.Context());
    plugin.table()->OpenConfiguration(host.root(), "Debug");
    host.calls.clear();

    EXPECT_EQ(plugin.table()->BuildTarget(0), 0);
    ASSERT_EQ(host.calls.size(), 1u);
    EXPECT_EQ(host.calls[0].service, "Output");
    EXPECT_EQ(host.calls[0].args, (Strings{MessageText(c.message, Language::kChinese), "1"}));
    // GBK: "找不到" in front of every one of them.
    EXPECT_EQ(host.calls[0].args[0].substr(0, 6), "\xD5\xD2\xB2\xBB\xB5\xBD");
    UnsetEnv("FAKE_PREFERENCE_VALUE");
  }
}

TEST_F(BuildControlTest, WithoutTheHexConverterTheBuildGoesOnWithoutHexFile) {
  ScopedTempDir tools;
  UseToolchain(CopyToolchain(tools.path(), {"OH51.exe"}));
  Write("main.c", "void main(void) { }\n");
  AddFile(Files(), "main.c");
  Open();
  EXPECT_EQ(Build(), 1);
  const Strings lines = Lines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0], MessageText(MessageId::kNoHexConverter, Language::kChinese));
  EXPECT_EQ(lines[1], "build target 'proj-Debug'");
  EXPECT_TRUE(HasLine("linking..."));
  EXPECT_EQ(LinesStartingWith("creating hex file from ").size(), 1u);
  EXPECT_TRUE(Exists("Debug/proj"));
  EXPECT_FALSE(Exists("Debug/proj.hex"));
}

TEST_F(BuildControlTest, NothingHappensBeforeAConfigurationIsOpened) {
  table_->SetHostContext(host_.Context());
  EXPECT_EQ(table_->BuildTarget(0), 0);
  EXPECT_TRUE(host_.calls.empty());
}

// Blanks and GBK bytes in the project's and the toolchain's folders and in
// file names reach the tools and the file system intact.
TEST_F(BuildControlTest, FolderAndFileNamesWithBlanksAndNonAsciiBytesBuild) {
  ScopedTempDir tools;
  const std::string toolchain = tools.path() + "tool chain \xB9\xA4\xBE\xDF" +
                                (NativePathStyle() == PathStyle::kWindows ? "\\" : "/");
  ASSERT_TRUE(CreateDirectories(toolchain));
  UseToolchain(CopyToolchain(toolchain, {}));
  UseProjectFolder("my proj \xD6\xD0\xCE\xC4");
  Write("src dir/de fs.h", "#define N 1\n");
  Write("src dir/ma in.c", "#include \"de fs.h\"\n#include <REG51.H>\nvoid main(void) { }\n");
  Write("src dir/st art.a51", "        END\n");
  AddFile(Files(), "src dir/ma in.c");
  AddFile(Files(), "src dir/st art.a51");
  Open();
  ASSERT_EQ(Build(), 1) << ::testing::PrintToString(Lines());
  EXPECT_TRUE(HasLine("compiling ma in.c..."));
  EXPECT_TRUE(Exists("Debug/ma in.obj"));
  EXPECT_TRUE(Exists("Debug/st art.obj"));
  EXPECT_TRUE(Exists("Debug/proj.hex"));

  ASSERT_EQ(Build(), 1);
  EXPECT_TRUE(LinesStartingWith("compiling ").empty());
  ASSERT_TRUE(SetTimeForward(project_ + "src dir/de fs.h", 30));
  ASSERT_EQ(Build(), 1);
  EXPECT_EQ(LinesStartingWith("compiling "), (Strings{"compiling ma in.c..."}));
  EXPECT_TRUE(LinesStartingWith("assembling ").empty());
}

}  // namespace
}  // namespace c51::test
