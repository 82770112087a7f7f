#include "sim/command_line.h"

#include <gtest/gtest.h>

namespace c51::sim {
namespace {

TEST(CommandLineTest, SplitsByWindowsRules) {
  struct Case {
    const char* line;
    std::vector<std::string> args;
  };
  const Case cases[] = {
      // The program part keeps "\" and ends at its closing mark.
      {R"("C:\K\BIN\C51.exe" ".\main.c" DEBUG)", {R"(C:\K\BIN\C51.exe)", R"(.\main.c)", "DEBUG"}},
      {R"(C:\K\BIN\C51.exe x)", {R"(C:\K\BIN\C51.exe)", "x"}},
      {R"("C:\a b\A51.exe"x y)", {R"(C:\a b\A51.exex)", "y"}},
      // What the build appends: quoted paths inside parentheses.
      {R"(p ".\My Dir\main.c" OBJECT(".\Out Dir\main.obj") SRC (".\o\m.SRC"))",
       {"p", R"(.\My Dir\main.c)", R"(OBJECT(.\Out Dir\main.obj))", "SRC", R"((.\o\m.SRC))"}},
      {R"(p @"C:\p\Debug\prog.lnp")", {"p", R"(@C:\p\Debug\prog.lnp)"}},
      // Backslash rules.
      {R"(p a\\\"b)", {"p", R"(a\"b)"}},
      {R"(p "a\\" b)", {"p", R"(a\)", "b"}},
      {R"(p a\b\ c)", {"p", R"(a\b\)", "c"}},
      {R"(p "a""b")", {"p", R"(a"b)"}},
      {R"(p "" x)", {"p", "", "x"}},
      {"p \t a\t\tb  ", {"p", "a", "b"}},
      {"  ", {}},
      {R"(p "unterminated arg)", {"p", "unterminated arg"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(c.args, SplitWindowsCommandLine(c.line));
  }
}

}  // namespace
}  // namespace c51::sim
