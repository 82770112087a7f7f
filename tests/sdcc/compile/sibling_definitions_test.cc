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
  };
  for (const Row& r : rows) {
    std::string params;
    EXPECT_EQ(FindDefinitionIn(r.text, "delay", &params), r.found) << r.text;
    if (r.found) {
      EXPECT_EQ(params, r.params) << r.text;
    }
  }
}

TEST(SiblingDefinitions, LooksInTheCFilesOfTheFolderInNameOrder) {
  test::ScopedTempDir dir("siblingdefs");
  std::string err;
  ASSERT_TRUE(sim::WriteFile(dir.path() + "a_main.c", "void delay(long wrong) {}\n", &err));
  ASSERT_TRUE(sim::WriteFile(dir.path() + "b.h", "void delay(int header) {}\n", &err));
  ASSERT_TRUE(sim::WriteFile(dir.path() + "c_delay.C", "void delay(int right) {}\n", &err));
  ASSERT_TRUE(sim::WriteFile(dir.path() + "d_other.c", "void delay(int later) {}\n", &err));
  std::string params, file;
  // The compiled source itself is not read (its own definition was seen).
  ASSERT_TRUE(FindSiblingDefinition(dir.path(), "delay", dir.path() + "A_MAIN.c", &params, &file));
  EXPECT_EQ(params, "int right");
  EXPECT_EQ(file, dir.path() + "c_delay.C");
  EXPECT_FALSE(FindSiblingDefinition(dir.path(), "nothing", "", &params, &file));
  EXPECT_FALSE(FindSiblingDefinition(dir.path() + "missing/", "delay", "", &params, &file));
}

}  // namespace
}  // namespace c51::sdcc
