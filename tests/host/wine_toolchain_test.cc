// A Windows toolchain installed in a wine prefix, built with by the native
// corvane-c51 as a Linux user would: no option, the installation found
// through the prefix's registry, every tool run through wine. The stand-in
// installation is the Windows (x86_64) build of the simulated toolchain in
// a fresh prefix under the build folder; its compiler records headers as a
// Windows compiler does (upper-case Windows names), so the up-to-date check
// has to map them back. Skipped, saying why, without wine or without the
// Windows build (C51_WIN64_TOOLS, else build/win64 beside this build);
// failed instead when C51_WINE_TESTS_REQUIRED is set.
#include <gtest/gtest.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "build_lines.h"
#include "platform/env.h"
#include "platform/fs.h"
#include "platform/path.h"
#include "run_host.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace c51::host {
namespace {

using test::FsPath;
using test::HasLine;
using test::HasLineWith;
using test::HostRun;
using test::Names;
using test::Translated;

std::string EnvOr(const char* name, const std::string& otherwise) {
  const char* value = getenv(name);
  return value != nullptr && *value != '\0' ? value : otherwise;
}

bool IsProgram(const std::string& path) {
  return !path.empty() && access(path.c_str(), X_OK) == 0 && !IsDirectory(path);
}

std::string InPath(const std::string& name) {
  const std::string path = EnvOr("PATH", "");
  for (size_t start = 0; start <= path.size();) {
    size_t end = path.find(':', start);
    if (end == std::string::npos) end = path.size();
    const std::string candidate = path.substr(start, end - start) + "/" + name;
    if (IsProgram(candidate)) return candidate;
    start = end + 1;
  }
  return std::string();
}

std::string Resolved(const std::string& path) {
  char buffer[PATH_MAX];
  return realpath(path.c_str(), buffer) != nullptr ? std::string(buffer) : path;
}

// Runs a command line through the shell; true when it exited with 0.
bool Shell(const std::string& line) {
  const int status = std::system(line.c_str());
  return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string Quoted(const std::string& text) {
  return "'" + text + "'";
}

// Everything the tests share: the launcher, the prefix and its stand-in
// installation, made once per run of this program.
struct WineSetup {
  std::string skip;  // why the tests cannot run; empty when they can
  std::string launcher;
  std::string server;
  std::string prefix;
  std::string windows_tools;  // the Windows build's simtool/C51

  void Make() {
    // Debian installs wine64 outside PATH; it is the launcher the
    // Windows tests of this repository use too.
    for (const std::string& candidate : {EnvOr("CORVANE_WINE", ""), InPath("wine"),
                                         InPath("wine64"), std::string("/usr/lib/wine/wine64")}) {
      if (IsProgram(candidate)) {
        launcher = candidate;
        break;
      }
    }
    if (launcher.empty()) {
      skip = "no wine (CORVANE_WINE, wine, wine64 on PATH, /usr/lib/wine/wine64)";
      return;
    }
    const std::string beside = Resolved(launcher).substr(0, Resolved(launcher).rfind('/') + 1);
    for (const std::string& candidate :
         {EnvOr("WINESERVER", ""), beside + "wineserver", InPath("wineserver")}) {
      if (IsProgram(candidate)) {
        server = candidate;
        break;
      }
    }
    if (server.empty()) {
      skip = "no wineserver beside " + launcher + " or on PATH";
      return;
    }
    windows_tools = EnvOr("C51_WIN64_TOOLS", ExecutableDirectory() + "../../win64/bin/simtool/C51");
    if (!PathExists(windows_tools + "/BIN/C51.exe")) {
      skip = "no Windows build of the simulated toolchain in " + windows_tools +
             " (build the win64 preset's simtool, or set C51_WIN64_TOOLS)";
      return;
    }
    prefix = ExecutableDirectory() + "wine-toolchain-prefix";
    const std::string env = "WINEPREFIX=" + Quoted(prefix) + " WINEDEBUG=-all ";
    // A fresh prefix, made by wine itself (its drives, its registry files),
    // then left alone by its server while the registry value goes in.
    Shell(env + Quoted(server) + " -k >/dev/null 2>&1");
    RemoveTree(prefix);
    if (!Shell(env + "WINEDLLOVERRIDES='mscoree,mshtml=' " + Quoted(launcher) +
               " wineboot --init >/dev/null 2>&1") ||
        !Shell(env + Quoted(server) + " -w") || !PathExists(prefix + "/system.reg")) {
      skip = "wine could not make a prefix in " + prefix;
      return;
    }
    CreateDirectories(prefix + "/drive_c/Keil/C51");
    std::error_code ec;
    std::filesystem::copy(FsPath(windows_tools), FsPath(prefix + "/drive_c/Keil/C51"),
                          std::filesystem::copy_options::recursive, ec);
    if (ec) {
      skip = "cannot copy the Windows tools: " + ec.message();
      return;
    }
    // What an installer writes: the command that opens project files.
    std::string reg;
    ReadWholeFile(prefix + "/system.reg", &reg, nullptr);
    reg +=
        "\n[Software\\\\Classes\\\\UV2FILE\\\\Shell\\\\open\\\\command] 1700000000\n"
        "@=\"\\\"C:\\\\Keil\\\\UV4\\\\Uv4.exe\\\" \\\"%1\\\"\"\n";
    WriteWholeFile(prefix + "/system.reg", reg, nullptr);
  }
};

const WineSetup& Shared() {
  static WineSetup setup;
  static bool made = false;
  if (!made) {
    made = true;
    setup.Make();
  }
  return setup;
}

struct Example {
  const char* folder;
  const char* project;
  const char* hex;
  std::vector<std::string> sources;  // in the order the build translates them
  const char* header;
  std::vector<std::string> header_users;
};

const Example kExamples[] = {
    {"blinky",
     "blinky.uvproj",
     "Debug/imported.hex",
     {"src/main.c", "src/delay.c", "startup/startup.a51"},
     "src/board.h",
     {"src/main.c", "src/delay.c"}},
    {"clock",
     "clock.uv2",
     "Objects/clock.hex",
     {"src/main.c", "src/clock.c", "src/display.c", "src/keys.c", "startup/startup.a51"},
     "src/display.h",
     {"src/main.c", "src/display.c"}},
};

class WineToolchainTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!Shared().skip.empty()) {
      // ./dev.sh test builds the win64 tools and installs wine first: a
      // skip there would hide a broken set-up.
      if (!EnvOr("C51_WINE_TESTS_REQUIRED", "").empty()) FAIL() << Shared().skip;
      GTEST_SKIP() << Shared().skip;
    }
    ASSERT_FALSE(dir_->path().empty());
  }

  void Copy(const Example& example) {
    std::string into = dir_->path();
    into.pop_back();
    std::error_code ec;
    std::filesystem::copy(FsPath(ExecutableDirectory() + "examples/" + example.folder),
                          FsPath(into), std::filesystem::copy_options::recursive, ec);
    ASSERT_FALSE(ec) << ec.message();
  }
  std::string Path(const std::string& relative) const { return dir_->path() + relative; }
  std::string Project() const { return Path("imported.cvproj"); }
  HostRun Run(const std::vector<std::string>& args) { return test::RunHost(args, dir_->path()); }
  void Import(const Example& example) {
    ASSERT_NO_FATAL_FAILURE(Copy(example));
    const HostRun run = Run({"import", Path(example.project), "-o", Project()});
    ASSERT_EQ(run.status, 0) << run.out << run.err;
  }
  HostRun Build() { return Run({"build", "-p", Project()}); }
  void Append(const std::string& relative, const std::string& text) {
    std::string before;
    ASSERT_EQ(ReadWholeFile(Path(relative), &before, nullptr), ReadStatus::kOkay);
    ASSERT_TRUE(WriteWholeFile(Path(relative), before + text, nullptr));
  }
  // The first folder the compiler searches: where the toolchain is.
  std::string IncludeFolder() {
    const HostRun run = Run({"includes", "-p", Project()});
    EXPECT_EQ(run.status, 0) << run.err;
    return NativeSpelling(run.out.substr(0, run.out.find('\n')));
  }

  std::unique_ptr<test::ScopedTempDir> dir_ = std::make_unique<test::ScopedTempDir>("c51wine");
  // Only what the test sets decides where the toolchain is.
  test::ScopedTempDir config_{"c51wineconfig"};
  test::ScopedEnv prefix_{"WINEPREFIX", Shared().prefix.c_str()};
  test::ScopedEnv launcher_{"CORVANE_WINE", Shared().launcher.c_str()};
  test::ScopedEnv quiet_{"WINEDEBUG", "-all"};
  test::ScopedEnv toolchain_{"CORVANE_C51_TOOLCHAIN", nullptr};
  test::ScopedEnv command_{"UV2FILE_OPEN_COMMAND", nullptr};
  test::ScopedEnv config_home_{"XDG_CONFIG_HOME", config_.path().c_str()};
};

