// The constructs sdcc refuses or reads otherwise that the rewriter bridges: left-out
// initializer braces, intrinsics in any position, sbit and function pointer
// spellings, old-style definitions, the console functions, "~" on bits,
// printf's byte arguments.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "line_position.h"
#include "sdcc/compile/dialect_rewriter.h"

namespace c51::sdcc {
namespace {

std::string Preprocessed(const std::string& code) {
  return "# 1 \"main.c\"\n# 1 \"<built-in>\"\n# 1 \"<command line>\"\n# 1 \"main.c\"\n" + code;
}

// The declarations INTRINS.H holds, as the preprocessor passes them on.
const char kIntrinsics[] =
    "# 1 \"/opt/c51/INC/intrins.h\" 1\n"
    "void _nop_(void); bit _testbit_(bit b);\n"
    "unsigned char _crol_(unsigned char c, unsigned char n);\n"
    "unsigned char _cror_(unsigned char c, unsigned char n);\n"
    "unsigned int _irol_(unsigned int i, unsigned char n);\n"
    "unsigned long _lror_(unsigned long l, unsigned char n);\n"
    "void _push_(unsigned char sfr); void _pop_(unsigned char sfr); void _mystery_(void);\n"
    "# 2 \"main.c\" 2\n";

struct Case {
  const char* in;
  const char* out;
};

// The rewritten lines of `code`, which follows the lines of `prefix`.
std::string RewrittenAfter(const std::string& prefix, const std::string& code) {
  RewriteResult result;
  RewriteDialect(Preprocessed(prefix + code), &result);
  EXPECT_TRUE(result.issues.empty()) << code << ": " << result.issues[0].text;
  const std::string before = Preprocessed(prefix);
  size_t at = 0;
  for (long n = std::count(before.begin(), before.end(), '\n'); n > 0; --n) {
    at = result.text.find('\n', at);
    if (at++ == std::string::npos) return "(lines lost) " + result.text;
  }
  return result.text.substr(at);
}

void ExpectRewrites(const std::string& prefix, const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(c.out, RewrittenAfter(prefix, c.in));
  }
}

struct IssueCase {
  const char* code;
  int line;
  const char* text_part;
};

void ExpectIssues(const std::string& prefix, int prefix_lines,
                  const std::vector<IssueCase>& cases) {
  for (const IssueCase& c : cases) {
    SCOPED_TRACE(c.code);
    RewriteResult result;
    RewriteDialect(Preprocessed(prefix + c.code), &result);
    ASSERT_EQ(1u, result.issues.size()) << result.text;
    EXPECT_EQ("main.c", result.issues[0].file);
    EXPECT_EQ(c.line + prefix_lines, result.issues[0].line);
    EXPECT_NE(std::string::npos, result.issues[0].text.find(c.text_part)) << result.issues[0].text;
  }
}

TEST(DialectBridges, AddsTheBracesAnInitializerLeavesOut) {
  ExpectRewrites(
      "",
      {
          {"unsigned char code font[][4] = { 1, 2, 3, 4, 5, 6, 7, 8 };",
           "unsigned char __code font[][4] = { {1, 2, 3, 4}, {5, 6, 7, 8} };"},
          // A lone value for an array: the first element's.
          {"static unsigned char buf[20] = 0, n = 1, w[2][2] = (1 + 2);\nchar s[4] = \"ab\";\n"
           "void f(void) { int t[3] = 7; n = 2; }",
           "static unsigned char buf[20] = {0}, n = 1, w[2][2] = {(1 + 2)};\nchar s[4] = \"ab\";\n"
           "void f(void) { int t[3] = {7}; n = 2; }"},
          {"char t[2][2][2] = {1,2,3,4,5,6,7,8};",
           "char t[2][2][2] = {{{1,2},{3,4}},{{5,6},{7,8}}};"},
          {"int m[2][3] = {1, 2, 3, 4};", "int m[2][3] = {{1, 2, 3}, {4}};"},
          {"int m[2][2] = { {1, 2}, 3, 4 };", "int m[2][2] = { {1, 2}, {3, 4} };"},
          {"char m[1+1][2*2] = {1,2,3,4,5};", "char m[1+1][2*2] = {{1,2,3,4},{5}};"},
          {"struct p { int a; char b; }; struct p t[] = { 1, 2, 3, 4 };",
           "struct p { int a; char b; }; struct p t[] = { {1, 2}, {3, 4} };"},
          {"struct p { int a; char b; }; struct p t[4] = { 0 };",
           "struct p { int a; char b; }; struct p t[4] = { {0} };"},
          {"struct q { char n[3]; int v; } t[] = { \"ab\", 1, 'x', 'y', 'z', 2 };",
           "struct q { char n[3]; int v; } t[] = { {\"ab\", 1}, {{'x', 'y', 'z'}, 2} };"},
          {"struct o { int a; struct { char c, d; } in; int : 3; int z : 2; } x = { 1, 2, 3, 1 };",
           "struct o { int a; struct { char c, d; } in; int : 3; int z : 2; } x = { 1, {2, 3}, 1 "
           "};"},
          {"union u { int i; char c[2]; } us[] = { 1, 2 };",
           "union u { int i; char c[2]; } us[] = { {1}, {2} };"},
          {"typedef struct { unsigned char x, y; } POINT; code POINT pts[] = { 1, 2, 3, 4 };",
           "typedef struct { unsigned char x, y; } POINT; __code POINT pts[] = { {1, 2}, {3, 4} "
           "};"},
          {"typedef unsigned char u8; typedef u8 row[2]; row m[] = { 1, 2, 3, 4 };",
           "typedef unsigned char u8; typedef u8 row[2]; row m[] = { {1, 2}, {3, 4} };"},
          {"enum { ROWS = 2, COLS }; char m[ROWS][COLS - 1] = {1, 2, 3, 4};",
           "enum { ROWS = 2, COLS }; char m[ROWS][COLS - 1] = {{1, 2}, {3, 4}};"},
          {"char *names[][2] = { \"a\", \"b\", \"c\", \"d\" };",
           "char *names[][2] = { {\"a\", \"b\"}, {\"c\", \"d\"} };"},
          {"int a = 1, m[2][2] = {1, 2, 3, 4};", "int a = 1, m[2][2] = {{1, 2}, {3, 4}};"},
          {"void f(void) { static int m[2][2] = {1, f2(1, 2), 3}; }",
           "void f(void) { static int m[2][2] = {{1, f2(1, 2)}, {3}}; }"},
          {"struct s { char (*get)(void); char k[2]; } t[] = { g, 1, 2 };",
           "struct s { char (*get)(void); char k[2]; } t[] = { {g, {1, 2}} };"},
      });
}

TEST(DialectBridges, LeavesCompleteOrUnreadableInitializersAlone) {
  ExpectRewrites(
      "", {
              {"int m[2][2] = { {1, 2}, {3, 4} };", "int m[2][2] = { {1, 2}, {3, 4} };"},
              {"char s[][4] = { \"abc\", \"de\" };", "char s[][4] = { \"abc\", \"de\" };"},
              {"char s[2][4] = { (\"abc\") };", "char s[2][4] = { (\"abc\") };"},
              {"int x = { 1 }; int v[] = { 1, 2 };", "int x = { 1 }; int v[] = { 1, 2 };"},
              {"struct p { int a, b; } t[] = { [1] = { 1, 2 } };",
               "struct p { int a, b; } t[] = { [1] = { 1, 2 } };"},
              {"struct p { int a, b; } t[] = { { .b = 1 } };",
               "struct p { int a, b; } t[] = { { .b = 1 } };"},
              {"UNKNOWN t[] = { 1, 2 };", "UNKNOWN t[] = { 1, 2 };"},
              {"struct later t[] = { 1, 2 };", "struct later t[] = { 1, 2 };"},
              {"void (*code tab[])(void) = { f, g };", "void (*__code tab[])(void) = { f, g };"},
          });
}

TEST(DialectBridges, BracesStayOnTheLinesOfTheirValues) {
  const std::string code = "unsigned char font[][2] = {\n  1, 2,\n  3,\n  4 };\nint marker;\n";
  RewriteResult result;
  RewriteDialect(Preprocessed(code), &result);
  ASSERT_TRUE(result.issues.empty());
  EXPECT_EQ(Preprocessed("unsigned char font[][2] = {\n  {1, 2},\n  {3,\n  4} };\nint marker;\n"),
            result.text);
}

TEST(DialectBridges, SaysWhichBracesToWriteWhenItCannot) {
  ExpectIssues(
      "", 0,
      {
          {"int a;\nchar m[2][sizeof(int)] = {1, 2, 3, 4};\n", 2,
           "'m': the initializer leaves out braces around char[sizeof ( int )]"},
          {"int a;\nchar m[2][sizeof(int)] = {1, 2, 3, 4};\n", 2, "write the inner braces"},
      });
}

TEST(DialectBridges, IntrinsicsBecomeTheirCode) {
  ExpectRewrites(
      kIntrinsics,
      {
          {"void f(void) { _nop_(); if (x) _nop_(); else _nop_(); }",
           "void f(void) { __asm__(\"nop\"); if (x) __asm__(\"nop\"); else __asm__(\"nop\"); }"},
          {"void f(void) { switch (x) { case 1: _nop_(); default: _nop_(); } l: _nop_(); }",
           "void f(void) { switch (x) { case 1: __asm__(\"nop\"); default: __asm__(\"nop\"); } l: "
           "__asm__(\"nop\"); }"},
          {"void f(void) { c = _crol_(c, 3); }",
           "void f(void) { unsigned char __c51_r1; c = (__c51_r1 = (c), (unsigned "
           "char)((__c51_r1 << 3) | (__c51_r1 >> 5))); }"},
          // Counts that become rotate instructions go through a volatile.
          {"void f(void) { c = _crol_(c, 1); d = _crol_(d, 4); }",
           "void f(void) { unsigned char __c51_r1; volatile unsigned char __c51_v8; unsigned char "
           "__c51_r2; c = (__c51_v8 = (c), __c51_r2 = __c51_v8, (unsigned char)((__c51_r2 << 1) | "
           "(__c51_r2 >> 7))); d = (__c51_v8 = (d), __c51_r1 = __c51_v8, (unsigned "
           "char)((__c51_r1 << 4) | (__c51_r1 >> 4))); }"},
          {"void f(void) { P1 = _cror_(P1, 15); }",
           "void f(void) { unsigned char __c51_r1; volatile unsigned char __c51_v8; P1 = "
           "(__c51_v8 = (P1), __c51_r1 = __c51_v8, (unsigned char)((__c51_r1 >> 7) | (__c51_r1 "
           "<< 1))); }"},
          {"void f(void) { c = _crol_(c, 8); }", "void f(void) { c = ((unsigned char)(c)); }"},
          {"void f(void) { w = _irol_(w, k); }",
           "void f(void) { unsigned int __c51_r1; unsigned char __c51_r2; w = (__c51_r1 = (w), "
           "__c51_r2 = ( k) & 15, (unsigned int)((__c51_r1 << __c51_r2) | (__c51_r1 >> ((16 - "
           "__c51_r2) & 15)))); }"},
          {"void f(void) { l = _lror_(*p++, 4); }",
           "void f(void) { unsigned long __c51_r1; l = (__c51_r1 = (*p++), (unsigned "
           "long)((__c51_r1 >> 4) | (__c51_r1 << 28))); }"},
          {"void f(void) { c = _crol_(_cror_(c, 2), 3); }",
           "void f(void) { unsigned char __c51_r1; unsigned char __c51_r2; c = (__c51_r2 = "
           "((__c51_r1 = (c), (unsigned char)((__c51_r1 >> 2) | (__c51_r1 << 6)))), (unsigned "
           "char)((__c51_r2 << 3) | (__c51_r2 >> 5))); }"},
          {"code unsigned char t = _crol_(0x81, 1);",
           "__code unsigned char t = ((unsigned char)(((unsigned char)(0x81) << 1) | ((unsigned "
           "char)(0x81) >> 7)));"},
          {"void f(void) { if (_testbit_(TI)) g(); }",
           "void f(void) { if (((TI) ? ((TI) = 0, 1) : 0)) g(); }"},
          {"extern void _nop_(void);", "extern void _nop_(void);"},
          {"void t(void) { _push_(SFRS); SFRS = 0; _pop_(SFRS); _push_(0xD0); }",
           "void t(void) { __asm__(\"\\tpush\\t_SFRS\"); SFRS = 0; __asm__(\"\\tpop\\t_SFRS\"); "
           "__asm__(\"\\tpush\\t0xD0\"); }"},
      });
}

TEST(DialectBridges, NopInsideAnExpressionIsAnInlineFunction) {
  for (const char* statement : {"a = 1, _nop_(), b = 2;", "for (i = 0; i < 3; _nop_()) g();",
                                "x = c ? 1 : (_nop_(), 2);"}) {
    SCOPED_TRACE(statement);
    const std::string code = std::string(kIntrinsics) + "void f(void) {\n " + statement + "\n}\n";
    RewriteResult result;
    RewriteDialect(Preprocessed(code), &result);
    ASSERT_TRUE(result.issues.empty()) << result.issues[0].text;
    std::string expected = statement;
    expected.replace(expected.find("_nop_"), 5, "__c51_nop");
    EXPECT_NE(std::string::npos, result.text.find("\n " + expected + "\n}\n")) << result.text;
    // Defined once, first, on the main file's line 1, which keeps its text.
    EXPECT_EQ(0u, result.text.find("# 1 \"main.c\"\nstatic inline void __c51_nop(void) { "
                                   "__asm__(\"nop\"); }\n# 1 \"main.c\"\n# 1 \"<built-in>\"\n"))
        << result.text;
  }
}

TEST(DialectBridges, ReportsIntrinsicsItCannotBridge) {
  ExpectIssues(kIntrinsics, 1,
               {
                   {"void f(void) {\n p = _crol_;\n}\n", 2, "it can only be called"},
                   {"void f(void) {\n c = _crol_(c);\n}\n", 2, "takes a value and a count"},
                   {"void f(void) {\n _nop_(1);\n}\n", 2, "takes no arguments"},
                   {"\nunsigned char t = _crol_(1, n);\n", 2, "needs a constant count"},
                   {"void f(void) {\n\n _mystery_();\n}\n", 3, "'_mystery_' is not supported"},
                   {"void f(void) {\n x = _push_(ACC);\n}\n", 2, "statement of its own"},
                   {"void f(void) {\n _pop_(a + 1);\n}\n", 2, "one special function register"},
               });
  // Without INTRINS.H the names are the user's own.
  ExpectRewrites("", {{"void f(void) { _nop_(); c = _crol_(c, 1); }",
                       "void f(void) { _nop_(); c = _crol_(c, 1); }"}});
}

TEST(DialectBridges, SbitTakesParenthesesAndBlanksAnywhere) {
  const std::string sfr = "sfr P3 = 0xB0; ";
  const std::string rewritten = "static __sfr __at(0xB0) P3; ";
  for (const Case& c : std::vector<Case>{
           {"sbit a = (P3^6);", "static __sbit __at(0xB6) a;"},
           {"sbit b = (P3)^6;", "static __sbit __at(0xB6) b;"},
           {"sbit c = P3^(6);", "static __sbit __at(0xB6) c;"},
           {"sbit d = ((P3) ^ (1 + 1));", "static __sbit __at(0xB2) d;"},
           {"sbit e=P3 ^ 6 ;", "static __sbit __at(0xB6) e ;"},
           {"sbit f = P3\n ^\n 7;", "static __sbit __at(0xB7) f\n\n;"},
           {"sbit g = (0xB0 ^ 7);", "static __sbit __at(0xB7) g;"},
       }) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(rewritten + c.out, RewrittenAfter("", sfr + c.in));
  }
  ExpectIssues("sfr P3 = 0xB0;\n", 1,
               {{"sbit x = (P3^8);\n", 1, "bit position"},
                {"sbit x = (P9)^1;\n", 1, "'P9' is neither a known sfr"}});
}

