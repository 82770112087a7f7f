#include "platform/codepage.h"

#include <gtest/gtest.h>

#include "platform/env.h"

namespace c51 {
namespace {

struct Text {
  const char* utf8;
  const char* gbk;
};

const Text kTexts[] = {
    // "failed to create the pipe"
    {"\xE5\x88\x9B\xE5\xBB\xBA\xE7\xAE\xA1\xE9\x81\x93\xE5\xA4\xB1\xE8\xB4\xA5",
     "\xB4\xB4\xBD\xA8\xB9\xDC\xB5\xC0\xCA\xA7\xB0\xDC"},
    // "Chinese abc"
    {"\xE4\xB8\xAD\xE6\x96\x87 abc", "\xD6\xD0\xCE\xC4 abc"},
    // "project options"
    {"\xE9\xA1\xB9\xE7\x9B\xAE\xE9\x80\x89\xE9\xA1\xB9", "\xCF\xEE\xC4\xBF\xD1\xA1\xCF\xEE"},
    {"plain ASCII\r\n", "plain ASCII\r\n"},
    {"", ""},
};

TEST(CodePageTest, Utf8GbkRoundTrip) {
  for (const Text& t : kTexts) {
    SCOPED_TRACE(t.gbk);
    std::string out;
    ASSERT_TRUE(ConvertCodePage(t.utf8, kCodePageUtf8, kCodePageGbk, &out));
    EXPECT_EQ(t.gbk, out);
    ASSERT_TRUE(ConvertCodePage(t.gbk, kCodePageGbk, kCodePageUtf8, &out));
    EXPECT_EQ(t.utf8, out);
  }
}

TEST(CodePageTest, RejectsInvalidInputAndUnknownCodePages) {
  struct Case {
    const char* in;
    int from, to;
  } cases[] = {
      {"a\xC3\x28", kCodePageUtf8, kCodePageGbk},
      {"\xE5\x88", kCodePageUtf8, kCodePageGbk},
      {"\xFF", kCodePageUtf8, kCodePageGbk},
      {"\xC0\xAF", kCodePageUtf8, kCodePageGbk},
      {"ab\xB4", kCodePageGbk, kCodePageUtf8},
      {"abc", 12345, kCodePageUtf8},
      {"abc", kCodePageUtf8, 12345},
  };
  for (const Case& c : cases) {
    std::string out = "stale";
    EXPECT_FALSE(ConvertCodePage(c.in, c.from, c.to, &out)) << c.in;
    EXPECT_EQ("", out);
  }
}

TEST(CodePageTest, UnmappableCharactersBecomeQuestionMarks) {
  // Thai KO KAI has no GBK code.
  std::string out;
  ASSERT_TRUE(
      ConvertCodePage("a\xE0\xB8\x81"
                      "b\xE4\xB8\xAD",
                      kCodePageUtf8, kCodePageGbk, &out));
  EXPECT_EQ("a?b\xD6\xD0", out);
}

TEST(CodePageTest, LocalCodePage) {
  std::string out;
  ASSERT_TRUE(ConvertCodePage("abc", kCodePageLocal, kCodePageUtf8, &out));
  EXPECT_EQ("abc", out);
#ifndef _WIN32
  // POSIX: GBK, as on the Chinese Windows the projects come from, unless the
  // variable holds a code page number.
  UnsetEnv("C51_LOCAL_CODEPAGE");
  EXPECT_EQ(kCodePageGbk, LocalCodePage());
  ASSERT_TRUE(ConvertCodePage(kTexts[0].gbk, kCodePageLocal, kCodePageUtf8, &out));
  EXPECT_EQ(kTexts[0].utf8, out);
  for (const char* bad : {"gbk", "", "-1", "0", "123456", "93x"}) {
    SetEnv("C51_LOCAL_CODEPAGE", bad);
    EXPECT_EQ(kCodePageGbk, LocalCodePage()) << bad;
  }
  SetEnv("C51_LOCAL_CODEPAGE", "65001");
  EXPECT_EQ(kCodePageUtf8, LocalCodePage());
  SetEnv("C51_LOCAL_CODEPAGE", "1252");
  EXPECT_EQ(1252, LocalCodePage());
  UnsetEnv("C51_LOCAL_CODEPAGE");
#endif
}

}  // namespace
}  // namespace c51
