#include "sdcc/compile/dialect_rewriter.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "line_position.h"

namespace c51::sdcc {
namespace {

// Preprocessed text as sdcc -E writes it: markers, then the code.
std::string Preprocessed(const std::string& code) {
  return "# 1 \"main.c\"\n# 1 \"<built-in>\"\n# 1 \"<command line>\"\n# 1 \"main.c\"\n" + code;
}

std::string Rewritten(const std::string& code) {
  RewriteResult result;
  RewriteDialect(Preprocessed(code), &result);
  EXPECT_TRUE(result.issues.empty()) << code << ": " << result.issues[0].text;
  const std::string prefix = Preprocessed("");
  return result.text.substr(prefix.size());
}

TEST(DialectRewriter, NamesTheVariablesPlacedAtFileScopeWhoseSizeIsKnown) {
  RewriteResult result;
  RewriteDialect(Preprocessed("unsigned char data keep _at_ 0x30;\n"
                              "struct p { char a; } xdata pairs[4] _at_ 0x100;\n"
                              "unsigned char xdata open[] _at_ 0x200;\n"
                              "extern unsigned char idata flag _at_ 0xF0;\n"
                              "unsigned char data keep _at_ 0x30;\n"
                              "void f(void) { static unsigned char xdata x _at_ 0x300; x = 1; }\n"),
                 &result);
  EXPECT_EQ(result.placed, (std::vector<std::string>{"keep", "pairs", "flag"}));
}

TEST(DialectRewriter, RewritesEachConstruct) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {"sfr P1 = 0x90;", "static __sfr __at(0x90) P1;"},
      {"sfr P1=144;", "static __sfr __at(0x90) P1;"},
      {"sfr A = 0x80, B = 0xF0;", "static __sfr __at(0x80) A; static __sfr __at(0xF0) B;"},
      {"sfr16 T2 = 0xCC;", "static __sfr16 __at(0xCDCC) T2;"},
      {"sfr16 DP = 0x82 ;", "static __sfr16 __at(0x8382) DP ;"},
      {"sfr P1 = 0x90; sbit LED = P1^3;",
       "static __sfr __at(0x90) P1; static __sbit __at(0x93) LED;"},
      {"sbit CY = 0xD7;", "static __sbit __at(0xD7) CY;"},
      {"sbit X = 0xA8 ^ 7;", "static __sbit __at(0xAF) X;"},
      {"sbit X = (0x80 + 0x10) ^ 1;", "static __sbit __at(0x91) X;"},
      {"sfr P3 = 0xB0; sbit RD = P3^7, WR = P3^6, T1 = 0xB5;",
       "static __sfr __at(0xB0) P3; static __sbit __at(0xB7) RD; static __sbit __at(0xB6) WR; "
       "static __sbit __at(0xB5) T1;"},
      {"bit flag;", "__bit flag;"},
      {"static bit f(bit a, bit);", "static __bit f(__bit a, __bit);"},
      {"int x = (bit)y;", "int x = (__bit)y;"},
      {"unsigned char xdata buf[4];", "unsigned char __xdata buf[4];"},
      {"xdata unsigned char buf[4];", "__xdata unsigned char buf[4];"},
      {"char xdata * data p;", "char __xdata * __data p;"},
      {"char code *idata q;", "char __code *__idata q;"},
      {"const char code t[] = \"x\";", "const char __code t[] = \"x\";"},
      {"int pdata n;", "int __pdata n;"},
      {"int x = (unsigned char volatile xdata *) 0;",
       "int x = (unsigned char volatile __xdata *) 0;"},
      {"unsigned char xdata io _at_ 0x8000;", "unsigned char __xdata __at(0x8000) io ;"},
      {"char xdata b[16] _at_ 0x100;", "char __xdata __at(0x100) b[16] ;"},
      {"int data i _at_ (0x30 + 2);", "int __data __at(( 0x30 + 2 )) i ;"},
      {"void t0(void) interrupt 1 { }", "void t0(void) __interrupt(1) { }"},
      {"void t0(void) interrupt 1 using 2 { }", "void t0(void) __interrupt(1) __using(2) { }"},
      {"void t1(void) using 3 interrupt 3;", "void t1(void) __using(3) __interrupt(3);"},
      {"int f(int a) reentrant;", "int f(int a) __reentrant;"},
      {"char * code * p;", "char * __code * p;"},
      {"char code * xdata * data q;", "char __code * __xdata * __data q;"},
      {"void t0(void);\nvoid t0(void) interrupt 1 { }",
       "void t0(void) __interrupt(1);\nvoid t0(void) __interrupt(1) { }"},
      {"extern void t0(void), t2(void);\nvoid t2(void) interrupt 5 using 1 { }",
       "extern void t0(void), t2(void) __interrupt(5);\nvoid t2(void) __interrupt(5) __using(1) { "
       "}"},
      {"#pragma disable\nvoid f(void) { }\nvoid g(void) { }",
       "\nvoid f(void) __critical { }\nvoid g(void) { }"},
      {"#pragma NOOVERLAY\n#pragma STRING(XDATA)\nint x;", "\n\nint x;"},
      {"#pragma REGISTERBANK(1)\n#pragma RB(2)\nvoid f(void) { }", "\n\nvoid f(void) { }"},
      {"int f(int a) reentrant { return a; }", "int f(int a) __reentrant { return a; }"},
      {"void f(char c) large reentrant { }", "void f(char c)  __reentrant { }"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(c.out, Rewritten(c.in));
  }
}

TEST(DialectRewriter, LeavesNamesStringsAndOtherWordsAlone) {
  const char* const kept[] = {
      "int database; int bitmap; int xdata_size;",
      "const char* s = \"bit data code xdata\"; char c = 'x';",
      "struct code { int code; char data[4]; unsigned bit : 1; };",
      "s.code = 1; p->data = 2; q.bit = 3;",
      "int code = 5; code++; return code;",
      "void t(void) { f(data); g(code, 2); } int x = code * 2;",
      "if (x) interrupt = 1;",
      "int x = 0x90 ^ 3;",
      "__sfr __at(0x90) P1; __bit b; __xdata int y;",
  };
  for (const char* text : kept) {
    SCOPED_TRACE(text);
    EXPECT_EQ(text, Rewritten(text));
  }
}

TEST(DialectRewriter, KeepsEveryLineOnItsLine) {
  const std::string code =
      "sfr P1 =\n  0x90;\nsbit LED =\n P1 ^ 1;\nunsigned char xdata io\n _at_\n 0x8000;\n"
      "void t(void)\n interrupt\n 2 { }\nint marker;\n";
  RewriteResult result;
  RewriteDialect(Preprocessed(code), &result);
  EXPECT_TRUE(result.issues.empty());
  const std::string input = Preprocessed(code);
  auto line_of = [](const std::string& text, const char* what) {
    const size_t at = text.find(what);
    return at == std::string::npos ? -1 : std::count(text.begin(), text.begin() + at, '\n');
  };
  EXPECT_EQ(line_of(input, "int marker;"), line_of(result.text, "int marker;"));
  EXPECT_EQ(line_of(input, "xdata io"), line_of(result.text, "__at(0x8000) io"));
  EXPECT_EQ(line_of(input, "interrupt"), line_of(result.text, "__interrupt(2)"));
  EXPECT_NE(std::string::npos, result.text.find("__sbit __at(0x91) LED"));
}

TEST(DialectRewriter, NamesTheHeadersAndSkipsSystemOnes) {
  const std::string text =
      "# 1 \"./src/main.c\"\n# 1 \"<built-in>\"\n# 1 \"<command line>\"\n# 1 \"./src/main.c\"\n"
      "# 1 \"inc/REG51.H\" 1\nsfr P1 = 0x90;\n# 2 \"./src/main.c\" 2\n"
      "# 1 \"/usr/share/sdcc/include/string.h\" 1 3 4\nint code; bit x;\n"
      "# 1 \"./src/cfg.h\" 1\nbit y;\n# 3 \"/usr/share/sdcc/include/string.h\" 2 3 4\n"
      "# 3 \"./src/main.c\" 2\n# 1 \"inc/REG51.H\" 1\n# 4 \"./src/main.c\" 2\n";
  RewriteResult result;
  RewriteDialect(text, &result);
  EXPECT_EQ("./src/main.c", result.main_file);
  EXPECT_EQ((std::vector<std::string>{"inc/REG51.H", "./src/cfg.h"}), result.headers);
  // sdcc's header keeps its words; the user header inside it is rewritten.
  EXPECT_NE(std::string::npos, result.text.find("int code; bit x;"));
  EXPECT_NE(std::string::npos, result.text.find("__bit y;"));
}

TEST(DialectRewriter, HandlesPragmas) {
  RewriteResult result;
  RewriteDialect(Preprocessed("#pragma SMALL\n#pragma OT(6,SPEED)\n#pragma save\n"
                              "#pragma LARGE\nint x;\n"),
                 &result);
  EXPECT_TRUE(result.issues.empty());
  EXPECT_EQ("LARGE", result.model);
  EXPECT_EQ(Preprocessed("\n\n#pragma save\n\nint x;\n"), result.text);
}

TEST(DialectRewriter, ReportsWhatItCannotBridgeWithFileAndLine) {
  struct Case {
    const char* code;
    int line;
    const char* text_part;
  };
  const Case cases[] = {
      {"\n#pragma INTVECTOR(0x100)\n", 2, "'INTVECTOR' is not supported"},
      {"unsigned char bdata f;\nsbit b = f^0;\nvoid g(void) { b++; }\n", 3, "'b': only setting"},
      {"unsigned char f;\nsbit f0 = f^0;\n", 2, "'f' is neither a known sfr"},
      {"sfr P1 = 0x90;\nsbit b = P1^8;\n", 2, "bit position"},
      {"sfr S = 0x99;\nsbit b = S^1;\n", 2, "not bit-addressable"},
      {"sfr P1 = 0x90;\nsbit a = P1^1,\n b = P1^9;\n", 3, "bit position"},
      {"sfr LOW = 0x20;\n", 1, "outside 0x80-0xFF"},
      {"void f(void) _task_ 16 { }\n", 1, "task numbers are 0 to 15"},
      {"void f(void) _task_ { }\n", 1, "'_task_' needs a number"},
      {"void f(void) alien { }\n", 1, "'alien' is not supported"},
      {"int x _at_ ;\n", 1, "'_at_' needs an address"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    RewriteResult result;
    RewriteDialect(Preprocessed(c.code), &result);
    ASSERT_EQ(1u, result.issues.size());
    EXPECT_EQ("main.c", result.issues[0].file);
    EXPECT_EQ(c.line, result.issues[0].line);
    EXPECT_NE(std::string::npos, result.issues[0].text.find(c.text_part)) << result.issues[0].text;
  }
}

TEST(DialectRewriter, NotesInterruptDefinitionsAndMain) {
  RewriteResult result;
  RewriteDialect(Preprocessed("void a(void) interrupt 1;\n"
                              "void b(void) interrupt 2 using 1 { }\n"
                              "int main_count(void) { return 0; }\n"),
                 &result);
  ASSERT_EQ(1u, result.interrupts.size());
  EXPECT_EQ("b", result.interrupts[0].name);
  EXPECT_EQ(2, result.interrupts[0].line);
  EXPECT_EQ(2, result.interrupts[0].number);
  EXPECT_FALSE(result.defines_main);
  RewriteDialect(Preprocessed("extern int main(void);\nint main(void) { return 0; }\n"), &result);
  EXPECT_TRUE(result.defines_main);
  RewriteDialect(Preprocessed("int main(void);\n"), &result);
  EXPECT_FALSE(result.defines_main);
}

TEST(DialectRewriter, RegistersEachTaskWithAJumpTheKernelNames) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {"void job(void) _task_ 2 { f(); }",
       "void job(void)  { f(); } void __c51_task_2(void) __naked { __asm ljmp _job __endasm; }"},
      {"void job(void) _task_ (1+2) _priority_ 1 { }",
       "void job(void)   { } void __c51_task_3(void) __naked { __asm ljmp _job __endasm; }"},
      {"static void job (void) _priority_ 0 _task_ 15 { }",
       "static void job (void)   { } void __c51_task_15(void) __naked { __asm ljmp _job __endasm; "
       "}"},
      {"void job(void) _task_ 0;", "void job(void) ;"},
      {"void job(void) _priority_ 3;", "void job(void) ;"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(std::string(c.out) + "\n", Rewritten(std::string(c.in) + "\n"));
  }
}

TEST(DialectRewriter, SurvivesEveryTruncation) {
  const std::string full = Preprocessed(
      "sfr P1 = 0x90; sbit L = P1^2; char xdata b[2] _at_ 0x10; "
      "void t(void) interrupt 1 using 2 { char* s = \"a\\\"b\"; } /* c */ int f() reentrant;");
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