TEST(DialectBridges, BitsOnBdataVariablesBecomeMaskOperations) {
  const std::string prefix =
      "unsigned char bdata st;\nunsigned int bdata w = 0;\n"
      "sbit R = st^0; sbit E = st^7, M = st^3;\nsbit H = w^12;\n";
  EXPECT_EQ("unsigned char __data st;\nunsigned int __data w = 0;\n \n\n",
            RewrittenAfter("", prefix));
  ExpectRewrites(
      prefix,
      {
          {"void f(void) { R = 1; E = 0; }", "void f(void) { (st |= 0x01); (st &= ~0x80); }"},
          {"void f(void) { if (R && !E) M = 1; }",
           "void f(void) { if (((st & 0x01) != 0) && !((st & 0x80) != 0)) (st |= "
           "0x08); }"},
          {"void f(char x) { H = x > 2; }",
           "void f(char x) { (( x > 2) ? (w |= 0x0010u) : (w &= ~0x0010u)); }"},
          {"void f(void) { M = !M; }",
           "void f(void) { (( !((st & 0x08) != 0)) ? (st |= 0x08) : (st &= ~0x08)); }"},
          {"void f(char x) { E |= x; E &= x; E ^= x; }",
           "void f(char x) { (( x) ? (st |= 0x80) : 0); (( x) ? 0 : (st &= ~0x80)); "
           "(( x) ? (st ^= 0x80) : 0); }"},
          {"char g(void) { return s.R + R; }", "char g(void) { return s.R + ((st & 0x01) != 0); }"},
      });
  ExpectIssues(prefix, 4,
               {{"void f(void) { R++; }\n", 1, "'R': only setting"},
                {"void f(void) { char *p = &R; }\n", 1, "'R': only setting"},
                {"sbit X = st^8;\n", 1, "bit position must be 0 to 7"}});
}

