#include "options/a51_control_string.h"

#include <gtest/gtest.h>

#include <string>

#include "options/options_tree.h"

namespace c51 {
namespace {

using test::Keys;
using test::ProjectTree;

BuildInputs Inputs(ConfigurationRef* ref) {
  BuildInputs inputs;
  inputs.configuration = ref;
  inputs.object_dir = ".\\Debug\\";
  inputs.listing_dir = ".\\Debug\\";
  return inputs;
}

TEST(A51StringTest, EachPieceInItsPlace) {
  const std::string obj = "OBJECT(.\\Debug\\s.obj) EP ";
  struct Case {
    Keys a51;
    Keys target;
    std::initializer_list<std::pair<int, int>> listing;  // index, value
    std::string expected;
  } cases[] = {
      {{}, {}, {}, "SET (SMALL) DEBUG NOPRINT " + obj},  // project defaults, listing off
      {{}, {}, {{kLstAssemblerMacros, 1}}, "GENONLY SET (SMALL) DEBUG NOPRINT " + obj},
      {{}, {}, {{kLstAssemblerMacros, 2}}, "GEN SET (SMALL) DEBUG NOPRINT " + obj},
      {{}, {}, {{kLstAssemblerMacros, 7}}, "SET (SMALL) DEBUG NOPRINT " + obj},
      {{{"A51FL", "69"}},
       {},
       {{kLstAssemblerMacros, 2}},
       "MPL GEN SET (SMALL) DEBUG NOPRINT " + obj},
      {{{"A51FL", "65"}},
       {},
       {{kLstAssemblerMacros, 1}},
       "MPL GENONLY SET (SMALL) DEBUG NOPRINT " + obj},
      {{{"A51FL", "64"}}, {}, {}, "NOMACRO SET (SMALL) DEBUG NOPRINT " + obj},
      {{{"A51FL", "4"}}, {{"MemMode", "1"}}, {}, "NOMOD51 SET (COMPACT) DEBUG NOPRINT " + obj},
      {{}, {{"MemMode", "2"}, {"T51FL", "4"}}, {}, "SET (LARGE) DEBUG NOPRINT " + obj},
      {{}, {{"MemMode", "-1"}}, {}, "SET (SMALL) DEBUG NOPRINT " + obj},
      // Only a file's reset text filters, never the project's.
      {{{"A51SET", " A  B "}, {"A51RST", "A"}, {"INCA5", ";inc;;"}, {"A51MSC", " CASE "}},
       {},
       {},
       "SET (SMALL,A,B) DEBUG INCDIR (inc) CASE NOPRINT " + obj},
      {{},
       {},
       {{kLstAssembler, 1}},
       "SET (SMALL) DEBUG NOCOND NOSYMBOLS PRINT(.\\Debug\\s.lst) " + obj},
      {{},
       {},
       {{kLstAssembler, 1},
        {kLstAssemblerConditional, 1},
        {kLstAssemblerSymbols, 1},
        {kLstAssemblerXref, 1}},
       "SET (SMALL) DEBUG XREF PRINT(.\\Debug\\s.lst) " + obj},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    ProjectTree tree;
    BuildInputs inputs = Inputs(&tree.ref);
    for (const auto& [index, value] : c.listing) inputs.listing[index] = value;
    tree.Tool(nullptr, "A51Tool", c.a51);
    for (const auto& [key, value] : c.target) SetAttributeText(tree.config, key, value);
    EXPECT_EQ(BuildA51ControlString(tree.File(tree.files, ".\\asm\\s.a51"), inputs), c.expected);
  }
}

TEST(A51StringTest, RealisticProjectWithTwoNestedGroups) {
  ProjectTree tree;
  BuildInputs inputs = Inputs(&tree.ref);
  inputs.listing[kLstAssembler] = inputs.listing[kLstAssemblerConditional] = 1;
  inputs.listing[kLstAssemblerSymbols] = 1;
  ProjectNode* file = tree.File(tree.files, "s.a51");
  EXPECT_EQ(BuildA51ControlString(file, inputs), "");  // no A51Tool yet
  tree.Tool(nullptr, "A51Tool", {{"A51FL", "68"}, {"A51SET", "PROJ"}, {"INCA5", "C:\\inc"}});
  SetAttributeText(tree.config, "MemMode", "1");
  ProjectNode* boot = test::AddNode(tree.files, "Filter", "boot");
  ProjectNode* vectors = test::AddNode(boot, "Filter", "vectors");
  // boot: standard macros off; vectors: MPL on; reset.a51: MPL off again.
  tree.Tool(boot, "A51Tool",
            {{"A51FL", "130"}, {"A51SET", "BOOT"}, {"A51RST", "PROJ"}, {"A51MSC", "NOLINES"}});
  tree.Tool(vectors, "A51Tool", {{"A51FL", "137"}, {"INCA5", ".\\vec"}});
  ProjectNode* reset = tree.File(vectors, "boot\\vectors\\reset.a51");
  tree.Tool(reset, "A51Tool", {{"A51FL", "136"}, {"A51SET", "RST"}, {"A51RST", "boot"}});
  ProjectNode* irq = tree.File(vectors, "boot\\vectors\\irq.a51");
  EXPECT_EQ(BuildA51ControlString(reset, inputs),
            "NOMACRO SET (COMPACT,RST,PROJ) DEBUG INCDIR (.\\vec;;C:\\inc) NOLINES "
            "PRINT(.\\Debug\\reset.lst) OBJECT(.\\Debug\\reset.obj) EP ");
  inputs.object_dir.clear();  // objects beside the project file
  EXPECT_EQ(BuildA51ControlString(irq, inputs),
            "MPL SET (COMPACT,BOOT,PROJ) DEBUG INCDIR (.\\vec;;C:\\inc) NOLINES "
            "PRINT(.\\Debug\\irq.lst) EP ");
}

TEST(A51StringTest, GeneratedAssemblyTakesOnlyTheMemoryModel) {
  EXPECT_EQ(BuildGeneratedAsmControlString(1), "SET (COMPACT) DEBUG EP");
  EXPECT_EQ(BuildGeneratedAsmControlString(3), " DEBUG EP");
  ProjectTree tree;
  tree.Tool(nullptr, "A51Tool", {{"A51FL", "1"}});
  EXPECT_EQ(BuildGeneratedAsmControlString(&tree.ref), "SET (SMALL) DEBUG EP");
  SetAttributeText(tree.config, "MemMode", "2");
  EXPECT_EQ(BuildGeneratedAsmControlString(&tree.ref), "SET (LARGE) DEBUG EP");
}

TEST(A51DisplayTest, ScopesListingAndObjectPieces) {
  DisplayInputs inputs;
  inputs.listing[kLstAssembler] = inputs.listing[kLstAssemblerConditional] = 1;
  inputs.listing[kLstAssemblerSymbols] = 1;
  inputs.listing_dir = ".\\Lst\\";
  inputs.object_dir = ".\\Obj\\";
  A51PageValues page;
  A51Inherited inherited;
  page.set = "A";
  EXPECT_EQ(BuildA51DisplayString(page, inherited, inputs),
            "SET (SMALL,A) DEBUG PRINT(.\\Lst\\*.lst) EP ");

  inputs.scope = OptionScope::kGroup;
  inputs.target.mem_mode = 2;
  page.options = {2, 2, 2};
  page.reset = "g";
  inherited.group_flags = 9;    // MPL on, SFR names off, standard inherits
  inherited.project_flags = 0;  // standard macros off
  inherited.project_set = "P";
  inherited.group_set = "G";
  inherited.project_include = "C:\\inc";
  inherited.group_include = "G";
  const std::string head = "MPL NOMOD51 SET (LARGE,P,A) DEBUG INCDIR (C:\\inc;G) ";
  EXPECT_EQ(BuildA51DisplayString(page, inherited, inputs),
            head + "PRINT(.\\Lst\\*.lst) OBJECT(.\\Obj\\*.obj) EP ");
  inputs.listing_dir = inputs.object_dir = ".\\";
  EXPECT_EQ(BuildA51DisplayString(page, inherited, inputs), head + "EP ");
}

}  // namespace
}  // namespace c51
