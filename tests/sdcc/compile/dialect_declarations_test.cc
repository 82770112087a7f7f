// Declarations the original compiler takes and sdcc refuses, as the
// rewriter bridges them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sdcc/compile/dialect_rewriter.h"

namespace c51::sdcc {
namespace {

constexpr char kMarkers[] =
    "# 1 \"main.c\"\n# 1 \"<built-in>\"\n# 1 \"<command line>\"\n# 1 \"main.c\"\n";

struct Case {
  const char* in;
  const char* out;
};

// The rewritten text of `code` (the main file from its first line) and
// what the rewriter said.
std::string Rewritten(const std::string& code, RewriteResult* result,
                      const DefinitionFinder& find = {}) {
  RewriteDialect(kMarkers + code, result, find);
  const std::string prefix = kMarkers;
  if (result->text.compare(0, prefix.size(), prefix) != 0) return "(markers lost) " + result->text;
  return result->text.substr(prefix.size());
}

void ExpectRewrites(const std::vector<Case>& cases, const DefinitionFinder& find = {}) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.in);
    RewriteResult result;
    EXPECT_EQ(c.out, Rewritten(c.in, &result, find));
    EXPECT_TRUE(result.issues.empty()) << result.issues[0].text;
  }
}

// "file:line text" of each.
std::vector<std::string> Said(const std::vector<DialectIssue>& issues) {
  std::vector<std::string> out;
  for (const DialectIssue& i : issues) {
    out.push_back(i.file + ":" + std::to_string(i.line) + " " + i.text);
  }
  return out;
}

TEST(DialectDeclarations, DoubleAndLongDoubleAreFloat) {
  ExpectRewrites({
      {"long double x = 1.5;", "float x = 1.5;"},
      {"double f(double d, long double *p) { return (double)d; }",
       "float f(float d, float *p) { return (float)d; }"},
      {"static double long y; long z; double\nw;", "static float y; long z; float\nw;"},
  });
  // sdcc's own headers are its business.
  RewriteResult result;
  RewriteDialect(
      "# 1 \"main.c\"\n# 1 \"/usr/share/sdcc/include/math.h\" 1 3\ndouble g(void);\n"
      "# 2 \"main.c\" 2\ndouble h;\n",
      &result);
  EXPECT_NE(result.text.find("double g(void);\n"), std::string::npos) << result.text;
  EXPECT_NE(result.text.find("float h;\n"), std::string::npos) << result.text;
}

TEST(DialectDeclarations, BareParameterNamesAreInts) {
  ExpectRewrites({
      // Beside typed parameters, in a declaration and its definition.
      {"void show(unsigned char r, date);\nvoid show(unsigned char r, date) { }",
       "void show(unsigned char r, int date);\nvoid show(unsigned char r, int date) { }"},
      // A definition's names with no declarations; its declaration follows.
      {"unsigned char rd(add);\nunsigned char rd(add) { return add; }",
       "unsigned char rd(int add);\nunsigned char rd(int add) { return add; }"},
      // Typedef names and unnamed parameters stay.
      {"typedef unsigned char u8;\nvoid put(u8, char c);",
       "typedef unsigned char u8;\nvoid put(u8, char c);"},
      {"void put(unsigned char, int);", "void put(unsigned char, int);"},
  });
}

