#include "platform/process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <thread>

#ifndef _WIN32
#include <signal.h>
#endif

#include "build/build_test_support.h"
#include "platform/env.h"
#include "platform/fs.h"
#include "platform/path.h"
#include "support/temp_dir.h"

namespace c51 {
namespace {

using test::ChildCommand;
using test::ChildToolPath;
using test::Quoted;

TEST(SplitWindowsCommandLineTest, FollowsTheWindowsArgumentRules) {
  struct Row {
    const char* line;
    std::vector<std::string> args;
  };
  const Row rows[] = {
      {"", {}},
      {"C51.exe", {"C51.exe"}},
      {"\"C:\\Program Files\\Tools\\C51.exe\" \"a b\" c",
       {"C:\\Program Files\\Tools\\C51.exe", "a b", "c"}},
      // A tool's control string: the quotes inside a word only group.
      {"C:\\T\\C51.exe \"main.c\" OBJECT(\".\\Debug\\main.obj\") DEBUG",
       {"C:\\T\\C51.exe", "main.c", "OBJECT(.\\Debug\\main.obj)", "DEBUG"}},
      // The program name takes no escapes, and ends at its closing quote.
      {"\"C:\\dir\\\" x", {"C:\\dir\\", "x"}},
      {"\"a b\"c d", {"a b", "c", "d"}},
      {"a\"b c", {"a\"b", "c"}},
      // Backslashes count only before a quote.
      {"x a\\b\\\\c", {"x", "a\\b\\\\c"}},
      {"x a\\\\\\\"b \"c\\\\\" \"\"", {"x", "a\\\"b", "c\\", ""}},
      {"x \"a\\\\\\\\\" b", {"x", "a\\\\", "b"}},
      {"x a\\\\\\\\\\\"b", {"x", "a\\\\\"b"}},
      // Runs of quotes.
      {"x \"a\"\"b\"", {"x", "a\"b"}},
      {"x \"\"\"\"", {"x", "\""}},
      {"x \"\"\" a", {"x", "\"", "a"}},
      {"x \"\" \"\"", {"x", "", ""}},
      {"x a\"b c\"d e", {"x", "ab cd", "e"}},
      {"x \"open run", {"x", "open run"}},
      // Blanks and tabs separate; a leading blank leaves the program empty.
      {"x\t y  \t", {"x", "y"}},
      {" x", {"", "x"}},
      {"x\ny", {"x\ny"}},
      // Bytes above 0x7F are characters like any other.
      {"x \xC3\xA9 \"\xC4\xE3 b\"", {"x", "\xC3\xA9", "\xC4\xE3 b"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    EXPECT_EQ(row.args, SplitWindowsCommandLine(row.line));
  }
}

TEST(RunProcessTest, KeepsTheStreamsApart) {
  ProcessResult run = RunProcess(ChildCommand("say-err E1 out 3 say-err E2 exit 7"), "");
  EXPECT_EQ(ProcessStatus::kExited, run.status);
  EXPECT_EQ(7, run.exit_code);
  EXPECT_EQ("ooo", run.out);
  EXPECT_EQ("E1E2", run.err);

  run = RunProcess(ChildCommand("err 5"), "");
  EXPECT_EQ(ProcessStatus::kExited, run.status);
  EXPECT_EQ(0, run.exit_code);
  EXPECT_EQ("", run.out);
  EXPECT_EQ("eeeee", run.err);
}

TEST(RunProcessTest, PassesArgumentsAsTheWindowsRulesCutThem) {
  // Rows that the split above and a Windows program's runtime agree on.
  ProcessResult run = RunProcess(
      ChildCommand("echo \"a b\" c\\d \"e\\\"f\" g\\\\\\\"h \"\" \"x\\\\\" \xC3\xA9"), "");
  EXPECT_EQ(ProcessStatus::kExited, run.status);
  EXPECT_EQ("<a b><c\\d><e\"f><g\\\"h><><x\\><\xC3\xA9>", run.out);
}

TEST(RunProcessTest, RunsInTheWorkingFolderWithTheCallersEnvironment) {
  test::ScopedTempDir dir("c51proc");
  ASSERT_FALSE(dir.path().empty());
  ASSERT_TRUE(WriteWholeFile(dir.path() + "data.txt", "found it", nullptr));
  ProcessResult run = RunProcess(ChildCommand("cat data.txt"), dir.path());
  EXPECT_EQ("found it", run.out);
  run = RunProcess(ChildCommand("cat data.txt"), "");
  EXPECT_EQ("<missing>", run.out);

  // The build sets C51INC, C51LIB and PATH for the tools this way.
  ASSERT_TRUE(SetEnv("C51_PROCESS_TEST", "set for the child"));
  run = RunProcess(ChildCommand("env C51_PROCESS_TEST"), "");
  EXPECT_EQ("set for the child", run.out);
  ASSERT_TRUE(UnsetEnv("C51_PROCESS_TEST"));
  run = RunProcess(ChildCommand("env C51_PROCESS_TEST"), "");
  EXPECT_EQ("<unset>", run.out);
}

TEST(RunProcessTest, StartsProgramsInFoldersWithBlanksAndNonAsciiNames) {
  test::ScopedTempDir dir("c51proc");
  ASSERT_FALSE(dir.path().empty());
  // "\" between the parts: the program path must reach the system with "/"
  // on POSIX.
  const std::string folder = dir.path() + "tools and \xC3\xA9t\xC3\xA9\\";
  ASSERT_TRUE(CreateDirectories(folder));
  std::string program, err;
  ASSERT_EQ(ReadStatus::kOkay, ReadWholeFile(ChildToolPath(), &program, &err)) << err;
  const std::string copy = folder + "child tool.exe";
  ASSERT_TRUE(WriteWholeFile(copy, program, &err)) << err;
#ifndef _WIN32
  std::error_code ignored;
  std::filesystem::permissions(std::filesystem::path(NativePath(copy)),
                               std::filesystem::perms::owner_exec,
                               std::filesystem::perm_options::add, ignored);
#endif
  ASSERT_TRUE(WriteWholeFile(folder + "in \xC3\xA9.txt", "read here", nullptr));

  ProcessResult run = RunProcess(Quoted(copy) + " cat \"in \xC3\xA9.txt\" echo \"a b\"", folder);
  EXPECT_EQ(ProcessStatus::kExited, run.status) << run.system_error;
  EXPECT_EQ("read here<a b>", run.out);
}

TEST(RunProcessTest, TellsAMissingProgramFromACrash) {
  test::ScopedTempDir dir("c51proc");
  ProcessResult run = RunProcess(Quoted(dir.path() + "no such tool.exe") + " x", "");
  EXPECT_EQ(ProcessStatus::kStartFailed, run.status);
  EXPECT_EQ(2, run.system_error);  // ENOENT and ERROR_FILE_NOT_FOUND alike

  run = RunProcess(ChildCommand("say-out before crash"), "");
  EXPECT_EQ("before", run.out);
#ifndef _WIN32
  EXPECT_EQ(ProcessStatus::kCrashed, run.status);
  EXPECT_EQ(SIGSEGV, run.exit_code);
#endif
}

// `count` lines of child_tool's "out-lines"/"err-lines" of 10 bytes each.
std::string Lines(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "llllllll\r\n";
  return text;
}

TEST(RunProcessTest, KeepsAtMostTheLimitOfEachStreamEndingAtALineEnd) {
  struct Row {
    const char* actions;
    StreamOrder order;
    size_t keep;
    std::string out, err;
    uint64_t out_dropped, err_dropped;
  };
  const Row rows[] = {
      // Exactly the limit is no cut.
      {"out-lines 10 10", StreamOrder::kApart, 100, Lines(10), "", 0, 0},
      // Past it, the half line kept goes with the dropped bytes.
      {"out-lines 10 10", StreamOrder::kApart, 99, Lines(9), "", 10, 0},
      {"out-lines 10 10", StreamOrder::kApart, 35, Lines(3), "", 70, 0},
      // No line end to cut at: the limit as it falls.
      {"out 100", StreamOrder::kApart, 40, std::string(40, 'o'), "", 60, 0},
      {"out 5 err-lines 10 10", StreamOrder::kApart, 25, "ooooo", Lines(2), 0, 80},
      // Each stream is cut on its own before they are joined.
      {"err-lines 4 10 out-lines 4 10", StreamOrder::kErrAfterOut, 25, Lines(4), "", 20, 20},
      {"err 30 out-lines 2 10", StreamOrder::kErrAfterOut, 25, Lines(2) + std::string(25, 'e'), "",
       0, 5},
  };
  for (bool recycle : {false, true}) {
    ProcessResult earlier;
    for (const Row& row : rows) {
      SCOPED_TRACE(std::string(row.actions) + (recycle ? " (recycled)" : ""));
      ProcessOptions options;
      options.order = row.order;
      options.keep = row.keep;
      options.recycled = recycle ? &earlier : nullptr;
      ProcessResult run = RunProcess(ChildCommand(row.actions), "", options);
      EXPECT_EQ(ProcessStatus::kExited, run.status);
      EXPECT_EQ(row.out, run.out);
      EXPECT_EQ(row.err, run.err);
      EXPECT_EQ(row.out_dropped, run.out_dropped);
      EXPECT_EQ(row.err_dropped, run.err_dropped);
      earlier = std::move(run);
    }
  }
}

TEST(RunProcessTest, ReadsAndDropsWhatIsPastTheLimitSoTheProgramNeverStalls) {
  // A program blocked on a full pipe would never end: both streams go far
  // past the limit and past what any pipe holds.
  constexpr uint64_t kPerStream = 16u << 20;
  ProcessOptions options;
  options.keep = 1000;
  ProcessResult run = RunProcess(
      ChildCommand("interleave " + std::to_string(kPerStream) + " 100003 exit 3"), "", options);
  EXPECT_EQ(ProcessStatus::kExited, run.status);
  EXPECT_EQ(3, run.exit_code);
  EXPECT_EQ(std::string(1000, 'o'), run.out);
  EXPECT_EQ(std::string(1000, 'e'), run.err);
  EXPECT_EQ(kPerStream - 1000, run.out_dropped);
  EXPECT_EQ(kPerStream - 1000, run.err_dropped);
}

// RunProcess on a thread of its own, stopped from the test's thread once
// the program has made `ready`.
class ProcessControlTest : public testing::Test {
 protected:
  void Start(const std::string& actions) {
    ready_ = dir_.path() + "ready";
    runner_ = std::thread([this, actions] {
      ProcessOptions options;
      options.control = &control_;
      result_ =
          RunProcess(ChildCommand(actions + " touch " + Quoted(ready_) + " hang"), "", options);
    });
  }
  // False when the program never got there (it stays stopped all the same).
  bool WaitUntilReady() {
    for (int i = 0; i < 6000 && !PathExists(ready_); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return PathExists(ready_);
  }
  void Finish() {
    if (runner_.joinable()) runner_.join();
  }
  void TearDown() override {
    // A failed test must not leave the program running.
    if (runner_.joinable()) {
      control_.Stop();
      control_.Stop();
      runner_.join();
    }
  }

  test::ScopedTempDir dir_{"c51stop"};
  std::string ready_;
  ProcessControl control_;
  std::thread runner_;
  ProcessResult result_;
};

TEST_F(ProcessControlTest, ASecondStopEndsAProgramThatIgnoresInterrupts) {
  Start("say-out before ignore-int");
  ASSERT_TRUE(WaitUntilReady());
  control_.Stop();
  control_.Stop();
  Finish();
  EXPECT_EQ(ProcessStatus::kCrashed, result_.status);
#ifdef _WIN32
  EXPECT_EQ(static_cast<int>(0xC000013Au), result_.exit_code);
#else
  EXPECT_EQ(SIGKILL, result_.exit_code);
#endif
  EXPECT_EQ("before", result_.out);
}

TEST_F(ProcessControlTest, AStopBetweenRunsCountsForNeither) {
  control_.Stop();
  control_.Stop();
  ProcessOptions options;
  options.control = &control_;
  ProcessResult run = RunProcess(ChildCommand("out 3"), "", options);
  EXPECT_EQ(ProcessStatus::kExited, run.status);
  EXPECT_EQ("ooo", run.out);
}

#ifndef _WIN32
TEST_F(ProcessControlTest, AFirstStopInterruptsTheProgramAndWhatItStarted) {
  // The copy holds the pipes open: only a signal to the whole group lets
  // the run end.
  Start("spawn-hang");
  ASSERT_TRUE(WaitUntilReady());
  control_.Stop();
  Finish();
  EXPECT_EQ(ProcessStatus::kCrashed, result_.status);
  EXPECT_EQ(SIGINT, result_.exit_code);
}

TEST_F(ProcessControlTest, AKilledRunDoesNotWaitForWhatLeftTheGroup) {
  Start("spawn-escape");
  ASSERT_TRUE(WaitUntilReady());
  control_.Stop();
  control_.Stop();
  Finish();
  EXPECT_EQ(ProcessStatus::kCrashed, result_.status);
  // The copy still holds the pipes: the run ended without their end.
  const pid_t escaped = static_cast<pid_t>(std::atoi(result_.out.c_str()));
  ASSERT_GT(escaped, 0) << result_.out;
  EXPECT_EQ(0, kill(escaped, 0));
  kill(escaped, SIGKILL);
}
#endif

}  // namespace
}  // namespace c51
