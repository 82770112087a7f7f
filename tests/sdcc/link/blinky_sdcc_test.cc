// The blinky example built for real: imported and built by corvane-c51 with
// the sdcc toolchain, then run in ucsim's 8051 simulator, which must see the
// LED pin toggle again and again, paced by the timer. Skipped without sdcc,
// the simulator or the toolchain's compiler.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/fs.h"
#include "s51_ports.h"
#include "sdcc/run_program.h"
#include "sdcc_host_test.h"
#include "support/temp_dir.h"

namespace c51::sdcc {
namespace {

// Simulated instructions between two looks at port 1, and how many looks:
// roughly 10 ms apart at 12 MHz (the idle loop takes two cycles per
// instruction, the interrupt more), some 1.5 s in all. The example toggles
// every 100 ms.
constexpr int kStepsPerSample = 5000;
constexpr int kSamples = 150;

class BlinkySdccTest : public SdccHostTest {
 protected:
  BlinkySdccTest() : SdccHostTest("c51blinky") {}
  // Nothing tells the tools where sdcc is: the build narrows PATH to the
  // project's folder, and they must find it all the same.
};

TEST_F(BlinkySdccTest, BuildsFirmwareWhoseLedToggles) {
  std::error_code ec;
  std::filesystem::copy(C51_EXAMPLES_DIR "blinky_sdcc", dir_.path(),
                        std::filesystem::copy_options::recursive, ec);
  ASSERT_FALSE(ec) << ec.message();
  const std::string project = dir_.path() + "blinky.cvproj";
  const ProgramRun import = Host({"import", dir_.path() + "blinky_sdcc.uvproj", "-o", project});
  ASSERT_EQ(import.exit_code, 0) << import.output;
  const ProgramRun build = Host({"--toolchain", toolchain_, "build", "-p", project});
  ASSERT_EQ(build.exit_code, 0) << build.output;
  EXPECT_NE(build.output.find("linking...\n"), std::string::npos) << build.output;
  EXPECT_NE(build.output.find("Program Size: data="), std::string::npos) << build.output;
  EXPECT_NE(build.output.find("\"blinky\" - 0 error(s), 0 warning(s)."), std::string::npos)
      << build.output;
  const std::string hex = dir_.path() + "Debug/blinky.hex";
  ASSERT_TRUE(PathExists(hex)) << build.output;

  std::string output;
  const std::vector<int> samples =
      SampleP1(s51_, hex, dir_.path(), kSamples, kStepsPerSample, &output);
  ASSERT_EQ(samples.size(), static_cast<size_t>(kSamples)) << output;
  for (int i = 1; i < kSamples; ++i) {
    EXPECT_EQ(samples[i] | 0x01, 0xFF) << "only P1.0 may move, sample " << i;
  }
  const std::vector<int> changes = P1Changes(samples, 0);
  // 100 ms apart, some ten looks. A pin that changed at nearly every look
  // would follow the main loop, not the timer.
  EXPECT_GE(changes.size(), 8u) << testing::PrintToString(samples);
  for (size_t i = 1; i < changes.size(); ++i) {
    EXPECT_GE(changes[i] - changes[i - 1], 4) << testing::PrintToString(samples);
    EXPECT_LE(changes[i] - changes[i - 1], 20) << testing::PrintToString(samples);
  }
}

}  // namespace
}  // namespace c51::sdcc
