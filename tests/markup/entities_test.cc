#include "markup/entities.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "markup/markup_test_util.h"

namespace c51 {
namespace {

using test::Local;

TEST(DecodeEntitiesTest, NamedAndNumericReferences) {
  struct Case {
    std::string text;
    std::string decoded;
  } cases[] = {
      {"&lt;&amp;&gt;&apos;&quot;", "<&>'\""},
      {"&LT;&Amp;&nbsp;&lt &", "&LT;&Amp;&nbsp;&lt &"},  // only these five, case-sensitive
      {"&&amp;lt;", "&&lt;"},
      {"&#65;&#x41;&#x4a;&#065;", "AAJA"},
      {"&#X41;&#66;", "&#X41;B"},  // upper-case X: stays, decoding goes on after its "&"
      // The ";" may come at most 7 characters after the "#".
      {"&#000065;&#x00041;", "AA"},
      {"&#0000065;&#x000041;", "&#0000065;&#x000041;"},
      {"&#65 ;&#;&#x;&#6a;&#-1;", "&#65 ;&#;&#x;&#6a;&#-1;"},
      {"&#0;&#xD800;&#x110000;", "&#0;&#xD800;&#x110000;"},
      {"&#13;&#10;", "\r\n"},
      {"\xC7\xFD&amp;\xB6\xAF", "\xC7\xFD&\xB6\xAF"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(c.decoded, DecodeEntities(c.text));
  }
}

TEST(DecodeEntitiesTest, ReferencesMustLieInsideTheGivenBytes) {
  std::string_view text = "x&amp;&#65;";
  EXPECT_EQ("x&amp", DecodeEntities(text.substr(0, 5)));
  EXPECT_EQ("x&&#65", DecodeEntities(text.substr(0, 10)));
}

TEST(DecodeEntitiesTest, CharactersBeyondAsciiUseTheLocalCodePage) {
  {
    test::ScopedLocalCodePage gbk("936");
#ifndef _WIN32
    EXPECT_EQ("\xD6\xD0\xCE\xC4", DecodeEntities("&#x4E2D;&#25991;"));  // "Chinese" in GBK
    // Thai KO KAI has no GBK code: the reference stays.
    EXPECT_EQ("&#x0E01;", DecodeEntities("&#x0E01;"));
#endif
    std::string expected = Local("\xE4\xB8\xAD");
    EXPECT_EQ(expected == "?" ? "&#x4E2D;" : expected, DecodeEntities("&#x4E2D;"));
  }
#ifndef _WIN32
  test::ScopedLocalCodePage utf8("65001");
  EXPECT_EQ("\xE4\xB8\xAD\xF0\x9F\x98\x80", DecodeEntities("&#x4E2D;&#x1F600;"));
#endif
}

// The UTF-8 form of a code point below 0x10000.
std::string Utf8(uint32_t code) {
  std::string out;
  if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
  }
  out += static_cast<char>(0x80 | (code & 0x3F));
  return out;
}

// Thousands of references, repeated, in both notations and mixed with
// characters the code page lacks, decode as each one would on its own.
TEST(DecodeEntitiesTest, ManyReferencesDecodeAsEachAlone) {
  test::ScopedLocalCodePage gbk("936");
  std::string text, expected;
  for (int round = 0; round < 3; ++round) {
    for (uint32_t code = 0x4E00; code < 0x4E00 + 3000; code += round + 1) {
      uint32_t c = code % 7 == 0 ? 0x0E01 + code % 40 : code;  // Thai: not in GBK
      char reference[16];
      std::snprintf(reference, sizeof reference, round == 1 ? "&#%u;" : "&#x%X;",
                    static_cast<unsigned>(c));
      text += std::string(reference) + "&amp;";
      std::string local = Local(Utf8(c));
      expected += (local.empty() || local == "?" ? std::string(reference) : local) + "&";
    }
  }
  EXPECT_TRUE(DecodeEntities(text) == expected);
}

TEST(EntityDecoderTest, PiecesShareOneConversion) {
  test::ScopedLocalCodePage gbk("936");
  const std::string pieces[] = {"a&#x4E2D;&lt;", "&#25991;&#x4E2D;", "", "&#x0E01;&#66;"};
  EntityDecoder decoder;
  for (const std::string& piece : pieces) decoder.Collect(piece);
  decoder.Convert();
  std::string out, expected;
  for (const std::string& piece : pieces) {
    decoder.Append(piece, &out);
    expected += DecodeEntities(piece);
  }
  EXPECT_EQ(expected, out);
  // A character not collected stays as written; ASCII needs no collecting.
  out.clear();
  decoder.Append("&#x56FD;&#65;&gt;", &out);
  EXPECT_EQ("&#x56FD;A>", out);
}

}  // namespace
}  // namespace c51
