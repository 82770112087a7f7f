// Assignments sdcc refuses for their types get the conversion written out:
// the cast each type of sdcc's gets, which assignments can be told apart,
// then a program storing pointers in ints and in other spaces' pointers.
#include "sdcc/compile/assignment_casts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tool_program_test.h"
#include "tools/tool_runner.h"

namespace c51::sdcc {
namespace {

TEST(AssignmentCasts, SpellsSdccsTypesForACast) {
  const struct {
    const char* sdcc;
    const char* cast;
  } rows[] = {
      {"int fixed", "int"},
      {"unsigned-int fixed", "unsigned int"},
      {"long-int fixed", "long int"},
      {"unsigned-char xdata* xdata", "unsigned char __xdata *"},
      {"struct S idata* fixed", "struct S __idata *"},
      {"const-unsigned-char code* code", "const unsigned char __code *"},
      {"unsigned-char generic* fixed", "unsigned char *"},
      {"float fixed", ""},                            // no integer
      {"unsigned-char generic* generic* fixed", ""},  // a pointer to a pointer
      {"unsigned-char [4] xdata", ""},                // an array is no target
  };
  for (const auto& row : rows) EXPECT_EQ(row.cast, CastTypeOf(row.sdcc)) << row.sdcc;
}

TEST(AssignmentCasts, CastsEachRefusedAssignmentOfItsLine) {
  const std::string message =
      "indirections to different types assignment; from type 'const-unsigned-char code* code'; "
      "to type 'int fixed'; from type 'unsigned-char generic* fixed'; to type 'unsigned-char "
      "xdata* xdata'";
  const std::vector<RefusedAssignment> two = RefusedAssignments("main.c", 2, message);
  ASSERT_EQ(2u, two.size());
  EXPECT_EQ("unsigned-char generic* fixed", two[1].from);
  const struct {
    const char* text;  // after the marker for main.c, line 1 on
    std::vector<RefusedAssignment> refused;
    const char* expected;  // nullptr: left as it is
  } rows[] = {
      {"int a;\nvoid f(void) { a = &tab[1] + 1; p = get(x, y); }\n", two,
       "int a;\nvoid f(void) { a = (int)(&tab[1] + 1); p = (unsigned char __xdata *)(get(x, y)); "
       "}\n"},
      {"void f(void) { int a = &tab[0], b; }\n",
       {{"main.c", 1, "x", "int fixed"}},
       "void f(void) { int a = (int)(&tab[0]), b; }\n"},
      {"void f(void) { if ((a = buf)) g(); }\n",
       {{"main.c", 1, "x", "int fixed"}},
       "void f(void) { if ((a = (int)(buf))) g(); }\n"},
      // Which of two "=" sdcc meant cannot be told.
      {"void f(void) { b = 1; a = buf; }\n", {{"main.c", 1, "x", "int fixed"}}, nullptr},
      {"void f(void) { a = buf; }\n", {{"main.c", 1, "x", "float fixed"}}, nullptr},
      {"void f(void) { a = buf; }\n", {{"other.c", 1, "x", "int fixed"}}, nullptr},
  };
  for (const auto& row : rows) {
    const std::string marker = "# 1 \"/p/main.c\"\n";
    std::string out = "unchanged";
    const bool changed = CastRefusedAssignments(marker + row.text, row.refused, &out);
    if (row.expected == nullptr) {
      EXPECT_FALSE(changed) << row.text << out;
      EXPECT_EQ("unchanged", out);
    } else {
      EXPECT_TRUE(changed) << row.text;
      EXPECT_EQ(marker + row.expected, out);
    }
  }
}

class AssignmentCastsProgramTest : public ToolProgramTest {
 protected:
  AssignmentCastsProgramTest() : ToolProgramTest("c51castprog") {}
};

// An address kept in an int, a generic pointer kept in an xdata pointer:
// built with a warning each, and the values are those meant.
TEST_F(AssignmentCastsProgramTest, PointersKeptWithoutACastHoldTheirAddresses) {
  Write("main.c",
        "#include <REG52.H>\n"
        "unsigned char xdata out[4] _at_ 0x100;\n"
        "unsigned char xdata buf[8] _at_ 0x140;\n"
        "unsigned char *get(void) { return buf + 2; }\n"
        "unsigned char xdata *p;\n"
        "void main(void)\n{\n"
        "  unsigned int a;\n"
        "  a = buf + 3;\n"
        "  p = get();\n"
        "  *p = 0x5A;\n"
        "  out[0] = a; out[1] = a >> 8; out[2] = buf[2]; out[3] = (unsigned int)p;\n"
        "  while (1);\n}\n");
  const test::ToolRun compiled = Run("C51.exe", "\"main.c\"");
  ASSERT_EQ(1, compiled.exit_code) << compiled.output;
  EXPECT_NE(std::string::npos,
            compiled.output.find("IN LINE 9 OF main.c: 'volatile-unsigned-char [8] xdata' assigned "
                                 "to 'unsigned-int fixed' without a cast: converted"))
      << compiled.output;
  ASSERT_EQ(0, Run("BL51.exe", "\"main.obj\" TO \"prog\"").exit_code);
  ASSERT_EQ(0, Run("OH51.exe", "\"prog\"").exit_code);
  EXPECT_EQ(XramRun(20000, 0x100, 4), (std::vector<int>{0x43, 0x01, 0x5A, 0x42}));
}

}  // namespace
}  // namespace c51::sdcc
