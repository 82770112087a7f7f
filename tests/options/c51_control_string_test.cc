#include "options/c51_control_string.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "options/options_tree.h"
#include "project/device_record.h"

namespace c51 {
namespace {

using test::Keys;
using test::ProjectTree;

std::string Flags(int value) {
  return std::to_string(value);
}

class C51StringTest : public testing::Test {
 protected:
  C51StringTest() {
    device_.properties = properties_;
    inputs_.configuration = &tree_.ref;
    inputs_.device = &device_;
    inputs_.listing[kLstCompiler] = 1;
    inputs_.listing[kLstCompilerConditional] = 1;
    inputs_.object_dir = ".\\Debug\\";
    inputs_.listing_dir = ".\\Debug\\";
    inputs_.output_name = "demo";
  }

  ProjectTree tree_;
  const char* properties_[2] = {"CPU=IRAM(0-0xFF) MODP2", nullptr};
  DeviceRecord device_{};
  BuildInputs inputs_;
};

// Each row changes the defaults in one place; its directive must appear in
// its place before the fixed tail.
TEST_F(C51StringTest, EachDirectiveInItsPlace) {
  const std::string tail = "DEBUG OBJECTEXTEND PRINT(.\\Debug\\main.lst) ";
  const int p = kC51ProjectFlags;
  struct Case {
    int flags;
    Keys c51;
    Keys target;
    std::string expected;
  } cases[] = {
      {p, {}, {}, tail},  // no OPTIMIZE, WARNINGLEVEL or FLOATFUZZY by default
      {p, {}, {{"CodeMode", "0"}}, "ROM (SMALL) " + tail},
      {p, {}, {{"MemMode", "1"}, {"CodeMode", "1"}}, "COMPACT ROM (COMPACT) " + tail},
      {p, {}, {{"MemMode", "2"}, {"T51FL", "5"}}, "LARGE MODP2 " + tail},
      {p, {}, {{"MemMode", "7"}, {"CodeMode", "9"}}, tail},
      {p - (2 << 18), {}, {}, "WARNINGLEVEL (0) " + tail},
      {p - (1 << 22), {}, {}, "OPTIMIZE (8,SIZE) " + tail},
      {p + (1 << 14), {}, {}, "OPTIMIZE (9,SPEED) " + tail},
      {p + (2 << 14), {}, {}, tail},  // level 10 is no level at the project
      {p + (2 << 10), {}, {}, "FLOATFUZZY (5) " + tail},
      {p + 1, {}, {}, "REGFILE (.\\Debug\\demo.ORG) " + tail},
      {p + 4 - 16 + 64, {}, {}, "ORDER NOINTPROMOTE NOAREGS " + tail},
      {p, {{"C51VA", "32768"}}, {}, "INTVECTOR(0x8000) " + tail},
      {p, {{"C51VA", "16"}}, {}, "INTVECTOR(0x0010) " + tail},
      {p - 256, {{"C51VA", "16"}}, {}, "NOINTVECTOR " + tail},
      {p, {{"C51MSC", " A  B "}, {"INCC5", ";;C:\\inc;"}}, {}, "INCDIR (C:\\inc) A  B " + tail},
      {p, {{"INCC5", " ; "}, {"C51DEF", " "}, {"C51MSC", "\t"}}, {}, tail},
      {p, {{"C51DEF", "A  B=2 "}}, {}, "DEFINE (A,B=2) " + tail},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    ProjectTree tree;
    inputs_.configuration = &tree.ref;
    SetAttributeInt(tree.Tool(nullptr, "C51Tool", c.c51), "C51FL", c.flags);
    for (const auto& [key, value] : c.target) SetAttributeText(tree.config, key, value);
    EXPECT_EQ(BuildC51ControlString(tree.File(tree.files, ".\\src\\main.c"), inputs_), c.expected);
  }
}

TEST_F(C51StringTest, EverythingOnListingVariantsAndMissingInputs) {
  const int flags = 6 << 14 | 1 << 18 | 7 << 10 | 1 | 1 << 2 | 1 << 6 | 1 << 8;
  tree_.Tool(nullptr, "C51Tool",
             {{"C51FL", Flags(flags).c_str()},
              {"C51VA", "4096"},
              {"C51DEF", "X"},
              {"INCC5", "inc"},
              {"C51MSC", "M"}});
  SetAttributeText(tree_.config, "T51FL", "4");
  properties_[0] = "CPU=IRAM(0-0xFF)";
  ProjectNode* file = tree_.File(tree_.files, "main.c");
  inputs_.listing.fill(1);
  const std::string head =
      "MODDP2 WARNINGLEVEL (1) OPTIMIZE (6,SIZE) INCDIR (inc) FLOATFUZZY (7) M DEFINE (X) "
      "REGFILE (.\\Debug\\demo.ORG) ORDER NOINTPROMOTE NOAREGS INTVECTOR(0x1000) "
      "DEBUG OBJECTEXTEND ";
  EXPECT_EQ(
      BuildC51ControlString(file, inputs_),
      head + "SYMBOLS LISTINCLUDE CODE PRINT(.\\Debug\\main.lst) PREPRINT(.\\Debug\\main.i) ");
  inputs_.listing_dir.clear();
  inputs_.listing[kLstCompilerConditional] = 0;
  EXPECT_EQ(BuildC51ControlString(file, inputs_),
            head + "NOCOND SYMBOLS LISTINCLUDE CODE PREPRINT(main.i) ");
  inputs_.listing.fill(0);
  EXPECT_EQ(BuildC51ControlString(file, inputs_), head + "NOPRINT ");

  EXPECT_EQ(BuildC51ControlString(test::AddNode(tree_.files, "File"), inputs_), "");
  tree_.ref.name = "Release";  // no such configuration, so no C51Tool
  EXPECT_EQ(BuildC51ControlString(file, inputs_), "");
}

TEST_F(C51StringTest, NearestDecidingScopeWins) {
  tree_.Tool(nullptr, "C51Tool", {});
  ProjectNode* outer = test::AddNode(tree_.files, "Filter", "outer");
  ProjectNode* inner = test::AddNode(outer, "Filter", "inner");
  ProjectNode* file = tree_.File(inner, "inner\\a.c");
  ProjectNode* own = tree_.Tool(file, "C51Tool", {{"C51FL", "9347754"}});
  // Level 3, size at the outer group; the inner group has no C51Tool, and a
  // Release scope never counts.
  tree_.Tool(outer, "C51Tool",
             {{"C51FL", Flags(kC51InheritFlags - (7 << 14) - (2 << 22)).c_str()}});
  tree_.ScopeConfig(inner);
  test::AddNode(test::AddNode(inner, "FilterConfiguration", "Release"), "Tool", "C51Tool",
                {{"C51FL", "0"}});
  EXPECT_EQ(BuildC51ControlString(file, inputs_),
            "OPTIMIZE (3,SIZE) DEBUG OBJECTEXTEND PRINT(.\\Debug\\a.lst) ");

  // Inner says level 5 (emphasis still from outer); the file says warnings
  // 0 and claims the project-wide switches, which stay the project's.
  tree_.Tool(inner, "C51Tool", {{"C51FL", Flags(kC51InheritFlags - (5 << 14)).c_str()}});
  SetAttributeInt(own, "C51FL", kC51InheritFlags - (3 << 18) - 1 - (1 << 8));
  EXPECT_EQ(BuildC51ControlString(file, inputs_),
            "WARNINGLEVEL (0) OPTIMIZE (5,SIZE) DEBUG OBJECTEXTEND PRINT(.\\Debug\\a.lst) ");
}

// A file two groups deep with options at every scope: texts run from the
// file outward, and only the file's own undefine filters.
TEST_F(C51StringTest, RealisticProjectWithTwoNestedGroups) {
  tree_.Tool(nullptr, "C51Tool",
             {{"C51FL", "4853008"},
              {"C51VA", "32768"},
              {"C51DEF", "PROJ=1"},
              {"INCC5", "C:\\inc"},
              {"C51MSC", "BROWSE"}});
  SetAttributeText(tree_.config, "MemMode", "2");
  ProjectNode* lib = test::AddNode(tree_.files, "Filter", "lib");
  ProjectNode* drivers = test::AddNode(lib, "Filter", "drivers");
  tree_.Tool(lib, "C51Tool",
             {{"C51FL", Flags(kC51InheritFlags - (2 << 18)).c_str()},
              {"C51DEF", "LIB"},
              {"C51UDF", "PROJ=1"},
              {"INCC5", ".\\lib\\inc"}});
  tree_.Tool(drivers, "C51Tool",
             {{"C51FL", Flags(kC51InheritFlags - (4 << 14) - (2 << 22)).c_str()},
              {"C51DEF", "DRV UART=2"},
              {"INCC5", ".\\drivers\\inc"}});
  ProjectNode* uart = tree_.File(drivers, "lib\\drivers\\uart.c");
  tree_.Tool(uart, "C51Tool",
             {{"C51FL", Flags(kC51InheritFlags - (1 << 6)).c_str()}, {"C51UDF", " uart=2 "}});
  ProjectNode* spi = tree_.File(drivers, "lib\\drivers\\spi.c");

  const std::string head =
      "LARGE WARNINGLEVEL (1) OPTIMIZE (6,SIZE) INCDIR (.\\drivers\\inc;.\\lib\\inc;C:\\inc) "
      "BROWSE DEFINE (DRV,";
  EXPECT_EQ(BuildC51ControlString(uart, inputs_),
            head +
                "LIB,PROJ=1) NOAREGS INTVECTOR(0x8000) DEBUG OBJECTEXTEND "
                "PRINT(.\\Debug\\uart.lst) ");
  EXPECT_EQ(BuildC51ControlString(spi, inputs_),
            head +
                "UART=2,LIB,PROJ=1) INTVECTOR(0x8000) DEBUG OBJECTEXTEND "
                "PRINT(.\\Debug\\spi.lst) ");
}

int NumberAfter(const std::string& text, const std::string& directive) {
  size_t at = text.find(directive);
  return at == std::string::npos ? -1 : std::stoi(text.substr(at + directive.size()));
}

// Flag words with any bit pattern at every scope: the compiler only ever
// sees levels in its ranges.
TEST_F(C51StringTest, AnyFlagWordGivesDirectivesInRange) {
  ProjectNode* group = test::AddNode(tree_.files, "Filter", "g");
  ProjectNode* file = tree_.File(group, "g\\x.c");
  ProjectNode* tools[] = {tree_.Tool(nullptr, "C51Tool", {}), tree_.Tool(group, "C51Tool", {}),
                          tree_.Tool(file, "C51Tool", {})};
  std::mt19937 random(51);
  for (int i = 0; i < 3000; ++i) {
    for (ProjectNode* tool : tools) SetAttributeInt(tool, "C51FL", static_cast<int>(random()));
    const std::string text = BuildC51ControlString(file, inputs_);
    SCOPED_TRACE(text);
    ASSERT_LE(NumberAfter(text, "WARNINGLEVEL ("), 1);
    ASSERT_LE(NumberAfter(text, "FLOATFUZZY ("), 7);
    const int level = NumberAfter(text, "OPTIMIZE (");
    ASSERT_LE(level, 9);
    ASSERT_EQ(level >= 0, text.find(",SIZE) ") != std::string::npos ||
                              text.find(",SPEED) ") != std::string::npos);
  }
}

TEST(C51DisplayTest, PageValuesWildcardsAndScopePieces) {
  DisplayInputs inputs;
  inputs.listing[kLstCompiler] = 1;
  inputs.listing[kLstCompilerConditional] = 1;
  inputs.listing[kLstPreprocessor] = 1;
  inputs.listing_dir = ".\\Lst\\";
  inputs.object_dir = ".\\Obj\\";
  inputs.object_dir_absolute = "C:\\p\\Obj\\";
  inputs.output_name = "demo";
  C51PageValues page;
  C51Inherited inherited;
  page.options.regFile = 1;
  page.options.optimizeLevel = 10;  // "Default" has nothing to inherit at the project
  page.vector_address = "0x8000";
  page.define = "A B";
  page.undefine = "b";
  EXPECT_EQ(BuildC51DisplayString(page, inherited, inputs),
            "DEFINE (A) REGFILE (C:\\p\\Obj\\demo.ORG) INTVECTOR(0x8000) DEBUG OBJECTEXTEND "
            "PRINT(.\\Lst\\*.lst) PREPRINT(.\\Lst\\*.i) ");

  // File scope: project text first, then the group's, then its own.
  inputs.scope = OptionScope::kFile;
  inputs.listing[kLstPreprocessor] = 0;
  page = C51PageValues();
  page.options = InheritingC51Options();
  page.options.warningLevel = 0;
  inherited.group_flags = kC51InheritFlags - (7 << 14) - (2 << 22);  // level 3, size
  inherited.project_flags = kC51ProjectFlags + 1;
  inherited.project_define = "P";
  inherited.group_define = "G";
  page.define = "F";
  page.undefine = " g ";
  inherited.project_include = "C:\\inc";
  page.include = "own";
  inherited.group_misc = "GM";
  const std::string head =
      "WARNINGLEVEL (0) OPTIMIZE (3,SIZE) INCDIR (C:\\inc;;own) GM DEFINE (P,F) "
      "REGFILE (C:\\p\\Obj\\demo.ORG) DEBUG OBJECTEXTEND ";
  struct Case {
    int gen_asm;
    int inherited_gen_asm;
    const char* listing_dir;
    const char* object_dir;
    const char* tail;
  } cases[] = {
      {2, 1, ".\\Lst\\", ".\\Obj\\", "PRINT(.\\Lst\\*.lst) SRC(.\\Obj\\*.src) "},
      {1, 0, ".\\", ".\\", "SRC(.\\*.src) "},
      {0, 1, ".\\", ".\\Obj\\", "OBJECT(.\\Obj\\*.obj) "},
      {2, 2, ".\\", ".\\", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tail);
    page.gen_asm = c.gen_asm;
    inherited.gen_asm = c.inherited_gen_asm;
    inputs.listing_dir = c.listing_dir;
    inputs.object_dir = c.object_dir;
    EXPECT_EQ(BuildC51DisplayString(page, inherited, inputs), head + c.tail);
  }
}

}  // namespace
}  // namespace c51
