#include "sim/controls.h"

#include <gtest/gtest.h>

namespace c51::sim {
namespace {

std::string Describe(const std::vector<Control>& controls) {
  std::string out;
  for (const Control& c : controls) {
    out += c.name;
    if (c.has_argument) out += "[" + c.argument + "]";
    out += ";";
  }
  return out;
}

TEST(ControlsTest, ParsesTheBuildsControlStrings) {
  struct Case {
    const char* text;
    const char* parsed;
  };
  const Case cases[] = {
      {"ROM (SMALL) OPTIMIZE (8,SIZE) DEBUG OBJECTEXTEND PRINT(.\\Lst\\main.lst) ",
       "ROM[SMALL];OPTIMIZE[8,SIZE];DEBUG;OBJECTEXTEND;PRINT[.\\Lst\\main.lst];"},
      {"INCDIR (C:\\inc;..\\my inc) DEFINE (A,B=2) OBJECT(.\\a (1)\\x.obj)",
       "INCDIR[C:\\inc;..\\my inc];DEFINE[A,B=2];OBJECT[.\\a (1)\\x.obj];"},
      // Quotation marks protect parentheses; the argument keeps them.
      {"OBJECT(\"a)b.obj\") x", "OBJECT[\"a)b.obj\"];X;"},
      {"nomod51 set (small) DEBUG EP", "NOMOD51;SET[small];DEBUG;EP;"},
      // The linker's lines, with the blank padding its arguments get.
      {"\nRAMSIZE(256)\nCODE( 0x0000-0x1FFF,?PR?X )\nXDATA( 0x8000 , ?XD?Y )\nNOPRINT \n",
       "RAMSIZE[256];CODE[0x0000-0x1FFF,?PR?X];XDATA[0x8000 , ?XD?Y];NOPRINT;"},
      {"", ""},
      {"   \t\r\n", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::vector<Control> controls;
    std::string err;
    size_t offset = 0;
    ASSERT_TRUE(ParseControls(c.text, &controls, &err, &offset)) << err;
    EXPECT_EQ(c.parsed, Describe(controls));
  }
}

TEST(ControlsTest, ReportsWhereAControlStringBreaks) {
  struct Case {
    const char* text;
    size_t offset;
    const char* err;
  };
  const Case cases[] = {
      {"DEBUG OPTIMIZE (8,SPEED", 15, "UNBALANCED PARENTHESES IN CONTROLS"},
      {"OBJECT(\"a.obj)", 6, "UNTERMINATED STRING IN CONTROLS"},
      {"DEBUG, CODE", 5, "UNEXPECTED CHARACTER IN CONTROLS"},
      {"DEBUG )", 6, "UNEXPECTED CHARACTER IN CONTROLS"},
      {"(x)", 0, "UNEXPECTED CHARACTER IN CONTROLS"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::vector<Control> controls;
    std::string err;
    size_t offset = 999;
    EXPECT_FALSE(ParseControls(c.text, &controls, &err, &offset));
    EXPECT_EQ(c.offset, offset);
    EXPECT_EQ(c.err, err);
  }
}

TEST(ControlsTest, EveryPrefixOfAControlStringParsesOrFailsInsideIt) {
  const std::string full =
      "ROM (SMALL) INCDIR (\"a;(b\";c) OPTIMIZE (9,SPEED) PRINT(.\\Lst\\x (2).lst) DEBUG";
  for (size_t n = 0; n <= full.size(); ++n) {
    const std::string text = full.substr(0, n);
    SCOPED_TRACE(text);
    std::vector<Control> controls;
    std::string err;
    size_t offset = 0;
    if (!ParseControls(text, &controls, &err, &offset)) {
      EXPECT_LT(offset, text.size());
      EXPECT_FALSE(err.empty());
    }
  }
}

TEST(ControlsTest, SplitsArgumentLists) {
  using List = std::vector<std::string>;
  EXPECT_EQ((List{"a", "b;c", ""}), SplitArgumentList("a; \"b;c\" ;", ';'));
  EXPECT_EQ((List{"A", "F(x,y)=1", "C"}), SplitArgumentList("A, F(x,y)=1 ,C", ','));
  EXPECT_EQ((List{}), SplitArgumentList("  ", ','));
  EXPECT_EQ((List{"", "x"}), SplitArgumentList(";x", ';'));
}

TEST(ControlsTest, ReadsNumbersInBothNotations) {
  struct Case {
    const char* text;
    bool ok;
    uint32_t value;
  };
  const Case cases[] = {
      {"256", true, 256},       {"0x8000", true, 0x8000}, {"0X1f", true, 0x1F},
      {"0FFH", true, 0xFF},     {"7fh", true, 0x7F},      {"101B", true, 5},
      {"12B", false, 0},        {"FFH", false, 0},        {"0x", false, 0},
      {"", false, 0},           {"-1", false, 0},         {"4294967295", true, 0xFFFFFFFFu},
      {"4294967296", false, 0}, {" 42 ", true, 42},       {"1BH", true, 0x1B},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    uint32_t value = 0;
    EXPECT_EQ(c.ok, ParseNumber(c.text, &value));
    if (c.ok) {
      EXPECT_EQ(c.value, value);
    }
  }
}

TEST(ControlsTest, ChecksArgumentsAgainstRules) {
  constexpr ControlRule kRules[] = {
      {"DEBUG", ArgumentUse::kNone},
      {"ROM", ArgumentUse::kRequired},
      {"PRINT", ArgumentUse::kOptional},
  };
  struct Case {
    const char* text;
    const char* err;  // empty: accepted
  };
  const Case cases[] = {
      {"DEBUG ROM(SMALL) PRINT PRINT(x.lst) UNKNOWN(1) OTHER", ""},
      {"DEBUG(1)", "CONTROL 'DEBUG' TAKES NO ARGUMENT"},
      {"ROM", "CONTROL 'ROM' NEEDS AN ARGUMENT"},
      {"PRINT()", "EMPTY ARGUMENT FOR CONTROL 'PRINT'"},
      {"PRINT(\"\")", "EMPTY ARGUMENT FOR CONTROL 'PRINT'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::vector<Control> controls;
    std::string err;
    size_t offset;
    ASSERT_TRUE(ParseControls(c.text, &controls, &err, &offset));
    EXPECT_EQ(*c.err == '\0', CheckControls(controls, kRules, &err));
    if (*c.err != '\0') {
      EXPECT_EQ(c.err, err);
    }
  }
}

}  // namespace
}  // namespace c51::sim
