#include "options/c51_options.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "options/a51_options.h"
#include "options/linker_options.h"
#include "options/options_tree.h"

namespace c51 {
namespace {

using test::ProjectTree;
using test::RecordingServices;

std::vector<int> Fields(const C51Options& o) {
  return {o.regFile,    o.keepOrder,     o.intPromote,   o.noAbsRegs, o.intVector,
          o.floatFuzzy, o.optimizeLevel, o.warningLevel, o.emphasis};
}

TEST(OptionFlagsTest, C51FieldsReduceIntoRange) {
  constexpr OptionScope kProject = OptionScope::kProject;
  constexpr OptionScope kGroup = OptionScope::kGroup;
  struct Case {
    int flags;
    OptionScope scope;
    std::vector<int> expected;  // regFile order promote noAregs vector fuzzy level warn emphasis
  } cases[] = {
      {kC51ProjectFlags, kProject, {0, 0, 1, 0, 1, 3, 8, 2, 1}},
      {kC51InheritFlags, OptionScope::kFile, {2, 2, 2, 2, 2, 8, 10, 3, 2}},
      {13 << 14 | 15 << 10 | 5 << 22, kGroup, {2, 0, 0, 0, 2, 6, 2, 0, 2}},  // 13 mod 11 = 2
      {0x3FF, kGroup, {2, 0, 0, 0, 2, 0, 0, 0, 0}},  // regFile, intVector: project-wide
      {2 | 2 << 8 | 2 << 2, kProject, {0, 2, 0, 0, 0, 0, 0, 0, 0}},  // single bits 0 and 8
      {-1, kGroup, {2, 0, 0, 0, 2, 6, 4, 3, 0}},
      {INT_MIN, kProject, {0, 0, 0, 0, 0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flags);
    EXPECT_EQ(Fields(DecodeC51Flags(c.flags, c.scope)), c.expected);
  }
  // The build's project reading: five single bits; levels never inherit.
  EXPECT_EQ(Fields(ReadProjectC51Flags(kC51InheritFlags)),
            (std::vector<int>{0, 0, 0, 0, 0, 3, 8, 2, 1}));
  EXPECT_EQ(Fields(ReadProjectC51Flags(0x3 | 0x3 << 2 | 0x3 << 4 | 0x3 << 6 | 0x3 << 8)),
            (std::vector<int>{1, 1, 1, 1, 1, 0, 0, 0, 0}));

  EXPECT_EQ(EncodeC51Flags(C51Options()), kC51ProjectFlags);
  EXPECT_EQ(EncodeC51Flags(InheritingC51Options()), kC51InheritFlags);
  C51Options stray = InheritingC51Options();
  stray.optimizeLevel = -1;  // a list with nothing selected
  stray.floatFuzzy = 99;
  EXPECT_EQ(EncodeC51Flags(stray), kC51InheritFlags);
}

TEST(OptionFlagsTest, A51SwitchesByScope) {
  struct Case {
    int flags;
    OptionScope scope;
    std::vector<int> expected;  // mpl, standard, sfr
  } cases[] = {
      {kA51ProjectFlags, OptionScope::kProject, {0, 1, 1}},
      {kA51InheritFlags, OptionScope::kFile, {2, 2, 2}},
      {0xFF, OptionScope::kGroup, {0, 0, 0}},  // 3 mod 3
      {0xFF, OptionScope::kProject, {1, 1, 1}},
      {2 | 2 << 6, OptionScope::kProject, {0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flags);
    A51Options o = DecodeA51Flags(c.flags, c.scope);
    EXPECT_EQ((std::vector<int>{o.useMpl, o.useStandardMacros, o.defineSfrNames}), c.expected);
  }
  EXPECT_EQ(EncodeA51Flags(A51Options()), kA51ProjectFlags);
  EXPECT_EQ(EncodeA51Flags({-3, 7, 1}), 2 + 2 * 4 + 64);
}

TEST(ToolRecordTest, EachGroupOfKeysIsOneUpdateInItsOrder) {
  ProjectTree tree;
  RecordingServices host;
  C51Record c51 =
      ReadC51Record(tree.Tool(nullptr, "C51Tool", {{"C51FL", "12x"}}), OptionScope::kProject);
  c51.vector_address = 0x8000;
  ProjectNode* lx51 = tree.Tool(nullptr, "Lx51Tool", {{"LX51STK", "?STACK"}});
  LinkerOptions linker = ReadLinkerOptions(lx51);
  linker.overlay = "main ! sub";
  ASSERT_TRUE(WriteC51Record(&host, tree.config->first_child, c51));
  ASSERT_TRUE(WriteLinkerLocateKeys(&host, lx51, linker));
  ASSERT_TRUE(WriteLinkerMiscKeys(&host, lx51, linker));
  EXPECT_FALSE(WriteA51Record(&host, nullptr, A51Record()));
  EXPECT_EQ(host.calls,
            (std::vector<std::string>{
                "UpdateNode Tool: C51FL=12 C51VA=32768 C51DEF= C51UDF= C51MSC= INCC5=",
                "UpdateNode Tool: LX51FL=4 LX51COB= LX51XDB= LX51PDB= LX51BIB= LX51DAB= "
                "LX51IDB= LX51PRC= LX51STK=?STACK LX51COS= LX51XDS= LX51BIS= LX51DAS= LX51IDS=",
                "UpdateNode Tool: LX51OVL=main ! sub LX51MSC= LX51DWN="}));
}

TEST(ToolRecordTest, StoringCreatesMissingScopesAndStopsOnANullNode) {
  ProjectTree tree;
  RecordingServices host;
  ProjectNode* group = test::AddNode(tree.files, "Filter", "src");
  A51Record record = DefaultA51Record(OptionScope::kGroup);
  ASSERT_TRUE(StoreA51Record(&host, group, &tree.ref, record));
  ASSERT_TRUE(StoreA51Record(&host, group, &tree.ref, record));  // both nodes exist now
  EXPECT_EQ(host.calls, (std::vector<std::string>{
                            "AddChild FilterConfiguration Debug", "AddChild Tool A51Tool",
                            "UpdateNode Tool: A51FL=138 A51SET= A51RST= A51MSC= INCA5=",
                            "UpdateNode Tool: A51FL=138 A51SET= A51RST= A51MSC= INCA5="}));
  EXPECT_EQ(host.targets[0], group);

  host.calls.clear();
  host.fail_add_child = true;
  ProjectNode* file = tree.File(tree.files, "main.c");
  EXPECT_FALSE(StoreC51Record(&host, file, &tree.ref, C51Record()));
  tree.ScopeConfig(file);
  EXPECT_FALSE(StoreC51Record(&host, file, &tree.ref, C51Record()));
  tree.ref.name = "Release";  // no such configuration: nothing is made for it
  EXPECT_EQ(FindOrAddLinkerTool(&host, &tree.ref), nullptr);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"AddChild FileConfiguration Debug",
                                                  "AddChild Tool C51Tool"}));

  // While no name is current, the first configuration is adopted.
  host.fail_add_child = false;
  tree.ref.name.clear();
  ASSERT_NE(FindOrAddLinkerTool(&host, &tree.ref), nullptr);
  EXPECT_EQ(tree.ref.name, "Debug");
  EXPECT_EQ(host.targets.back(), tree.config);
}

}  // namespace
}  // namespace c51
