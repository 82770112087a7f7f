// Ints and longs at fixed addresses reached byte by byte, high byte first:
// what the rewriter makes of each access, and which ones it leaves as sdcc
// reads them, with a warning.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "sdcc/compile/dialect_rewriter.h"

namespace c51::sdcc {
namespace {

std::string Preprocessed(const std::string& code) {
  return "# 1 \"main.c\"\n# 1 \"<built-in>\"\n# 1 \"<command line>\"\n# 1 \"main.c\"\n" + code;
}

std::string Rewritten(const std::string& code, RewriteResult* result) {
  RewriteDialect(Preprocessed(code), result);
  EXPECT_TRUE(result->issues.empty()) << code << ": " << result->issues[0].text;
  return result->text.substr(Preprocessed("").size());
}

struct Case {
  std::string in;
  std::string out;
};

void ExpectRewrites(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.in);
    RewriteResult result;
    EXPECT_EQ(c.out, Rewritten(c.in, &result));
    for (const DialectIssue& w : result.warnings) ADD_FAILURE() << w.line << ": " << w.text;
  }
}

// The bytes of external RAM and the two writes of a 16-bit value, as the
// rewriter spells them.
const std::string kX = "*(unsigned char volatile __xdata *)";
const std::string kPlainX = "*(unsigned char __xdata *)";

std::string Writes(const std::string& high, const std::string& low) {
  return " " + high + " = (unsigned char)(__c51_w >> 8); " + low + " = (unsigned char)__c51_w; }";
}

TEST(DialectFixedWords, AnAssignmentStatementWritesTheHighByteFirst) {
  ExpectRewrites({
      {"void f(void) { (*(unsigned int volatile xdata *)0xfff0) = 3000; }",
       "void f(void) { { unsigned int __c51_w = (unsigned int)( 3000);" +
           Writes(kX + "0xFFF0", kX + "0xFFF1") + " }"},
      // The sdcc spelling, an address computed, no parentheses around.
      {"void f(void) { *(unsigned int volatile __xdata *)(0xFF00 + 0x10) = v; }",
       "void f(void) { { unsigned int __c51_w = (unsigned int)( v);" +
           Writes(kX + "0xFF10", kX + "0xFF11") + " }"},
      // A statement without braces stays one statement.
      {"void f(void) { if (a) *(int xdata *)0x10 = 1; else *(int xdata *)0x10 = 2; }",
       "void f(void) { if (a) { unsigned int __c51_w = (int)( 1);" +
           Writes(kPlainX + "0x0010", kPlainX + "0x0011") +
           " else { unsigned int __c51_w = (int)( 2);" +
           Writes(kPlainX + "0x0010", kPlainX + "0x0011") + " }"},
      {"void f(unsigned char c) { switch (c) { case 1: *(int xdata *)0x10 = c; break; } }",
       "void f(unsigned char c) { switch (c) { case 1: { unsigned int __c51_w = (int)( c);" +
           Writes(kPlainX + "0x0010", kPlainX + "0x0011") + " break; } }"},
      {"void f(void) { do *(int xdata *)0x10 = g(); while (h()); }",
       "void f(void) { do { unsigned int __c51_w = (int)( g());" +
           Writes(kPlainX + "0x0010", kPlainX + "0x0011") + " while (h()); }"},
      // Through typedefs, which may hold the memory and the qualifier.
      {"typedef unsigned short u16;\nvoid f(void) { *(u16 xdata *)0x10 = 1; }",
       "typedef unsigned short u16;\nvoid f(void) { { unsigned int __c51_w = (unsigned short)( "
       "1);" +
           Writes(kPlainX + "0x0010", kPlainX + "0x0011") + " }"},
      {"typedef volatile unsigned int xdata XREG;\nvoid f(void) { *(XREG *)0x10 = 1; }",
       "typedef volatile unsigned int __xdata XREG;\nvoid f(void) { { unsigned int __c51_w = "
       "(unsigned int)( 1);" +
           Writes(kX + "0x0010", kX + "0x0011") + " }"},
      // Each memory in its own bytes; no memory word: a generic pointer.
      {"void f(void) { *(unsigned int pdata *)0x20 = y; *(unsigned int *)0x8000 = 2; }",
       "void f(void) { { unsigned int __c51_w = (unsigned int)( y);" +
           Writes("*(unsigned char __pdata *)0x0020", "*(unsigned char __pdata *)0x0021") +
           " { unsigned int __c51_w = (unsigned int)( 2);" +
           Writes("*(unsigned char *)0x8000", "*(unsigned char *)0x8001") + " }"},
      {"void f(void) { *(unsigned int const volatile idata *)0x80 = 3; }",
       "void f(void) { { unsigned int __c51_w = (unsigned int)( 3);" +
           Writes("*(unsigned char const volatile __idata *)0x0080",
                  "*(unsigned char const volatile __idata *)0x0081") +
           " }"},
      // ABSACC.H's words: a constant index is twice its value away.
      {"void f(void) { ((unsigned int volatile xdata *) 0)[0x100] = w; }",
       "void f(void) { { unsigned int __c51_w = (unsigned int)( w);" +
           Writes(kX + "0x0200", kX + "0x0201") + " }"},
      {"void f(void) { ((unsigned int volatile xdata *) 0x10)[i + 1] = w; }",
       "void f(void) { { unsigned char volatile __xdata *__c51_p = (unsigned char volatile "
       "__xdata *)&(((unsigned int volatile __xdata *) 0x10)[i + 1]); unsigned int __c51_w = "
       "(unsigned int)( w);" +
           Writes("__c51_p[0]", "__c51_p[1]") + " }"},
  });
}