TEST_F(WineToolchainTest, BuildsBothExamplesIncrementallyWithTheInstallationInThePrefix) {
  for (const Example& example : kExamples) {
    SCOPED_TRACE(example.folder);
    dir_ = std::make_unique<test::ScopedTempDir>("c51wine");
    ASSERT_NO_FATAL_FAILURE(Import(example));
    const int steps = static_cast<int>(example.sources.size());
    EXPECT_EQ(IncludeFolder(), Shared().prefix + "/drive_c/Keil/C51/INC/");

    const HostRun first = Build();
    ASSERT_EQ(first.status, 0) << first.out << first.err;
    EXPECT_EQ(Translated(first.out, steps), Names(example.sources)) << first.out;
    EXPECT_TRUE(PathExists(Path(example.hex)));
    EXPECT_TRUE(HasLineWith(first.out, {"(", ":C280:"})) << first.out;
    // The compiler ran under wine: its record names the header on drive Z:
    // in upper case, a name that exists nowhere as written.
    const std::string hex = example.hex;
    std::string object;
    ReadWholeFile(Path(hex.substr(0, hex.rfind('/') + 1) + "main.obj"), &object, nullptr);
    std::string header = "Z:" + Path(example.header);
    for (char& c : header) c = c == '/' ? '\\' : static_cast<char>(toupper(c));
    EXPECT_NE(object.find(header), std::string::npos) << header;
    // The dependency query hands out the header as the host can open it.
    const HostRun deps = Run({"deps", "-p", Project(), example.header_users[0]});
    EXPECT_TRUE(HasLineWith(deps.out, {example.header})) << deps.out;
    EXPECT_EQ(deps.out.find(":\\"), std::string::npos) << deps.out;

    const HostRun second = Build();
    ASSERT_EQ(second.status, 0) << second.out << second.err;
    EXPECT_TRUE(Translated(second.out, steps).empty()) << second.out;
    EXPECT_FALSE(HasLine(second.out, "linking...")) << second.out;

    ASSERT_NO_FATAL_FAILURE(Append(example.header, "/* changed */\n"));
    ASSERT_TRUE(test::SetTimeForward(Path(example.header), 2));
    const HostRun third = Build();
    ASSERT_EQ(third.status, 0) << third.out << third.err;
    EXPECT_EQ(Translated(third.out, steps), Names(example.header_users)) << third.out;
    EXPECT_TRUE(HasLine(third.out, "linking...")) << third.out;

    const HostRun clean = Run({"clean", "-p", Project()});
    ASSERT_EQ(clean.status, 0) << clean.out << clean.err;
    EXPECT_FALSE(PathExists(Path(example.hex)));
  }
}

