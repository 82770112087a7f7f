// corvane-c51 run as a process on a copy of the bundled blinky example
// while a tool of the simulated toolchain hangs or writes without end:
// what the build reports, how the host ends, and that no tool is left
// running after it.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "build_lines.h"
#include "platform/fs.h"
#include "platform/path.h"
#include "run_host.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

#if !defined(_WIN32)
#include <signal.h>
#include <sys/types.h>

#include "host_process.h"
#endif

namespace c51::host {
namespace {

using test::FsPath;
using test::HasLine;
using test::HasLineWith;
using test::HostRun;
using test::LastLine;

// What the host keeps of each stream of a tool (kKeptStreamBytes).
constexpr uint64_t kKept = uint64_t{64} << 20;

class BuildInterruptTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(dir_.path().empty());
    std::string into = dir_.path();
    into.pop_back();
    std::error_code ec;
    std::filesystem::copy(FsPath(ExecutableDirectory() + "examples/blinky"), FsPath(into),
                          std::filesystem::copy_options::recursive, ec);
    ASSERT_FALSE(ec) << ec.message();
    HostRun run = test::RunHost({"import", Path("blinky.uvproj"), "-o", Project()}, dir_.path());
    ASSERT_EQ(run.status, 0) << run.out << run.err;
  }

  std::string Path(const std::string& relative) const { return dir_.path() + relative; }
  std::string Project() const { return Path("imported.cvproj"); }
  // The first file the build compiles gets `marker` in a comment.
  void Mark(const std::string& marker) {
    std::string text, err;
    ASSERT_EQ(ReadWholeFile(Path("src/main.c"), &text, &err), ReadStatus::kOkay) << err;
    ASSERT_TRUE(WriteWholeFile(Path("src/main.c"), text + "// SIM: " + marker + "\n", &err)) << err;
  }

  test::ScopedTempDir dir_{"c51stop"};
};

// A flood far past the kept bytes: a host that held it all would show it.
TEST_F(BuildInterruptTest, AFloodingCompileIsCutAndTheBuildGoesOn) {
  constexpr uint64_t kFlood = 5 * kKept;
  ASSERT_NO_FATAL_FAILURE(Mark("FLOOD " + std::to_string(kFlood)));
#if defined(_WIN32)
  HostRun run = test::RunHost({"build", "-p", Project()}, dir_.path());
  const int status = run.status;
  const std::string& out = run.out;
#else
  test::HostProcess host;
  std::string err;
  ASSERT_TRUE(host.Start({"build", "-p", Project()}, &err)) << err;
  const int status = host.Wait();
  const std::string& out = host.output();
#endif
  EXPECT_EQ(status, 0) << out;
  // The example's own warning, written before the flood, still counts
  // (Windows keeps the compiler's upper case).
  EXPECT_TRUE(HasLineWith(
      out, {NativePathStyle() == PathStyle::kWindows ? "SRC/MAIN.C(" : "src/main.c(", ":C280:"}))
      << out;
  const std::string notice =
      "*** WARNING: output of \"C51.exe\" cut at " + std::to_string(kKept) + " bytes per stream; ";
  const size_t at = out.find(notice);
  ASSERT_NE(at, std::string::npos) << out.substr(0, 4096);
  // Dropped: the flood past the kept bytes, plus the compiler's report
  // before it and the half line at the cut.
  const uint64_t dropped = std::strtoull(out.c_str() + at + notice.size(), nullptr, 10);
  EXPECT_GE(dropped, kFlood - kKept);
  EXPECT_LT(dropped, kFlood - kKept + 4096);
  EXPECT_EQ(LastLine(out), "\"imported\" - 0 error(s), 2 warning(s).") << out.substr(0, 4096);
  EXPECT_TRUE(PathExists(Path("Debug/imported.hex")));
#if !defined(_WIN32) && !defined(__SANITIZE_ADDRESS__)
  // The sanitizer keeps freed memory in quarantine; without it the host
  // stays within the bound RunProcess promises for the capture, output
  // filters included.
  EXPECT_LT(host.peak_kib(), static_cast<long>(4 * kKept / 1024));
#endif
}

#if defined(_WIN32)
TEST_F(BuildInterruptTest, SignalsArePosixOnly) {
  GTEST_SKIP() << "the host hears Ctrl-C through a console shared with the sender, and wine "
                  "delivers no console control events between the test and the host; the job "
                  "object that ends the tools is tested in the build tests";
}
#else