TEST(DialectBridges, MemoryTypesInBracketedDeclarators) {
  ExpectRewrites(
      "", {
              {"void (code *fn)(void);", "void ( *fn)(void);"},
              {"void (xdata *fx)(char c);", "void ( *fx)(char c);"},
              {"typedef void (code *FN)(void);", "typedef void ( *FN)(void);"},
              {"void (code * code t[])(void) = { f };", "void ( * __code t[])(void) = { f };"},
              {"int (*code tab[2])(int) = { f, g };", "int (*__code tab[2])(int) = { f, g };"},
              {"char (code *p)[4];", "char __code ( *p)[4];"},
              {"int x = (void (code *)(void)) 0x1234;", "int x = (void ( *)(void)) 0x1234;"},
              // Bracketed with the name: the pointer itself lies there.
              {"unsigned char *(xdata p);", "unsigned char *__xdata p;"},
              {"char *(idata q)[2], *(data r) = 0;", "char *__idata q[2], *__data r = 0;"},
          });
}

TEST(DialectBridges, OldStyleDefinitionsGetPrototypes) {
  ExpectRewrites(
      "",
      {
          {"int add(a, b)\nint a;\nchar *b;\n{ return a; }",
           "int add(int a, char *b)\n\n\n{ return a; }"},
          {"f(a, b) char b; { }", "f(int a, char b)  { }"},
          {"int f(a, b) unsigned char a, *b; { }", "int f(unsigned char a, unsigned char *b)  { }"},
          {"void g(p, q) char xdata *p; bit q; { }", "void g(char __xdata *p, __bit q)  { }"},
          {"int h(fp, n) int (*fp)(); register int n; { return fp(); }",
           "int h(int (*fp)(), register int n)  { return fp(); }"},
          {"int f(BYTE); int g(a); int k(void) { }", "int f(); int g(); int k(void) { }"},
          {"int f(a) int b; { }", "int f(a) int b; { }"},
      });
}