TEST_F(WineToolchainTest, WithoutALauncherEveryToolFailsToStartAndSaysWhy) {
  ASSERT_NO_FATAL_FAILURE(Import(kExamples[0]));
  test::ScopedEnv nowhere("CORVANE_WINE", "/nowhere/wine");
  test::ScopedEnv path("PATH", Path("no-programs").c_str());
  const HostRun run = Build();
  EXPECT_EQ(run.status, 1) << run.out << run.err;
  EXPECT_TRUE(HasLineWith(
      run.out, {"*** ERROR: \"C51.exe\" could not be started", "/nowhere/wine", "wine64"}))
      << run.out;
  EXPECT_FALSE(PathExists(Path(kExamples[0].hex)));
}

TEST_F(WineToolchainTest, AToolThatCrashesUnderWineFailsItsFileOnly) {
  ASSERT_NO_FATAL_FAILURE(Import(kExamples[0]));
  ASSERT_NO_FATAL_FAILURE(Append("src/delay.c", "// SIM: CRASH\n"));
  const HostRun crashed = Build();
  EXPECT_EQ(crashed.status, 1) << crashed.out << crashed.err;
  EXPECT_TRUE(HasLine(crashed.out, "*** ERROR: \"C51.exe\" was ended by exception 0xC0000005"))
      << crashed.out;
  EXPECT_FALSE(HasLine(crashed.out, "linking...")) << crashed.out;
  EXPECT_FALSE(PathExists(Path("Debug/delay.obj")));

  // Only the file that crashed is translated again.
  std::string source;
  ReadWholeFile(Path("src/delay.c"), &source, nullptr);
  source.erase(source.find("// SIM: CRASH"));
  ASSERT_TRUE(WriteWholeFile(Path("src/delay.c"), source, nullptr));
  const HostRun next = Build();
  EXPECT_EQ(next.status, 0) << next.out << next.err;
  EXPECT_EQ(Translated(next.out, 3), Names({"src/delay.c"})) << next.out;
  EXPECT_TRUE(PathExists(Path(kExamples[0].hex)));
}

TEST_F(WineToolchainTest, APrefixWithoutTheRegistryValueLeavesTheNextRule) {
  ASSERT_NO_FATAL_FAILURE(Import(kExamples[0]));
  // A prefix of drives only: no registry names an installation.
  test::ScopedTempDir bare{"c51wineprefix"};
  ASSERT_TRUE(CreateDirectories(bare.path() + "dosdevices"));
  ASSERT_EQ(symlink("/", (bare.path() + "dosdevices/z:").c_str()), 0);
  test::ScopedEnv prefix("WINEPREFIX", bare.path().c_str());
  EXPECT_EQ(IncludeFolder(), NativeSpelling(ExecutableDirectory() + "simtool/C51/INC/"));

  // The installation root inside the prefix, given by hand, still works.
  const std::string root = Shared().prefix + "/drive_c/Keil";
  test::ScopedEnv real_prefix("WINEPREFIX", Shared().prefix.c_str());
  const HostRun run = Run({"build", "-p", Project(), "--toolchain", root});
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_TRUE(PathExists(Path(kExamples[0].hex)));
  std::string object;
  ReadWholeFile(Path("Debug/main.obj"), &object, nullptr);
  EXPECT_NE(object.find("Z:\\"), std::string::npos);
}

}  // namespace
}  // namespace c51::host
