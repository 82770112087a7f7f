#include "sdcc/compile/sdcc_sfr_names.h"

#include <gtest/gtest.h>

#include <string>

#include "sdcc/compile/dialect_rewriter.h"

namespace c51::sdcc {
namespace {

// `header` as sdcc's preprocessor passes on one of sdcc's own headers
// (marker flag 3), then the user's `code`; the rewritten user line and the
// first issue, if any.
struct Outcome {
  std::string line;
  std::string issue;
};
Outcome Rewrite(const std::string& header, const std::string& code) {
  const std::string text =
      "# 1 \"main.c\"\n# 1 \"<built-in>\"\n# 1 \"<command line>\"\n# 1 \"main.c\"\n"
      "# 1 \"/usr/share/sdcc/include/mcs51/C8051F020.h\" 1 3\n" +
      header + "\n# 2 \"main.c\" 2\n" + code + "\n";
  RewriteResult result;
  RewriteDialect(text, &result);
  Outcome out;
  const size_t last = result.text.rfind('\n', result.text.size() - 2);
  out.line = result.text.substr(last + 1, result.text.size() - last - 2);
  if (!result.issues.empty()) out.issue = result.issues[0].text;
  return out;
}

TEST(SdccSfrNames, SbitsNameSfrsDeclaredInSdccsSyntax) {
  const struct {
    const char* header;  // in one of sdcc's headers
    const char* code;    // the user's
    const char* line;    // the user's, rewritten
    const char* issue;
  } cases[] = {
      {"__sfr __at (0xB0) P3 ;", "sbit LED = P3 ^ 2;", "static __sbit __at(0xB2) LED;", ""},
      {"__sfr __at 0xA0 P2;", "sbit X = P2^7, Y = P2^0;",
       "static __sbit __at(0xA7) X; static __sbit __at(0xA0) Y;", ""},
      {"__sfr __at(0x80 + 0x08) TC;", "sbit F = (TC)^1;", "static __sbit __at(0x89) F;", ""},
      // In the user's own file, as compiler.h's SFR(P1, 0x90) expands.
      {"", "__sfr __at(0x90) P1; sbit K = P1^5;",
       "__sfr __at(0x90) P1; static __sbit __at(0x95) K;", ""},
      // Not an 8-bit sfr at a constant address: nothing to take a bit of.
      {"__sfr16 __at (0x8382) DP;", "sbit D = DP^1;", "",
       "'D': 'DP' is neither a known sfr nor a variable in bdata"},
      {"__sfr __at (0x30) LOW;", "sbit L = LOW^1;", "",
       "'L': 'LOW' is neither a known sfr nor a variable in bdata"},
      {"__xdata __at (0x8000) unsigned char XR;", "sbit R = XR^1;", "",
       "'R': 'XR' is neither a known sfr nor a variable in bdata"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.header) + " | " + c.code);
    const Outcome out = Rewrite(c.header, c.code);
    EXPECT_EQ(c.issue, out.issue);
    if (*c.issue == '\0') {
      EXPECT_EQ(c.line, out.line);
    }
  }
}

}  // namespace
}  // namespace c51::sdcc