TEST(DialectBridges, PutcharGetsTheLibrarysTypes) {
  ExpectRewrites("",
                 {
                     {"char putchar(char c) { SBUF = c; return c; }",
                      "int putchar(int c) { SBUF = c; return c; }"},
                     {"extern char putchar(char);", "extern int putchar(int);"},
                     {"unsigned char putchar(const unsigned char ch) reentrant;",
                      "int putchar(int ch) __reentrant;"},
                     {"int putchar(int c); void f(void) { x = putchar('a'); putchar(x); }",
                      "int putchar(int c); void f(void) { x = putchar('a'); putchar(x); }"},
                     {"char _getkey(void) { return SBUF; }",
                      "char _getkey(void) { return SBUF; } int getchar(void) { return (unsigned "
                      "char)_getkey(); }"},
                     {"char _getkey(void) { return 1; } int getchar(void) { return 2; }",
                      "char _getkey(void) { return 1; } int getchar(void) { return 2; }"},
                 });
  ExpectIssues("", 0, {{"\nvoid putchar(char c) { }\n", 2, "'putchar' must return"}});
}

TEST(DialectBridges, ExternDeclarationsOfAPlacedVariableGetItsAddress) {
  ExpectRewrites(
      "",
      {{"extern unsigned char idata flag;\nunsigned char idata flag _at_ 0xF0;\n",
        "extern unsigned char __idata __at(0xF0) flag;\nunsigned char __idata __at(0xF0) flag ;\n"},
       {"extern char xdata buf[4];\nchar xdata buf[4] _at_ 0x8000;\n",
        "extern char __xdata __at(0x8000) buf[4];\nchar __xdata __at(0x8000) buf[4] ;\n"},
       // Other names, several names and declarations in a body stay.
       {"extern char a;\nchar b _at_ 0x30;\n", "extern char a;\nchar __at(0x30) b ;\n"},
       {"extern char a, b;\nchar a _at_ 0x30;\n", "extern char a, b;\nchar __at(0x30) a ;\n"},
       {"char a _at_ 0x30;\nvoid f(void) { extern char a; }\n",
        "char __at(0x30) a ;\nvoid f(void) { extern char a; }\n"}});
}

TEST(DialectBridges, UnsizedArraysTheFileNeverCompletesAreDeclarations) {
  ExpectRewrites("", {{"unsigned char code font[];\n", "extern unsigned char __code font[];\n"},
                      {"char *names[];\nvoid f(void) { names[0] = 0; }\n",
                       "extern char *names[];\nvoid f(void) { names[0] = 0; }\n"},
                      // Completed later in the file, by a size or by contents: a definition.
                      {"unsigned char code font[];\nunsigned char code font[] = {1, 2};\n",
                       "unsigned char __code font[];\nunsigned char __code font[] = {1, 2};\n"},
                      {"int t[];\nint t[4];\n", "int t[];\nint t[4];\n"},
                      // Already a declaration, static, a typedef, a parameter or a local.
                      {"extern int t[];\n", "extern int t[];\n"},
                      {"static int t[];\n", "static int t[];\n"},
                      {"typedef int row[];\n", "typedef int row[];\n"},
                      {"void f(int t[]);\n", "void f(int t[]);\n"},
                      {"void f(void) { int t[] = {1}; }\n", "void f(void) { int t[] = {1}; }\n"}});
}

TEST(DialectBridges, ACastBeforeAnAssignedNameGoes) {
  ExpectRewrites(
      "", {{"void f(void) { (unsigned int) a = b * 3; }", "void f(void) {  a = b * 3; }"},
           {"void f(void) { if (x) (char *) p = q; else (uint)a = 1; }",
            "void f(void) { if (x)  p = q; else a = 1; }"},
           // Casts in expressions, comparisons and declarations stay.
           {"void f(void) { a = (int) b; }", "void f(void) { a = (int) b; }"},
           {"void f(void) { if ((int) a == 1) g(); }", "void f(void) { if ((int) a == 1) g(); }"},
           {"void f(void) { x = y + (int) a; }", "void f(void) { x = y + (int) a; }"},
           {"void f(void) { (void) g(); }", "void f(void) { (void) g(); }"}});
}

