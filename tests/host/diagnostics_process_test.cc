// corvane-c51 run as a process for what a terminal, an editor or a CI run
// reads: the toolchain report and the rule behind it, the simulated
// toolchain's notice, missing sources named before a build, diagnostics
// in the GNU layout with the file that exists, the deps listing.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "build_lines.h"
#include "platform/fs.h"
#include "platform/path.h"
#include "run_host.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace c51::host {
namespace {

using test::HasLine;
using test::HasLineWith;
using test::HostRun;
using test::Lines;
using test::ScopedEnv;

std::string Slashed(std::string path) {
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

class DiagnosticsProcessTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(dir_.path().empty()); }

  std::string Path(const std::string& relative) const { return dir_.path() + relative; }
  HostRun Run(const std::vector<std::string>& args) { return test::RunHost(args, dir_.path()); }
  void Write(const std::string& relative, const std::string& text) {
    const std::string path = Path(relative);
    ASSERT_TRUE(CreateDirectories(path.substr(0, path.find_last_of('/'))));
    std::string err;
    ASSERT_TRUE(WriteWholeFile(path, text, &err)) << err;
  }
  // A toolchain folder whose programs are Windows programs ("MZ").
  void FakeToolchain(const std::string& root, const std::vector<std::string>& programs) {
    for (const std::string& program : programs) Write(root + "/C51/BIN/" + program, "MZ\x90");
  }
  // A copy of the bundled blinky example imported into blinky.cvproj.
  void ImportBlinky() {
    std::string into = dir_.path();
    into.pop_back();
    std::error_code ec;
    std::filesystem::copy(test::FsPath(ExecutableDirectory() + "examples/blinky"),
                          test::FsPath(into), std::filesystem::copy_options::recursive, ec);
    ASSERT_FALSE(ec) << ec.message();
    HostRun run = Run({"import", Path("blinky.uvproj"), "-o", Path("blinky.cvproj")});
    ASSERT_EQ(run.status, 0) << run.out << run.err;
  }

  test::ScopedTempDir dir_{"c51diag"};
};

TEST_F(DiagnosticsProcessTest, ToolchainReportNamesTheRuleAndEachProgram) {
  const std::vector<std::string> all = {"C51.exe", "A51.exe", "BL51.exe", "Lib51.exe", "OH51.exe"};
  ASSERT_NO_FATAL_FAILURE(FakeToolchain("env", all));
  ASSERT_NO_FATAL_FAILURE(FakeToolchain("conf", all));
  ASSERT_NO_FATAL_FAILURE(FakeToolchain("option", {"C51.exe", "BL51.exe"}));
  ASSERT_NO_FATAL_FAILURE(FakeToolchain("keil", all));
  ASSERT_TRUE(CreateDirectories(Path("empty")));
  // The uVision file association; POSIX reads it from the environment.
  const std::string open_command = "\"" + Path("keil/UV4/Uv4.exe") + "\" \"%1\"";
  // The user's own configuration must not take part.
  const std::string config_home = Path("config");
  ASSERT_TRUE(CreateDirectories(config_home));
  ScopedEnv config(
#if defined(_WIN32)
      "APPDATA",
#else
      "XDG_CONFIG_HOME",
#endif
      config_home);
  const std::string wine =
      NativePathStyle() == PathStyle::kPosix ? "runs through wine" : "runs natively";
  const std::string env_folder = Path("env");

  struct Case {
    const char* name;
    const char* variable;     // CORVANE_C51_TOOLCHAIN; null: unset
    bool configuration_file;  // names conf/ when true
    std::vector<std::string> options;
    int status;
    std::vector<std::vector<std::string>> lines;  // each: parts of one line of the report
    const char* open_command = nullptr;           // UV2FILE_OPEN_COMMAND
  } cases[] = {
    {"bundled",
     nullptr,
     false,
     {},
     0,
     {{"found by:", "the bundled simulated toolchain"},
      {"C51.exe", "found", "runs natively"},
      {"OH51.exe", "found"},
      {"include:", "simtool/C51/INC/"},
      {"hex files are not firmware"}}},
    {"environment",
     env_folder.c_str(),
     true,
     {},
     0,
     {{"toolchain:", "env/C51/BIN/"},
      {"found by:", "CORVANE_C51_TOOLCHAIN"},
      {"Lib51.exe", "found", wine},
      {"include:", "env/C51/INC/", "(missing)"}}},
    {"configuration file",
     nullptr,
     true,
     {},
     0,
     {{"toolchain:", "conf/C51/BIN/"},
      {"found by:", "the configuration file", "corvane-c51"},
      {"A51.exe", "found", wine}}},
    {"option",
     env_folder.c_str(),
     true,
     {"--toolchain", Path("option")},
     1,
     {{"toolchain:", "option/C51/BIN/"},
      {"found by:", "--toolchain", "option"},
      {"C51.exe", "found", wine},
      {"A51.exe", "missing"},
      {"OH51.exe", "missing", "no hex file"}}},
#if !defined(_WIN32)
    {"plug-in rules",
     nullptr,
     false,
     {"--toolchain", Path("empty")},
     0,
     {{"toolchain:", "keil/C51/BIN/"},
      {"found by:", "the plug-in's location rules", "empty/", "holds no C51.exe"},
      {"OH51.exe", "found", wine},
      {"library:", "keil/C51/LIB/"}},
     open_command.c_str()},
#endif
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScopedEnv variable("CORVANE_C51_TOOLCHAIN", c.variable);
    ScopedEnv association("UV2FILE_OPEN_COMMAND", c.open_command);
    if (c.configuration_file) {
      ASSERT_NO_FATAL_FAILURE(
          Write("config/corvane-c51/toolchain", "\n  " + Path("conf") + "  \n"));
    } else {
      RemoveFile(Path("config/corvane-c51/toolchain"));
    }
    std::vector<std::string> args = {"toolchain"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const HostRun run = Run(args);
    EXPECT_EQ(run.status, c.status) << run.out << run.err;
    for (const std::vector<std::string>& parts : c.lines)
      EXPECT_TRUE(HasLineWith(run.out, parts)) << parts.front() << "\n" << run.out;
    const bool simulated = run.out.find("not firmware") != std::string::npos;
    EXPECT_EQ(simulated, std::string(c.name) == "bundled") << run.out;
    if (c.status == 1) {
      EXPECT_NE(run.err.find("A51.exe, Lib51.exe"), std::string::npos) << run.err;
    }
  }
}

TEST_F(DiagnosticsProcessTest, ABuildNamesMissingSourcesAndTheSimulatedToolchainOnce) {
  ASSERT_NO_FATAL_FAILURE(ImportBlinky());
  std::string delay, err;
  ASSERT_EQ(ReadWholeFile(Path("src/delay.c"), &delay, &err), ReadStatus::kOkay) << err;
  ASSERT_TRUE(RemoveFile(Path("src/delay.c")));
  const HostRun run = Run({"build", "-p", Path("blinky.cvproj")});
  EXPECT_TRUE(HasLineWith(run.err, {"warning: source file", "src/delay.c", "does not exist"}))
      << run.err;
  EXPECT_EQ(test::LineCount(run.err.substr(0, run.err.find("corvane-c51: the build"))), 1)
      << run.err;
  const std::vector<std::string> lines = Lines(run.out);
  const std::string notice =
      "using the simulated toolchain: the hex file is not real firmware; see corvane-c51 "
      "toolchain";
  size_t notices = 0, first_tool = lines.size(), notice_at = lines.size();
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] == notice) {
      ++notices;
      notice_at = i;
    }
    if (first_tool == lines.size() && lines[i].rfind("[1/", 0) == 0) first_tool = i;
  }
  EXPECT_EQ(notices, 1u) << run.out;
  EXPECT_LT(notice_at, first_tool) << run.out;

  ASSERT_NO_FATAL_FAILURE(Write("src/delay.c", delay));
  const HostRun built = Run({"build", "-p", Path("blinky.cvproj")});
  ASSERT_EQ(built.status, 0) << built.out << built.err;
  EXPECT_TRUE(built.err.empty()) << built.err;
  // Nothing to do: no tool line, no notice.
  const HostRun again = Run({"build", "-p", Path("blinky.cvproj")});
  ASSERT_EQ(again.status, 0) << again.out << again.err;
  EXPECT_FALSE(HasLine(again.out, notice)) << again.out;
