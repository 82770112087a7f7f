// Bits declared on bdata variables: the width a typedef gives, the bit
// numbering of wider values, elements of bdata arrays and _testbit_.
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

std::string Rewritten(const std::string& code) {
  RewriteResult result;
  RewriteDialect(Preprocessed(code), &result);
  EXPECT_TRUE(result.issues.empty()) << code << ": " << result.issues[0].text;
  return result.text.substr(Preprocessed("").size());
}

struct Case {
  const char* declarations;  // ends with the sbit B
  const char* set;           // what "B = 1;" becomes
};

// "B = 1;" on a line after the declarations, rewritten.
std::string SetB(const std::string& declarations) {
  const std::string text = Rewritten(declarations + "\nvoid f(void) { B = 1; }");
  const size_t open = text.rfind("{ ");
  const size_t close = text.rfind("; }");
  if (open == std::string::npos || close == std::string::npos) return text;
  return text.substr(open + 2, close - open - 2);
}

TEST(DialectBdata, TypedefsGiveTheVariablesWidth) {
  const Case cases[] = {
      {"typedef unsigned int u16; u16 bdata v; sbit B = v^9;", "(v |= 0x0002u)"},
      {"typedef unsigned short WORD; WORD bdata v; sbit B = v^9;", "(v |= 0x0002u)"},
      {"typedef unsigned short uint16_t; typedef uint16_t U16; U16 bdata v; sbit B = v^9;",
       "(v |= 0x0002u)"},
      {"typedef unsigned long u32; u32 bdata v; sbit B = v^25;", "(v |= 0x00000002ul)"},
      {"typedef unsigned long int DWORD; extern DWORD bdata v; sbit B = v^25;",
       "(v |= 0x00000002ul)"},
      {"typedef unsigned char u8; u8 bdata v; sbit B = v^1;", "(v |= 0x02)"},
      // An initializer says nothing about the variable's width.
      {"typedef unsigned long u32; unsigned char bdata v = (u32)1; sbit B = v^1;", "(v |= 0x02)"},
      {"unsigned char bdata v = sizeof(long); sbit B = v^1;", "(v |= 0x02)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.declarations);
    EXPECT_EQ(c.set, SetB(c.declarations));
  }
}

// Bits count from the variable's first byte in memory, the high byte of an
// int or long where the original compiler keeps its values.
TEST(DialectBdata, BitsOfWiderValuesCountFromTheHighByte) {
  const Case cases[] = {
      {"unsigned char bdata v; sbit B = v^7;", "(v |= 0x80)"},
      {"unsigned int bdata v; sbit B = v^0;", "(v |= 0x0100u)"},
      {"unsigned int bdata v; sbit B = v^7;", "(v |= 0x8000u)"},
      {"unsigned int bdata v; sbit B = v^8;", "(v |= 0x0001u)"},
      {"unsigned int bdata v; sbit B = v^15;", "(v |= 0x0080u)"},
      {"int bdata v; sbit B = v^12;", "(v |= 0x0010u)"},
      {"unsigned long bdata v; sbit B = v^0;", "(v |= 0x01000000ul)"},
      {"unsigned long bdata v; sbit B = v^12;", "(v |= 0x00100000ul)"},
      {"unsigned long bdata v; sbit B = v^16;", "(v |= 0x00000100ul)"},
      {"long bdata v; sbit B = v^31;", "(v |= 0x00000080ul)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.declarations);
    EXPECT_EQ(c.set, SetB(c.declarations));
  }
}

TEST(DialectBdata, ElementsOfBdataArraysTakeBits) {
  const Case cases[] = {
      {"unsigned char bdata keys[2]; sbit B = keys[0]^0;", "(keys[0] |= 0x01)"},
      {"unsigned char bdata keys[2]; sbit B = keys[1]^7;", "(keys[1] |= 0x80)"},
      {"unsigned char bdata keys[2]; sbit B = (keys[1])^(3);", "(keys[1] |= 0x08)"},
      {"unsigned char bdata keys[4]; sbit B = keys[(1 + 2)] ^ 1;", "(keys[3] |= 0x02)"},
      {"extern unsigned char bdata keys[]; sbit B = keys[5]^1;", "(keys[5] |= 0x02)"},
      {"unsigned char bdata keys[2] = {0, 0}, more; sbit B = more^1;", "(more |= 0x02)"},
      {"unsigned int bdata w[2]; sbit B = w[1]^15;", "(w[1] |= 0x0080u)"},
      {"typedef unsigned long u32; u32 bdata l[2]; sbit B = l[0]^0;", "(l[0] |= 0x01000000ul)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.declarations);
    EXPECT_EQ(c.set, SetB(c.declarations));
  }
  EXPECT_EQ(Rewritten("unsigned char bdata keys[2];\nsbit U = keys[0]^0, D = keys[1]^7;\n"
                      "char f(void) { D = 0; return U; }"),
            "unsigned char __data keys[2];\n\n"
            "char f(void) { (keys[1] &= ~0x80); return ((keys[0] & 0x01) != 0); }");
}

TEST(DialectBdata, ReportsBitsItCannotPlace) {
  const struct {
    const char* code;
    const char* text_part;
  } cases[] = {
      {"unsigned char bdata keys[2];\nsbit B = keys^1;", "'B': a bit of the array 'keys' needs"},
      {"unsigned char bdata keys[2];\nsbit B = keys[2]^1;", "'keys [ 2 ]' is past the end"},
      {"unsigned char i;\nunsigned char bdata keys[2];\nsbit B = keys[i]^1;",
       "needs an element with a constant index"},
      {"unsigned char bdata m[2][2];\nsbit B = m[0]^1;", "more than one dimension"},
      {"unsigned char bdata keys[2];\nsbit B = keys[0]^8;", "bit position must be 0 to 7"},
      {"unsigned int bdata w[2];\nsbit B = w[1]^16;", "bit position must be 0 to 15"},
      {"typedef unsigned int u16;\nu16 bdata w;\nsbit B = w^16;", "bit position must be 0 to 15"},
      {"unsigned char bdata v;\nsbit B = v[0]^1;", "'v [ 0 ]' is neither a known sfr"},
      // A pointer into bdata is no variable there.
      {"unsigned char bdata *p;\nsbit B = p^1;", "'p' is neither a known sfr"},
      {"unsigned char bdata v;\nsbit B = v^0;\nvoid f(void) { char *p = &B; }",
       "'B': only setting, clearing"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    RewriteResult result;
    RewriteDialect(Preprocessed(c.code), &result);
    ASSERT_EQ(1u, result.issues.size()) << result.text;
    const std::string code = c.code;
    EXPECT_EQ(std::count(code.begin(), code.end(), '\n') + 1, result.issues[0].line);
    EXPECT_NE(std::string::npos, result.issues[0].text.find(c.text_part)) << result.issues[0].text;
  }
}

// "&" after an operand is the binary and, not the address of the bit.
TEST(DialectBdata, AndWithABitIsNoAddress) {
  const std::string declarations = "unsigned char bdata v, a[2];\nsbit B = v^1;\n";
  EXPECT_EQ(Rewritten(declarations + "char f(void) { return 3 & B; }"),
            "unsigned char __data v, a[2];\n\nchar f(void) { return 3 & ((v & 0x02) != 0); }");
  EXPECT_EQ(Rewritten(declarations + "char f(void) { return a[1] & B; }"),
            "unsigned char __data v, a[2];\n\n"
            "char f(void) { return a[1] & ((v & 0x02) != 0); }");
}

// INTRINS.H as the preprocessor passes it on.
const char kIntrinsics[] =
    "# 1 \"/opt/c51/INC/intrins.h\" 1\n"
    "void _nop_(void); bit _testbit_(bit b);\n"
    "unsigned char _crol_(unsigned char c, unsigned char n);\n"
    "# 2 \"main.c\" 2\n";

TEST(DialectBdata, TestbitCallsAFunctionThatTestsAndClearsWithInterruptsOff) {
  const std::string declarations =
      "unsigned char bdata flags;\nunsigned int bdata w;\nunsigned char bdata keys[2];\n"
      "sbit T = flags^2;\nsbit W = w^15, K = keys[1]^0;\n";
  const std::string text = Rewritten(
      kIntrinsics + declarations +
      "unsigned char n;\nvoid f(void) {\n  if (_testbit_(T)) n++;\n  n = _testbit_((W));\n"
      "  n = _crol_(_testbit_(K), 1) + _testbit_(T);\n}\n");
  // Declared where the bit is, defined after the last line.
  const char* const kDeclarations =
      "unsigned char __data flags;\nunsigned int __data w;\nunsigned char __data keys[2];\n"
      " static unsigned char __c51_testbit_T(void) __critical;\n"
      " static unsigned char __c51_testbit_K(void) __critical;"
      " static unsigned char __c51_testbit_W(void) __critical;\n"
      "unsigned char n;\nvoid f(void) {";
  EXPECT_NE(std::string::npos, text.find(kDeclarations)) << text;
  const std::string body = text.substr(text.find("void f(void)"));
  EXPECT_NE(std::string::npos, body.find("  if (__c51_testbit_T()) n++;\n"
                                         "  n = __c51_testbit_W();\n"))
      << body;
  // Inside another intrinsic's operand too.
  EXPECT_NE(std::string::npos, body.find("__c51_testbit_K()")) << body;
  EXPECT_EQ(std::string::npos, body.find("_testbit_(")) << body;
  EXPECT_NE(std::string::npos,
            body.find("\n} static unsigned char __c51_testbit_K(void) __critical { if (keys[1] & "
                      "0x01) { keys[1] &= ~0x01; return 1; } return 0; } static unsigned char "
                      "__c51_testbit_T(void) __critical { if (flags & 0x04) { flags &= ~0x04; "
                      "return 1; } return 0; } static unsigned char __c51_testbit_W(void) "
                      "__critical { if (w & 0x0080u) { w &= ~0x0080u; return 1; } return 0; }\n"))
      << body;
  // A bit no _testbit_ reads gets no function.
  EXPECT_EQ(std::string::npos, Rewritten(declarations + "void g(void) { T = 1; }").find("__c51"));
}

}  // namespace
}  // namespace c51::sdcc
