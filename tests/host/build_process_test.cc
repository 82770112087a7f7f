// The bundled examples imported and built by corvane-c51, run as a process
// with the simulated toolchain: progress and summary lines, a second build
// that finds everything up to date, a changed header, rebuild and clean, a
// failed compile and an interrupted build. Each test works on its own copy
// of the example.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "build_lines.h"
#include "platform/ascii_case.h"
#include "platform/codepage.h"
#include "platform/fs.h"
#include "platform/path.h"
#include "run_host.h"
#include "support/temp_dir.h"

#if !defined(_WIN32)
#include "host_process.h"
#endif

namespace c51::host {
namespace {

using test::FsPath;
using test::HasLine;
using test::HasLineWith;
using test::HostRun;
using test::LastLine;
using test::NameOf;
using test::Names;
using test::RunHost;
using test::SetTimeForward;
using test::TitleOf;
using test::Translated;

struct Example {
  const char* folder;                     // under examples/
  const char* project;                    // the uVision project in it
  const char* active;                     // the configuration the import makes active
  const char* hex;                        // what the build makes; the objects go beside it
  const char* output;                     // the output name, as the summary line shows it
  std::vector<std::string> sources;       // in the order the build translates them
  const char* header;                     // a header of the project...
  std::vector<std::string> header_users;  // ...and the sources that include it
  const char* warning_file;  // the compiler warns about this file, shown as it is on disk
  const char* warning_code;
};

// Both are imported into "imported.cvproj": the uVision 4 project keeps the
// project's name as its output name, the uVision 2 project's options name
// their own output folder and name. The uVision 2 options file marks the
// first of two targets current; unmarked, the last would be.
const Example kExamples[] = {
    {"blinky",
     "blinky.uvproj",
     "Debug",
     "Debug/imported.hex",
     "imported",
     {"src/main.c", "src/delay.c", "startup/startup.a51"},
     "src/board.h",
     {"src/main.c", "src/delay.c"},
     "src/main.c",
     "C280"},
    {"clock",
     "clock.uv2",
     "Debug",
     "Objects/clock.hex",
     "clock",
     {"src/main.c", "src/clock.c", "src/display.c", "src/keys.c", "startup/startup.a51"},
     "src/display.h",
     {"src/main.c", "src/display.c"},
     "src/keys.c",
     "C280"},
};

// gtest names the example in messages, not its bytes.
void PrintTo(const Example& example, std::ostream* os) {
  *os << example.folder;
}

class BuildProcessTest : public ::testing::TestWithParam<Example> {
 protected:
  void SetUp() override {
    ASSERT_FALSE(dir_.path().empty());
    // mingw's std::filesystem::copy copies nothing, and reports nothing,
    // into a folder named with a trailing separator.
    std::string into = dir_.path();
    into.pop_back();
    std::error_code ec;
    std::filesystem::copy(FsPath(ExecutableDirectory() + "examples/" + example().folder),
                          FsPath(into), std::filesystem::copy_options::recursive, ec);
    ASSERT_FALSE(ec) << ec.message();
    ASSERT_TRUE(PathExists(Path(example().project)));
  }

  const Example& example() const { return GetParam(); }
  std::string Path(const std::string& relative) const { return dir_.path() + relative; }
  std::string Project() const { return Path("imported.cvproj"); }
  int Steps() const { return static_cast<int>(example().sources.size()); }
  std::string Summary(int errors, int warnings) const {
    return "\"" + std::string(example().output) + "\" - " + std::to_string(errors) + " error(s), " +
           std::to_string(warnings) + " warning(s).";
  }
  // The object the build makes for `source`: beside the hex file.
  std::string ObjectOf(const std::string& source) const {
    const std::string hex = example().hex;
    return Path(hex.substr(0, hex.rfind('/') + 1) + TitleOf(source) + ".obj");
  }

  std::string Read(const std::string& relative) const {
    std::string text, err;
    EXPECT_EQ(ReadWholeFile(Path(relative), &text, &err), ReadStatus::kOkay) << err;
    return text;
  }
  void Append(const std::string& relative, const std::string& text) {
    const std::string before = Read(relative);
    std::string err;
    ASSERT_TRUE(WriteWholeFile(Path(relative), before + text, &err)) << err;
  }

  HostRun Run(const std::vector<std::string>& args) { return RunHost(args, dir_.path()); }
  void Import() {
    HostRun run = Run({"import", Path(example().project), "-o", Project()});
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("active configuration \"" + std::string(example().active) + "\""),
              std::string::npos)
        << run.out;
  }
  HostRun Build(const std::vector<std::string>& options = {}) {
    std::vector<std::string> args = {"build", "-p", Project()};
    args.insert(args.end(), options.begin(), options.end());
    return Run(args);
  }