TEST(DialectBridges, ComplementOfABitFlipsIt) {
  const std::string header =
      "# 1 \"/opt/c51/INC/AT89X51.H\" 1\nsfr P1 = 0x90; sbit P1_2 = P1^2, P1_3 = 0x93;\n"
      "# 2 \"main.c\" 2\n";
  ExpectRewrites(
      header,
      {
          {"void f(void) { P1_3 = ~P1_3; P1_2 = ~ P1_2; P1_2 = ~(P1_3); }",
           "void f(void) { P1_3 = !P1_3; P1_2 = ! P1_2; P1_2 = !(P1_3); }"},
          {"bit a, b = 1; void f(void) { a = ~b; }", "__bit a, b = 1; void f(void) { a = !b; }"},
          {"void f(bit x, char y) { x = ~x; y = ~y; }",
           "void f(__bit x, char y) { x = !x; y = ~y; }"},
          // A prototype's parameter names nothing of the file (a header's
          // "bit _testbit_(bit b);" beside hash code's "~b").
          {"bit t(bit b);\nunsigned char b, c;\nvoid f(void) { c = ~b; }",
           "__bit t(__bit b);\nunsigned char b, c;\nvoid f(void) { c = ~b; }"},
          {"void f(bit x) using 1 { x = ~x; }", "void f(__bit x) __using(1) { x = !x; }"},
          {"__sbit __at(0x94) s; void f(void) { s = ~s; }",
           "__sbit __at(0x94) s; void f(void) { s = !s; }"},
          {"unsigned char m; bit g(void); struct t { char P1_2; } v;\n"
           "void f(void) { m = ~m; m = ~g(); m = ~v.P1_2; m = ~(P1_2 | m); P1 = ~P1; }",
           "unsigned char m; __bit g(void); struct t { char P1_2; } v;\n"
           "void f(void) { m = ~m; m = !g(); m = ~v.P1_2; m = ~(P1_2 | m); P1 = ~P1; }"},
          // A call of a function returning bit is a bit; one returning
          // anything else is not.
          {"bit g(void); char h(void); void f(void) { if (~(g())) P1 = ~h(); P1 = ~g() + 1; }",
           "__bit g(void); char h(void); void f(void) { if (!(g())) P1 = ~h(); P1 = !g() + 1; }"},
      });
}

// sdcc refuses a local struct initialised from an expression and takes
// the assignment.
TEST(DialectBridges, LocalRecordsInitialisedFromAnExpressionAreAssigned) {
  const std::string types = "typedef struct { unsigned char a, b; } PAIR; PAIR g;\n";
  ExpectRewrites(
      types, {
                 {"void f(PAIR *p) { PAIR r = *p; struct { int x; } u; int n = 1; }",
                  "void f(PAIR *p) { PAIR r ; r = *p; struct { int x; } u; int n = 1; }"},
                 {"void f(void) { union { char c; int i; } v; PAIR q = g; }",
                  "void f(void) { union { char c; int i; } v; PAIR q ; q = g; }"},
                 {"PAIR h = g; void f(void) { const PAIR c = g; PAIR a = g, b = g; PAIR *pp = &g; "
                  "PAIR s = {1, 2}; }",
                  "PAIR h = g; void f(void) { const PAIR c = g; PAIR a = g, b = g; PAIR *pp = &g; "
                  "PAIR s = {1, 2}; }"},
             });
}

// A call through a pointer with two or more parameters: reentrant pointers,
// and a reentrant stand-in wherever a plain function's address is taken.
TEST(DialectBridges, PointerCallsOfSeveralParametersGoThroughReentrantStandIns) {
  ExpectRewrites(
      "",
      {
          {"typedef void (*H)(unsigned char a, unsigned char b);\n"
           "void add(unsigned char a, unsigned char b);\n"
           "H code t[] = { add, 0 };\n"
           "void f(void) { H h = &add; if (h == add) (*h)(1, 2); else t[0] = (H)add; }\n",
           "typedef void (*H)(unsigned char a, unsigned char b) __reentrant;\n"
           "void add(unsigned char a, unsigned char b);\n"
           "static void __c51_thunk_add(unsigned char a, unsigned char b) __reentrant; H __code "
           "t[] = { __c51_thunk_add, 0 };\n"
           "void f(void) { H h = __c51_thunk_add; if (h == __c51_thunk_add) (*h)(1, 2); else "
           "t[0] = (H)__c51_thunk_add; }"
           " static void __c51_thunk_add(unsigned char a, unsigned char b) __reentrant { add(a, "
           "b); }\n"},
          {"struct c { void (*two)(char, int); };\nunsigned char sub(unsigned char, char *);\n"
           "unsigned char (*calc)(unsigned char, char *) = sub;\nvoid one(char a);\n"
           "void (*p1)(char) = one;\n",
           "struct c { void (*two)(char, int) __reentrant; };\nunsigned char sub(unsigned char, "
           "char *);\nstatic unsigned char __c51_thunk_sub(unsigned char __a0, char * __a1) "
           "__reentrant; unsigned char (*calc)(unsigned char, char *) __reentrant = "
           "__c51_thunk_sub;\nvoid one(char a);\nvoid (*p1)(char) = one;"
           " static unsigned char __c51_thunk_sub(unsigned char __a0, char * __a1) __reentrant { "
           "return sub(__a0, __a1); }\n"},
          {"void g(int a, int b);\nvoid h(void) { g(1, 2); }\n",
           "void g(int a, int b);\nvoid h(void) { g(1, 2); }\n"},
          {"typedef struct { char *n; void (*two)(char a, char b); } CMD;\nvoid add(char a, char "
           "b);\n"
           "CMD code t[] = {\n    {\"one\", 0},\n    {\"add\", add},\n};\n",
           "typedef struct { char *n; void (*two)(char a, char b) __reentrant; } CMD;\nvoid "
           "add(char "
           "a, char b);\nstatic void __c51_thunk_add(char a, char b) __reentrant; CMD __code t[] = "
           "{\n    {\"one\", 0},\n    {\"add\", __c51_thunk_add},\n}; static void "
           "__c51_thunk_add(char a, char b) __reentrant { add(a, b); }\n"},
          // Array parameters are the pointers they stand for.
          {"u8 sum(u8 arr[], u8 n);\nu8 (*fp)(u8 arr[], u8 n) = sum;\n",
           "u8 sum(u8 arr[], u8 n);\nstatic u8 __c51_thunk_sum(u8 *arr, u8 n) __reentrant; u8 "
           "(*fp)(u8 arr[], u8 n) __reentrant = __c51_thunk_sum;"
           " static u8 __c51_thunk_sum(u8 *arr, u8 n) __reentrant { return sum(arr, n); }\n"},
          {"void put(char *t[4], u8 m[][8], u8 [3]);\nvoid (*pp)(char *t[4], u8 m[][8], u8 [3]) = "
           "put;\n",
           "void put(char *t[4], u8 m[][8], u8 [3]);\nstatic void __c51_thunk_put(char **t, u8 "
           "(*m)[8], u8 *__a2) __reentrant; void (*pp)(char *t[4], u8 m[][8], u8 [3]) __reentrant "
           "= __c51_thunk_put; static void __c51_thunk_put(char **t, u8 (*m)[8], u8 *__a2) "
           "__reentrant { put(t, m, __a2); }\n"},
      });
}