// The simulated compiler writes its process id to this file once it hangs.
class HangingToolTest : public BuildInterruptTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(BuildInterruptTest::SetUp());
    pid_file_ = Path("tool.pid");
  }

  bool StartBuild(const std::string& marker) {
    Mark(marker);
    std::string err;
    if (!host_.Start({"build", "-p", Project()}, &err)) {
      ADD_FAILURE() << err;
      return false;
    }
    return true;
  }

  // The hanging compiler's process id; 0 when it never wrote one.
  pid_t WaitForTool() {
    for (int i = 0; i < 6000; ++i) {
      std::string text, err;
      if (ReadWholeFile(pid_file_, &text, &err) == ReadStatus::kOkay && !text.empty() &&
          text.back() == '\n') {
        return static_cast<pid_t>(std::atoi(text.c_str()));
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return 0;
  }

  std::string pid_file_;
  test::ScopedEnv pid_env_{"C51_SIM_PID_FILE", (dir_.path() + "tool.pid").c_str()};
  test::HostProcess host_;
};

TEST_F(HangingToolTest, AnInterruptEndsTheHangingToolAndFailsTheBuild) {
  ASSERT_TRUE(StartBuild("HANG"));
  const pid_t tool = WaitForTool();
  ASSERT_GT(tool, 0) << host_.output();
  ASSERT_TRUE(test::ProcessRunning(tool));
  // To the host alone, as kill does; the tool hears it only from the host.
  ASSERT_TRUE(host_.Interrupt());
  EXPECT_EQ(host_.Wait(), 1) << host_.output();

  const std::string& out = host_.output();
  EXPECT_TRUE(HasLine(out, "*** ERROR: \"C51.exe\" was ended by signal " + std::to_string(SIGINT)))
      << out;
  EXPECT_TRUE(HasLine(out, "Program build aborted.")) << out;
  EXPECT_EQ(out.find(" error(s), "), std::string::npos) << out;
  EXPECT_FALSE(HasLine(out, "linking...")) << out;
  EXPECT_FALSE(PathExists(Path("Debug/main.obj")));
  // Reaped by the host: neither the tool nor its group is left.
  EXPECT_FALSE(test::ProcessRunning(tool));
  EXPECT_NE(kill(-tool, 0), 0);
}

struct ForcedEnd {
  const char* marker;
  std::vector<int> signals;
  int exit_status;
};

void PrintTo(const ForcedEnd& end, std::ostream* os) {
  *os << end.marker << " then";
  for (int signal : end.signals) *os << " " << signal;
}

class ForcedEndTest : public HangingToolTest, public testing::WithParamInterface<ForcedEnd> {};

TEST_P(ForcedEndTest, TakesTheToolWithTheHost) {
  const ForcedEnd& end = GetParam();
  ASSERT_TRUE(StartBuild(end.marker));
  const pid_t tool = WaitForTool();
  ASSERT_GT(tool, 0) << host_.output();
  for (size_t i = 0; i + 1 < end.signals.size(); ++i) {
    ASSERT_TRUE(host_.Signal(end.signals[i]));
    // The host has passed it on when it says so; the tool ignores it.
    ASSERT_TRUE(host_.WaitForLine("stopping after the current step")) << host_.output();
    EXPECT_TRUE(test::ProcessRunning(tool));
  }
  ASSERT_TRUE(host_.Signal(end.signals.back()));
  EXPECT_EQ(host_.Wait(), end.exit_status) << host_.output();
  EXPECT_NE(host_.output().find("ending the running tool and quitting"), std::string::npos)
      << host_.output();
  EXPECT_TRUE(test::WaitForProcessEnd(tool));
  EXPECT_FALSE(PathExists(Path("Debug/imported.hex")));
}

INSTANTIATE_TEST_SUITE_P(Signals, ForcedEndTest,
                         testing::Values(ForcedEnd{"HANG IGNORE-INT", {SIGINT, SIGINT}, 130},
                                         ForcedEnd{"HANG", {SIGTERM}, 143},
                                         ForcedEnd{"HANG IGNORE-INT", {SIGHUP}, 129}));

#endif

}  // namespace
}  // namespace c51::host
