// Projects made on Windows, imported and built by corvane-c51 as a process
// on POSIX: names written in another letter case than on disk, Chinese
// names in GBK project files and in UTF-8 ones, Chinese folders, and user
// commands that need the programs of the user's PATH.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "build_lines.h"
#include "host/host_tree.h"
#include "host/project_file.h"
#include "platform/codepage.h"
#include "platform/dir_list.h"
#include "platform/env.h"
#include "platform/fs.h"
#include "platform/path.h"
#include "project/node.h"
#include "run_host.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

#if !defined(_WIN32)

namespace c51::host {
namespace {

using test::HasLineWith;
using test::HostRun;
using test::Lines;
using test::RunHost;
using test::SetTimeForward;
using test::Translated;

// GBK texts of the fixtures, with their UTF-8 forms where output shows them.
// "stepper motor"
constexpr char kMotorGbk[] = "\xB2\xBD\xBD\xF8\xC2\xED\xB4\xEF";
// "main program"
constexpr char kMainGbk[] = "\xD6\xF7\xB3\xCC\xD0\xF2";
constexpr char kMainUtf8[] = "\xE4\xB8\xBB\xE7\xA8\x8B\xE5\xBA\x8F";
// "source files"
constexpr char kSourcesGbk[] = "\xD4\xB4\xCE\xC4\xBC\xFE";
constexpr char kSourcesUtf8[] = "\xE6\xBA\x90\xE6\x96\x87\xE4\xBB\xB6";
// "output"
constexpr char kOutputGbk[] = "\xCA\xE4\xB3\xF6";
constexpr char kOutputUtf8[] = "\xE8\xBE\x93\xE5\x87\xBA";
// "test"
constexpr char kTestUtf8[] = "\xE6\xB5\x8B\xE8\xAF\x95";

bool IsUtf8(const std::string& text) {
  std::string ignored;
  return ConvertCodePage(text, kCodePageUtf8, kCodePageUtf8, &ignored);
}

std::string Utf8(const std::string& gbk) {
  std::string out;
  EXPECT_TRUE(ConvertCodePage(gbk, kCodePageGbk, kCodePageUtf8, &out)) << gbk;
  return out;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

// Each test runs with the simulated toolchain and with the one on SDCC.
struct Toolchain {
  const char* name;
  const char* folder;   // beside the test program; "" for the simulated one, the default
  const char* example;  // a uVision 4 example that builds with it: folder, project, main source
  const char* project;
  // Its after-build command, replaced by one that needs a program of PATH;
  // "" when it has none.
  const char* after_build;
};

const Toolchain kToolchains[] = {
    {"simulated", "", "blinky", "blinky.uvproj", "echo Debug build finished"},
    {"sdcc", "sdcctool/C51", "blinky_sdcc", "blinky_sdcc.uvproj", ""},
};

void PrintTo(const Toolchain& toolchain, std::ostream* os) {
  *os << toolchain.name;
}

class WindowsNamesTest : public ::testing::TestWithParam<Toolchain> {
 protected:
  void SetUp() override {
    ASSERT_FALSE(dir_.path().empty());
    if (*GetParam().folder != '\0' && !PathExists(ToolchainFolder() + "/BIN/C51.exe")) {
      GTEST_SKIP() << "no " << GetParam().name << " toolchain";
    }
  }

  std::string Path(const std::string& name) const { return dir_.path() + name; }
  void Write(const std::string& name, const std::string& text) {
    const size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos) {
      ASSERT_TRUE(CreateDirectories(Path(name.substr(0, slash))));
    }
    std::string err;
    ASSERT_TRUE(WriteWholeFile(Path(name), text, &err)) << err;
  }
  std::string Read(const std::string& name) const {
    std::string text, err;
    return ReadWholeFile(Path(name), &text, &err) == ReadStatus::kOkay ? text : "<missing>";
  }
  // True when the folder holds an entry whose name is exactly `native` on
  // disk (no letter-case match).
  bool OnDisk(const std::string& native) const {
    return std::filesystem::exists(NativeSpelling(dir_.path()) + native);
  }
  HostRun Run(const std::vector<std::string>& args) { return RunHost(args, dir_.path()); }
  std::string ToolchainFolder() const { return ExecutableDirectory() + GetParam().folder; }
  HostRun Build(const std::string& project) {
    if (*GetParam().folder == '\0') return Run({"build", "-p", project});
    return Run({"--toolchain", ToolchainFolder(), "build", "-p", project});
  }
  // The run's output: valid UTF-8, no error.
  static void ExpectClean(const HostRun& run) {
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_TRUE(IsUtf8(run.out)) << run.out;
    EXPECT_TRUE(IsUtf8(run.err)) << run.err;
  }
  // The copy of an example's folder under `into` (a text of ours).
  void CopyExample(const std::string& example, const std::string& into) {
    std::error_code ec;
    std::filesystem::create_directories(test::FsPath(Path(into)), ec);
    std::filesystem::copy(test::FsPath(ExecutableDirectory() + "examples/" + example),
                          test::FsPath(Path(into)), std::filesystem::copy_options::recursive, ec);
    ASSERT_FALSE(ec) << ec.message();
  }

  // The plug-in and this test agree on the code page, the default one,
  // whatever the environment of the run says.
  test::ScopedEnv code_page_{"C51_LOCAL_CODEPAGE", nullptr};
  test::ScopedTempDir dir_{"c51names"};
};

// A uVision 2 project whose options file is spelled ".Opt", whose sources
// are listed in another case than on disk and whose includes use another
// case, "\" and blanks.
TEST_P(WindowsNamesTest, MixedCaseUv2ImportsBuildsRebuildsAndCleans) {
  Write("MOTOR.uv2",
        "### uVision2 Project, (C) Keil Software\r\n### Do not modify !\r\n\r\n"
        "Target (Target 1), 0x0000 // Tools: 'MCS-51'\r\n\r\n"
        "Group (Source Group 1)\r\n\r\n"
        "File 1,1,<.\\SRC\\Main.C><Main.C>\r\n"
        "File 1,1,<.\\src\\TIMER.c><TIMER.c>\r\n\r\n"
        "Options 1,0,0  // Target 'Target 1'\r\n"
        " Device (AT89C52)\r\n Cpu (IRAM(0-0xFF) IROM(0-0x1FFF) CLOCK(12000000))\r\n"
        " OutDir (.\\Objects\\)\r\n OutName (motor)\r\n LstDir (.\\Listings\\)\r\nEndOpt\r\n");
  Write("MOTOR.Opt",
        "### uVision2 Project, (C) Keil Software\r\n\r\n"
        "Target (Target 1), 0x0000 // Tools: 'MCS-51'\r\n OPTFL 1,4,1\r\n CLK51 (12000000)\r\n");
  Write("src/main.c",
        "#include \"Board.H\"\n#include < reg52.h >\n#include \"lib\\CH554.H\"\n\n"
        "void main(void) {\n  while (1) {\n    P1 = LED_ON;\n  }\n}\n");
  Write("src/board.h", "#define LED_ON 0x55\n");
  Write("src/lib/ch554.h", "#define CH554 1\n");
  Write("src/timer.c", "#include \"BOARD.h\"\n\nunsigned char ticks = LED_ON;\n");

  HostRun import = Run({"import", Path("MOTOR.uv2"), "-o", Path("motor.cvproj")});
  ExpectClean(import);
  EXPECT_NE(import.out.find("active configuration \"Target 1\""), std::string::npos) << import.out;
  // The output folder and name come from the options file's current target.
  HostTree tree;
  std::string err;
  ASSERT_EQ(LoadProjectFile(Path("motor.cvproj"), &tree, &err), LoadStatus::kOkay) << err;
  ProjectNode* config =
      FirstChildNamed(FirstChildNamed(tree.root(), "Configurations"), "Configuration");
  ASSERT_NE(config, nullptr);
  EXPECT_STREQ(GetAttributeText(config, "OutputDirectory"), ".\\Objects\\");

  HostRun first = Build(Path("motor.cvproj"));
  ExpectClean(first);
  EXPECT_EQ(Translated(first.out, 2).size(), 2u) << first.out;
  EXPECT_TRUE(OnDisk("Objects/motor.hex")) << first.out;
  EXPECT_EQ(test::LastLine(first.out), "\"motor\" - 0 error(s), 0 warning(s).") << first.out;

  HostRun second = Build(Path("motor.cvproj"));
  ExpectClean(second);
  EXPECT_TRUE(Translated(second.out, 2).empty()) << second.out;

  // The header, recorded as the sources spell it, changes: both rebuild.
  ASSERT_TRUE(SetTimeForward(Path("src/board.h"), 2));
  HostRun third = Build(Path("motor.cvproj"));
  ExpectClean(third);
  EXPECT_EQ(Translated(third.out, 2).size(), 2u) << third.out;

  // Every dependency listed is a file that exists under that name (inside
  // the project, the name follows the project folder's text).
  HostRun deps = Run({"deps", "-p", Path("motor.cvproj"), "SRC\\Main.C"});
  ExpectClean(deps);
  const std::vector<std::string> listed = Lines(deps.out);
  EXPECT_GE(listed.size(), 3u) << deps.out;
  std::string project_folder = NativeSpelling(dir_.path());
  project_folder.pop_back();
  for (const std::string& name : listed) {
    EXPECT_TRUE(std::filesystem::exists(name) || std::filesystem::exists(project_folder + name))
        << name;
  }

  HostRun clean = Run({"clean", "-p", Path("motor.cvproj")});
  ExpectClean(clean);
  EXPECT_FALSE(OnDisk("Objects/motor.hex"));
  std::vector<std::string> left;
  ASSERT_TRUE(ListFiles(Path("Objects"), &left));
  for (const std::string& name : left) {
    EXPECT_EQ(name.find(".obj"), std::string::npos) << name;
    EXPECT_EQ(name.find(".OBJ"), std::string::npos) << name;
  }
}

// A uVision 4 project (UTF-8 XML) in a Chinese folder, with a Chinese
// source name and an after-build command that needs a program of PATH.
TEST_P(WindowsNamesTest, ChineseUvprojInAChineseFolderBuildsAndWritesUtf8) {
  const std::string folder = std::string(kMotorGbk) + "/";
  const Toolchain& toolchain = GetParam();
  ASSERT_NO_FATAL_FAILURE(CopyExample(toolchain.example, folder));
  const std::string project_name(toolchain.project);
  const std::string uvproj = Read(folder + project_name);
  std::string changed = ReplaceAll(uvproj, "main.c", std::string(kMainUtf8) + ".c");
  const bool after_build = *toolchain.after_build != '\0';
  if (after_build) changed = ReplaceAll(changed, toolchain.after_build, "touch built.flag");
  Write(folder + kMotorGbk + ".uvproj", changed);
  const std::string options = project_name.substr(0, project_name.size() - 4) + "opt";
  Write(folder + kMotorGbk + ".uvopt", Read(folder + options));
  Write(folder + "src/" + kMainGbk + ".c", Read(folder + "src/main.c"));
  ASSERT_TRUE(RemoveFile(Path(folder + "src/main.c")));

  const std::string project = Path(folder + "p.cvproj");
  ExpectClean(Run({"import", Path(folder + kMotorGbk + ".uvproj"), "-o", project}));
  const std::string saved = Read(folder + "p.cvproj");
  EXPECT_TRUE(IsUtf8(saved));
  EXPECT_NE(saved.find("RelativePath=\".\\src\\" + std::string(kMainUtf8) + ".c\""),
            std::string::npos)
      << saved;

  HostRun build = Build(project);
  ExpectClean(build);
  EXPECT_TRUE(HasLineWith(build.out, {std::string(kMainUtf8) + ".c"})) << build.out;
  EXPECT_TRUE(OnDisk(Utf8(kMotorGbk) + "/Debug/p.hex")) << build.out;
  if (after_build) {
    EXPECT_TRUE(OnDisk(Utf8(kMotorGbk) + "/built.flag")) << build.out;
  }

  HostRun compdb = Run({"compdb", "-p", project});
  ExpectClean(compdb);
  const std::string json = Read(folder + "compile_commands.json");
  EXPECT_TRUE(IsUtf8(json));
  const std::string source = NativeSpelling(Path(folder + "src/")) + std::string(kMainUtf8) + ".c";
  EXPECT_NE(json.find("\"file\": \"" + source + "\""), std::string::npos) << json;
}

// A uVision 2 project written in GBK names a Chinese group, folder and
// source; the names survive the import, the build and a save.
TEST_P(WindowsNamesTest, GbkUv2WithChineseNamesBuilds) {
  const std::string source = std::string(kSourcesGbk) + "\\" + kMainGbk + ".c";
  // A second file of a Chinese name, with code on the same lines: the two
  // modules' line records must not share names.
  const std::string other = std::string(kSourcesGbk) + "\\\xB2\xE2\xCA\xD4.c";  // GBK "test"
  Write("gbk.uv2", "Target (Debug), 0x0000 // Tools: 'MCS-51'\r\nGroup (" +
                       std::string(kSourcesGbk) + ")\r\nFile 1,1,<.\\" + source + "><" + kMainGbk +
                       ".c>\r\nFile 1,1,<.\\" + other + "><other.c>\r\n");
  Write(source, "void helper(void);\nvoid main(void) {\n  helper();\n}\n");
  Write(other, "unsigned char x;\nvoid helper(void) {\n  x = 1;\n}\n");
  ExpectClean(Run({"import", Path("gbk.uv2"), "-o", Path("gbk.cvproj")}));
  const std::string saved = Read("gbk.cvproj");
  EXPECT_NE(saved.find(std::string(kSourcesUtf8) + "\\" + kMainUtf8 + ".c"), std::string::npos)
      << saved;

  HostRun build = Build(Path("gbk.cvproj"));
  ExpectClean(build);
  EXPECT_TRUE(OnDisk("Debug/gbk.hex")) << build.out;
  HostRun show = Run({"show", "-p", Path("gbk.cvproj")});
  ExpectClean(show);
  EXPECT_NE(show.out.find(kSourcesUtf8), std::string::npos) << show.out;
}

// Names typed by the user: a source added, an output folder chosen in the
// settings dialog; and a name the local code page cannot hold.
TEST_P(WindowsNamesTest, NamesTypedByTheUserKeepTheirCharacters) {
  ExpectClean(Run({"new", Path("typed.cvproj")}));
  const std::string source = std::string("src/") + "\xB2\xE2\xCA\xD4" + ".c";  // GBK "test"
  Write(source, "void main(void) {\n}\n");
  HostRun add = Run({"add", "-p", Path("typed.cvproj"), Path(source)});
  ExpectClean(add);
  EXPECT_NE(add.out.find(std::string(kTestUtf8) + ".c"), std::string::npos) << add.out;
  EXPECT_NE(Read("typed.cvproj").find(std::string(kTestUtf8) + ".c"), std::string::npos);

  Write(std::string(kOutputGbk) + "/keep", "");
  HostRun settings = Run({"settings", "-p", Path("typed.cvproj"), "page Output",
                          "folder " + Path(kOutputGbk), "click 1244", "ok"});
  ExpectClean(settings);
  EXPECT_NE(Read("typed.cvproj").find(std::string(".\\") + kOutputUtf8 + "\\"), std::string::npos);
  HostRun build = Build(Path("typed.cvproj"));
  ExpectClean(build);
  EXPECT_TRUE(OnDisk(std::string(kOutputUtf8) + "/typed.hex")) << build.out;
  // No second folder named by the GBK bytes.
  EXPECT_FALSE(OnDisk(kOutputGbk));

  // Thai KO KAI has no GBK form. (Last in the argument, its UTF-8 bytes are
  // no GBK text either, so they reach the program as typed.)
  HostRun refused = Run({"new", dir_.path() + "x.cvproj\xE0\xB8\x81"});
  EXPECT_EQ(refused.status, 2);
  EXPECT_NE(refused.err.find("cannot be written in the local code page 936"), std::string::npos)
      << refused.err;
}

INSTANTIATE_TEST_SUITE_P(Toolchains, WindowsNamesTest, ::testing::ValuesIn(kToolchains),
                         [](const ::testing::TestParamInfo<Toolchain>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace c51::host

#endif  // !_WIN32
