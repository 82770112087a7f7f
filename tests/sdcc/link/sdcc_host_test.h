// The fixture of the tests that build projects with corvane-c51 and the
// sdcc toolchain and run the program in s51: a temporary folder, the
// toolchain beside the test, and a skip without sdcc, the simulator or the
// toolchain's compiler.
#ifndef C51_TESTS_SDCC_LINK_SDCC_HOST_TEST_H_
#define C51_TESTS_SDCC_LINK_SDCC_HOST_TEST_H_

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fs.h"
#include "sdcc/run_program.h"
#include "support/temp_dir.h"

namespace c51::sdcc {

class SdccHostTest : public testing::Test {
 protected:
  explicit SdccHostTest(const char* prefix) : dir_(prefix) {}

  void SetUp() override {
    ASSERT_FALSE(dir_.path().empty());
    s51_ = FindSdccProgram("s51");
    toolchain_ = ExecutableDirectory() + "sdcctool/C51";
    if (FindSdccProgram("sdcc").empty()) GTEST_SKIP() << "sdcc is not installed";
    if (s51_.empty()) GTEST_SKIP() << "the simulator s51 (sdcc-ucsim) is not installed";
    if (!PathExists(toolchain_ + "/BIN/C51.exe")) GTEST_SKIP() << "no C51.exe in " << toolchain_;
  }

  ProgramRun Host(const std::vector<std::string>& args) {
    return RunProgram(ExecutableDirectory() + "corvane-c51", args);
  }

  test::ScopedTempDir dir_;
  std::string s51_, toolchain_;
};

}  // namespace c51::sdcc

#endif  // C51_TESTS_SDCC_LINK_SDCC_HOST_TEST_H_
