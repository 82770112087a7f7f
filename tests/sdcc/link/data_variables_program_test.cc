// Programs whose variables in DATA the linker lays one by one around the
// bit area, compiled by C51.exe, linked by BL51.exe, converted by OH51.exe
// and run in sdcc's 8051 simulator: each writes a pattern into its arrays,
// sums it back and puts the sums into external RAM. Skipped without sdcc or
// the simulator.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sdcc/compile/tool_program_test.h"

namespace c51::sdcc {
namespace {

constexpr unsigned kOut = 0x100;

class DataVariablesProgramTest : public ToolProgramTest {
 protected:
  DataVariablesProgramTest() : ToolProgramTest("c51dataprog") {}

  // `sources` ("<name>.c" each) into prog.hex; the link must say nothing.
  void Build(const std::vector<std::pair<std::string, std::string>>& sources) {
    std::vector<std::string> names;
    for (const auto& [name, text] : sources) {
      Write(name + ".c", text);
      names.push_back(name);
    }
    BuiltProgram built;
    ASSERT_NO_FATAL_FAILURE(BuildProgram(names, "", &built));
    ASSERT_NE(std::string::npos, built.linked.find("0 WARNING(S),  0 ERROR(S)")) << built.linked;
  }

  // The line of the map's symbol list naming `symbol`; empty when none does.
  std::string MapRow(const std::string& symbol) {
    const std::string map = Read("prog.M51");
    const size_t at = map.find(" " + symbol + " ");
    if (at == std::string::npos) return std::string();
    const size_t begin = map.rfind('\n', at) + 1;
    return map.substr(begin, map.find('\r', at) - begin);
  }
};

// 102 bytes of variables in one file and a bit sdcc makes for "!flag": no
// piece of DATA that large is left beside the bit, every variable is.
TEST_F(DataVariablesProgramTest, AModulesVariablesLargerThanAnyFreeRunLink) {
  ASSERT_NO_FATAL_FAILURE(
      Build({{"main",
              "#include <REG52.H>\n"
              "unsigned char buf[80];\nunsigned char buf2[20];\nunsigned int flag = 1;\n"
              "unsigned char xdata out[4] _at_ 0x100;\n"
              "void main(void) {\n  unsigned char i;\n  unsigned int sum = 0;\n"
              "  for (i = 0; i < 80; i++) buf[i] = i + 1;\n"
              "  for (i = 0; i < 20; i++) buf2[i] = 3 * i;\n"
              "  flag = !flag;\n"
              "  for (i = 0; i < 80; i++) sum += buf[i];\n"
              "  for (i = 0; i < 20; i++) sum += buf2[i];\n"
              "  out[0] = sum;\n  out[1] = sum >> 8;\n  out[2] = flag;\n"
              "  out[3] = buf[79] + buf2[19];\n"
              "  while (1) { flag = !flag; P1 = buf[P2 & 63] + buf2[P3 & 15]; }\n}\n"}}));
  // 1 + ... + 80 = 3240, 3 * (0 + ... + 19) = 570: 3810 = 0EE2H.
  EXPECT_EQ((std::vector<int>{0xE2, 0x0E, 0, 80 + 57}), XramRun(20000, kOut, 4));
  // The map shows them as main's.
  for (const char* symbol : {"buf", "buf2", "flag"}) {
    const std::string row = MapRow(symbol);
    EXPECT_NE(std::string::npos, row.find(" DATA ")) << symbol << ": " << row;
    EXPECT_EQ(row.substr(row.size() - 5), " main") << symbol << ": " << row;
  }
}

// Two files with 55 bytes of variables each and a bit between them.
TEST_F(DataVariablesProgramTest, TwoModulesVariablesAroundTheBitsLink) {
  ASSERT_NO_FATAL_FAILURE(
      Build({{"main",
              "#include <REG52.H>\n"
              "unsigned char b1[35], b2[20];\nbit seen;\n"
              "unsigned char xdata out[6] _at_ 0x100;\n"
              "void fill_a(unsigned char seed);\nunsigned int sum_a(void);\n"
              "void main(void) {\n  unsigned char i;\n  unsigned int sum = 0;\n"
              "  fill_a(5);\n"
              "  for (i = 0; i < 35; i++) b1[i] = 2 * i;\n"
              "  for (i = 0; i < 20; i++) b2[i] = 100 + i;\n"
              "  seen = 1;\n"
              "  for (i = 0; i < 35; i++) sum += b1[i];\n"
              "  for (i = 0; i < 20; i++) sum += b2[i];\n"
              "  out[0] = sum;\n  out[1] = sum >> 8;\n"
              "  sum = sum_a();\n  out[2] = sum;\n  out[3] = sum >> 8;\n"
              "  out[4] = seen;\n  out[5] = b2[19];\n"
              "  while (1) P1 = b1[P2 & 31];\n}\n"},
             {"part",
              "unsigned char a1[35], a2[20];\n"
              "void fill_a(unsigned char seed) {\n  unsigned char i;\n"
              "  for (i = 0; i < 35; i++) a1[i] = seed + i;\n"
              "  for (i = 0; i < 20; i++) a2[i] = seed * i;\n}\n"
              "unsigned int sum_a(void) {\n  unsigned char i;\n  unsigned int sum = 0;\n"
              "  for (i = 0; i < 35; i++) sum += a1[i];\n"
              "  for (i = 0; i < 20; i++) sum += a2[i];\n  return sum;\n}\n"}}));
  // main: 2 * (0 + ... + 34) + 20 * 100 + (0 + ... + 19) = 1190 + 2000 +
  // 190 = 3380 = 0D34H; part: 35 * 5 + 595 + 5 * 190 = 1720 = 06B8H.
  EXPECT_EQ((std::vector<int>{0x34, 0x0D, 0xB8, 0x06, 1, 119}), XramRun(40000, kOut, 6));
  EXPECT_EQ(MapRow("a1").substr(MapRow("a1").size() - 5), " part");
}

// A library module the program names only a variable of comes in whole, as
// it did while it defined the variable: its initialiser runs.
TEST_F(DataVariablesProgramTest, ALibraryModuleComesInForItsVariable) {
  Write("cfg.c",
        "unsigned char volume = 7;\nstatic unsigned char calls;\n"
        "void cfg_touch(void) { calls++; volume++; }\n");
  Write("main.c",
        "extern unsigned char volume;\nunsigned char xdata out[2] _at_ 0x100;\n"
        "void main(void) { out[0] = volume; out[1] = 0x5A; while (1); }\n");
  ASSERT_EQ(0, Run("C51.exe", "\"cfg.c\"").exit_code);
  ASSERT_EQ(0, Run("C51.exe", "\"main.c\"").exit_code);
  ASSERT_EQ(0, Run("Lib51.exe", "TRANSFER \"cfg.obj\" TO \"cfg.lib\"").exit_code);
  const test::ToolRun link = Run("BL51.exe", "\"main.obj\", \"cfg.lib\" TO \"prog\"");
  ASSERT_EQ(0, link.exit_code) << link.output;
  ASSERT_EQ(0, Run("OH51.exe", "\"prog\"").exit_code);
  EXPECT_EQ((std::vector<int>{7, 0x5A}), XramRun(3000, kOut, 2));
  EXPECT_NE(std::string::npos, Read("prog.M51").find("  cfg.lib (CFG)\r\n"));
}

TEST_F(DataVariablesProgramTest, VariablesThatDoNotFitAreStillAnOverflow) {
  Write("main.c",
        "#include <REG51.H>\nunsigned char a[70], b[60];\n"
        "void main(void) { a[P1] = b[P2]; }\n");
  ASSERT_EQ(0, Run("C51.exe", "\"main.c\"").exit_code);
  const test::ToolRun link = Run("BL51.exe", "\"main.obj\" TO \"prog\" RAMSIZE(128)");
  EXPECT_EQ(2, link.exit_code) << link.output;
  EXPECT_NE(std::string::npos, link.output.find("*** ERROR L107: ADDRESS SPACE OVERFLOW\r\n"
                                                "    SPACE:   DATA\r\n"))
      << link.output;
}

// Two files defining one public variable: the linker lays it once, and
// says so as sdld said it while each module laid its own.
TEST_F(DataVariablesProgramTest, AVariableTwoFilesDefineIsNamed) {
  Write("main.c", "unsigned char buf[4];\nvoid f(void);\nvoid main(void) { f(); buf[0] = 1; }\n");
  Write("part.c", "unsigned char buf[4];\nvoid f(void) { buf[1] = 2; }\n");
  ASSERT_EQ(0, Run("C51.exe", "\"main.c\"").exit_code);
  ASSERT_EQ(0, Run("C51.exe", "\"part.c\"").exit_code);
  const test::ToolRun link = Run("BL51.exe", "\"main.obj\", \"part.obj\" TO \"prog\"");
  EXPECT_EQ(2, link.exit_code) << link.output;
  EXPECT_NE(std::string::npos, link.output.find("*** ERROR L104: MULTIPLE PUBLIC DEFINITIONS\r\n"
                                                "    SYMBOL:  buf\r\n"
                                                "    MODULE:  main.obj (MAIN)\r\n"
                                                "    MODULE:  part.obj (PART)\r\n"))
      << link.output;
}

}  // namespace
}  // namespace c51::sdcc
