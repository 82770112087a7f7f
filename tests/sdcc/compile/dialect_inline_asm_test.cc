#include "sdcc/compile/dialect_inline_asm.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "sdcc/compile/dialect_rewriter.h"

namespace c51::sdcc {
namespace {

std::string Preprocessed(const std::string& code) {
  return "# 1 \"main.c\"\n# 1 \"<built-in>\"\n# 1 \"<command line>\"\n# 1 \"main.c\"\n" + code;
}

size_t Lines(const std::string& text) {
  return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST(InlineAssembly, BecomesSdccsInlineAssemblyOnTheLinesItHad) {
  const std::string code =
      "unsigned char count;\n"
      "void bump(void) {\n"
      "#pragma asm\n"
      "    MOV  R7,#0FFH   ; \"it's\" \xB5\x5C\n"
      "D1: INC  count\n"
      "    DJNZ R7,D1\n"
      "    SJMP $+2\n"
      "#pragma endasm\n"
      "  count++;\n"
      "}\n";
  RewriteResult result;
  RewriteDialect(Preprocessed(code), &result);
  ASSERT_TRUE(result.issues.empty()) << result.issues[0].text;
  EXPECT_EQ(Lines(Preprocessed(code)), Lines(result.text));
  const std::string& out = result.text;
  const size_t at = out.find("__asm__(\"");
  ASSERT_NE(std::string::npos, at) << out;
  // On the pragma's line, so the C after it keeps its line.
  EXPECT_EQ(Lines(Preprocessed("unsigned char count;\nvoid bump(void) {\n")),
            static_cast<size_t>(std::count(out.begin(), out.begin() + at, '\n')));
  const std::string line = out.substr(at, out.find('\n', at) - at);
  EXPECT_NE(std::string::npos, line.find("#0xFF")) << line;
  EXPECT_NE(std::string::npos, line.find("_count")) << line;  // a C variable
  EXPECT_NE(std::string::npos, line.find("D1:")) << line;     // its own label
  EXPECT_EQ(std::string::npos, line.find("_D1")) << line;
  EXPECT_NE(std::string::npos, line.find("\\\"it's\\\" \\265\\\\")) << line;  // escaped
  EXPECT_NE(std::string::npos, line.find("SJMP\\t.+2")) << line;
  EXPECT_NE(std::string::npos, line.find("\");")) << line;
  EXPECT_EQ(std::string::npos, out.find("__c51_asm_")) << out;
  EXPECT_NE(std::string::npos, out.find("\n\n\n\n\n  count++;\n")) << out;
}

TEST(InlineAssembly, BlockOutsideFunctionsBecomesANakedFunctionAndCodeAreaIsRestored) {
  RewriteResult result;
  RewriteDialect(Preprocessed("#pragma ASM\n  CSEG AT 0F00H\nTAB: DB 11H, 'A'\n#pragma ENDASM\n"
                              "int x;\n"),
                 &result);
  ASSERT_TRUE(result.issues.empty()) << result.issues[0].text;
  const std::string& out = result.text;
  EXPECT_NE(std::string::npos, out.find("static void __c51_asm_0(void) __naked { __asm__(\""))
      << out;
  EXPECT_NE(std::string::npos, out.find(".org 0xF00")) << out;
  EXPECT_NE(std::string::npos, out.find(".db 0x11,0x41")) << out;
  EXPECT_NE(std::string::npos, out.find("\\t.area CSEG (CODE)\\n\"); }\n\n\n\nint x;")) << out;
}

// A block that opens a function body finds the parameters in the registers
// the original compiler passes them in; so does one after statements that
// make no code.
TEST(InlineAssembly, OpeningBlockGetsTheParametersInTheOriginalRegisters) {
  struct Case {
    const char* function;
    const char* moves;
  };
  const Case cases[] = {
      {"void d(unsigned char ms) {", "\\tmov\\tr7,dpl\\n\\tNOP"},
      {"void d(u16 n, u8 k, char xdata *p) {",
       "\\tmov\\tr7,dpl\\n\\tmov\\tr6,dph\\n\\tmov\\tr5,_d_PARM_2\\n"
       "\\tmov\\tr3,_d_PARM_3\\n\\tmov\\tr2,(_d_PARM_3 + 1)\\n\\tNOP"},
      {"void d(long v, char c) {",
       "\\tmov\\tr7,dpl\\n\\tmov\\tr6,dph\\n\\tmov\\tr5,b\\n\\tmov\\tr4,a\\n\\tNOP"},
      {"void d(char *generic, char c) {", "(\"\\tNOP"},
      {"void d(void) {", "(\"\\tNOP"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.function);
    RewriteResult result;
    RewriteDialect(Preprocessed(std::string("typedef unsigned int uint;\ntypedef uint u16;\n"
                                            "typedef unsigned char u8;\n") +
                                c.function + "\n#pragma asm\n NOP\n#pragma endasm\n}\n"),
                   &result);
    ASSERT_TRUE(result.issues.empty()) << result.issues[0].text;
    EXPECT_NE(std::string::npos, result.text.find(c.moves)) << result.text;
  }
  // After statements that make no code (an unused parameter's "v = v;",
  // "(void)k;", a declaration) the parameters are still where they came;
  // after code, the registers hold whatever they hold.
  const struct {
    const char* before;
    bool moved;
  } placed[] = {
      {"ms = ms; (void)k; unsigned char i, buf[4];;", true},
      {"x = ms;", false},
      {"unsigned char i = 1;", false},
      {"ms = k;", false},
  };
  for (const auto& p : placed) {
    SCOPED_TRACE(p.before);
    RewriteResult result;
    RewriteDialect(Preprocessed(std::string("int x;\nvoid d(unsigned char ms, char k) {\n ") +
                                p.before + "\n#pragma asm\n NOP\n#pragma endasm\n}\n"),
                   &result);
    EXPECT_EQ(p.moved, result.text.find("mov\\tr7") != std::string::npos) << result.text;
  }
}

TEST(InlineAssembly, ReportsUnpairedPragmasAndRefusedLinesAtTheirLines) {
  struct Case {
    const char* code;
    int line;
    const char* text_part;
  };
  const Case cases[] = {
      {"int a;\n#pragma asm\n NOP\n", 2, "'#pragma asm' without '#pragma endasm'"},
      {"int a;\n\n#pragma endasm\n", 3, "'#pragma endasm' without '#pragma asm'"},
      {"#pragma asm\n#pragma asm\n NOP\n#pragma endasm\n", 2, "inside another"},
      {"void f(void) {\n#pragma asm\n NOP\nM MACRO\n#pragma endasm\n}\n", 4, "in '#pragma asm': "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    RewriteResult result;
    RewriteDialect(Preprocessed(c.code), &result);
    ASSERT_FALSE(result.issues.empty());
    EXPECT_EQ("main.c", result.issues[0].file);
    EXPECT_EQ(c.line, result.issues[0].line);
    EXPECT_NE(std::string::npos, result.issues[0].text.find(c.text_part)) << result.issues[0].text;
  }
}

}  // namespace
}  // namespace c51::sdcc
