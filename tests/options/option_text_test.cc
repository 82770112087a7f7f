#include "options/option_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "options/cpu_text.h"

namespace c51 {
namespace {

TEST(OptionTextTest, SymbolAndIncludeLists) {
  struct Case {
    const char* in;
    const char* exclude;
    const char* symbols;   // SymbolList(in, exclude)
    const char* includes;  // IncludeList(in)
  } cases[] = {
      {"A B=2  C", "b=2", "A,C", "A B=2  C"},
      {"A B", "A B", "A,B", "A B"},  // the whole exclusion is one symbol
      {"a a\tb", " A ", "b", "a a\tb"},
      {";;C:\\inc;", "", ";;C:\\inc;", "C:\\inc"},
      {";;;;a;;b; ;", "", ";;;;a;;b;,;", "a;;b"},  // empty elements inside stay
      {" \t\r\n", "", "", ""},
      {".\\src\\main.c", "", ".\\src\\main.c", ".\\src\\main.c"},
      {"\xb2\xe2 \xca\xd4.c", "", "\xb2\xe2,\xca\xd4.c", "\xb2\xe2 \xca\xd4.c"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(SymbolList(c.in, c.exclude), c.symbols);
    EXPECT_EQ(IncludeList(c.in), c.includes);
  }
}

TEST(OptionTextTest, NumberNotations) {
  struct Case {
    const char* text;
    int64_t auto_base;
    int64_t assembler;
  } cases[] = {
      {"0x8000", 0x8000, 0x8000},
      {"0100", 64, 100},
      {"7FH", 7, 127},
      {"0FFh", 0, 255},
      {"101B", 101, 5},
      {"102B", 102, 0},
      {"0x1B", 27, 27},
      {" 255 ", 255, 255},
      {"-5", -5, 0},
      {"", 0, 0},
      {"H", 0, 0},
      {"0x", 0, 0},
      {"99999999999999999999", kNumberLimit, kNumberLimit},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseAutoBase(c.text), c.auto_base);
    EXPECT_EQ(ParseAssemblerNumber(c.text), c.assembler);
  }
  size_t end = 99;
  EXPECT_EQ(ParseAutoBase("  12-34", &end), 12);
  EXPECT_EQ(end, 4u);
}

// Every prefix of texts cut inside a construct, each in a buffer of
// exactly its size, so that a read past the end shows under the sanitizer.
// Whatever the cut, each answer is made of the bytes it was given.
TEST(OptionTextTest, TruncatedTextsAreReadWithinTheirEnd) {
  for (const char* text : {"0x1F", "0FFH", "101B", " ;;a;b; ", "A B=2  C", ".\\a.b\\c.d",
                           "IRAM(0-0xFF) IROM(-1-0x3FFF) XRAM(0-7FH)"}) {
    for (size_t n = 0; n <= std::strlen(text); ++n) {
      SCOPED_TRACE(std::string(text, n));
      std::unique_ptr<char[]> copy(new char[n]);
      std::memcpy(copy.get(), text, n);
      std::string_view view(copy.get(), n);
      // The value depends on the bytes read and on nothing after them.
      size_t end = 0;
      const int64_t value = ParseAutoBase(view, &end);
      ASSERT_LE(end, n);
      EXPECT_EQ(ParseAutoBase(view.substr(0, end)), value);
      const int64_t assembler = ParseAssemblerNumber(view);
      EXPECT_TRUE(assembler >= 0 && assembler <= kNumberLimit) << assembler;
      // The lists keep the input's symbols and paths, never more bytes.
      const std::string symbols = SymbolList(view, "");
      EXPECT_LE(symbols.size(), n);
      EXPECT_EQ(symbols.find_first_of(" \t"), std::string::npos);
      EXPECT_NE(view.find(IncludeList(view)), std::string_view::npos);
      // Without a complete entry the defaults answer.
      std::string_view inside;
      if (!FindCpuEntry(view, "IRAM", &inside)) {
        EXPECT_EQ(OnChipRamSize(view, NumberNotation::kAssembler), 256);
      }
      int64_t start = 0, last = 0;
      if (ReadCpuRange(view, "IROM", &start, &last)) {
        EXPECT_TRUE(FindCpuEntry(view, "IROM", &inside));
        EXPECT_NE(inside.find('-'), std::string_view::npos);
      }
    }
  }
}

}  // namespace
}  // namespace c51