TEST(DialectDeclarations, FileScopeDeclarationsWithoutATypeAreInts) {
  ExpectRewrites({
      {"seg[8]={28,28};\ncount = 5;\nflag;\na, b = 2;",
       "int seg[8]={28,28};\nint count = 5;\nint flag;\nint a, b = 2;"},
      {"void f(void) { x = 1; }\nn = 1; struct s { int a; } v; t[2];",
       "void f(void) { x = 1; }\nint n = 1; struct s { int a; } v; int t[2];"},
      // A type or a typedef stays.
      {"typedef unsigned char u8; u8 x; unsigned u; bit f2; int g(a) int a; { y = 1; }",
       "typedef unsigned char u8; u8 x; unsigned u; __bit f2; int g(int a)  { y = 1; }"},
      // A storage class, a qualifier or a memory type with no type after it
      // ("#define uchar unsigned char;" leaves "code tab[]").
      {"static s1 = 3; const c = 1; code tab[] = {1, 2}; static xdata cnt, k; __data d2;",
       "static int s1 = 3;  int c = 1; __code int tab[] = {1, 2}; static __xdata int cnt, "
       "k; __data int d2;"},
      {"typedef char u8; extern code unsigned char t[]; static u8 v; idata struct s { int a; } w;",
       "typedef char u8; extern __code unsigned char t[]; static u8 v; __idata struct s { int a; "
       "} w;"},
      // A function without its result is an int function.
      {"struct { char c; } w = { 1 }, z; main() { }",
       "struct { char c; } w = { 1 }, z; int main() { }"},
      {"ReadOne(void);\nReadOne(void) { return 1; }",
       "int ReadOne(void);\nint ReadOne(void) { return 1; }"},
  });
}

TEST(DialectDeclarations, ConstOnlyInThePrototypeOrOnlyInTheDefinitionGoes) {
  ExpectRewrites({
      {"void show(const unsigned char *s);\nvoid show(unsigned char *p) { }",
       "void show( unsigned char *s);\nvoid show(unsigned char *p) { }"},
      // The other way, top-level, twice declared, a typedef'd type.
      {"typedef unsigned char u8;\nvoid f(u8 a, int n);\nvoid f(u8 a, int n);\n"
       "void f(const u8 a, int n) { }",
       "typedef unsigned char u8;\nvoid f(u8 a, int n);\nvoid f(u8 a, int n);\n"
       "void f( u8 a, int n) { }"},
      // A pointer into code memory is a pointer to const everywhere.
      {"void say(char code *s, char *t);\nvoid say(char code *s, char *t) { }\n"
       "void put(const unsigned char code *p);",
       "void say(const char __code *s, char *t);\nvoid say(const char __code *s, char *t) { }\n"
       "void put(const unsigned char __code *p);"},
      // Agreeing qualifiers, other types, another function: as they are.
      {"void g(const char *s);\nvoid g(const char *t) { }\nvoid h(const char *s);\n"
       "void h(int *s) { }\nvoid k(const char *s);\nvoid m(char *s) { }",
       "void g(const char *s);\nvoid g(const char *t) { }\nvoid h(const char *s);\n"
       "void h(int *s) { }\nvoid k(const char *s);\nvoid m(char *s) { }"},
  });
}

TEST(DialectDeclarations, ConstObjectsWithoutAMemoryTypeLieWithTheOtherVariables) {
  ExpectRewrites({
      {"const unsigned char tab[] = {1, 2};\nextern const char num[3];\nunsigned char const "
       "k = 5;\nstatic const char buf[4] = {0};",
       " unsigned char tab[] = {1, 2};\nextern  char num[3];\nunsigned char  k = 5;\nstatic  "
       "char buf[4] = {0};"},
      // Pointers, typedefs, memory types, parameters and locals keep theirs.
      {"const char *msg = \"a\";\ntypedef const char cc;\nconst char code t[2] = {1, 2};\n"
       "void f(const char c) { const char d = c; }",
       "const char *msg = \"a\";\ntypedef const char cc;\nconst char __code t[2] = {1, 2};\n"
       "void f(const char c) { const char d = c; }"},
      // volatile in only the extern declaration or only the definition: both.
      {"extern unsigned char flag;\nvolatile unsigned char flag;\nextern volatile int n;\nint "
       "n;\nextern char other;",
       "volatile extern unsigned char flag;\nvolatile unsigned char flag;\nextern volatile int "
       "n;\nvolatile int n;\nextern char other;"},
  });
}

