// A declaration with "()" takes its parameters from the definition in a C
// file beside it: which definitions count and how the list is written.
#include "sdcc/compile/sibling_definitions.h"

#include <gtest/gtest.h>

#include "sim/files.h"
#include "support/temp_dir.h"

namespace c51::sdcc {
namespace {

TEST(SiblingDefinitions, ReadsTheDefinitionsParameterList) {
  struct Row {
    const char* text;
    bool found;
    const char* params;
  } rows[] = {
      {"void delay(uint z)\r\n{ while (z--); }\r\n", true, "uint z"},
      {"/* void delay(int no) { } */\n// void delay(char no) {}\nvoid delay(unsigned char t) {}",
       true, "unsigned char t"},
      {"void delay(uint z);\nvoid delay(uint z) {}\n", true, "uint z"},
      {"void delay(unsigned char xdata *p, bit b, char code *s, int (*cb)(void)) {}", true,
       "unsigned char __xdata *p, __bit b, char __code *s, int( *cb)(void)"},
      {"void t0(void) interrupt 1 using 1 { delay(5); }\nvoid delay(int n) reentrant { }", true,
       "int n"},
      {"char *s = \"void delay(int x) {\";\n", false, ""},
      {"void delay(void) {}\nvoid delay() {}\n", false, ""},
      {"void delay(uint z);\n", false, ""},
      {"void f(void) { struct { int delay(int); } x; }\n", false, ""},
      {"void delay_ms(int n) {}\nint delayed(int n) { return n; }\n", false, ""},
      {"void Delay(int n) {}\n", false, ""},
      // Old-style lists: each name with its declared type, else int.
      {"unsigned char delay(add)\n{ return add; }\n", true, "int add"},
      {"int delay(a, b, c) unsigned char a, b; char *c; { }\n", true,
       "unsigned char a, unsigned char b, char *c"},
      {"int delay(a, n) uchar n; { }\n", true, "int a, uchar n"},
  };
  for (const Row& r : rows) {
    FunctionDefinition d;
    EXPECT_EQ(FindDefinitionIn(r.text, "delay", DefinitionWanted{}, &d), r.found) << r.text;
    if (r.found) {
      EXPECT_EQ(d.params, r.params) << r.text;
    }
  }
}

// A call with no declaration wants any definition, in any letter case, and
// its result too.
TEST(SiblingDefinitions, ReadsTheResultOfAnyDefinitionInAnyCase) {
  struct Row {
    const char* text;
    bool found;
    const char* result;
    const char* params;
    bool reentrant;
  } rows[] = {
      {"unsigned char Key_Scan(void) { return 3; }", true, "unsigned char", "void", false},
      {"#include <reg52.h>\nstatic char code *KEY_SCAN() { return 0; }", true,
       "static char __code *", "", false},
      {"int x;\nkey_scan(unsigned char a) { return a; }", true, "int", "unsigned char a", false},
      // Old style: the prototype the rewriter gives the definition.
      {"int key_scan(a, b) int a, b; { return a; }", true, "int", "int a, int b", false},
      {"bit key_scan(unsigned char k) reentrant { return k; }", true, "__bit", "unsigned char k",
       true},
      {"void a(void) { }\n/* u8 */ u8 key_scan(u8 k) { return k; }", true, "u8", "u8 k", false},
      {"void key_scan2(void) { }\nint keyscan(void) { return 0; }", false, "", "", false},
  };
  const DefinitionWanted wanted{true, false};
  for (const Row& r : rows) {
    FunctionDefinition d;
    d.reentrant = !r.reentrant;
    EXPECT_EQ(FindDefinitionIn(r.text, "key_scan", wanted, &d), r.found) << r.text;
    if (!r.found) continue;
    EXPECT_EQ(d.result, r.result) << r.text;
    EXPECT_EQ(d.params, r.params) << r.text;
    EXPECT_EQ(d.reentrant, r.reentrant) << r.text;
  }
}

TEST(SiblingDefinitions, LooksInTheCFilesOfTheFolderInNameOrder) {
  test::ScopedTempDir dir("siblingdefs");
  std::string err;
  ASSERT_TRUE(sim::WriteFile(dir.path() + "a_main.c", "void delay(long wrong) {}\n", &err));
  ASSERT_TRUE(sim::WriteFile(dir.path() + "b.h", "void delay(int header) {}\n", &err));
  ASSERT_TRUE(sim::WriteFile(dir.path() + "c_delay.C", "void delay(int right) {}\n", &err));
  ASSERT_TRUE(sim::WriteFile(dir.path() + "d_other.c", "void delay(int later) {}\n", &err));
  FunctionDefinition d;
  // The compiled source itself is not read (its own definition was seen).
  ASSERT_TRUE(
      FindSiblingDefinition(dir.path(), "delay", DefinitionWanted{}, dir.path() + "A_MAIN.c", &d));
  EXPECT_EQ(d.params, "int right");
  EXPECT_EQ(d.file, dir.path() + "c_delay.C");
  EXPECT_FALSE(FindSiblingDefinition(dir.path(), "nothing", DefinitionWanted{}, "", &d));
  EXPECT_FALSE(FindSiblingDefinition(dir.path() + "missing/", "delay", DefinitionWanted{}, "", &d));
  // In another letter case only when asked.
  EXPECT_FALSE(FindSiblingDefinition(dir.path(), "DELAY", DefinitionWanted{}, "", &d));
  ASSERT_TRUE(FindSiblingDefinition(dir.path(), "DELAY", DefinitionWanted{true, true}, "", &d));
  EXPECT_EQ(d.params, "long wrong");
}

}  // namespace
}  // namespace c51::sdcc