  test::ScopedTempDir dir_{"c51build"};
};

TEST_P(BuildProcessTest, BuildsThenFindsEverythingUpToDate) {
  ASSERT_NO_FATAL_FAILURE(Import());
  HostRun first = Build();
  ASSERT_EQ(first.status, 0) << first.out << first.err;
  EXPECT_TRUE(PathExists(Path(example().hex)));
  EXPECT_EQ(Translated(first.out, Steps()), Names(example().sources)) << first.out;
  EXPECT_TRUE(HasLine(first.out, "linking...")) << first.out;
  // Windows opens a name in any case and keeps the compiler's upper case.
  const std::string warning_file = NativePathStyle() == PathStyle::kWindows
                                       ? ToUpperAscii(example().warning_file)
                                       : std::string(example().warning_file);
  EXPECT_TRUE(
      HasLineWith(first.out, {warning_file + "(", std::string(":") + example().warning_code + ":"}))
      << first.out;
  // Last even when a user command runs after the build.
  EXPECT_EQ(LastLine(first.out), Summary(0, 1)) << first.out;

  HostRun second = Build();
  ASSERT_EQ(second.status, 0) << second.out << second.err;
  EXPECT_TRUE(Translated(second.out, Steps()).empty()) << second.out;
  EXPECT_FALSE(HasLine(second.out, "linking...")) << second.out;
  EXPECT_EQ(LastLine(second.out), Summary(0, 0)) << second.out;
}

TEST_P(BuildProcessTest, AChangedHeaderRecompilesTheFilesThatIncludeIt) {
  ASSERT_NO_FATAL_FAILURE(Import());
  {
    const HostRun first = Build();
    ASSERT_EQ(first.status, 0) << first.out << first.err;
  }
  ASSERT_NO_FATAL_FAILURE(Append(example().header, "/* changed */\n"));
  ASSERT_TRUE(SetTimeForward(Path(example().header), 2));

  HostRun run = Build();
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_EQ(Translated(run.out, Steps()), Names(example().header_users)) << run.out;
  EXPECT_TRUE(HasLine(run.out, "linking...")) << run.out;
  EXPECT_TRUE(PathExists(Path(example().hex)));
}

TEST_P(BuildProcessTest, RebuildTranslatesEverythingAndCleanRemovesTheOutputs) {
  ASSERT_NO_FATAL_FAILURE(Import());
  {
    const HostRun first = Build();
    ASSERT_EQ(first.status, 0) << first.out << first.err;
  }
  HostRun rebuild = Build({"--rebuild"});
  ASSERT_EQ(rebuild.status, 0) << rebuild.out << rebuild.err;
  EXPECT_EQ(Translated(rebuild.out, Steps()), Names(example().sources)) << rebuild.out;
  EXPECT_EQ(LastLine(rebuild.out), Summary(0, 1)) << rebuild.out;
  for (const std::string& source : example().sources)
    ASSERT_TRUE(PathExists(ObjectOf(source))) << source;

  HostRun clean = Run({"clean", "-p", Project()});
  ASSERT_EQ(clean.status, 0) << clean.out << clean.err;
  EXPECT_FALSE(PathExists(Path(example().hex)));
  for (const std::string& source : example().sources)
    EXPECT_FALSE(PathExists(ObjectOf(source))) << source;
  // Nothing is left to call up to date.
  EXPECT_EQ(Translated(Build().out, Steps()), Names(example().sources));
}

TEST_P(BuildProcessTest, ACompileErrorFailsTheBuildAndLeavesTheProjectAsItWas) {
  ASSERT_NO_FATAL_FAILURE(Import());
  const std::string project = Read("imported.cvproj");
  ASSERT_NO_FATAL_FAILURE(
      Append(example().sources.front(), "// SIM: ERROR C202 'oops': undefined identifier\n"));

  HostRun run = Build();
  EXPECT_EQ(run.status, 1) << run.out << run.err;
  // Every file is still translated, so every diagnostic shows at once.
  EXPECT_EQ(Translated(run.out, Steps()), Names(example().sources)) << run.out;
  EXPECT_TRUE(HasLineWith(run.out, {"(", ":C202:"})) << run.out;
  EXPECT_TRUE(HasLine(run.out, "Target not created")) << run.out;
  EXPECT_EQ(LastLine(run.out), Summary(1, 1)) << run.out;
  EXPECT_NE(run.err.find("failed"), std::string::npos) << run.err;
  EXPECT_FALSE(PathExists(Path(example().hex)));
  EXPECT_EQ(Read("imported.cvproj"), project);
}

TEST_P(BuildProcessTest, AnInterruptedBuildStopsBeforeTheNextFile) {
#if defined(_WIN32)
  GTEST_SKIP() << "the host hears Ctrl-C through a console shared with the sender; wine "
                  "delivers no console control events between the test and the host";
#else
  ASSERT_NO_FATAL_FAILURE(Import());
  // Each translation lasts long enough for the interrupt to land while the
  // first one runs; the files after it leave room to spare.
  for (const std::string& source : example().sources) {
    ASSERT_NO_FATAL_FAILURE(
        Append(source, source.ends_with(".c") ? "// SIM: SLEEP 1000\n" : "; SIM: SLEEP 1000\n"));
  }
  const std::string project = Read("imported.cvproj");

  test::HostProcess host;
  std::string err;
  ASSERT_TRUE(host.Start({"build", "-p", Project()}, &err)) << err;
  ASSERT_TRUE(host.WaitForLine("compiling ")) << host.output();
  ASSERT_TRUE(host.Interrupt());
  EXPECT_EQ(host.Wait(), 1) << host.output();

  const std::string& out = host.output();
  const std::vector<std::string> translated = Translated(out, Steps());
  EXPECT_GE(translated.size(), 1u) << out;
  EXPECT_LT(translated.size(), example().sources.size()) << out;
  EXPECT_TRUE(HasLine(out, "Program build aborted.")) << out;
  EXPECT_NE(out.find("stopping after the current step"), std::string::npos) << out;
  EXPECT_FALSE(HasLine(out, "linking...")) << out;
  EXPECT_EQ(out.find(" error(s), "), std::string::npos) << out;
  EXPECT_FALSE(PathExists(Path(example().hex)));
  EXPECT_EQ(Read("imported.cvproj"), project);
#endif
}

INSTANTIATE_TEST_SUITE_P(Examples, BuildProcessTest, ::testing::ValuesIn(kExamples),
                         [](const ::testing::TestParamInfo<Example>& info) {
                           return std::string(info.param.folder);
                         });

}  // namespace
}  // namespace c51::host
