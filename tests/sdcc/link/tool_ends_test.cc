// The simulated tools and the ones on sdcc share how a run ends: a bad
// command line, an input that is not there, an output that cannot be
// written. The build reads those lines, so each must come out the same
// from both toolchains, banner aside.
#include <gtest/gtest.h>

#include <string>

#include "platform/fs.h"
#include "sdcc/run_program.h"
#include "support/temp_dir.h"
#include "tools/tool_runner.h"

namespace c51::sdcc {
namespace {

struct Row {
  const char* tool;
  const char* args;
};

constexpr Row kRows[] = {
    {"C51.exe", ""},
    {"C51.exe", "main.c BOGUS(1)"},
    {"C51.exe", "gone.c OBJECT(gone.obj)"},
    {"C51.exe", "main.c PRINT(none/main.lst)"},
    {"C51.exe", "main.c OBJECT(none/main.obj)"},
    {"A51.exe", ""},
    {"A51.exe", "start.a51 NOSUCH"},
    {"A51.exe", "gone.a51"},
    {"A51.exe", "start.a51 PRINT(none/start.lst)"},
    {"BL51.exe", "@gone.lnp"},
    {"BL51.exe", "main.obj TO"},
    {"BL51.exe", "TRANSFER main.obj TO x.lib"},
    {"BL51.exe", "gone.obj TO prog"},
    {"Lib51.exe", "@gone.lnp"},
    {"Lib51.exe", "main.obj TO x.lib"},
    {"Lib51.exe", "TRANSFER main.obj"},
    {"Lib51.exe", "TRANSFER gone.obj TO x.lib"},
    {"OH51.exe", ""},
    {"OH51.exe", "gone"},
    {"OH51.exe", "main.c"},
    {"OH51.exe", "main.c HEXFILE("},
};

// Without its first line: the banner names the toolchain.
std::string AfterBanner(const std::string& output) {
  const size_t end = output.find('\n');
  return end == std::string::npos ? std::string() : output.substr(end + 1);
}

TEST(ToolEnds, BothToolchainsEndARunAlike) {
  if (FindSdccProgram("sdcc").empty()) GTEST_SKIP() << "sdcc is not installed";
  test::ScopedTempDir dir("toolends");
  ASSERT_FALSE(dir.path().empty());
  std::string err;
  ASSERT_TRUE(WriteWholeFile(dir.path() + "main.c", "void main(void) { }\n", &err)) << err;
  ASSERT_TRUE(WriteWholeFile(dir.path() + "start.a51", "\tNAME start\n\tEND\n", &err)) << err;
  for (const Row& row : kRows) {
    SCOPED_TRACE(std::string(row.tool) + " " + row.args);
    test::ToolRun runs[2];
    const char* toolchains[2] = {"simtool/C51/BIN/", "sdcctool/C51/BIN/"};
    for (int i = 0; i < 2; ++i) {
      const std::string program = ExecutableDirectory() + toolchains[i] + row.tool;
      ASSERT_TRUE(
          test::RunCommandLine("\"" + program + "\" " + row.args, dir.path(), &runs[i], &err))
          << err;
    }
    EXPECT_EQ(runs[0].exit_code, runs[1].exit_code);
    EXPECT_EQ(AfterBanner(runs[0].output), AfterBanner(runs[1].output));
    EXPECT_NE(std::string::npos, runs[0].output.find("\r\n")) << runs[0].output;
  }
}

}  // namespace
}  // namespace c51::sdcc