#if !defined(_WIN32)
  // The same programs elsewhere are taken for a real toolchain.
  const std::string bundled = ExecutableDirectory() + "simtool/C51/";
  ASSERT_TRUE(CreateDirectories(Path("linked/BIN")));
  for (const std::string name : {"BIN/C51.exe", "BIN/A51.exe", "BIN/BL51.exe", "BIN/Lib51.exe",
                                 "BIN/OH51.exe", "INC", "LIB"}) {
    std::error_code ec;
    std::filesystem::create_symlink(bundled + name, Path("linked/" + name), ec);
    ASSERT_FALSE(ec) << ec.message();
  }
  const HostRun linked =
      Run({"build", "-p", Path("blinky.cvproj"), "--rebuild", "--toolchain", Path("linked")});
  ASSERT_EQ(linked.status, 0) << linked.out << linked.err;
  EXPECT_TRUE(HasLine(linked.out, "linking...")) << linked.out;
  EXPECT_FALSE(HasLine(linked.out, notice)) << linked.out;
#endif
}

TEST_F(DiagnosticsProcessTest, GnuDiagnosticsNameTheFileOnDisk) {
  ASSERT_NO_FATAL_FAILURE(ImportBlinky());
  const HostRun bad = Run({"build", "-p", Path("blinky.cvproj"), "--message-format", "vim"});
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.err.find("plain, gnu or github"), std::string::npos) << bad.err;

#if defined(_WIN32)
  // Open on Windows: the tools run in the short (8.3) form of the project
  // folder, and the names shown keep that form and the tools' letter case.
  GTEST_SKIP() << "names shown on Windows keep the tools' short folder names";
#endif
  const HostRun run = Run({"build", "-p", Path("blinky.cvproj"), "--message-format", "gnu"});
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  // Windows takes any case and keeps the compiler's.
  const std::string main_c = Slashed(
      NativeSpelling(Path(NativePathStyle() == PathStyle::kPosix ? "src/main.c" : "SRC/MAIN.C")));
  EXPECT_TRUE(HasLineWith(run.out, {main_c + ":6: warning: C280: 'UNUSED':"})) << run.out;
  EXPECT_TRUE(HasLine(
      run.out, "[3/3] assembling " + Slashed(NativeSpelling(Path("startup/startup.a51"))) + "..."))
      << run.out;

  // The headers a file depends on are listed as files that exist as written.
  const HostRun deps = Run({"deps", "-p", Path("blinky.cvproj"), Path("src/main.c")});
  ASSERT_EQ(deps.status, 0) << deps.err;
  const std::vector<std::string> listed = Lines(deps.out);
  ASSERT_FALSE(listed.empty()) << deps.out;
  for (const std::string& name : listed) {
    EXPECT_EQ(name.find('\\'), std::string::npos) << name;
    EXPECT_TRUE(std::filesystem::exists(test::FsPath(name))) << name;
  }
  EXPECT_TRUE(HasLineWith(deps.out, {"src/board.h"})) << deps.out;
}

}  // namespace
}  // namespace c51::host