TEST(DialectFixedWords, ACompoundAssignmentReadsCombinesAndWrites) {
  ExpectRewrites({
      {"void f(void) { (*(unsigned int volatile xdata *)0xfff0) |= 4; }",
       "void f(void) { { unsigned int __c51_w = (unsigned int)" + kX + "0xFFF0 << 8; __c51_w |= " +
           kX + "0xFFF1; __c51_w = (unsigned int)((unsigned int)__c51_w | ( 4));" +
           Writes(kX + "0xFFF0", kX + "0xFFF1") + " }"},
      // Signed: the shift keeps the sign, as on the int itself.
      {"void f(void) { *(int xdata *)0x10 >>= n; }",
       "void f(void) { { unsigned int __c51_w = (unsigned int)" + kPlainX +
           "0x0010 << 8; __c51_w |= " + kPlainX + "0x0011; __c51_w = (int)((int)__c51_w >> ( n));" +
           Writes(kPlainX + "0x0010", kPlainX + "0x0011") + " }"},
      // A long: four bytes, the highest first.
      {"void f(void) { *(unsigned long xdata *)0x100 -= 7; }",
       "void f(void) { { unsigned long __c51_w = (unsigned long)" + kPlainX +
           "0x0100 << 24; __c51_w |= (unsigned long)" + kPlainX +
           "0x0101 << 16; __c51_w |= (unsigned long)" + kPlainX + "0x0102 << 8; __c51_w |= " +
           kPlainX + "0x0103; __c51_w = (unsigned long)((unsigned long)__c51_w - ( 7)); " +
           kPlainX + "0x0100 = (unsigned char)(__c51_w >> 24); " + kPlainX +
           "0x0101 = (unsigned char)(__c51_w >> 16); " + kPlainX +
           "0x0102 = (unsigned char)(__c51_w >> 8); " + kPlainX +
           "0x0103 = (unsigned char)__c51_w; } }"},
  });
}

TEST(DialectFixedWords, AReadCombinesTheBytesThroughATemporaryOfItsFunction) {
  const std::string read1 = "(__c51_word1 = (unsigned int)" + kX + "0xFFF0 << 8, (unsigned int)(" +
                            "__c51_word1 | " + kX + "0xFFF1))";
  ExpectRewrites({
      {"void f(void) { x = (*(unsigned int volatile xdata *)0xfff0) + 1; }",
       "void f(void) { unsigned int __c51_word1; x = (" + read1 + ") + 1; }"},
      {"void f(void) { x = a & *(unsigned int volatile xdata *)0xfff0; }",
       "void f(void) { unsigned int __c51_word1; x = a & " + read1 + "; }"},
      // Of the pointee's type, from code memory.
      {"int f(void) { return *(int code *)0x100; }",
       "int f(void) { unsigned int __c51_word1; return (__c51_word1 = (unsigned int)*(unsigned "
       "char __code *)0x0100 << 8, (int)(__c51_word1 | *(unsigned char __code *)0x0101)); }"},
      // The value of an assignment read before it is written.
      {"void f(void) { (*(unsigned int volatile xdata *)0xfff0) = "
       "(*(unsigned int volatile xdata *)0xfff0) + 1; }",
       "void f(void) { unsigned int __c51_word1; { unsigned int __c51_w = (unsigned int)( (" +
           read1 + ") + 1);" + Writes(kX + "0xFFF0", kX + "0xFFF1") + " }"},
      // An index read first, then the element's address once.
      {"void f(void) { v = ((unsigned int volatile xdata *) 0)[((unsigned int volatile xdata *) "
       "0)[1]]; }",
       "void f(void) { unsigned int __c51_word1; unsigned int __c51_word2; unsigned char volatile "
       "__xdata *__c51_at2; v = (__c51_at2 = (unsigned char volatile __xdata *)&(((unsigned int "
       "volatile __xdata *) 0)[(__c51_word1 = (unsigned int)" +
           kX + "0x0002 << 8, (unsigned int)(__c51_word1 | " + kX +
           "0x0003))]), __c51_word2 = (unsigned int)__c51_at2[0] << 8, (unsigned "
           "int)(__c51_word2 | __c51_at2[1])); }"},
      {"void f(void) { v = *(long xdata *)0x10; }",
       "void f(void) { unsigned long __c51_word1; v = (__c51_word1 = (unsigned long)" + kPlainX +
           "0x0010 << 24, __c51_word1 |= (unsigned long)" + kPlainX +
           "0x0011 << 16, __c51_word1 |= (unsigned long)" + kPlainX +
           "0x0012 << 8, (long)(__c51_word1 | " + kPlainX + "0x0013)); }"},
  });
}

