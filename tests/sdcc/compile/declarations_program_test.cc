// Declarations the original compiler takes and sdcc refuses, end to end:
// compiled by C51.exe, linked by BL51.exe, converted by OH51.exe and run in
// sdcc's 8051 simulator, which reads back what the program wrote to
// external RAM. Skipped without sdcc or the simulator.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sdcc/run_program.h"
#include "tool_program_test.h"
#include "tools/tool_runner.h"

namespace c51::sdcc {
namespace {

constexpr int kOut = 0x100;

class DeclarationsProgramTest : public ToolProgramTest {
 protected:
  DeclarationsProgramTest() : ToolProgramTest("c51declprog") {}

  // Runs prog.hex until it idles, then reads `count` bytes from kOut on.
  std::vector<int> Simulate(int count) { return XramRun(300000, kOut, count); }
};

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// Calls with no declaration (two parameters, a definition in another letter
// case, one further down), a declaration of names only, long double and
// double, declarations without a type, arrays' addresses assigned to element
// pointers and a string that fills its array: each computes what the
// original compiler's program computes.
TEST_F(DeclarationsProgramTest, DeclarationsSdccRefusesComputeAsWritten) {
  Write("lcd.h", "void show(Char, Char);\n");
  Write("other.c",
        "#include \"lcd.h\"\nextern unsigned char xdata out[16];\n"
        "void show(unsigned char a, unsigned char b) { out[7] = a; out[8] = b; }\n"
        "unsigned char scale(unsigned char v, unsigned char k) { return v * k; }\n"
        "unsigned char Key_Scan(void) { return 3; }\n"
        "void Lcd_Put(unsigned char c, unsigned char rs, unsigned char rw)\n"
        "{ out[9] = c; out[10] = rs; out[11] = rw; }\n");
  Write("main.c",
        "#include \"lcd.h\"\nunsigned char xdata out[16] _at_ 0x100;\n"
        "count = 5;\nseg[3] = {1, 2, 3};\nlong double half = 0.5;\n"
        "unsigned char buf[4] = {7, 8, 9, 10};\n"
        "void LCD_PUT(unsigned char c, unsigned char rs, unsigned char rw);\n"
        "struct T { unsigned char a, b; } tab[2] = {{1, 2}, {3, 4}};\n"
        "void main(void)\n{\n"
        "  unsigned char *q = &buf;\n  struct T *p;\n"
        "  unsigned char s[4] = \"abcd\";\n  double d = 2.5;\n"
        "  p = &tab;\n"
        "  out[0] = scale(6, 7);\n"
        "  out[1] = key_scan();\n"
        "  out[2] = q[2];\n  out[3] = p[1].b;\n"
        "  out[4] = (unsigned char)(half * 8);\n  out[5] = (unsigned char)(d * 2);\n"
        "  out[6] = count + seg[2];\n"
        "  show(s[3], later(4));\n"
        "  LCD_PUT(0x41, 0x12, 0x34);\n"
        "  while (1);\n}\n"
        "unsigned char later(unsigned char v) { return v + 1; }\n");
  const test::ToolRun main = Run("C51.exe", "\"main.c\"");
  ASSERT_EQ(1, main.exit_code) << main.output;  // warnings
  // The calls keep their warning, the addresses get one; nothing else.
  EXPECT_EQ(3u, Count(main.output, "C206")) << main.output;
  EXPECT_EQ(2u, Count(main.output, "whole array")) << main.output;
  EXPECT_NE(std::string::npos, main.output.find("5 WARNING(S),  0 ERROR(S)")) << main.output;
  const test::ToolRun other = Run("C51.exe", "\"other.c\"");
  ASSERT_EQ(0, other.exit_code) << other.output;
  EXPECT_NE(std::string::npos, other.output.find("0 WARNING(S),  0 ERROR(S)")) << other.output;
  const test::ToolRun link = Run("BL51.exe", "\"main.obj\", \"other.obj\" TO \"prog\"");
  ASSERT_EQ(0, link.exit_code) << link.output;
  ASSERT_EQ(0, Run("OH51.exe", "\"prog\"").exit_code);
  EXPECT_EQ(Simulate(12),
            (std::vector<int>{6 * 7, 3, 9, 4, 4, 5, 5 + 3, 'd', 4 + 1, 0x41, 0x12, 0x34}));
}

// Const objects without a memory type are variables, as for the original
// compiler: another file's "extern" without const reads them, a buffer the
// program writes through memset() and sprintf() takes the text, and an
// extern declaration without the definition's volatile is the same object.
TEST_F(DeclarationsProgramTest, ConstObjectsAreVariablesEveryFileAgreesOn) {
  Write("tab.c", "const unsigned char tab[4] = {11, 22, 33, 44};\n");
  Write("main.c",
        "#include <stdio.h>\n#include <string.h>\n"
        "unsigned char xdata out[8] _at_ 0x100;\n"
        "extern unsigned char tab[];\n"
        "extern unsigned char flag;\n"
        "volatile unsigned char flag = 9;\n"
        "static const char buf[4] = {0};\n"
        "void main(void)\n{\n"
        "  out[0] = tab[1];\n  out[1] = tab[3];\n"
        "  memset(buf, 0, sizeof(buf));\n"
        "  sprintf(buf, \"%d\", 7);\n"
        "  out[2] = buf[0];\n  out[3] = flag;\n"
        "  while (1);\n}\n");
  BuildProgram({"tab", "main"}, "");
  EXPECT_EQ(XramRun(300000, kOut, 4), (std::vector<int>{22, 44, '7', 9}));
}

// A header whose static has an initializer makes code in every file that
// includes it, with sdcc's line records of the same names: with debug
// information the program links, and each file keeps its own copy.
TEST_F(DeclarationsProgramTest, AHeadersStaticIsEachFilesOwnWithDebugInformation) {
  Write("flag.h", "static unsigned char flag = 5;\nunsigned char other(void);\n");
  Write("other.c", "#include \"flag.h\"\nunsigned char other(void) { return flag; }\n");
  Write("main.c",
        "#include \"flag.h\"\nunsigned char xdata out[2] _at_ 0x100;\n"
        "void main(void)\n{\n  flag = 9;\n  out[0] = flag;\n  out[1] = other();\n"
        "  while (1);\n}\n");
  BuildProgram({"main", "other"}, "DEBUG");
  EXPECT_EQ(XramRun(20000, kOut, 2), (std::vector<int>{9, 5}));
}

// A vendor header that pastes two slashes into a comment to drop the
// address of its extern declarations ("REG _AT_ 0xFE80;"): the register
// the header names is the one the allocating file places.
TEST_F(DeclarationsProgramTest, AHeaderPastingACommentDeclaresItsRegisters) {
  Write("regs.h",
        "#ifdef ALLOCATE_EXTERN\n#define EXTERN\n#define _AT_ _at_\n#else\n"
        "#define EXTERN extern\n#define _AT_ ;/ ## /\n#endif\n"
        "EXTERN volatile unsigned char xdata REG1 _AT_ 0x0100;\n"
        "EXTERN volatile unsigned char xdata REG2 _AT_ 0x0101;\n");
  Write("regs.c", "#define ALLOCATE_EXTERN\n#include \"regs.h\"\n");
  Write("main.c",
        "#include \"regs.h\"\nvoid main(void)\n{\n  REG1 = 0x5A;\n  REG2 = REG1 + 1;\n"
        "  while (1);\n}\n");
  BuildProgram({"regs", "main"}, "");
  EXPECT_EQ(XramRun(20000, kOut, 2), (std::vector<int>{0x5A, 0x5B}));
}

// A placeholder file, empty or emptied by its conditionals, compiles
// without a word, as with the original compiler.
TEST_F(DeclarationsProgramTest, AnEmptyFileCompilesSilently) {
  Write("keep.c", "");
  Write("cond.c", "#ifdef NEVER\nint x;\n#endif\n");
  for (const char* file : {"keep.c", "cond.c"}) {
    const test::ToolRun run = Run("C51.exe", file);
    EXPECT_EQ(0, run.exit_code) << run.output;
    EXPECT_NE(std::string::npos, run.output.find("0 WARNING(S),  0 ERROR(S)")) << run.output;
  }
}

// A call of a function defined nowhere stays sdcc's implicit declaration,
// with its warning, and no word of the local sdcc makes of it.
TEST_F(DeclarationsProgramTest, ACallOfNothingDefinedKeepsOnlyItsWarning) {
  Write("main.c", "void main(void)\n{\n  nowhere();\n  while (1);\n}\n");
  const test::ToolRun run = Run("C51.exe", "\"main.c\"");
  ASSERT_EQ(1, run.exit_code) << run.output;  // a warning
  EXPECT_NE(std::string::npos,
            run.output.find("WARNING C206 IN LINE 3 OF main.c: function 'nowhere'"))
      << run.output;
  EXPECT_NE(std::string::npos, run.output.find("1 WARNING(S),  0 ERROR(S)")) << run.output;
}

}  // namespace
}  // namespace c51::sdcc
