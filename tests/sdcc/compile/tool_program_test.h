// The fixture of the tests that build programs with the sdcc toolchain's
// tools (C51.exe, A51.exe, BL51.exe, OH51.exe) in a temporary folder and
// run them in sdcc's 8051 simulator: the tools beside the test, C51INC set
// to their INC folder while a test runs, and a skip without sdcc or the
// simulator.
#ifndef C51_TESTS_SDCC_COMPILE_TOOL_PROGRAM_TEST_H_
#define C51_TESTS_SDCC_COMPILE_TOOL_PROGRAM_TEST_H_

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/env.h"
#include "platform/fs.h"
#include "sdcc/run_program.h"
#include "support/simulator_output.h"
#include "support/temp_dir.h"
#include "tools/tool_runner.h"

namespace c51::sdcc {

class ToolProgramTest : public testing::Test {
 protected:
  explicit ToolProgramTest(const char* prefix) : dir_(prefix) {}

  void SetUp() override {
    if (FindSdccProgram("sdcc").empty()) GTEST_SKIP() << "sdcc is not installed";
    s51_ = FindSdccProgram("s51");
    if (s51_.empty()) GTEST_SKIP() << "the simulator s51 (sdcc-ucsim) is not installed";
    ASSERT_FALSE(dir_.path().empty());
    const std::string root = ExecutableDirectory() + "sdcctool/C51/";
    bin_ = root + "BIN/";
    had_c51inc_ = GetEnv("C51INC", &saved_c51inc_);
    ASSERT_TRUE(SetEnv("C51INC", root + "INC/"));
  }
  void TearDown() override {
    if (had_c51inc_) {
      SetEnv("C51INC", saved_c51inc_);
    } else {
      UnsetEnv("C51INC");
    }
  }

  void Write(const std::string& name, const std::string& text) {
    std::string err;
    ASSERT_TRUE(WriteWholeFile(dir_.path() + name, text, &err)) << err;
  }
  std::string Read(const std::string& name) {
    std::string text, err;
    EXPECT_EQ(ReadStatus::kOkay, ReadWholeFile(dir_.path() + name, &text, &err)) << err;
    return text;
  }
  // A tool of the toolchain run in the folder.
  test::ToolRun Run(const std::string& tool, const std::string& args) {
    test::ToolRun run;
    std::string err;
    EXPECT_TRUE(test::RunCommandLine("\"" + bin_ + tool + "\" " + args, dir_.path(), &run, &err))
        << err;
    return run;
  }

  // What the last compile and the link of BuildProgram said.
  struct BuiltProgram {
    std::string compiled, linked;
  };

  // Compiles each source ("<name>.c") with `controls` and links them into
  // prog.hex; every tool must succeed.
  void BuildProgram(const std::vector<std::string>& sources, const std::string& controls,
                    BuiltProgram* built = nullptr) {
    std::string objects;
    BuiltProgram outputs;
    for (const std::string& source : sources) {
      const test::ToolRun run = Run("C51.exe", "\"" + source + ".c\" " + controls);
      ASSERT_EQ(0, run.exit_code) << run.output;
      outputs.compiled = run.output;
      objects += (objects.empty() ? "\"" : ", \"") + source + ".obj\"";
    }
    const test::ToolRun link = Run("BL51.exe", objects + " TO \"prog\"");
    ASSERT_EQ(0, link.exit_code) << link.output;
    outputs.linked = link.output;
    const test::ToolRun hex = Run("OH51.exe", "\"prog\"");
    ASSERT_EQ(0, hex.exit_code) << hex.output;
    if (built != nullptr) *built = outputs;
  }

  // The simulator on prog.hex with `commands`; its output.
  std::string Simulator(const std::string& commands) {
    Write("run.cmd", "file \"" + dir_.path() + "prog.hex\"\n" + commands + "kill\n");
    return RunProgram(s51_, {"-b", "-q", "-C", dir_.path() + "run.cmd"}).output;
  }

  // Runs `steps` instructions, then reads the bytes of external RAM at
  // `addresses` (printed as 1000 + the byte, to stand out from the
  // simulator's other output).
  std::vector<int> XramBytes(int steps, const std::vector<unsigned>& addresses) {
    std::string script = "step " + std::to_string(steps) + "\n";
    for (unsigned a : addresses)
      script += "expression " + std::to_string(test::kSimulatorMarker) + "+xram[" +
                std::to_string(a) + "]\n";
    const std::string output = Simulator(script);
    const std::vector<int> bytes = test::MarkedBytes(output);
    EXPECT_EQ(addresses.size(), bytes.size()) << output;
    return bytes;
  }

  // `count` bytes of external RAM from `first` on.
  std::vector<int> XramRun(int steps, unsigned first, int count) {
    std::vector<unsigned> addresses;
    for (int i = 0; i < count; ++i) addresses.push_back(first + static_cast<unsigned>(i));
    return XramBytes(steps, addresses);
  }

  test::ScopedTempDir dir_;
  std::string bin_, s51_;

 private:
  bool had_c51inc_ = false;
  std::string saved_c51inc_;
};

}  // namespace c51::sdcc

#endif  // C51_TESTS_SDCC_COMPILE_TOOL_PROGRAM_TEST_H_
