#include "support/split_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace c51 {
namespace {

TEST(SplitTextTest, RunsBetweenSeparatorsLeaveOtherBytesAlone) {
  using Items = std::vector<std::string>;
  EXPECT_EQ(SplitAtSeparators("a;;b;", ";"), (Items{"a", "b"}));
  EXPECT_EQ(SplitAtSeparators(";;;", ";"), Items{});
  EXPECT_EQ(SplitAtSeparators(" .\\inc; C:\\k ;", "; "), (Items{".\\inc", "C:\\k"}));
  EXPECT_EQ(SplitAtSeparators("\xD5\xD2;x", ";"), (Items{"\xD5\xD2", "x"}));
  EXPECT_EQ(SplitAtSeparators("a;b", ""), Items{"a;b"});
  EXPECT_EQ(SplitAtSeparators("a;b", nullptr), Items{"a;b"});
  // A NUL inside the text is no separator, though every C string ends in one.
  EXPECT_EQ(SplitAtSeparators(std::string("a\0b", 3), ";"), Items{std::string("a\0b", 3)});
}

}  // namespace
}  // namespace c51
