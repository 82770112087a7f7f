// Interrupt routines in files without main(), built by corvane-c51 with the
// sdcc toolchain and run in ucsim's 8051 simulator: the linker must give
// each its vector, leave the reset to a start-up file that takes it, and
// refuse two routines for one interrupt. Skipped without sdcc, the simulator
// or the toolchain's compiler.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/fs.h"
#include "s51_ports.h"
#include "sdcc/link/ihx_image.h"
#include "sdcc/run_program.h"
#include "sdcc_host_test.h"
#include "support/temp_dir.h"

namespace c51::sdcc {
namespace {

// Some 9 ms per look at 12 MHz (the idle loop takes two cycles per
// instruction, the two interrupts a little more), some 1.4 s in all: P1.0
// toggles every 50 ms, P1.1 every 100 ms.
constexpr int kStepsPerSample = 5000;
constexpr int kSamples = 150;

class VectorsSdccTest : public SdccHostTest {
 protected:
  VectorsSdccTest() : SdccHostTest("c51vectors") {}

  // A new project "vec" of the named files from the test data; the build's
  // output.
  ProgramRun Build(const std::vector<std::string>& files) {
    const std::string project = dir_.path() + "vec.cvproj";
    ProgramRun run = Host({"new", project, "--force", "--config", "Debug"});
    EXPECT_EQ(run.exit_code, 0) << run.output;
    std::vector<std::string> add = {"add", "-p", project};
    for (const std::string& file : files) {
      std::error_code ec;
      std::filesystem::copy_file(C51_VECTORS_DATA_DIR + file, dir_.path() + file,
                                 std::filesystem::copy_options::overwrite_existing, ec);
      EXPECT_FALSE(ec) << ec.message();
      add.push_back(dir_.path() + file);
    }
    run = Host(add);
    EXPECT_EQ(run.exit_code, 0) << run.output;
    return Host({"--toolchain", toolchain_, "build", "--rebuild", "-p", project});
  }

  std::string Hex() const { return dir_.path() + "Debug/vec.hex"; }