// Structs by value: the address goes in, the function copies; a result is
// the address of the function's own copy.
TEST(DialectBridges, StructsByValueTravelByAddress) {
  const std::string time = "typedef struct { char h, m; } TIME;\n";
  ExpectRewrites(
      time,
      {
          {"TIME add(TIME t, char m);\nstatic TIME zero(void), now;\nvoid show(struct tm, int);\n",
           "TIME *add(TIME *t, char m);\nstatic TIME *zero(void), now;\nvoid show(struct tm *, "
           "int);\n"},
          {"TIME zero(void);\nstatic TIME add(const TIME t, char m) {\n  t.m += m;\n  if (m) "
           "return t;\n  return zero();\n}\n",
           "TIME *zero(void);\nstatic TIME *add(const TIME *__c51_t, char m) { static TIME "
           "__c51_result; TIME t; t = "
           "*__c51_t;\n  t.m += m;\n  if (m) { __c51_result = t; return &__c51_result; }\n  { "
           "__c51_result = (*zero()); return &__c51_result; }\n}\n"},
          {"TIME add(TIME t, char m);\nvoid f(TIME *p) { TIME a = add(*p, 1); p->h = add(a, "
           "2).h; g(add(add(a, 1), 2)); }\n",
           "TIME *add(TIME *t, char m);\nvoid f(TIME *p) { TIME a ; a = (*add(&(*p), 1)); p->h = "
           "(*add(&(a), 2)).h; g((*add(&((*add(&(a), 1))), 2))); }\n"},
          // Functions of pointers and of plain values are left alone.
          {"TIME *get(TIME *p, char c);\nvoid f(void) { get(0, 1); }\n",
           "TIME *get(TIME *p, char c);\nvoid f(void) { get(0, 1); }\n"},
      });
  ExpectIssues(
      time, 1,
      {
          {"TIME add(TIME t);\nvoid f(char c) {\n  add(c ? a : b);\n}\n", 3, "must be an object"},
          {"TIME add(TIME t);\nvoid (*p)(void) = add;\n", 2, "not used as a pointer"},
      });
}

// Library functions sdcc lacks: a static copy where the file calls one it
// does not declare, the lines where they were.
TEST(DialectBridges, LibraryFunctionsSdccLacksGetCopiesOfTheirOwn) {
  RewriteResult result;
  RewriteDialect(Preprocessed("void f(char *b) {\n  x = toint(c) + cabs(d);\n  gets(b, 4);\n"
                              "  gets(b);\n}\n"),
                 &result);
  ASSERT_TRUE(result.issues.empty()) << result.issues[0].text;
  const std::string& out = result.text;
  EXPECT_EQ(0u, out.find("# 1 \"main.c\"\nstatic signed char __c51_toint(unsigned char c); static "
                         "signed char __c51_cabs(signed char v); static char *__c51_gets(char *s, "
                         "int n); \n# 1 \"main.c\"\n"))
      << out;
  const size_t call = out.find(
      "  x = __c51_toint(c) + __c51_cabs(d);\n  __c51_gets(b, 4);\n"
      "  gets(b);\n}\n static signed char __c51_toint");
  ASSERT_NE(std::string::npos, call) << out;
  EXPECT_EQ(std::make_pair(std::string("main.c"), 2), EndPosition(out.substr(0, call)));
  // The file's own function of that name is left alone.
  RewriteDialect(Preprocessed("int toint(char c);\nvoid f(void) { x = toint('1'); }\n"), &result);
  EXPECT_EQ(Preprocessed("int toint(char c);\nvoid f(void) { x = toint('1'); }\n"), result.text);
}

