#include "sdcc/run_program.h"

#include <gtest/gtest.h>
#include <stdlib.h>

namespace c51::sdcc {
namespace {

TEST(RunProgram, CapturesBothStreamsAndTheExitCode) {
  ProgramRun run = RunProgram("/bin/sh", {"-c", "echo out; echo err >&2; exit 3"});
  ASSERT_TRUE(run.started);
  EXPECT_EQ(run.exit_code, 3);
  EXPECT_EQ(run.output, "out\nerr\n");

  run = RunProgram("/bin/sh", {"-c", "kill -TERM $$"});
  EXPECT_EQ(run.exit_code, 128 + 15);

  run = RunProgram("/nonexistent/program", {});
  EXPECT_FALSE(run.started);
}

TEST(RunProgram, KeepsStandardOutputApartWhenAsked) {
  std::string out = "left over";
  ProgramRun run =
      RunProgramKeepingOutput("/bin/sh", {"-c", "echo out; echo err >&2; exit 3"}, &out);
  ASSERT_TRUE(run.started);
  EXPECT_EQ(run.exit_code, 3);
  EXPECT_EQ(out, "out\n");
  EXPECT_EQ(run.output, "err\n");

  // More than a pipe holds on both streams, standard error first: reading
  // one stream to its end before the other would never finish.
  run = RunProgramKeepingOutput(
      "/bin/sh", {"-c", "head -c 300000 /dev/zero >&2; head -c 200000 /dev/zero; echo end >&2"},
      &out);
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(out.size(), 200000u);
  EXPECT_EQ(run.output.size(), 300004u);
  EXPECT_EQ(run.output.substr(300000), "end\n");

  run = RunProgramKeepingOutput("/nonexistent/program", {}, &out);
  EXPECT_FALSE(run.started);
}

TEST(RunProgram, FindsProgramsInTheNamedFolderOrOnPath) {
  const char* old = getenv("C51_SDCC_BIN");
  std::string saved = old != nullptr ? old : "";
  setenv("C51_SDCC_BIN", "/bin", 1);
  EXPECT_EQ(FindSdccProgram("sh"), "/bin/sh");
  // A named folder is not searched past.
  EXPECT_EQ(FindSdccProgram("no-such-program-here"), "");
  unsetenv("C51_SDCC_BIN");
  EXPECT_NE(FindSdccProgram("sh"), "");
  EXPECT_EQ(FindSdccProgram("no-such-program-here"), "");
  // PATH narrowed to a folder without it, as while the build runs a tool:
  // the system folders still count.
  const std::string path = getenv("PATH") != nullptr ? getenv("PATH") : "";
  setenv("PATH", "/nonexistent", 1);
  EXPECT_NE(FindSdccProgram("sh"), "");
  setenv("PATH", path.c_str(), 1);
  if (old != nullptr) setenv("C51_SDCC_BIN", saved.c_str(), 1);
}

}  // namespace
}  // namespace c51::sdcc
