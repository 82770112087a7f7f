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

TEST(DialectDeclarations, FileScopeDeclarationsWithoutATypeAreInts) {
  ExpectRewrites({
      {"seg[8]={28,28};\ncount = 5;\nflag;\na, b = 2;",
       "int seg[8]={28,28};\nint count = 5;\nint flag;\nint a, b = 2;"},
      {"void f(void) { x = 1; }\nn = 1; struct s { int a; } v; t[2];",
       "void f(void) { x = 1; }\nint n = 1; struct s { int a; } v; int t[2];"},
      // A type, a typedef, a storage class, a qualifier, the dialect's words.
      {"typedef unsigned char u8; u8 x; static s1 = 3; const c = 1; unsigned u;",
       "typedef unsigned char u8; u8 x; static s1 = 3; const c = 1; unsigned u;"},
      {"bit f2; idata i2; __data d2; int g(a) int a; { y = 1; }",
       "__bit f2; __idata i2; __data d2; int g(int a)  { y = 1; }"},
      {"struct { char c; } w = { 1 }, z; main() { }",
       "struct { char c; } w = { 1 }, z; main() { }"},
  });
}

}  // namespace
}  // namespace c51::sdcc