  // Runs the program; P1.0 and P1.1 must follow their timers, and the
  // other pins of port 1 stay as `others` (bits 2 to 7).
  void ExpectBothTimersBlink(int others) {
    std::string output;
    const std::vector<int> samples =
        SampleP1(s51_, Hex(), dir_.path(), kSamples, kStepsPerSample, &output);
    ASSERT_EQ(samples.size(), static_cast<size_t>(kSamples)) << output;
    for (int i = 1; i < kSamples; ++i) {
      EXPECT_EQ(samples[i] & 0xFC, others) << "sample " << i;
    }
    const std::vector<int> fast = P1Changes(samples, 0);
    const std::vector<int> slow = P1Changes(samples, 1);
    EXPECT_GE(fast.size(), 16u) << testing::PrintToString(samples);
    EXPECT_GE(slow.size(), 8u) << testing::PrintToString(samples);
    for (size_t i = 1; i < fast.size(); ++i) {
      EXPECT_GE(fast[i] - fast[i - 1], 3) << testing::PrintToString(samples);
      EXPECT_LE(fast[i] - fast[i - 1], 9) << testing::PrintToString(samples);
    }
    for (size_t i = 1; i < slow.size(); ++i) {
      EXPECT_GE(slow[i] - slow[i - 1], 8) << testing::PrintToString(samples);
      EXPECT_LE(slow[i] - slow[i - 1], 16) << testing::PrintToString(samples);
    }
  }
};

TEST_F(VectorsSdccTest, RoutinesInFilesWithoutMainRun) {
  const ProgramRun build = Build({"main.c", "timer0.c", "timer1.c"});
  ASSERT_EQ(build.exit_code, 0) << build.output;
  EXPECT_NE(build.output.find("\"vec\" - 0 error(s), 0 warning(s)."), std::string::npos)
      << build.output;
  ASSERT_TRUE(PathExists(Hex())) << build.output;
  ExpectBothTimersBlink(0xFC);
}

TEST_F(VectorsSdccTest, AStartUpFileKeepsTheReset) {
  const ProgramRun build = Build({"startup.a51", "main.c", "timer0.c", "timer1.c"});
  ASSERT_EQ(build.exit_code, 0) << build.output;
  EXPECT_NE(build.output.find("\"vec\" - 0 error(s), 0 warning(s)."), std::string::npos)
      << build.output;
  std::string map, err;
  ASSERT_EQ(ReadWholeFile(dir_.path() + "Debug/vec.M51", &map, &err), ReadStatus::kOkay) << err;
  EXPECT_EQ(map.find("RESET"), std::string::npos) << map;
  EXPECT_NE(map.find("  000BH     1          timer0 "), std::string::npos) << map;
  // The start-up file ran first: P1.7 is low.
  ExpectBothTimersBlink(0x7C);
}

// Assembly of the user's own at the reset address beside a start-up file:
// the start-up module gives way with a warning, the user's code runs.
TEST_F(VectorsSdccTest, AssemblyAtTheResetAddressDisplacesTheStartUpFile) {
  const ProgramRun build = Build({"startup.a51", "reset_asm.a51"});
  ASSERT_EQ(build.exit_code, 0) << build.output;
  EXPECT_NE(build.output.find("WARNING L5: CODE SPACE MEMORY OVERLAP"), std::string::npos)
      << build.output;
  EXPECT_NE(build.output.find("\"vec\" - 0 error(s), 1 warning(s)."), std::string::npos)
      << build.output;
  std::string output;
  const std::vector<int> p1 = SampleP1(s51_, Hex(), dir_.path(), 1, 200, &output);
  ASSERT_EQ(p1.size(), 1u) << output;
  EXPECT_EQ(p1[0], 0xA5);
}

TEST_F(VectorsSdccTest, ARoutineBesideMainAndOneNumberedHigherElsewhereRun) {
  const ProgramRun build = Build({"main_timer0.c", "timer1.c", "uart2.c"});
  ASSERT_EQ(build.exit_code, 0) << build.output;
  EXPECT_NE(build.output.find("\"vec\" - 0 error(s), 0 warning(s)."), std::string::npos)
      << build.output;
  std::string map, hex, err;
  ASSERT_EQ(ReadWholeFile(dir_.path() + "Debug/vec.M51", &map, &err), ReadStatus::kOkay) << err;
  EXPECT_NE(map.find("  0043H     8          uart2 "), std::string::npos) << map;
  // A long jump at 0043H to the routine the map places.
  ASSERT_EQ(ReadWholeFile(Hex(), &hex, &err), ReadStatus::kOkay) << err;
  std::vector<c51::sim::HexChunk> runs;
  ASSERT_TRUE(ReadIntelHex(hex, &runs, &err)) << err;
  std::string jump;
  for (const c51::sim::HexChunk& run : runs) {
    for (uint32_t a = 0x43; a < 0x46; ++a) {
      if (a >= run.address && a < run.address + run.bytes.size()) {
        char byte[4];
        snprintf(byte, sizeof byte, "%02X", run.bytes[a - run.address]);
        jump += byte;
      }
    }
  }
  const size_t at = map.find("     CODE     uart2 ");
  ASSERT_NE(at, std::string::npos) << map;
  EXPECT_EQ(jump, "02" + map.substr(at - 5, 4)) << hex;
  ExpectBothTimersBlink(0xFC);
}

TEST_F(VectorsSdccTest, TwoRoutinesForOneInterruptFailTheBuild) {
  const ProgramRun build = Build({"main.c", "timer0.c", "same_number.c"});
  EXPECT_EQ(build.exit_code, 1) << build.output;
  for (const char* part :
       {"*** ERROR L223: INTERRUPT NUMBER USED TWICE", "SYMBOL:  timer0", "timer0.obj (TIMER0)",
        "SYMBOL:  tick", "same_number.obj (SAME_NUMBER)"}) {
    EXPECT_NE(build.output.find(part), std::string::npos) << part << "\n" << build.output;
  }
  EXPECT_FALSE(PathExists(Hex()));
}

}  // namespace
}  // namespace c51::sdcc
