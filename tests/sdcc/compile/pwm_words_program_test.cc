// The STC15W4K32S4.H names of the enhanced PWM's 16-bit XDATA registers,
// built and run in sdcc's 8051 simulator, whose external RAM shows where
// each byte went: high byte first, at the data sheet's addresses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sdcc/run_program.h"
#include "tool_program_test.h"

namespace c51::sdcc {
namespace {

// Every 16-bit name of the STC15W4K series' enhanced PWM at its data
// sheet address, high byte first, as its programs write and read them.
class XdataWordProgramTest : public ToolProgramTest {
 protected:
  XdataWordProgramTest() : ToolProgramTest("c51xdatawords") {}

  // The bytes of external RAM at `addresses` after the program idles.
  std::vector<int> Run51(const std::vector<unsigned>& addresses) {
    return XramBytes(20000, addresses);
  }
};

TEST_F(XdataWordProgramTest, PwmWordsLandHighByteFirstAtTheDataSheetAddresses) {
  struct Word {
    const char* name;
    unsigned address;
  };
  const Word words[] = {{"PWMC", 0xFFF0},   {"PWM2T1", 0xFF00}, {"PWM2T2", 0xFF02},
                        {"PWM3T1", 0xFF10}, {"PWM3T2", 0xFF12}, {"PWM4T1", 0xFF20},
                        {"PWM4T2", 0xFF22}, {"PWM5T1", 0xFF30}, {"PWM5T2", 0xFF32},
                        {"PWM6T1", 0xFF40}, {"PWM6T2", 0xFF42}, {"PWM7T1", 0xFF50},
                        {"PWM7T2", 0xFF52}};
  std::string program =
      "#include <STC15W4K32S4.H>\nunsigned char xdata out[4] _at_ 0x100;\nunsigned int v;\n"
      "void main(void) {\n  P_SW2 |= 0x80;\n";
  std::vector<unsigned> addresses;
  unsigned value = 0x1102;
  for (const Word& w : words) {
    program += "  " + std::string(w.name) + " = " + std::to_string(value) + ";\n";
    addresses.push_back(w.address);
    addresses.push_back(w.address + 1);
    value += 0x0203;
  }
  // Reads, a compound assignment and a step, as PWM code adjusts a duty.
  program +=
      "  PWM2T1 += 0x0101;\n  v = PWM2T1;\n  PWM2T1 += 1;\n  out[0] = v >> 8;\n"
      "  out[1] = v;\n  out[2] = PWMC == 0x1102;\n  PWM7T2 -= 1;\n  while (1);\n}\n";
  addresses.insert(addresses.end(), {0x100, 0x101, 0x102});
  Write("main.c", program);
  ASSERT_NO_FATAL_FAILURE(BuildProgram({"main"}, ""));

  const std::vector<int> bytes = Run51(addresses);
  ASSERT_EQ(addresses.size(), bytes.size());
  std::vector<int> expected;
  value = 0x1102;
  for (const Word& w : words) {
    unsigned v = value;
    if (std::string(w.name) == "PWM2T1") v += 0x0101 + 1;
    if (std::string(w.name) == "PWM7T2") v -= 1;
    expected.push_back(static_cast<int>(v >> 8));
    expected.push_back(static_cast<int>(v & 0xFF));
    value += 0x0203;
  }
  const unsigned pwm2t1 = 0x1102 + 0x0203 + 0x0101;  // before the step
  expected.insert(expected.end(),
                  {static_cast<int>(pwm2t1 >> 8), static_cast<int>(pwm2t1 & 0xFF), 1});
  EXPECT_EQ(expected, bytes);
}

}  // namespace
}  // namespace c51::sdcc