// Each access stays as it was, with a warning at its line.
TEST(DialectFixedWords, OtherUsesStayWithAWarningAtTheirLine) {
  struct Row {
    const char* code;
    int line;
    const char* text_part;
  } rows[] = {
      {"void f(void) { (*(unsigned int volatile __xdata *)0xfff0)++; }", 1, "increment"},
      {"void f(void) {\n  --*(unsigned int __xdata *)0x10;\n}", 2, "increment"},
      {"void f(void) {\n\n  y = (*(unsigned int volatile __xdata *)0xfff0) = 5;\n}", 3,
       "used as a value"},
      {"void f(void) { if ((*(unsigned int __xdata *)0x10 = g()) != 0) h(); }", 1,
       "used as a value"},
      {"void f(void) { for (*(unsigned int __xdata *)0x10 = 0; i < 3; i++) ; }", 1,
       "used as a value"},
      {"void f(void) { *(unsigned int __xdata *)0x10 = a, b = 1; }", 1, "used as a value"},
      {"void f(void) { p = &(*(unsigned int volatile __xdata *)0xfff0); }", 1, "address"},
      {"\nunsigned int __code *p = &((unsigned int volatile __xdata *) 0)[2];", 2, "address"},
      {"void f(void) { g = *(float __xdata *)0x100; }", 1, "a float"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.code);
    RewriteResult result;
    EXPECT_EQ(r.code, Rewritten(r.code, &result));
    ASSERT_EQ(1u, result.warnings.size());
    EXPECT_EQ("main.c", result.warnings[0].file);
    EXPECT_EQ(r.line, result.warnings[0].line);
    EXPECT_NE(std::string::npos, result.warnings[0].text.find(r.text_part))
        << result.warnings[0].text;
    EXPECT_NE(std::string::npos, result.warnings[0].text.find("low byte"));
  }
}

// Bytes, pointers that are not followed, an address only known at run
// time, sizeof, a call's result and sdcc's own headers: nothing to bridge
// or to say.
TEST(DialectFixedWords, LeavesAloneWhatReachesNoWordAtAFixedAddress) {
  const char* const codes[] = {
      "void f(void) { *(unsigned char volatile __xdata *)0x100 = 1; }",
      "void f(void) { p = (unsigned int __xdata *)0x100; q = (unsigned int __xdata *)0x100 + 1; }",
      "void f(void) { *(unsigned int __xdata *)p = 1; x = *(unsigned int __xdata *)(p + 2); }",
      "void f(void) { n = sizeof(*(unsigned int __xdata *)0x10); }",
      "void f(void) { h((unsigned int __xdata *)0x10)[1] = 2; *g((unsigned int __xdata *)0x10) = "
      "3; }",
      "void f(void) { x = *(struct s __xdata *)0x10; y = *(char __xdata *)0x10; }",
      "# 1 \"/usr/share/sdcc/include/mcs51/x.h\" 1 3\n"
      "static void g(void) { *(unsigned int __xdata *)0x10 = 1; }\n# 2 \"main.c\" 2\n",
  };
  for (const char* code : codes) {
    SCOPED_TRACE(code);
    RewriteResult result;
    EXPECT_EQ(code, Rewritten(code, &result));
    EXPECT_TRUE(result.warnings.empty()) << result.warnings[0].text;
  }
}

// A statement over several lines keeps them: the line ends stay where sdcc
// reports the lines after it.
TEST(DialectFixedWords, AStatementOverSeveralLinesKeepsItsLines) {
  const std::string code =
      "void f(void) {\n  *(unsigned int __xdata *)0x10 =\n    a +\n    b;\n  c = 1;\n}\n";
  RewriteResult result;
  const std::string out = Rewritten(code, &result);
  EXPECT_EQ(std::count(code.begin(), code.end(), '\n'), std::count(out.begin(), out.end(), '\n'));
  EXPECT_EQ("void f(void) {\n  { unsigned int __c51_w = (unsigned int)(\n    a +\n    b);" +
                Writes(kPlainX + "0x0010", kPlainX + "0x0011") + "\n  c = 1;\n}\n",
            out);
}

}  // namespace
}  // namespace c51::sdcc