TEST(DialectDeclarations, AnArraysAddressBecomesTheElementPointerItIsAssignedTo) {
  const std::string decls =
      "unsigned char buf[4]; struct T { char a; } tab[3]; struct T *p; unsigned char *q;\n"
      "void send(unsigned char *d, int n); void *memset(void *d, int c, int n);\n"
      "void keep(unsigned char (*row)[4]);\n";
  ExpectRewrites({
      {(decls + "unsigned char *r = &buf;\nvoid f(char i) { p = &tab + i; q = &buf, i = 1; }")
           .c_str(),
       (decls + "unsigned char *r = (void *)&buf;\nvoid f(char i) { p = (void *)(&tab + i); q = "
                "(void *)&buf, i = 1; }")
           .c_str()},
      {(decls + "void f(void) { send(&buf, 4); send(&tab[0] + 1, &buf); memset(&buf, 0, 4); "
                "keep(&buf); }")
           .c_str(),
       (decls + "void f(void) { send((void *)&buf, 4); send(&tab[0] + 1, &buf); memset(&buf, 0, "
                "4); keep(&buf); }")
           .c_str()},
      // A pointer to the array or a void pointer takes it as it is; an array
      // parameter is a pointer, and a local hides the file's array.
      {(decls + "unsigned char (*pa)[4] = &buf; void *v = &buf;\n"
                "void f(unsigned char buf[]) { q = &buf; }\n"
                "void g(void) { unsigned char buf; q = &buf; pa = &buf; q = &p->a; }")
           .c_str(),
       (decls + "unsigned char (*pa)[4] = &buf; void *v = &buf;\n"
                "void f(unsigned char buf[]) { q = &buf; }\n"
                "void g(void) { unsigned char buf; q = &buf; pa = &buf; q = &p->a; }")
           .c_str()},
      // A local array.
      {"void f(void) { xdata unsigned char l[2][2]; unsigned char xdata *x; x = &l; }",
       "void f(void) { __xdata unsigned char l[2][2]; unsigned char __xdata *x; x = (void *)&l; "
       "}"},
  });
  RewriteResult result;
  Rewritten(decls + "void f(void)\n{\n  q = &buf;\n  p = &tab;\n}\n", &result);
  EXPECT_EQ(Said(result.warnings),
            (std::vector<std::string>{"main.c:6 '&buf' points to the whole array where a pointer "
                                      "to its elements is wanted: taken as the same address",
                                      "main.c:7 '&tab' points to the whole array where a pointer "
                                      "to its elements is wanted: taken as the same address"}));
}

TEST(DialectDeclarations, AStringStoredInACharElementIsItsAddressLowByte) {
  const std::string decls =
      "typedef unsigned char u8; u8 buf[4]; char *names[2]; char grid[2][4]; char *ptr;\n";
  ExpectRewrites({
      {(decls + "void f(void) { buf[0] = \"abc\"; buf[1] = \"a\" \"b\", names[0] = \"x\"; }")
           .c_str(),
       (decls + "void f(void) { buf[0] = (unsigned char)\"abc\"; buf[1] = (unsigned char)\"a\" "
                "\"b\", names[0] = \"x\"; }")
           .c_str()},
      {(decls + "char s[4] = \"abc\"; void f(void) { grid[1] = \"x\"; ptr[0] = \"y\"; }").c_str(),
       (decls + "char s[4] = \"abc\"; void f(void) { grid[1] = \"x\"; ptr[0] = \"y\"; }").c_str()},
  });
  RewriteResult result;
  Rewritten(decls + "void f(void)\n{\n  buf[2] = \"  \";\n}\n", &result);
  EXPECT_EQ(Said(result.warnings),
            (std::vector<std::string>{"main.c:4 'buf[...]': a string's address assigned to a "
                                      "char: its low byte is stored"}));
}