// A union that lays bytes over a wider member reads them in the other
// order than the original compiler: said at the union, nothing changed.
TEST(DialectBridges, UnionsOfBytesOverWiderMembersAreWarnedAbout) {
  struct Row {
    const char* code;
    int line;  // 0: no warning
  } rows[] = {
      {"union { unsigned int w; unsigned char b[2]; } u;\n", 1},
      {"\ntypedef union ADC { u16 all; struct { u8 hi, lo; } part; } ADC;\n", 2},
      {"union { float f; uchar bytes[4]; } v;\n", 1},
      {"union { unsigned int a; int b; } same;\n", 0},
      {"typedef unsigned int uint;\ntypedef uint U16;\ntypedef unsigned char U8;\n"
       "union { U16 w; U8 b[2]; } t2;\n",
       4},
      {"union { long l; int half[2]; } lh;\n", 1},
      {"typedef unsigned char U8;\nunion { U8 a; char b[2]; } bytes;\n", 0},
      {"union { char c[4]; unsigned char d[4]; } text;\n", 0},
      // Bit fields over an int; over a byte they lie alike.
      {"union u { struct { unsigned int a:1; unsigned int c:8; unsigned int r:7; } f; "
       "unsigned int i; };\n",
       1},
      {"union { struct { unsigned char b0:1, b1:1, rest:6; } bits; unsigned char byte; } r;\n", 0},
      {"struct { unsigned int w; unsigned char b[2]; } s; union tag x;\n", 0},
      // An int at a fixed address the rewriter cannot reach byte by byte.
      {"\n\nvoid f(void) { (*(unsigned int volatile __xdata *)0xFEC6)++; }\n", 3},
      {"void f(void) { P1 = *(unsigned char volatile __xdata *)0xFEC6; q = (int *)0x10; }\n", 0},
      // Bytes over a wide variable through a cast or memcpy.
      {"typedef unsigned long u32;\ntypedef unsigned char u8;\nu32 __code crc_table[4];\n"
       "void f(void) {\n  g((u8 *)crc_table, 16);\n}\n",
       5},
      {"unsigned long w; unsigned char msg[4];\nvoid f(void) {\n  memcpy(&w, msg, 4);\n}\n", 3},
      {"unsigned int a, b[2];\nvoid f(void) { p = (unsigned char __xdata *)&b[1]; }\n", 2},
      // Wide to wide, bytes to bytes, a byte pointer of a byte array.
      {"unsigned long w, v; unsigned char m[4], n[4];\n"
       "void f(void) { memcpy(&w, &v, 4); memcpy(m, n, 4); p = (unsigned char *)m; }\n",
       0},
      {"unsigned int f(unsigned int a, unsigned char *b) { return (unsigned char *)b - 0; }\n", 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.code);
    RewriteResult result;
    RewriteDialect(Preprocessed(r.code), &result);
    EXPECT_TRUE(result.issues.empty());
    EXPECT_EQ(result.text, Preprocessed(r.code));
    if (r.line == 0) {
      EXPECT_TRUE(result.warnings.empty());
      continue;
    }
    ASSERT_EQ(result.warnings.size(), 1u);
    EXPECT_EQ(result.warnings[0].line, r.line);
    EXPECT_NE(result.warnings[0].text.find("low byte"), std::string::npos);
  }
}

// sdcc 4.2 stores the wrong bit into a one-bit field above bit 0 assigned
// "x & 1"; the comparison form has the same value and compiles right.
TEST(DialectBridges, AMemberAssignedTheLowBitGetsAComparison) {
  ExpectRewrites(
      "",
      {
          {"void f(void) { st.dir = d[0] & 1; p->on = (v >> 3) & 0x01; }",
           "void f(void) { st.dir = ((d[0] & 1) != 0); p->on = (((v >> 3) & 0x01) != 0); }"},
          {"void f(void) { s.a.b = g(x, y) & 1u; }",
           "void f(void) { s.a.b = ((g(x, y) & 1u) != 0); }"},
          // Not the value's last operation, not a member, not "=".
          {"void f(void) { st.dir = a | b & 1; st.dir = c ? x : y & 1; v = d[0] & 1; "
           "st.dir &= 1; st.dir = d & 2; st.n = d[0] & 1 ? 4 : 5; }",
           "void f(void) { st.dir = a | b & 1; st.dir = c ? x : y & 1; v = d[0] & 1; "
           "st.dir &= 1; st.dir = d & 2; st.n = d[0] & 1 ? 4 : 5; }"},
          // Initialisers at file scope are left alone.
          {"struct s t = { 1 }; int k = t.a = 1 & 1;", "struct s t = { 1 }; int k = t.a = 1 & 1;"},
      });
}

// A bit field read into anything but a plain variable goes through a
// function sdcc stores the value of whole.
TEST(DialectBridges, ABitFieldReadIntoAnElementPassesThroughAFunction) {
  const std::string fields =
      "struct f { unsigned char run : 1; unsigned char dir:1, mode:3; unsigned char whole; };\n"
      "struct f st, *ps; unsigned char buf[4], x, *p; struct { unsigned char v; } q;\n";
  RewriteResult result;
  RewriteDialect(
      Preprocessed(fields +
                   "void f(void) { buf[1] = st.dir; *p = ps->mode; q.v = st.run; "
                   "ps->whole = st.dir; }\n"
                   // Into a plain variable, of a member that is no bit
                   // field, or a value that is more than the member.
                   "void g(void) { x = st.dir; buf[1] = st.whole; buf[2] = st.dir + 1; }\n"),
      &result);
  EXPECT_TRUE(result.issues.empty());
  for (const char* part :
       {"static long __c51_field(long v) { return v; }",
        "void f(void) { buf[1] = __c51_field(st.dir); *p = __c51_field(ps->mode); q.v = "
        "__c51_field(st.run); ps->whole = __c51_field(st.dir); }",
        "void g(void) { x = st.dir; buf[1] = st.whole; buf[2] = st.dir + 1; }"}) {
    EXPECT_NE(result.text.find(part), std::string::npos) << part << "\n" << result.text;
  }
}

