// Ints and longs at fixed addresses end to end: 16-bit registers a vendor
// header names by macro and ABSACC.H's words, written and read by a program
// compiled by C51.exe, linked by BL51.exe, converted by OH51.exe and run in
// sdcc's 8051 simulator, which shows the bytes in external RAM and the order
// the program reached them in. The original compiler keeps the high byte at
// the address and reaches it first. Skipped without sdcc or the simulator.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sdcc/run_program.h"
#include "tool_program_test.h"
#include "tools/tool_runner.h"

namespace c51::sdcc {
namespace {

constexpr int kOut = 0x100;

class FixedWordsProgramTest : public ToolProgramTest {
 protected:
  FixedWordsProgramTest() : ToolProgramTest("c51fixedwords") {}

  void Build(const std::string& source) {
    Write("main.c", source);
    BuiltProgram built;
    ASSERT_NO_FATAL_FAILURE(BuildProgram({"main"}, "", &built));
    // Every access here is one the original's order is kept for.
    EXPECT_NE(std::string::npos, built.compiled.find("0 WARNING(S),  0 ERROR(S)"))
        << built.compiled;
  }

  // Runs the program until it idles, then reads `count` bytes from kOut on.
  std::vector<int> Bytes(int count) { return XramRun(300000, kOut, count); }

  // The reads and writes of external RAM at `addresses`, in the order the
  // program made them: "w 0x100", "r 0x101".
  std::vector<std::string> Events(const std::vector<int>& addresses, int most) {
    std::string script;
    for (int a : addresses) {
      script += "break xram r " + std::to_string(a) + "\nbreak xram w " + std::to_string(a) + "\n";
    }
    // Each step stops at the next event; the last finds none.
    for (int i = 0; i <= most; ++i) script += "step 100000\n";
    std::vector<std::string> events;
    for (const std::string& line : Lines(Simulator(script))) {
      const size_t at = line.find("' at xram[");
      if (line.rfind("Event `", 0) != 0 || at == std::string::npos) continue;
      const size_t end = line.find(']', at);
      events.push_back(line.substr(7, 1) + " " + line.substr(at + 10, end - at - 10));
    }
    return events;
  }

  static std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < text.size()) {
      size_t end = text.find('\n', pos);
      if (end == std::string::npos) end = text.size();
      std::string line = text.substr(pos, end - pos);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
      pos = end + 1;
    }
    return lines;
  }
};

// PWM registers as STC's headers name them, ABSACC.H's words with constant
// and variable indexes, compound assignments, a signed shift, a long, words
// in internal RAM and in code memory, and a register an interrupt routine
// writes: each laid down and read back high byte first.
TEST_F(FixedWordsProgramTest, WordsAtFixedAddressesKeepTheirHighByteFirst) {
  Build(
      "#include <reg51.h>\n#include <absacc.h>\n"
      "#define PWMC (*(unsigned int volatile xdata *)0x0100)\n"
      "#define PWM2T1 (*(unsigned int volatile xdata *)(0x0100 + 2))\n"
      "#define CCR (*(unsigned int volatile xdata *)0x0104)\n"
      "#define SREG (*(int volatile xdata *)0x010C)\n"
      "#define LREG (*(unsigned long volatile xdata *)0x0110)\n"
      "#define IREG (*(unsigned int volatile idata *)0x70)\n"
      "#define TREG (*(unsigned int volatile xdata *)0x011A)\n"
      "unsigned char xdata out[32] _at_ 0x100;\n"
      "unsigned int j = 0x4321;\n"
      "void tick(void) interrupt 1 { TREG = j; TF0 = 0; ET0 = 0; }\n"
      "void main(void) {\n"
      "  unsigned char k = 0x84, yes = 1;\n"
      "  unsigned int v;\n"
      "  for (v = 0; v < 32; ++v) out[v] = 0;\n"
      "  PWMC = 3000;\n"
      "  PWM2T1 = 0x1234;\n"
      "  if (yes) CCR = 0x0102; else CCR = 0;\n"
      "  CCR += 0x0101;\n"
      "  XWORD[0x83] = 0xA1B2;\n"
      "  XWORD[k] = PWMC;\n"
      "  v = XWORD[k - 1] + 1;\n"
      "  out[10] = v >> 8;\n  out[11] = v;\n"
      "  SREG = -512;\n  SREG >>= 1;\n"
      "  LREG = 0x01020304;\n  LREG += 0x10;\n"
      "  IREG = 0x5566;\n"
      "  out[20] = *(unsigned char idata *)0x70;\n  out[21] = *(unsigned char idata *)0x71;\n"
      "  v = CWORD[0];\n  out[22] = v >> 8;\n"
      "  TF0 = 1;\n  ET0 = 1;\n  EA = 1;\n"
      "  while (1);\n}\n");
  EXPECT_EQ((std::vector<int>{0x0B, 0xB8, 0x12, 0x34, 0x02, 0x03, 0xA1, 0xB2,  //
                              0x0B, 0xB8, 0xA1, 0xB3, 0xFF, 0x00, 0x00, 0x00,  //
                              0x01, 0x02, 0x03, 0x14, 0x55, 0x66, 0x02, 0x00,  //
                              0x00, 0x00, 0x43, 0x21}),
            Bytes(28));
}

// The high byte goes first both ways: a pair that latches on its low byte
// takes both halves together.
TEST_F(FixedWordsProgramTest, TheHighByteIsWrittenAndReadFirst) {
  Build(
      "#define PWMC (*(unsigned int volatile xdata *)0x0100)\n"
      "unsigned char xdata out[16] _at_ 0x100;\n"
      "void main(void) {\n  unsigned int v;\n  out[2] = out[3] = 0;\n  PWMC = 3000;\n  v = PWMC;\n"
      "  out[4] = v >> 8;\n  out[5] = v;\n  while (1);\n}\n");
  EXPECT_EQ((std::vector<std::string>{"w 0x100", "w 0x101", "r 0x100", "r 0x101"}),
            Events({0x100, 0x101}, 4));
  EXPECT_EQ((std::vector<int>{0x0B, 0xB8, 0, 0, 0x0B, 0xB8}), Bytes(6));
}

// A register the toolchain's header names whole and one a user's header
// names by its cast, each written with the other's value.
TEST_F(FixedWordsProgramTest, WordsOfBothKindsPassValuesToEachOther) {
  Build(
      "#include <STC15W4K32S4.H>\n"
      "#define MINE (*(unsigned int volatile xdata *)0x0100)\n"
      "unsigned char xdata out[16] _at_ 0x100;\n"
      "void main(void) {\n  MINE = 0x1234;\n  PWMC = MINE;\n  MINE = PWMC + 1;\n"
      "  out[2] = PWMCH;\n  out[3] = PWMCL;\n  while (1);\n}\n");
  EXPECT_EQ((std::vector<int>{0x12, 0x35, 0x12, 0x34}), Bytes(4));
}

}  // namespace
}  // namespace c51::sdcc
