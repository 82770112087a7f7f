// Locals read before they are set get a fixed byte: which declaration is
// made static for a reported read, and which are left as they are; then a
// program relying on it, run in the simulator.
#include "sdcc/compile/unset_locals.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tool_program_test.h"
#include "tools/tool_runner.h"

namespace c51::sdcc {
namespace {

TEST(UnsetLocals, MakesStaticTheDeclarationInScopeAtTheRead) {
  struct Row {
    const char* why;
    const char* text;  // after the marker for main.c, line 1 on
    int line;          // of the read
    const char* name;
    const char* expected;  // nullptr: left as it is
  } rows[] = {
      {"an interrupt routine's flag",
       "void ext0(void) __interrupt(0) {\n  unsigned char armed;\n  if (armed) n++; else armed = "
       "1;\n}\n",
       3, "armed",
       "void ext0(void) __interrupt(0) {\n  static unsigned char armed;\n  if (armed) n++; else "
       "armed = 1;\n}\n"},
      {"the second name of a declaration",
       "void f(void) {\n  uint i, j;\n  for (i = 0; i < 3; i++) j++;\n}\n", 3, "j",
       "void f(void) {\n  static uint i, j;\n  for (i = 0; i < 3; i++) j++;\n}\n"},
      {"declared and read on one line", "void f(void) { unsigned char c; if (c) g(); }\n", 1, "c",
       "void f(void) { static unsigned char c; if (c) g(); }\n"},
      {"the inner block's, not the outer one's",
       "void f(void) {\n  int k;\n  { char k;\n    g(k); }\n  k = 1;\n}\n", 4, "k",
       "void f(void) {\n  int k;\n  { static char k;\n    g(k); }\n  k = 1;\n}\n"},
      {"the outer one's once the inner block is closed",
       "void f(void) {\n  int k;\n  { char k; k = 2; }\n  g(k);\n}\n", 4, "k",
       "void f(void) {\n  static int k;\n  { char k; k = 2; }\n  g(k);\n}\n"},
      {"an initializer would then run once", "void f(void) {\n  int a = 0, b;\n  g(b);\n}\n", 3,
       "b", nullptr},
      {"a register local cannot be static", "void f(void) {\n  register int b;\n  g(b);\n}\n", 3,
       "b", nullptr},
      {"a reentrant function's locals are on the stack there too",
       "int f(int n) __reentrant {\n  int b;\n  return b + n;\n}\n", 3, "b", nullptr},
      {"a parameter has no declaration in the body", "int f(int n) {\n  return n;\n}\n", 2, "n",
       nullptr},
      {"a read in another file", "void f(void) {\n  int b;\n  g(b);\n}\n", 3, "b", nullptr},
  };
  for (const Row& row : rows) {
    const std::string text = std::string("# 1 \"/p/main.c\"\n") + row.text;
    const std::string file =
        std::string(row.why) == "a read in another file" ? "other.c" : "main.c";
    std::string out = "unchanged";
    const bool changed = MakeUnsetLocalsStatic(text, {UnsetRead{file, row.line, row.name}}, &out);
    if (row.expected == nullptr) {
      EXPECT_FALSE(changed) << row.why << ": " << out;
      EXPECT_EQ("unchanged", out) << row.why;
    } else {
      EXPECT_TRUE(changed) << row.why;
      EXPECT_EQ(std::string("# 1 \"/p/main.c\"\n") + row.expected, out) << row.why;
    }
  }
}

class UnsetLocalsProgramTest : public ToolProgramTest {
 protected:
  UnsetLocalsProgramTest() : ToolProgramTest("c51unsetprog") {}
};

// An interrupt routine that arms itself on its first run and counts the
// later ones, and a loop body's counter carried across iterations: the
// values the original compiler's fixed bytes give.
TEST_F(UnsetLocalsProgramTest, ALocalReadBeforeItIsSetKeepsItsValue) {
  Write("main.c",
        "#include <REG52.H>\n"
        "unsigned char xdata out[4] _at_ 0x100;\n"
        "unsigned char hits;\n"
        "void ext0(void) interrupt 0\n{\n"
        "  unsigned char armed;\n"
        "  if (armed) hits++; else armed = 1;\n}\n"
        "void main(void)\n{\n"
        "  unsigned char i, d;\n"
        "  IT0 = 1; EX0 = 1; EA = 1;\n"
        "  for (i = 0; i < 5; i++) { IE0 = 1; for (d = 0; d < 20; d++); }\n"
        "  out[0] = hits;\n"
        "  for (i = 0; i < 3; i++) {\n"
        "    unsigned char c;\n"
        "    if (i == 0) c = 10;\n"
        "    c++;\n"
        "    out[1 + i] = c;\n"
        "  }\n"
        "  while (1);\n}\n");
  const test::ToolRun compiled = Run("C51.exe", "\"main.c\"");
  ASSERT_EQ(1, compiled.exit_code) << compiled.output;  // the warnings stay, true of the source
  EXPECT_NE(std::string::npos, compiled.output.find("'armed' may be used before initialization"))
      << compiled.output;
  ASSERT_EQ(0, Run("BL51.exe", "\"main.obj\" TO \"prog\"").exit_code);
  ASSERT_EQ(0, Run("OH51.exe", "\"prog\"").exit_code);
  EXPECT_EQ(XramRun(20000, 0x100, 4), (std::vector<int>{4, 11, 12, 13}));
}

}  // namespace
}  // namespace c51::sdcc