TEST(DialectBridges, ByteFormatArgumentsAreTheirBytesAsInts) {
  ExpectRewrites(
      "", {
              {"void f(void) { printf(\"%bu %02bX %bx %bo %bc\", a, b[1], c, d, e); }",
               "void f(void) { printf(\"%u %02X %x %o %c\", (unsigned int)(unsigned char)(a), "
               "(unsigned int)(unsigned char)(b[1]), (unsigned int)(unsigned char)(c), (unsigned "
               "int)(unsigned char)(d), (unsigned int)(unsigned char)(e)); }"},
              {"void f(void) { printf(\"%bd|%bi\", s, g(1, 2)); }",
               "void f(void) { printf(\"%d|%i\", (int)(signed char)(s), (int)(signed char)(g(1, "
               "2))); }"},
              {"void f(void) { sprintf(p, \"%d %% %*.*s %-5ld %bu\", i, w, pr, s, l, c >> 4); }",
               "void f(void) { sprintf(p, \"%d %% %*.*s %-5ld %u\", i, w, pr, s, l, (unsigned "
               "int)(unsigned char)(c >> 4)); }"},
              {"void f(void) { printf(\"\\\"%s\\\" \"\n\"%bX\", s,\n c); }",
               "void f(void) { printf(\"\\\"%s\\\" \"\n\"%X\", s,\n (unsigned int)(unsigned "
               "char)(c)); }"},
              {"void f(void) { printf(fmt, a); printf(\"%bu\"); s.printf(\"%bu\", a); }",
               "void f(void) { printf(fmt, a); printf(\"%bu\"); s.printf(\"%bu\", a); }"},
              // A char cast in any variadic call is passed as an int, as sdcc
              // passes an uncast char; named parameters and wider casts stay.
              {"typedef unsigned char u8;\nvoid dbg(char c, const char *f, ...);\n"
               "void f(u8 u) { dbg((char)u, \"%bu\", (unsigned char)u, (u8)u, u, (int)u, "
               "(char *)p, (const char)u + 1); }",
               "typedef unsigned char u8;\nvoid dbg(char c, const char *f, ...);\n"
               "void f(u8 u) { dbg((char)u, \"%bu\", (int)((unsigned char)u), (int)((u8)u), u, "
               "(int)u, (char *)p, (int)((const char)u + 1)); }"},
              {"int printf(const char *, ...);\n"
               "void f(void) { printf(\"%c|%bu\", (char)'A', (unsigned char)x); }",
               "int printf(const char *, ...);\n"
               "void f(void) { printf(\"%c|%u\", (int)((char)'A'), (unsigned int)(unsigned "
               "char)((unsigned char)x)); }"},
          });
}

// sdcc reads "()" as "(void)": a declaration that says nothing of the
// parameters of a function called with some gets the definition's, from
// this file or one the finder reads; without either it is named, not left
// to sdcc's "too many parameters" at each call.
TEST(DialectBridges, EmptyParameterListsGetTheDefinitionsParameters) {
  ExpectIssues("", 0,
               {{"char f();\nvoid main(void) { f(1); }\n", 1, "'f' is declared with '()'"},
                {"int g();\nint g(a) int a; { return a; }\n", 1, "'g' is declared with '()'"},
                {"\nchar *h();\nvoid main(void) { h(); h(2); }\n", 2, "'h'"}});
  ExpectRewrites(
      "", {{"char f();\nvoid main(void) { f(); }\n", "char f();\nvoid main(void) { f(); }\n"},
           {"char f();\nvoid main(void) { f(0, 1); }\nchar f(unsigned char xdata *p, bit b) { "
            "return *p; }\n",
            "char f(unsigned char __xdata *p, __bit b);\nvoid main(void) { f(0, 1); }\nchar "
            "f(unsigned char __xdata *p, __bit b) { return *p; }\n"}});

  // Defined elsewhere: the finder is asked with the declaring file.
  std::vector<std::string> asked;
  auto find = [&](const std::string& name, const std::string& file, const DefinitionWanted& wanted,
                  FunctionDefinition* found) {
    asked.push_back(name + "@" + file);
    if (name != "delay" || wanted.any_case || !wanted.parameters) return false;
    found->params = "unsigned int z";
    found->file = "Hardware/delay.c";
    return true;
  };
  RewriteResult result;
  RewriteDialect(Preprocessed("# 1 \"inc/delay.h\" 1\nvoid delay(); int other();\n"
                              "# 2 \"main.c\" 2\nvoid main(void) { delay(100); delay(5); "
                              "other(1); }\n"),
                 &result, find);
  EXPECT_NE(result.text.find("void delay(unsigned int z); int other();"), std::string::npos)
      << result.text;
  EXPECT_EQ(asked, (std::vector<std::string>{"delay@inc/delay.h", "other@inc/delay.h"}));
  EXPECT_EQ(result.consulted, std::vector<std::string>{"Hardware/delay.c"});
  ASSERT_EQ(result.issues.size(), 1u);
  EXPECT_NE(result.issues[0].text.find("'other'"), std::string::npos);
  EXPECT_EQ(result.issues[0].file, "inc/delay.h");
}

TEST(DialectBridges, SurvivesEveryTruncation) {
  const std::string full = Preprocessed(
      std::string(kIntrinsics) +
      "struct p { int a; char n[2]; } t[] = { 1, 'x', 'y' }; char m[2][2] = {1, 2, 3};\n"
      "typedef struct { char c; } T; T u[] = { 1, (2) }; enum { N = 2, M };\n"
      "sfr P3 = 0xB0; sbit s = (P3^6); void (code *fn)(void); char (code *q)[N];\n"
      "int add(a, b) int a; char *b; { return a; }\n"
      "char putchar(char c) { return c; } char _getkey(void) { return 1; }\n"
      "void f(void) { c = _crol_(c, k); a = 1, _nop_(), b = 2; if (_testbit_(x)) _nop_(); }\n"
      "bit b; void g(bit x) { b = ~(x); x = ~ b; printf(\"%bu%bd\", b, x); sprintf(\"%*bX\", 1); "
      "}\n");
  // Whatever is cut off, the output ends on the input's last line:
  // diagnostics name the user's line numbers.
  for (size_t n = 0; n <= full.size(); ++n) {
    const std::string_view cut = std::string_view(full).substr(0, n);
    RewriteResult result;
    RewriteDialect(cut, &result);
    EXPECT_EQ(EndPosition(result.text), EndPosition(cut)) << "cut at " << n;
  }
}

}  // namespace
}  // namespace c51::sdcc
