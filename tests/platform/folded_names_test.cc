// The folder-name table behind letter-case matching on POSIX.
#include "platform/posix/folded_names.h"
#include "platform/ascii_case.h"

#include <gtest/gtest.h>

#include <string>

namespace c51::posix {
namespace {

TEST(FoldedNamesTest, FindsEveryNameByItsLowerCaseFormAcrossGrowth) {
  FoldedNames names;
  // Enough names to grow the table several times; every seventh comes in
  // three spellings, added in an order that is not byte order.
  for (int i = 0; i < 3000; ++i) {
    const std::string n = std::to_string(i);
    names.Add("File" + n + ".c");
    if (i % 7 == 0) {
      names.Add("file" + n + ".c");
      names.Add("FILE" + n + ".C");
    }
  }
  EXPECT_EQ(names.size(), 3000u);
  for (int i = 0; i < 3000; ++i) {
    const std::string n = std::to_string(i);
    const FoldedNames::Entry* entry = names.Find("file" + n + ".c");
    ASSERT_NE(entry, nullptr) << i;
    // "FILE..C" < "File..c" < "file..c" in byte order.
    EXPECT_EQ(entry->first, i % 7 == 0 ? "FILE" + n + ".C" : "File" + n + ".c");
    EXPECT_EQ(entry->several, i % 7 == 0);
  }
  EXPECT_EQ(names.Find("file3000.c"), nullptr);
  EXPECT_EQ(names.Find("File1.c"), nullptr);  // lookups take the lower-case form
  EXPECT_EQ(names.Find(""), nullptr);
}

TEST(FoldedNamesTest, OnlyAsciiLettersFold) {
  FoldedNames names;
  names.Add("\xB2\xE2\xCA\xD4.C");  // GBK bytes stay as they are
  names.Add("\xC3\x84.h");          // so do UTF-8 ones
  ASSERT_NE(names.Find("\xB2\xE2\xCA\xD4.c"), nullptr);
  EXPECT_EQ(names.Find("\xB2\xE2\xCA\xD4.c")->first, "\xB2\xE2\xCA\xD4.C");
  EXPECT_NE(names.Find("\xC3\x84.h"), nullptr);
  EXPECT_EQ(names.Find("\xC3\xA4.h"), nullptr);
  EXPECT_EQ(ToLowerAscii("A\xC3\x84Z[@"), "a\xC3\x84z[@");
  FoldedNames empty;
  EXPECT_EQ(empty.Find("a"), nullptr);
}

}  // namespace
}  // namespace c51::posix
