// Functions that main() and timer 0's interrupt routine both call, with
// parameters and locals sdcc keeps outside DATA (in XDATA in the large
// model, in PDATA in the compact one, bit parameters in every model),
// compiled by C51.exe, linked by BL51.exe, converted by OH51.exe and run in
// sdcc's 8051 simulator. The routine interrupts main's calls over and over:
// main counts the wrong results, which the linker's saving of those bytes
// around the routine keeps at none, sdcc's int and long arithmetic
// included; bytes too many to save give L15.
// Skipped without sdcc or the simulator.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sdcc/compile/tool_program_test.h"

namespace c51::sdcc {
namespace {

constexpr unsigned kOut = 0x100;

// out[0]: wrong sums, out[1]: wrong picks, out[2]: main's rounds, out[3]:
// the routine's runs, each up to 255. Port 2 stays alone: the compact model pages with it.
constexpr char kProgram[] =
    "#include <REG52.H>\n"
    "unsigned char xdata out[4] _at_ 0x100;\n"
    "unsigned int sum(unsigned char a, unsigned char b) {\n"
    "  unsigned int s = 0;\n  unsigned char i;\n"
    "  for (i = 0; i < a; i++) s += b;\n  return s;\n}\n"
    "unsigned char pick(bit a, bit b) {\n"
    "  unsigned char i, r = 0;\n"
    "  for (i = 0; i < 8; i++) P1 = i;\n"
    "  if (a) r |= 1;\n  if (b) r |= 2;\n  return r;\n}\n"
    "void t0(void) interrupt 1 { TH0 = 0xFE; sum(3, 7); pick(1, 0); if (out[3] != 255) out[3]++; "
    "}\n"
    "void main(void) {\n"
    "  out[0] = out[1] = out[2] = out[3] = 0;\n"
    "  TMOD = 0x01; TH0 = 0xFE; TL0 = 0; ET0 = 1; EA = 1; TR0 = 1;\n"
    "  while (1) {\n"
    "    if (sum(100, 2) != 200) out[0]++;\n"
    "    if (pick(0, 1) != 2) out[1]++;\n"
    "    if (out[2] != 255) out[2]++;\n"
    "  }\n}\n";

class SharedLocalsProgramTest : public ToolProgramTest {
 protected:
  SharedLocalsProgramTest() : ToolProgramTest("c51shared") {}
};

TEST_F(SharedLocalsProgramTest, LocalsOutsideDataKeepTheirValuesInEveryModel) {
  for (const char* model : {"SMALL", "COMPACT", "LARGE"}) {
    SCOPED_TRACE(model);
    Write("main.c", kProgram);
    BuiltProgram built;
    ASSERT_NO_FATAL_FAILURE(BuildProgram({"main"}, model, &built));
    EXPECT_NE(std::string::npos, built.linked.find("0 WARNING(S),  0 ERROR(S)")) << built.linked;
    const std::vector<int> out = XramRun(400000, kOut, 4);
    ASSERT_EQ(4u, out.size());
    EXPECT_EQ(0, out[0]) << "wrong sums";
    EXPECT_EQ(0, out[1]) << "wrong picks";
    // Both ran, the routine many times.
    EXPECT_GE(out[2], 5);
    EXPECT_GE(out[3], 20);
  }
}

// 20 bytes of XDATA and the two registers reaching them fill the stack's
// share: still kept, the code writing them back longer than a short jump.
TEST_F(SharedLocalsProgramTest, AsManyLocalsAsTheStackTakesAreKept) {
  Write("main.c",
        "#include <REG52.H>\n"
        "unsigned char xdata out[3] _at_ 0x100;\n"
        "unsigned char fill(unsigned char seed) {\n"
        "  unsigned char buf[18], i;\n"
        "  for (i = 0; i < 18; i++) buf[i] = seed + i;\n"
        "  seed = 0;\n"
        "  for (i = 0; i < 18; i++) seed += buf[i];\n  return seed;\n}\n"
        "void t0(void) interrupt 1 { TH0 = 0xF8; fill(100); if (out[2] != 255) out[2]++; }\n"
        "void main(void) {\n"
        "  out[0] = out[1] = out[2] = 0;\n"
        "  TMOD = 0x01; TH0 = 0xF8; TL0 = 0; ET0 = 1; EA = 1; TR0 = 1;\n"
        "  while (1) {\n"
        "    if (fill(1) != 171) out[0]++;\n"
        "    if (out[1] != 255) out[1]++;\n"
        "  }\n}\n");
  BuiltProgram built;
  ASSERT_NO_FATAL_FAILURE(BuildProgram({"main"}, "LARGE", &built));
  EXPECT_NE(std::string::npos, built.linked.find("0 WARNING(S),  0 ERROR(S)")) << built.linked;
  const std::vector<int> out = XramRun(400000, kOut, 3);
  ASSERT_EQ(3u, out.size());
  EXPECT_EQ(0, out[0]) << "wrong sums";
  EXPECT_GE(out[1], 5);
  EXPECT_GE(out[2], 20);
}

// 30 bytes of a large-model buffer are more than the stack may take for
// the routine: the link says which function both callers share, and where.
TEST_F(SharedLocalsProgramTest, LocalsTooLargeToSaveAreReported) {
  Write("main.c",
        "#include <REG52.H>\n"
        "unsigned char xdata out[2] _at_ 0x100;\n"
        "unsigned char fill(unsigned char seed) {\n"
        "  unsigned char buf[30], i, s = 0;\n"
        "  for (i = 0; i < 30; i++) buf[i] = seed + i;\n"
        "  for (i = 0; i < 30; i++) s += buf[i];\n  return s;\n}\n"
        "void t0(void) interrupt 1 { out[1] = fill(1); }\n"
        "void main(void) { out[0] = fill(2); while (1); }\n");
  ASSERT_EQ(0, Run("C51.exe", "main.c LARGE").exit_code);
  const test::ToolRun link = Run("BL51.exe", "main.obj TO prog");
  EXPECT_EQ(1, link.exit_code);  // warnings only
  for (const char* line : {"*** WARNING L15: MULTIPLE CALL TO SEGMENT", "    SEGMENT: fill (XDATA)",
                           "    CALLER1: t0", "    CALLER2: main"}) {
    EXPECT_NE(std::string::npos, link.output.find(line)) << line << "\n" << link.output;
  }
  EXPECT_NE(std::string::npos, link.output.find("1 WARNING(S),  0 ERROR(S)")) << link.output;
}

// sdcc's int and long arithmetic, used by main() and the routine: the small
// model's operands are saved as the overlay segment they share; the other
// models' are the arithmetic's frames in external RAM, saved as any
// function's both call. main() finds no wrong result in any model.
TEST_F(SharedLocalsProgramTest, ArithmeticSharedWithTheRoutineKeepsItsOperands) {
  Write("main.c",
        "#include <REG52.H>\n"
        "unsigned char xdata out[4] _at_ 0x100;\n"
        "volatile unsigned int ia = 1000, ib;\n"
        "void t0(void) interrupt 1 {\n  TH0 = 0xC0;\n"
        "  ib = ia % 7 + ia * 5; ia++;\n"
        "  if (out[3] != 255) out[3]++;\n}\n"
        "void main(void) {\n"
        "  volatile unsigned int x = 12345;\n  volatile unsigned long y = 1234567;\n"
        "  out[0] = out[1] = out[2] = out[3] = 0;\n"
        "  TMOD = 0x01; TH0 = 0xC0; TL0 = 0; ET0 = 1; EA = 1; TR0 = 1;\n"
        "  while (1) {\n"
        "    if (x % 10 != 5 || x / 10 != 1234 || x * 3 != 37035u) out[0]++;\n"
        "    if (y / 10 != 123456 || y * 3 != 3703701) out[1]++;\n"
        "    if (out[2] != 255) out[2]++;\n  }\n}\n");
  for (const char* model : {"SMALL", "COMPACT", "LARGE"}) {
    SCOPED_TRACE(model);
    BuiltProgram built;
    ASSERT_NO_FATAL_FAILURE(BuildProgram({"main"}, model, &built));
    EXPECT_NE(std::string::npos, built.linked.find("0 WARNING(S),  0 ERROR(S)")) << built.linked;
    const std::vector<int> out = XramRun(600000, kOut, 4);
    ASSERT_EQ(4u, out.size());
    EXPECT_EQ(0, out[0]) << "wrong int results";
    EXPECT_EQ(0, out[1]) << "wrong long results";
    EXPECT_GT(out[2], 20) << "main's rounds";
    EXPECT_GT(out[3], 20) << "the routine's runs";
  }
}

// A routine that takes longer than its timer's period, dividing as main()
// does: the keeper around it must not be entered again while it puts the
// bytes back, or each tick nests one level deeper until the stack runs
// over. The routine records the deepest stack it saw.
TEST_F(SharedLocalsProgramTest, ARoutineLongerThanItsPeriodDoesNotNestInItsKeeper) {
  Write("main.c",
        "#include <REG52.H>\n"
        "unsigned char xdata out[4] _at_ 0x100;\n"
        "volatile unsigned int a = 1000, b = 7, r;\n"
        "void t0(void) interrupt 1 {\n  TH0 = 0xFF; TL0 = 0x80;\n"
        "  r = a / b; r = r / b;\n  if (SP > out[1]) out[1] = SP;\n"
        "  if (out[3] != 255) out[3]++;\n}\n"
        "void main(void) {\n  out[0] = out[1] = out[2] = out[3] = 0;\n"
        "  TMOD = 0x01; TH0 = 0xFF; TL0 = 0x80; ET0 = 1; EA = 1; TR0 = 1;\n"
        "  while (1) { r = a / b + 1; if (out[2] != 255) out[2]++; }\n}\n");
  for (const char* model : {"SMALL", "LARGE"}) {
    SCOPED_TRACE(model);
    ASSERT_NO_FATAL_FAILURE(BuildProgram({"main"}, model));
    const std::vector<int> out = XramRun(300000, kOut, 4);
    ASSERT_EQ(4u, out.size());
    // main() runs one instruction between two runs, as on the part.
    EXPECT_LT(out[1], 0x50) << "the deepest stack";
    EXPECT_GT(out[3], 100) << "the routine's runs";
  }
}

}  // namespace
}  // namespace c51::sdcc
