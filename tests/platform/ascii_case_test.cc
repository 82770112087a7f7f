// The rows are the examples the header documents.
#include "platform/ascii_case.h"

#include <gtest/gtest.h>

namespace c51 {
namespace {

TEST(AsciiCaseTest, FoldsOnlyAsciiLetters) {
  struct Row {
    char in, upper, lower;
  } rows[] = {{'a', 'A', 'a'},          {'Z', 'Z', 'z'},          {'1', '1', '1'}, {'_', '_', '_'},
              {'\xB0', '\xB0', '\xB0'}, {'\xC4', '\xC4', '\xC4'}, {'@', '@', '@'}, {'[', '[', '['},
              {'`', '`', '`'},          {'{', '{', '{'}};
  for (const Row& r : rows) {
    EXPECT_EQ(ToUpperAscii(r.in), r.upper) << r.in;
    EXPECT_EQ(ToLowerAscii(r.in), r.lower) << r.in;
  }
  EXPECT_EQ(ToUpperAscii(std::string_view("Main.c")), "MAIN.C");
  EXPECT_EQ(ToUpperAscii(std::string_view("\xB0\xA1x")), "\xB0\xA1X");
  EXPECT_EQ(ToLowerAscii(std::string_view("REG52.H")), "reg52.h");
  EXPECT_EQ(ToLowerAscii(std::string_view("")), "");
}

TEST(AsciiCaseTest, ComparesIgnoringAsciiCase) {
  struct Row {
    const char* a;
    const char* b;
    bool equal, starts;
  } rows[] = {
      {"Main.C", "mAIN.c", true, true},
      {"a", "ab", false, false},
      {"\xB0", "\xB0", true, true},
      {"\xB0", "\x90", false, false},
      {"OPTFL 1,4,0", "optfl", false, true},
      {"OPT", "OPTFL", false, false},
      {"x", "", false, true},
      {"", "", true, true},
      // '@' and '`' sit next to the letters but are not letters.
      {"@", "`", false, false},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(EqualsIgnoringCase(r.a, r.b), r.equal) << r.a << " " << r.b;
    EXPECT_EQ(StartsWithIgnoringCase(r.a, r.b), r.starts) << r.a << " " << r.b;
  }
}

}  // namespace
}  // namespace c51