TEST(DialectDeclarations, ACallWithNoDeclarationGetsThePrototypeOfTheFilesDefinition) {
  ExpectRewrites({
      // Defined further down: the prototype goes before the calling function.
      {"void main(void)\n{\n  led_set(0x5A, 1);\n}\nvoid led_set(unsigned char v, bit on) { }\n",
       "void led_set(unsigned char v, __bit on); void main(void)\n{\n  led_set(0x5A, 1);\n}\n"
       "void led_set(unsigned char v, __bit on) { }\n"},
      // In another letter case, before or after: the call's spelling, the
      // definition's types and attributes.
      {"unsigned char Key_Scan(void) { return 3; }\nvoid main(void) { P1 = key_scan(); }\n",
       "unsigned char Key_Scan(void) { return 3; }\nunsigned char key_scan(void); void "
       "main(void) { P1 = key_scan(); }\n"},
      {"int f(void) { return get(0); }\nstatic char xdata *GET(char code *p) reentrant { "
       "return 0; }\n",
       "static char __xdata *get(char __code *p) __reentrant; int f(void) { return get(0); }\n"
       "static char __xdata *GET(char __code *p) __reentrant { return 0; }\n"},
      // Past an old-style definition's declarations, several before one.
      {"int f(a) int a; { return g(a) + h(); }\nint g(int x) { return x; }\nh() { return 1; }\n",
       "int g(int x); int h(); int f(int a)  { return g(a) + h(); }\nint g(int x) { return x; }\n"
       "int h() { return 1; }\n"},
      // Declared before the call, or a call of something else.
      {"void g(int x);\nvoid f(void) { g(1); s.g(2); if (x) return; }\nvoid g(int x) { }\n",
       "void g(int x);\nvoid f(void) { g(1); s.g(2); if (x) return; }\nvoid g(int x) { }\n"},
      // A type not known where the prototype would go, an old-style
      // definition: left to sdcc.
      {"void f(void) { g(1); }\ntypedef unsigned char u8;\nvoid g(u8 x) { }\n",
       "void f(void) { g(1); }\ntypedef unsigned char u8;\nvoid g(u8 x) { }\n"},
      {"void f(void) { g(1); }\nvoid g(x) char x; { }\n",
       "void f(void) { g(1); }\nvoid g(char x)  { }\n"},
  });
}

TEST(DialectDeclarations, EachCallSoDeclaredKeepsItsMissingPrototypeWarning) {
  RewriteResult result;
  Rewritten(
      "void a(void)\n{\n  g(1);\n  g(2);\n}\nvoid b(void) { g(3); n(); }\nvoid g(int x) { }\n",
      &result);
  EXPECT_EQ(Said(result.implicit_calls),
            (std::vector<std::string>{"main.c:3 function 'g' implicit declaration",
                                      "main.c:4 function 'g' implicit declaration",
                                      "main.c:6 function 'g' implicit declaration"}));
  EXPECT_TRUE(result.warnings.empty());
}

TEST(DialectDeclarations, ACallDefinedBesideGetsThatDefinitionsPrototype) {
  std::vector<std::string> asked;
  auto find = [&](const std::string& name, const std::string& file, const DefinitionWanted& wanted,
                  FunctionDefinition* found) {
    asked.push_back(name + "@" + file + (wanted.any_case ? " any case" : "") +
                    (wanted.parameters ? " with parameters" : ""));
    if (name == "led_set") *found = {"extern unsigned char", "u8 v, char __code *s", true, "led.c"};
    if (name == "hidden") *found = {"static int", "int v", false, "hidden.c"};
    if (name == "unknown") *found = {"void", "WORD w", false, "unknown.c"};
    return name == "led_set" || name == "hidden" || name == "unknown";
  };
  RewriteResult result;
  EXPECT_EQ(Rewritten("typedef unsigned char u8;\nvoid main(void) { led_set(1, \"x\"); "
                      "led_set(2, 0); hidden(3); unknown(4); other(5); }\n",
                      &result, find),
            "typedef unsigned char u8;\nunsigned char led_set(u8 v, char __code *s) __reentrant; "
            "void main(void) { led_set(1, \"x\"); led_set(2, 0); hidden(3); unknown(4); "
            "other(5); }\n");
  EXPECT_EQ(asked, (std::vector<std::string>{"led_set@main.c any case", "hidden@main.c any case",
                                             "unknown@main.c any case", "other@main.c any case"}));
  EXPECT_EQ(result.consulted, std::vector<std::string>{"led.c"});
  EXPECT_EQ(result.implicit_calls.size(), 2u);
}

