// The bridged constructs end to end: sources compiled by C51.exe, linked by
// BL51.exe, converted by OH51.exe and run in sdcc's 8051 simulator, which
// reads back what the program wrote to external RAM. Skipped without sdcc
// or the simulator.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fs.h"
#include "sdcc/run_program.h"
#include "sim/files.h"
#include "support/temp_dir.h"
#include "tool_program_test.h"
#include "tools/tool_runner.h"

namespace c51::sdcc {
namespace {

// Every program writes its results to external RAM from here on.
constexpr int kOut = 0x100;

class DialectProgramTest : public ToolProgramTest {
 protected:
  DialectProgramTest() : ToolProgramTest("c51dialectprog") {}

  // Compiles each source with `controls`, links them into prog.hex.
  void Build(const std::vector<std::string>& sources, const std::string& controls) {
    BuildProgram(sources, controls);
  }

  // Runs prog.hex until it idles, then reads `count` bytes from kOut on.
  std::vector<int> Simulate(int count) { return XramRun(300000, kOut, count); }
};

// Two modules with INTRINS.H and debug records link (its function bodies
// gave both the same global debug symbols), and every intrinsic computes
// what it stands for, on constants sdcc knows too.
TEST_F(DialectProgramTest, IntrinsicsInTwoModulesLinkWithDebugAndComputeRight) {
  Write("main.c",
        "#include <reg51.h>\n#include <intrins.h>\n"
        "unsigned char xdata out[32] _at_ 0x100;\nextern void calc(void);\nbit flag;\n"
        "void raise(void) { flag = 1; }\n"
        "void main(void) {\n  raise();\n  out[0] = _testbit_(flag);\n"
        "  out[1] = _testbit_(flag);\n  out[2] = flag;\n  out[3] = _crol_(out[3], 1);\n"
        "  calc();\n  while (1);\n}\n");
  Write("calc.c",
        "#include <reg51.h>\n#include <intrins.h>\nextern unsigned char xdata out[32];\n"
        "static unsigned char seven(void) { return 7; }\n"
        "void calc(void) {\n  unsigned char c = 0x81, k = 3;\n  unsigned int w = 0x8001;\n"
        "  unsigned long l = 0x80000001;\n"
        "  out[5] = _crol_(c, 1);\n  out[6] = _cror_(c, 1);\n  out[7] = _crol_(c, 4);\n"
        "  out[8] = _crol_(c, k);\n  out[9] = _cror_(c, seven());\n"
        "  w = _irol_(w, 1);\n  out[10] = w;\n  out[11] = w >> 8;\n"
        "  w = _iror_(0x8001, 4);\n  out[12] = w;\n  out[13] = w >> 8;\n"
        "  l = _lrol_(l, 1);\n  out[14] = l;\n  out[15] = l >> 24;\n"
        "  l = _lror_(0x80000001, 16);\n  out[16] = l >> 8;\n  out[17] = l >> 16;\n"
        "  P1 = 0x7E;\n  P1 = _crol_(P1, 1);\n  out[18] = P1;\n}\n");
  ASSERT_NO_FATAL_FAILURE(Build({"main", "calc"}, "DEBUG OBJECTEXTEND"));
  const std::vector<int> out = Simulate(19);
  ASSERT_EQ(19u, out.size());
  EXPECT_EQ((std::vector<int>{1, 0, 0}), std::vector<int>(out.begin(), out.begin() + 3));
  EXPECT_EQ((std::vector<int>{0x03, 0xC0, 0x18, 0x0C, 0x03, 0x03, 0x00, 0x00, 0x18, 0x03, 0x00,
                              0x80, 0x01, 0xFC}),
            std::vector<int>(out.begin() + 5, out.end()));

  // Rotations by one and by half are the rotate and swap instructions.
  const test::ToolRun src = Run("C51.exe", "\"calc.c\" SRC(calc.src)");
  ASSERT_EQ(0, src.exit_code) << src.output;
  const std::string assembly = Read("calc.src");
  for (const char* instruction : {"\trl\ta\n", "\trr\ta\n", "\tswap\ta\n", "\trlc\ta\n"}) {
    EXPECT_NE(std::string::npos, assembly.find(instruction)) << instruction << assembly;
  }
}

// _nop_ inside expressions, in two modules: each gets its own inline
// function, which links with debug records and is a nop where it is used.
TEST_F(DialectProgramTest, NopInsideExpressionsInTwoModules) {
  Write("main.c",
        "#include <intrins.h>\nunsigned char xdata out[32] _at_ 0x100;\n"
        "extern void other(void);\n"
        "void main(void) {\n  unsigned char a, b, i;\n"
        "  a = 1, _nop_(), b = 2;\n  out[0] = a + b;\n  out[1] = 0;\n"
        "  for (i = 0; i < 3; i++, _nop_()) out[1] += i;\n  other();\n  while (1);\n}\n");
  Write("other.c",
        "#include <intrins.h>\nextern unsigned char xdata out[32];\n"
        "void other(void) {\n  out[2] = (out[2] = 5, _nop_(), out[2] + 1);\n  _nop_();\n}\n");
  ASSERT_NO_FATAL_FAILURE(Build({"main", "other"}, "DEBUG OBJECTEXTEND"));
  EXPECT_EQ((std::vector<int>{3, 3, 6}), Simulate(3));
  const test::ToolRun src = Run("C51.exe", "\"other.c\" SRC(other.src)");
  ASSERT_EQ(0, src.exit_code) << src.output;
  const std::string assembly = Read("other.src");
  const size_t other = assembly.find("\n_other:");
  ASSERT_NE(std::string::npos, other) << assembly;
  // Both nops inside the function, the inline one not called.
  EXPECT_EQ(std::string::npos, assembly.find("lcall\t___c51_nop")) << assembly;
  size_t nops = 0;
  for (size_t at = assembly.find("\tnop\n", other); at != std::string::npos;
       at = assembly.find("\tnop\n", at + 1)) {
    ++nops;
  }
  EXPECT_EQ(2u, nops) << assembly.substr(other);
}

// printf and puts write through the user's "char putchar(char)", getchar
// reads through "_getkey"; both are in a module of their own.
TEST_F(DialectProgramTest, PrintfAndGetcharUseTheUsersConsoleFunctions) {
  Write("main.c",
        "#include <stdio.h>\nunsigned char xdata out[32] _at_ 0x100;\n"
        "void main(void) {\n  int c;\n  printf(\"x=%d\\n\", 42);\n  puts(\"ok\");\n"
        "  c = getchar();\n  out[16] = c;\n  while (1);\n}\n");
  Write("uart.c",
        "#include <stdio.h>\nextern unsigned char xdata out[32];\nstatic unsigned char n;\n"
        "char putchar(char c)\n{\n  out[n++] = c;\n  return c;\n}\n"
        "char _getkey(void) { return 'k'; }\n");
  ASSERT_NO_FATAL_FAILURE(Build({"main", "uart"}, "DEBUG"));
  const std::vector<int> out = Simulate(17);
  ASSERT_EQ(17u, out.size());
  EXPECT_EQ("x=42\nok\n", std::string(out.begin(), out.begin() + 8));
  EXPECT_EQ('k', out[16]);
}

TEST_F(DialectProgramTest, TablesBitsFunctionPointersAndOldStyleDefinitionsRunAsWritten) {
  Write("main.c",
        "#include <reg51.h>\nunsigned char xdata out[32] _at_ 0x100;\n"
        "unsigned char code font[][4] = { 1, 2, 3, 4,\n  5, 6, 7, 8 };\n"
        "struct pt { unsigned char x; unsigned char name[2]; };\n"
        "struct pt code pts[] = { 10, 'a', 'b', 20, \"c\" };\n"
        "unsigned char grid[2][2][2] = { 1, 2, 3, 4, 5, 6, 7, 8 };\n"
        "sbit LED = (P1^3);\nsbit KEY = P1 ^ 5;\n"
        "static void one(void) { out[8] = 1; }\nstatic void two(void) { out[9] = 2; }\n"
        "void (code *single)(void);\nvoid (*code table[])(void) = { one, two };\n"
        "int add(a, b)\nint a;\nchar b;\n{\n  return a + b;\n}\n"
        "void main(void) {\n  out[0] = font[1][2];\n  out[1] = sizeof font;\n"
        "  out[2] = pts[1].x;\n  out[3] = pts[0].name[1];\n  out[4] = pts[1].name[0];\n"
        "  out[5] = grid[1][0][1];\n  LED = 0;\n  KEY = 0;\n  out[6] = P1;\n"
        "  single = table[1];\n  table[0]();\n  single();\n  out[7] = add(40, 2);\n"
        "  while (1);\n}\n");
  ASSERT_NO_FATAL_FAILURE(Build({"main"}, "DEBUG"));
  EXPECT_EQ((std::vector<int>{7, 8, 20, 'b', 'c', 6, 0xD7, 42, 1, 2}), Simulate(10));
}

// "~" flips a bit, a bit's name or a call returning one, and printf reads
// each %b argument as the one byte it is, signed for %bd.
TEST_F(DialectProgramTest, ComplementedBitsFlipAndByteFormatsPrintTheirBytes) {
  Write("main.c",
        "#include <reg51.h>\n#include <stdio.h>\nunsigned char xdata out[32] _at_ 0x100;\n"
        "static unsigned char n;\nchar putchar(char c) { out[n++] = c; return c; }\n"
        "sbit LED = P1^3;\nbit flag;\nbit is_one(unsigned char v);\n"
        "void main(void) {\n  unsigned char a = 200, b = 0x3C;\n  signed char c = -5;\n"
        "  printf(\"%bu %02bX %bd|%d\", a, b, c, 7);\n"
        "  P1 = 0xFF;\n  LED = ~LED;\n  out[24] = P1;\n  LED = ~ LED;\n  out[25] = P1;\n"
        "  flag = 0;\n  flag = ~flag;\n  out[26] = flag;\n  flag = ~(flag);\n  out[27] = flag;\n"
        "  out[28] = ~is_one(1) ? 1 : 2;\n  if (~is_one(2)) out[29] = 3; else out[29] = 4;\n"
        "  out[30] = ~(is_one(1));\n  while (1);\n}\n"
        "bit is_one(unsigned char v) { return v == 1; }\n");
  ASSERT_NO_FATAL_FAILURE(Build({"main"}, ""));
  const std::vector<int> out = Simulate(31);
  ASSERT_EQ(31u, out.size());
  EXPECT_EQ("200 3C -5|7", std::string(out.begin(), out.begin() + 11));
  EXPECT_EQ((std::vector<int>{0xF7, 0xFF, 1, 0, 2, 3, 0}),
            std::vector<int>(out.begin() + 24, out.end()));
}

// Classic assembly between "#pragma asm" and "#pragma endasm": inside a
// function it runs where it stands and reaches the C file's variables and
// registers; outside one it places its own code; the lines after a block
// keep their numbers.
TEST_F(DialectProgramTest, InlineAssemblyRunsWhereItStands) {
  Write("main.c",
        "#include <reg51.h>\nunsigned char xdata out[32] _at_ 0x100;\nunsigned char count;\n"
        "unsigned char twice(unsigned char v) { return v + v; }\n"
        "void bump(void) {\n#pragma asm\n    MOV  R7,#05H   ; five turns, don't stop\n"
        "LOOP: INC count\n    DJNZ R7,LOOP\n    MOV  P1,#0A5H\n#pragma endasm\n}\n"
        "#pragma ASM\n    CSEG AT 0F00H\nTAB: DB 11H, 22H\n#pragma ENDASM\n"
        "void main(void) {\n  count = 1;\n  bump();\n  out[0] = count;\n  out[1] = P1;\n"
        "  out[2] = *(unsigned char code *)0x0F01;\n  out[3] = twice(21);\n  while (1);\n}\n");
  ASSERT_NO_FATAL_FAILURE(Build({"main"}, "DEBUG"));
  EXPECT_EQ((std::vector<int>{6, 0xA5, 0x22, 42}), Simulate(4));

  // As the original toolchain builds such a file: assembly source, then A51.
  const test::ToolRun src = Run("C51.exe", "\"main.c\" SRC(main.src)");
  ASSERT_EQ(0, src.exit_code) << src.output;
  EXPECT_NE(std::string::npos, src.output.find("COMPLETE.  0 WARNING(S),  0 ERROR(S)"))
      << src.output;
  const test::ToolRun a51 = Run("A51.exe", "\"main.src\" OBJECT(main.obj)");
  ASSERT_EQ(0, a51.exit_code) << a51.output;
  ASSERT_EQ(0, Run("BL51.exe", "\"main.obj\" TO \"prog\"").exit_code);
  ASSERT_EQ(0, Run("OH51.exe", "\"prog\"").exit_code);
  EXPECT_EQ((std::vector<int>{6, 0xA5, 0x22, 42}), Simulate(4));

  // Code written for the original compiler's parameter registers.
  Write("regs.c",
        "typedef unsigned int u16;\nunsigned char xdata out[32] _at_ 0x100;\n"
        "void store(unsigned char a, u16 b) {\n#pragma asm\n  MOV DPTR,#0104H\n  MOV A,R7\n"
        "  MOVX @DPTR,A\n  INC DPTR\n  MOV A,R4\n  MOVX @DPTR,A\n  INC DPTR\n  MOV A,R5\n"
        "  MOVX @DPTR,A\n#pragma endasm\n}\n"
        "void main(void) {\n  store(7, 0x1234);\n  while (1);\n}\n");
  // The parameters are unreferenced to C, which says so, as the original does.
  ASSERT_NO_FATAL_FAILURE(Build({"regs"}, "WARNINGLEVEL(0)"));
  const std::vector<int> regs = Simulate(7);
  ASSERT_EQ(7u, regs.size());
  EXPECT_EQ((std::vector<int>{7, 0x12, 0x34}), std::vector<int>(regs.begin() + 4, regs.end()));

  Write("lines.c",
        "int a;\nvoid f(void) {\n#pragma asm\n  NOP\n  NOP\n#pragma endasm\n"
        "  a = undefined_name;\n}\n");
  const test::ToolRun lines = Run("C51.exe", "\"lines.c\"");
  EXPECT_EQ(2, lines.exit_code);
  EXPECT_NE(std::string::npos,
            lines.output.find("*** ERROR C202 IN LINE 7 OF lines.c: Undefined identifier "
                              "'undefined_name'"))
      << lines.output;
}

// Structs passed and returned by value: the callee works on its own copy,
// and a result can be assigned, passed on, or have a member read.
TEST_F(DialectProgramTest, StructsPassedAndReturnedByValue) {
  Write("time.h",
        "typedef struct { unsigned char h, m; } TIME;\n"
        "TIME add(TIME t, unsigned char minutes);\nunsigned char total(TIME a, TIME b);\n");
  Write("time.c",
        "#include \"time.h\"\n"
        "TIME add(TIME t, unsigned char minutes) {\n  t.m += minutes;\n"
        "  if (t.m >= 60) { t.m -= 60; t.h++; return t; }\n  return t;\n}\n"
        "unsigned char total(TIME a, TIME b) { a.h += b.h; return a.h * 60 + a.m + b.m; }\n");
  Write("main.c",
        "#include \"time.h\"\nunsigned char xdata out[32] _at_ 0x100;\n"
        "void main(void) {\n  TIME now, later;\n  now.h = 1; now.m = 50;\n"
        "  later = add(now, 15);\n  out[0] = now.h; out[1] = now.m;\n"
        "  out[2] = later.h; out[3] = later.m;\n  out[4] = add(add(now, 5), 30).m;\n"
        "  {\n    TIME copy = add(later, 1);\n    out[5] = copy.m;\n  }\n"
        "  out[6] = total(now, later);\n  while (1);\n}\n");
  ASSERT_NO_FATAL_FAILURE(Build({"main", "time"}, ""));
  EXPECT_EQ((std::vector<int>{1, 50, 2, 5, 25, 6, (1 + 2) * 60 + 50 + 5}), Simulate(7));
}

// Bits on bdata variables as the original compiler numbers them (from the
// first byte in memory, the high byte of an int or long), on typedef'd
// variables and array elements, and _testbit_ on them in two modules.
TEST_F(DialectProgramTest, BdataBitsCountFromTheHighByteAndTestbitClearsThem) {
  Write("flags.h",
        "typedef unsigned int u16;\ntypedef unsigned long u32;\n"
        "extern unsigned char bdata flags;\nextern u16 bdata w;\n"
        "sbit F_TICK = flags^2;\nsbit W0 = w^0, W8 = w^8, W15 = w^15;\n");
  Write("main.c",
        "#include <intrins.h>\n#include \"flags.h\"\nunsigned char xdata out[32] _at_ 0x100;\n"
        "unsigned char bdata flags;\nu16 bdata w;\nu32 bdata l;\nunsigned char bdata keys[2];\n"
        "sbit L0 = l^0;\nsbit L12 = l^12;\nsbit L31 = l^31;\n"
        "sbit K_UP = keys[0]^0;\nsbit K_DOWN = keys[1]^7;\nextern void other(void);\n"
        "void main(void) {\n  w = 0;\n  W0 = 1;\n  out[0] = w >> 8;\n  out[1] = w;\n"
        "  w = 0;\n  W15 = 1;\n  out[2] = w >> 8;\n  out[3] = w;\n"
        "  w = 1;\n  out[4] = W8;\n  out[5] = W0;\n"
        "  l = 0;\n  L0 = 1;\n  L12 = 1;\n  L31 = 1;\n"
        "  out[6] = l >> 24;\n  out[7] = l >> 16;\n  out[8] = l >> 8;\n  out[9] = l;\n"
        "  keys[0] = keys[1] = 0;\n  K_UP = 1;\n  K_DOWN = 1;\n"
        "  out[10] = keys[0];\n  out[11] = keys[1];\n"
        "  flags = 0x05;\n  out[12] = _testbit_(F_TICK);\n  out[13] = _testbit_(F_TICK);\n"
        "  out[14] = flags;\n  out[15] = _testbit_(K_DOWN);\n  out[16] = keys[1];\n"
        "  other();\n  while (1);\n}\n");
  Write("other.c",
        "#include <intrins.h>\n#include \"flags.h\"\nextern unsigned char xdata out[32];\n"
        "void other(void) {\n  w = 0x0080;\n  out[17] = _testbit_(W15) ? 1 : 2;\n"
        "  out[18] = _testbit_(W15) ? 1 : 2;\n  out[19] = w;\n"
        "  flags = 0xFF;\n  if (_testbit_(F_TICK)) out[20] = flags;\n}\n");
  ASSERT_NO_FATAL_FAILURE(Build({"main", "other"}, "DEBUG OBJECTEXTEND"));
  EXPECT_EQ((std::vector<int>{0x01, 0x00, 0x00, 0x80, 1, 0,    0x01, 0x10, 0x00, 0x80, 0x01,
                              0x80, 1,    0,    0x01, 1, 0x00, 1,    2,    0x00, 0xFB}),
            Simulate(21));

  // The test and the clear run with interrupts off.
  const test::ToolRun src = Run("C51.exe", "\"other.c\" SRC(other.src)");
  ASSERT_EQ(0, src.exit_code) << src.output;
  const std::string assembly = Read("other.src");
  const size_t helper = assembly.find("\n___c51_testbit_W15:");
  ASSERT_NE(std::string::npos, helper) << assembly;
  EXPECT_NE(std::string::npos, assembly.find("\tjbc\tea,", helper)) << assembly.substr(helper);
}

// The original library's functions sdcc lacks, or has with other parameters.
TEST_F(DialectProgramTest, LibraryFunctionsSdccLacksAreThere) {
  Write("main.c",
        "#include <stdio.h>\n#include <ctype.h>\n#include <string.h>\n#include <stdlib.h>\n"
        "unsigned char xdata out[32] _at_ 0x100;\nchar xdata pool[40];\n"
        "static const char *in = \"abcdefgh\\nxy\\n\";\n"
        "char _getkey(void) { return *in++; }\nint putchar(int c) { return c; }\n"
        "void main(void) {\n  char line[8];\n"
        "  out[0] = toint('7'); out[1] = toint('b'); out[2] = toint('G');\n"
        "  out[3] = _toupper('q'); out[4] = toascii(0xC1); out[5] = cabs(-5);\n"
        "  out[6] = strpos(\"hello\", 'l'); out[7] = strrpos(\"hello\", 'l');\n"
        "  out[8] = strpos(\"hello\", 'z');\n  out[9] = *strrpbrk(\"a1b2c\", \"12\");\n"
        "  gets(line, 4);\n  out[10] = strlen(line); out[11] = line[3];\n"
        "  {\n    char xdata *a, *b;\n    init_mempool(pool, sizeof pool);\n"
        "    a = malloc(10); b = malloc(10);\n"
        "    out[12] = a >= pool && b + 10 <= pool + sizeof pool && b >= a + 10;\n"
        "    free(a);\n    out[13] = malloc(8) == a;\n    out[14] = malloc(100) == 0;\n  }\n"
        "  while (1);\n}\n");
  ASSERT_NO_FATAL_FAILURE(Build({"main"}, ""));
  EXPECT_EQ((std::vector<int>{7, 11, 0xFF, 'Q', 'A', 5, 2, 3, 0xFF, '2', 4, 'd', 1, 1, 1}),
            Simulate(15));
}

// Lines ended by a carriage return alone, in a source and in a header:
// nothing after the first include may go missing.
TEST_F(DialectProgramTest, LinesEndedByACarriageReturnAloneAllCount) {
  Write("cr.h", "#define FIRST 0x5A\r#define SECOND 0xA5\r");
  Write("port.c",
        "#include \"cr.h\"\r\rextern unsigned char xdata out[4];\rvoid set(void)\r{\r"
        "\tout[0] = FIRST;\r\tout[1] = SECOND;\r}\r");
  Write("main.c",
        "unsigned char xdata out[4] _at_ 0x100;\nvoid set(void);\nvoid main(void) {\n  set();\n"
        "  while (1);\n}\n");
  ASSERT_NO_FATAL_FAILURE(Build({"main", "port"}, ""));
  EXPECT_EQ((std::vector<int>{0x5A, 0xA5}), Simulate(2));
}

// Files whose names are not plain (Chinese, blanks) are compiled under
// neutral names; sdcc names its line records after them, so two such
// modules with code on the same lines must still link with DEBUG.
TEST_F(DialectProgramTest, ModulesOfNamesNotPlainLinkWithDebugRecords) {
  const std::string first = "\xE7\x94\xB2";   // UTF-8 "jia"
  const std::string second = "\xE4\xB9\x99";  // UTF-8 "yi"
  Write(first + ".c",
        "unsigned char xdata out[4] _at_ 0x100;\nvoid fa(void)\n{\n  out[0] = 1;\n}\n");
  Write(second + ".c", "extern unsigned char xdata out[4];\nvoid fb(void)\n{\n  out[1] = 2;\n}\n");
  Write("main.c",
        "void fa(void);\nvoid fb(void);\nvoid main(void) {\n  fa();\n  fb();\n"
        "  while (1);\n}\n");
  ASSERT_NO_FATAL_FAILURE(Build({"main", first, second}, "DEBUG OBJECTEXTEND"));
  EXPECT_EQ((std::vector<int>{1, 2}), Simulate(2));
}

// A wrapper hands its format and arguments to vsprintf: byte conversions
// and %c find their arguments, uncast chars and cast ones alike.
TEST_F(DialectProgramTest, AWrappersByteArgumentsReachVsprintf) {
  Write("main.c",
        "#include <stdio.h>\n#include <stdarg.h>\n"
        "unsigned char xdata out[32] _at_ 0x100;\nchar buf[24];\n"
        "void dbg(const char *fmt, ...) {\n  va_list ap;\n  va_start(ap, fmt);\n"
        "  vsprintf(buf, fmt, ap);\n  va_end(ap);\n}\n"
        "void main(void) {\n  unsigned char u = 200, i; char c = 'Z'; signed char s = -5;\n"
        "  dbg(\"%bu|%d|%c|%bd|%c|%02bX\", u, 1234, (char)'A', s, c, (unsigned char)0x3C);\n"
        "  for (i = 0; i < 24; i++) out[i] = buf[i];\n  while (1);\n}\n");
  ASSERT_NO_FATAL_FAILURE(Build({"main"}, ""));
  const std::string expected = "200|1234|A|-5|Z|3C";
  std::vector<int> bytes(expected.begin(), expected.end());
  bytes.push_back(0);
  EXPECT_EQ(bytes, Simulate(static_cast<int>(bytes.size())));
}

// scanf and sscanf as the original library reads: widths, skipped fields,
// char/int/long sizes, sets, literal text; strtod, fmod and _chkfloat_.
TEST_F(DialectProgramTest, InputConversionsAndFloatFunctionsSdccLacksAreThere) {
  Write("main.c",
        "#include <stdio.h>\n#include <stdlib.h>\n#include <math.h>\n#include <intrins.h>\n"
        "unsigned char xdata out[32] _at_ 0x100;\n"
        "static const char *in = \"  42 ok\\n\";\n"
        "char _getkey(void) { return *in ? *in++ : -1; }\nint putchar(int c) { return c; }\n"
        "void main(void) {\n  int a = 0, b = 0, n; unsigned char c = 0; long l = 0;\n"
        "  char w[6], set[6], ch[2]; float f = 0; char *end;\n"
        "  n = sscanf(\"12,-34 x7f\", \"%d,%d x%bx\", &a, &b, &c);\n"
        "  out[0] = n; out[1] = a; out[2] = -b; out[3] = c;\n"
        "  n = sscanf(\"123456 abcdefg 0x10 017\", \"%3d%*d %5s%*s %i %li\", &a, w, &b, &l);\n"
        "  out[4] = n; out[5] = a; out[6] = w[4]; out[7] = w[5]; out[8] = b; out[9] = (char)l;\n"
        "  n = sscanf(\"ab12:cd\", \"%[a-z]%ld:%2c\", set, &l, ch);\n"
        "  out[10] = n; out[11] = set[1]; out[12] = (char)l; out[13] = ch[1];\n"
        "  out[14] = sscanf(\"\", \"%d\", &a) == -1; out[15] = sscanf(\"z\", \"%d\", &a);\n"
        "  n = sscanf(\"-2.5e1 rest\", \"%f\", &f); out[16] = n; out[17] = (char)(int)f;\n"
        "  f = strtod(\" 3.75xyz\", &end); out[18] = (char)(f * 4); out[19] = *end;\n"
        "  out[20] = (char)fmod(400.0, 360.0); out[21] = (char)(int)fmod(-7.5, 2.0);\n"
        "  out[22] = _chkfloat_(1.5); out[23] = _chkfloat_(0.0);\n"
        "  out[24] = _chkfloat_(-1.0 / 0.0);\n"
        "  n = scanf(\"%d %2s\", &a, w); out[25] = n; out[26] = a; out[27] = w[1];\n"
        "  while (1);\n}\n");
  ASSERT_NO_FATAL_FAILURE(Build({"main"}, ""));
  EXPECT_EQ((std::vector<int>{3, 12, 34, 0x7F, 4,  123, 'e', 0,    16, 15, 3, 'b', 12, 'd',
                              1, 0,  1,  0xE7, 15, 'x', 40,  0xFF, 0,  1,  3, 2,   42, 'k'}),
            Simulate(28));
}

// Assembly written for the original toolchain and C share variables, a
// table and functions under that toolchain's spellings.
TEST_F(DialectProgramTest, AssemblyAndCShareNamesAsTheOriginalToolchainSpellsThem) {
  Write("part.a51",
        "NAME PART\n?DT?PART SEGMENT DATA\n?PR?PART SEGMENT CODE\n?CO?PART SEGMENT CODE\n"
        "PUBLIC CRC_COUNT, HEX_DIGITS, BUMP, _twice\nEXTRN DATA (TICKS)\nEXTRN CODE (_lcd_put)\n"
        "RSEG ?DT?PART\nCRC_COUNT: DS 1\nRSEG ?CO?PART\nHEX_DIGITS: DB '0123456789ABCDEF'\n"
        "RSEG ?PR?PART\nBUMP: INC CRC_COUNT\n MOV A,TICKS\n MOV R7,A\n LCALL _lcd_put\n"
        " MOV A,R7\n MOV DPTR,#0103H\n MOVX @DPTR,A\n RET\n"
        // Spelled as sdcc names C's twice(), yet it takes R7 as the
        // original compiler passes it.
        "_twice: MOV A,R7\n ADD A,R7\n MOV R7,A\n RET\nEND\n");
  Write("main.c",
        "extern unsigned char crc_count;\nextern unsigned char code hex_digits[];\n"
        "extern void bump(void);\nextern unsigned char twice(unsigned char v);\n"
        "unsigned char ticks;\nunsigned char xdata out[32] _at_ 0x100;\n"
        "unsigned char lcd_put(unsigned char c) { out[2] = c; return c + 1; }\n"
        "void main(void) {\n  ticks = 0x42;\n  crc_count = 5;\n  bump();\n"
        "  out[0] = crc_count;\n  out[1] = hex_digits[12];\n  out[4] = twice(21);\n"
        "  while (1);\n}\n");
  ASSERT_EQ(0, Run("A51.exe", "\"part.a51\"").exit_code);
  ASSERT_EQ(0, Run("C51.exe", "\"main.c\"").exit_code);
  const test::ToolRun link = Run("BL51.exe", "\"main.obj\", \"part.obj\" TO \"prog\"");
  ASSERT_EQ(0, link.exit_code) << link.output;
  EXPECT_NE(std::string::npos, link.output.find("0 WARNING(S),  0 ERROR(S)")) << link.output;
  ASSERT_EQ(0, Run("OH51.exe", "\"prog\"").exit_code);
  EXPECT_EQ((std::vector<int>{6, 'C', 0x42, 0x43, 42}), Simulate(5));
}

// INTRINS.H declares "bit _testbit_(bit b);": a byte named b elsewhere is
// complemented bit by bit, not taken for a bit (hash code's "~b").
TEST_F(DialectProgramTest, APrototypesBitParameterNamesNoBit) {
  Write("main.c",
        "#include <intrins.h>\nunsigned char xdata out[4] _at_ 0x100;\n"
        "unsigned char b = 0x0F;\nunsigned long c = 0x0F0F0F0FUL;\n"
        "void main(void) {\n  out[0] = ~b;\n  out[1] = (unsigned char)(~c >> 8);\n"
        "  while (1);\n}\n");
  ASSERT_NO_FATAL_FAILURE(Build({"main"}, ""));
  EXPECT_EQ((std::vector<int>{0xF0, 0xF0}), Simulate(2));
}

// A one-bit field above bit 0 assigned the low bit of a byte read from
// memory gets that bit, not the next one.
TEST_F(DialectProgramTest, OneBitFieldsGetTheLowBit) {
  Write("main.c",
        "unsigned char xdata out[4] _at_ 0x100;\n"
        "struct { unsigned char run:1; unsigned char dir:1; unsigned char mode:3; } st;\n"
        "void set(unsigned char *d) { st.dir = d[0] & 1; st.run = d[1] & 1; }\n"
        "void main(void) {\n  unsigned char in[2];\n  in[0] = 0x01; in[1] = 0x02;\n"
        "  set(in);\n  out[0] = 0xF0;\n  out[0] = st.dir;\n  out[1] = 0xF0;\n  out[1] = st.run;\n"
        "  while (1);\n}\n");
  ASSERT_NO_FATAL_FAILURE(Build({"main"}, ""));
  // Read back whole, not as bits put into what the bytes held.
  EXPECT_EQ((std::vector<int>{1, 0}), Simulate(2));
}

// sdcc's long arithmetic keeps its operands in one place; an interrupt
// routine that divides while main() divides must leave main()'s operands
// as it found them.
TEST_F(DialectProgramTest, ArithmeticInAnInterruptLeavesMainsOperandsAlone) {
  Write("main.c",
        "#include <REG52.H>\nunsigned char xdata out[4] _at_ 0x100;\n"
        "volatile unsigned long busy, load;\n"
        "void t0(void) interrupt 1 { TH0 = 0xF0; TL0 = 0x00; load = busy * 100UL / 977UL; }\n"
        "void main(void) {\n  unsigned long num = 123456789UL, den = 1000UL, q, r;\n"
        "  unsigned int i; unsigned char bad = 0;\n"
        "  TMOD = 0x01; TH0 = 0xF0; TL0 = 0x00; ET0 = 1; TR0 = 1; EA = 1;\n"
        "  for (i = 0; i < 60; i++) {\n    busy++;\n    q = num / den;\n    r = num % den;\n"
        "    if (q * den + r != num) bad++;\n    num += 7777UL;\n    den += 3;\n  }\n"
        "  EA = 0;\n  out[0] = bad;\n  out[1] = load != 0;\n  while (1);\n}\n");
  ASSERT_NO_FATAL_FAILURE(Build({"main"}, ""));
  EXPECT_EQ((std::vector<int>{0, 1}), Simulate(2));
}

// A source listed in two groups gives the linker its object twice: one
// module, not two that define every symbol twice.
TEST_F(DialectProgramTest, AnObjectNamedTwiceIsLinkedOnce) {
  Write("main.c",
        "unsigned char xdata out[4] _at_ 0x100;\nunsigned char count;\n"
        "void main(void) {\n  count = 7;\n  out[0] = count;\n  while (1);\n}\n");
  ASSERT_EQ(0, Run("C51.exe", "\"main.c\"").exit_code);
  const test::ToolRun link = Run("BL51.exe", "\"main.obj\", \".\\MAIN.OBJ\" TO \"prog\"");
  ASSERT_EQ(0, link.exit_code) << link.output;
  EXPECT_NE(std::string::npos, link.output.find("0 WARNING(S),  0 ERROR(S)")) << link.output;
  ASSERT_EQ(0, Run("OH51.exe", "\"prog\"").exit_code);
  EXPECT_EQ((std::vector<int>{7}), Simulate(1));
}

// A classic start-up file that enables a reentrant stack sets the original
// library's stack pointers: they get their bytes, and no warning.
TEST_F(DialectProgramTest, TheOriginalLibrarysReentrantStackPointersHaveTheirBytes) {
  Write("bp.a51",
        "NAME BP\nEXTRN DATA (?C_IBP, ?C_XBP)\n?PR?BP SEGMENT CODE\nRSEG ?PR?BP\nPUBLIC SETBP\n"
        "SETBP: MOV ?C_IBP,#7FH\n MOV ?C_XBP,#12H\n MOV ?C_XBP+1,#34H\n MOV A,?C_IBP\n"
        " MOV DPTR,#0100H\n MOVX @DPTR,A\n MOV A,?C_XBP+1\n INC DPTR\n MOVX @DPTR,A\n RET\nEND\n");
  Write("main.c",
        "unsigned char xdata out[4] _at_ 0x100;\nunsigned char keep = 0x5A;\n"
        "extern void setbp(void);\nvoid main(void) {\n  setbp();\n  out[2] = keep;\n"
        "  while (1);\n}\n");
  ASSERT_EQ(0, Run("A51.exe", "\"bp.a51\"").exit_code);
  ASSERT_EQ(0, Run("C51.exe", "\"main.c\"").exit_code);
  const test::ToolRun link = Run("BL51.exe", "\"main.obj\", \"bp.obj\" TO \"prog\"");
  ASSERT_EQ(0, link.exit_code) << link.output;
  EXPECT_NE(std::string::npos, link.output.find("0 WARNING(S),  0 ERROR(S)")) << link.output;
  ASSERT_EQ(0, Run("OH51.exe", "\"prog\"").exit_code);
  EXPECT_EQ((std::vector<int>{0x7F, 0x34, 0x5A}), Simulate(3));
}

// "%e" and "%g" take their float argument (printed as "%f" prints it), so
// the conversions after them print theirs.
TEST_F(DialectProgramTest, FloatConversionsEachTakeTheirArgument) {
  Write("main.c",
        "#include <stdio.h>\nunsigned char xdata out[32] _at_ 0x100;\n"
        "static unsigned char n;\nint putchar(int c) { out[n++] = c; return c; }\n"
        "void main(void) {\n  float x = 2.5;\n  printf(\"%.1e|%.2G|%d\", x, x, 7);\n"
        "  while (1);\n}\n");
  ASSERT_NO_FATAL_FAILURE(Build({"main"}, ""));
  const std::vector<int> out = Simulate(10);
  ASSERT_EQ(10u, out.size());
  EXPECT_EQ("2.5|2.50|7", std::string(out.begin(), out.end()));
}

// printf's engine keeps its locals as frames where DATA has room, so a
// program whose internal RAM above DATA is mostly taken still has stack for
// it; where DATA is short, they go on the stack, which the linker warns
// about when little of it is left.
TEST_F(DialectProgramTest, PrintfLocalsGoWhereThereIsRoom) {
  Write("main.c",
        "#include <stdio.h>\nunsigned char xdata out[32] _at_ 0x100;\n"
        "unsigned char idata table[130];\nstatic unsigned char n;\n"
        "int putchar(int c) { out[n++] = c; return c; }\n"
        "void main(void) {\n  unsigned char i;\n  for (i = 0; i < 130; i++) table[i] = i;\n"
        "  printf(\"sum=%u\", table[10] + table[20]);\n  out[8] = table[129];\n  while (1);\n}\n");
  ASSERT_NO_FATAL_FAILURE(Build({"main"}, ""));
  const std::vector<int> out = Simulate(9);
  ASSERT_EQ(9u, out.size());
  EXPECT_EQ("sum=30", std::string(out.begin(), out.begin() + 6));
  EXPECT_EQ(129, out[8]);

  // DATA taken by variables: the locals go on the stack, with too little of
  // it left.
  // Too little stack even for the engine whose locals are frames.
  Write("deep.c",
        "#include <stdio.h>\nunsigned char idata table[175];\n"
        "void main(void) {\n  printf(\"%u\", table[1]);\n  while (1);\n}\n");
  ASSERT_EQ(0, Run("C51.exe", "\"deep.c\"").exit_code);
  const test::ToolRun deep = Run("BL51.exe", "\"deep.obj\" TO \"deep\"");
  EXPECT_EQ(1, deep.exit_code) << deep.output;
  EXPECT_NE(std::string::npos, deep.output.find("PRINTF NEEDS ABOUT 36\r\n")) << deep.output;

  // An interrupt routine pushes its registers on top, and a float's digits
  // take more: with the same stack left, the need grows past it.
  Write("busy.c",
        "#include <stdio.h>\nunsigned char idata table[130];\nunsigned char ticks;\n"
        "void t0(void) interrupt 1 { ticks++; }\n"
        "void main(void) {\n  float f = table[1];\n  printf(\"%u %.1f\", table[1], f);\n"
        "  while (1);\n}\n");
  ASSERT_EQ(0, Run("C51.exe", "\"busy.c\"").exit_code);
  const test::ToolRun busy = Run("BL51.exe", "\"busy.obj\" TO \"busy\"");
  EXPECT_EQ(1, busy.exit_code) << busy.output;
  EXPECT_NE(std::string::npos, busy.output.find("PRINTF NEEDS ABOUT 61\r\n")) << busy.output;

  Write("tight.c",
        "#include <stdio.h>\nunsigned char data fill[92];\nunsigned char idata table[100];\n"
        "void main(void) {\n  fill[0] = table[0];\n  printf(\"%u %u\", fill[1], table[2]);\n"
        "  while (1);\n}\n");
  ASSERT_EQ(0, Run("C51.exe", "\"tight.c\"").exit_code);
  const test::ToolRun link = Run("BL51.exe", "\"tight.obj\" TO \"tight\"");
  EXPECT_EQ(1, link.exit_code) << link.output;
  EXPECT_NE(std::string::npos, link.output.find("*** WARNING L227: STACK SPACE MAY OVERFLOW"))
      << link.output;
  EXPECT_NE(std::string::npos, link.output.find("ITS LOCALS ARE ON THE STACK")) << link.output;
}

// What stays unbridged is an error at its file and line; an inline
// function added at the top moves no line.
TEST_F(DialectProgramTest, UnbridgedConstructsAreErrorsAtTheirLines) {
  Write("bad.c",
        "#include <intrins.h>\nint a;\nchar m[2][sizeof(int)] = {1, 2, 3, 4};\n"
        "void putchar(char c) { a = c; }\n"
        "void main(void) {\n  a = 1, _nop_(), a = 2;\n  a = undefined_name;\n}\n");
  const test::ToolRun run = Run("C51.exe", "\"bad.c\"");
  EXPECT_EQ(2, run.exit_code);
  EXPECT_NE(std::string::npos,
            run.output.find("*** ERROR C999 IN LINE 3 OF bad.c: 'm': the initializer leaves out "
                            "braces around char[sizeof ( int )]"))
      << run.output;
  EXPECT_NE(std::string::npos,
            run.output.find("*** ERROR C999 IN LINE 4 OF bad.c: 'putchar' must return"))
      << run.output;

  Write("lines.c",
        "#include <intrins.h>\nint a;\n"
        "void main(void) {\n  a = 1, _nop_(), a = 2;\n  a = undefined_name;\n}\n");
  const test::ToolRun lines = Run("C51.exe", "\"lines.c\"");
  EXPECT_EQ(2, lines.exit_code);
  EXPECT_NE(std::string::npos,
            lines.output.find("*** ERROR C202 IN LINE 5 OF lines.c: Undefined identifier "
                              "'undefined_name'"))
      << lines.output;
}

// A function main() and an interrupt routine both call keeps its second and
// third parameters in memory under sdcc (the original passes them in
// registers, which the routine saves): the linker keeps that frame around
// the routine, so main's calls never see the routine's values.
TEST_F(DialectProgramTest, AFunctionSharedWithAnInterruptRoutineKeepsMainsArguments) {
  Write("fill.c",
        "unsigned char buf[3];\n"
        "void fill(unsigned char a, unsigned char b, unsigned char c) {\n"
        "  buf[0] = a; buf[1] = b; buf[2] = c;\n}\n");
  Write("main.c",
        "#include <reg52.h>\n"
        "unsigned char xdata out[4] _at_ 0x100;\n"
        "extern unsigned char buf[3];\n"
        "void fill(unsigned char a, unsigned char b, unsigned char c);\n"
        "unsigned char n;\n"
        "void t0(void) interrupt 1 {\n"
        "  TH0 = 0xFF; TL0 = 0xA0 + (++n & 0x1F);\n  fill(1, 2, 3);\n}\n"
        "void main(void) {\n  unsigned int i; unsigned char bad = 0;\n"
        "  TMOD = 0x01; TH0 = 0xFF; TL0 = 0xF0; ET0 = 1; EA = 1; TR0 = 1;\n"
        "  for (i = 0; i < 1000; i++) {\n    fill(4, 5, 6);\n    EA = 0;\n"
        "    if (buf[0] == 4 && (buf[1] != 5 || buf[2] != 6)) bad++;\n    EA = 1;\n  }\n"
        "  TR0 = 0; EA = 0;\n  out[0] = bad; out[1] = n != 0;\n  while (1);\n}\n");
  ASSERT_NO_FATAL_FAILURE(Build({"main", "fill"}, ""));
  EXPECT_EQ((std::vector<int>{0, 1}), Simulate(2));
}

// DATA nearly full beside IDATA variables: sdld would lay the IDATA below
// 80H, where the frames must go; the link lays them from 80H instead.
TEST_F(DialectProgramTest, IdataVariablesLeaveTheLowCellsToTheFrames) {
  Write("main.c",
        "#include <reg52.h>\n#include <string.h>\n"
        "unsigned char xdata out[4] _at_ 0x100;\n"
        "struct T { unsigned char v[26]; };\nstruct T a, b, c;\n"
        "idata char name[40];\nbit flag;\n"
        "void put(struct T *t, unsigned char n) {\n  unsigned char i, tmp[14];\n"
        "  for (i = 0; i < 14; i++) tmp[i] = n + i;\n  memcpy(t->v, tmp, 14);\n}\n"
        "void main(void) {\n  put(&a, 1); put(&b, 2); put(&c, 3);\n  strcpy(name, \"x\");\n"
        "  flag = strcmp(name, \"x\") == 0;\n"
        "  out[0] = c.v[1]; out[1] = flag; out[2] = a.v[13];\n  while (1);\n}\n");
  ASSERT_NO_FATAL_FAILURE(Build({"main"}, ""));
  EXPECT_EQ((std::vector<int>{4, 1, 14}), Simulate(3));
}

// MATH.H alone declares the integer absolute values, as the original's does.
TEST_F(DialectProgramTest, MathHeaderDeclaresTheIntegerAbsoluteValues) {
  Write("main.c",
        "#include <math.h>\nunsigned char xdata out[4] _at_ 0x100;\n"
        "int a = -300; long l = -70000; char c = -5;\n"
        "void main(void) {\n  out[0] = abs(a) >> 8; out[1] = labs(l) >> 16;\n"
        "  out[2] = cabs(c); out[3] = abs(7);\n  while (1);\n}\n");
  ASSERT_NO_FATAL_FAILURE(Build({"main"}, ""));
  EXPECT_EQ((std::vector<int>{1, 1, 5, 7}), Simulate(4));
}

// Two drivers name different pins alike (a clock chip's SDA on P2.3, an
// EEPROM's on P2.1): each file's sbit is its own, as with the original.
TEST_F(DialectProgramTest, SbitsOfOneNameInTwoFilesAreEachTheirFilesOwn) {
  Write("clock.c",
        "#include <reg52.h>\nsbit SDA = P2^3;\nsfr EXTRA = 0xA0;\n"
        "void clock_low(void) { SDA = 0; }\n");
  Write("main.c",
        "#include <reg52.h>\nunsigned char xdata out[4] _at_ 0x100;\n"
        "sbit SDA = P2^1;\nsfr EXTRA = 0x90;\nvoid clock_low(void);\n"
        "void main(void) {\n  SDA = 0;\n  clock_low();\n  EXTRA = 0x5A;\n"
        "  out[0] = P2; out[1] = P1;\n  while (1);\n}\n");
  ASSERT_NO_FATAL_FAILURE(Build({"main", "clock"}, ""));
  EXPECT_EQ((std::vector<int>{0xF5, 0x5A}), Simulate(2));
}

}  // namespace
}  // namespace c51::sdcc
