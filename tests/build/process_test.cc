#include "platform/process.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

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

}  // namespace
}  // namespace c51