// An object declared without a memory type and with the model's own is one
// object: the declarations without get the model's word. Another memory
// type is a true mismatch, left for sdcc to refuse.
TEST(DialectDeclarations, TheModelsOwnMemoryTypeMatchesNone) {
  const struct {
    const char* model;
    const char* in;
    const char* out;
  } rows[] = {
      {"SMALL", "extern unsigned char w;\nunsigned char data w;\n",
       "extern __data unsigned char w;\nunsigned char __data w;\n"},
      {"SMALL", "unsigned char a, week, b = 2;\ndata unsigned char c, week;\n",
       "__data unsigned char a, week, b = 2;\n__data unsigned char c, week;\n"},
      {"LARGE", "extern volatile int t[4];\nint xdata t[4] = {1, 2};\n",
       "extern volatile __xdata int t[4];\nint __xdata t[4] = {1, 2};\n"},
      {"COMPACT", "extern char q;\nchar pdata q;\n", "extern __pdata char q;\nchar __pdata q;\n"},
      // Another space than the model's, a pointer's target, one name each.
      {"SMALL", "extern char x;\nchar xdata x;\n", "extern char x;\nchar __xdata x;\n"},
      {"SMALL", "extern char *p;\nchar data *p;\n", "extern char *p;\nchar __data *p;\n"},
      {"SMALL", "extern char m;\nchar data n;\n", "extern char m;\nchar __data n;\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.model) + ": " + row.in);
    RewriteResult result;
    RewriteDialect(kMarkers + std::string(row.in), &result, {}, row.model);
    EXPECT_EQ(kMarkers + std::string(row.out), result.text);
  }
}

// The original's stdio.h declares _getkey, which the linker supplies;
// sdcc's does not: with stdio.h, a call of it is declared silently.
TEST(DialectDeclarations, GetkeyIsDeclaredWhereStdioIsIncluded) {
  const std::string stdio =
      "# 1 \"/usr/share/sdcc/include/stdio.h\" 1 3 4\nint getchar(void);\n# 2 \"main.c\" 2\n";
  RewriteResult result;
  EXPECT_EQ(Rewritten(stdio + "void main(void) { char c = _getkey(); }\n", &result),
            stdio + "char _getkey(void); void main(void) { char c = _getkey(); }\n");
  EXPECT_TRUE(result.implicit_calls.empty());
  // Without stdio.h the original warns too.
  RewriteResult plain;
  EXPECT_EQ(Rewritten("void main(void) { char c = _getkey(); }\n", &plain),
            "void main(void) { char c = _getkey(); }\n");
}

TEST(DialectDeclarations, ParameterListsOfNamesOnlyAreTakenAsEmptyOnes) {
  ExpectRewrites({
      {"void lcd_put(Char);\nvoid main(void) { lcd_put(1); }\nvoid lcd_put(unsigned char c) { }\n",
       "void lcd_put(unsigned char c);\nvoid main(void) { lcd_put(1); }\nvoid lcd_put(unsigned "
       "char c) { }\n"},
      // Every declaration of it, a header's read twice.
      {"void put(a, b);\nvoid put(a, b);\nvoid put(int x, char y) { }\n",
       "void put(int x, char y);\nvoid put(int x, char y);\nvoid put(int x, char y) { }\n"},
      // Never called with arguments: "()".
      {"void lcd_put(Char);\nvoid main(void) { }\n", "void lcd_put();\nvoid main(void) { }\n"},
      // Types, unnamed parameters: a prototype as it stands.
      {"typedef struct { int x; } POINT, *PPOINT;\ntypedef unsigned char Char;\n"
       "void draw(PPOINT, Char);\n",
       "typedef struct { int x; } POINT, *PPOINT;\ntypedef unsigned char Char;\n"
       "void draw(PPOINT, Char);\n"},
      {"void f(unsigned, bit);\n", "void f(unsigned, __bit);\n"},
  });
  RewriteResult result;
  Rewritten("void lcd_put(Char);\nvoid main(void) { lcd_put(1); }\n", &result);
  EXPECT_EQ(Said(result.issues),
            (std::vector<std::string>{"main.c:1 'lcd_put' is declared with '( Char )', which sdcc "
                                      "reads as '(void)', and no definition was found beside "
                                      "it: write its parameters into the declaration"}));
}

}  // namespace
}  // namespace c51::sdcc
