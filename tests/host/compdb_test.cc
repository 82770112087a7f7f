#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/compdb.h"
#include "host/host_tree.h"

namespace c51::host {
namespace {

#if defined(_WIN32)
const char kProject[] = "C:\\p";
#define P(path) "C:\\p\\" path
#define SEP "\\"
const char kToolchainInclude[] = "C:\\tc\\INC\\";
const char kToolchainIncludeShown[] = "C:\\tc\\INC";
#else
const char kProject[] = "/p";
#define P(path) "/p/" path
#define SEP "/"
const char kToolchainInclude[] = "/tc/INC\\";
const char kToolchainIncludeShown[] = "/tc/INC";
#endif

TEST(CompdbTest, DefineAndIncludeLists) {
  EXPECT_EQ(DefineSymbols("  A B=2,  C ", "c"), (std::vector<std::string>{"A", "B=2"}));
  EXPECT_EQ(DefineSymbols("A B", "A B"), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(DefineSymbols("", ""), std::vector<std::string>{});
  EXPECT_EQ(IncludeFolders(";;C:\\inc; ..\\x ;"), (std::vector<std::string>{"C:\\inc", "..\\x"}));
}

ProjectNode* AddTool(HostTree* tree, ProjectNode* scope, const char* define, const char* include,
                     const char* undefine = nullptr) {
  ProjectNode* tool = tree->AddChild(scope, "Tool", "C51Tool");
  tree->SetAttribute(tool, "C51DEF", define);
  tree->SetAttribute(tool, "INCC5", include);
  if (undefine) tree->SetAttribute(tool, "C51UDF", undefine);
  return tool;
}

TEST(CompdbTest, EachCFileGetsItsScopesDefinesAndIncludes) {
  HostTree tree;
  ProjectNode* root = tree.NewRoot("CorvaneProject");
  ProjectNode* config =
      tree.AddChild(tree.AppendChild(root, "Configurations"), "Configuration", "T");
  AddTool(&tree, config, "PROJ", "inc");
  ProjectNode* files = tree.AppendChild(root, "Files");
  ProjectNode* group = tree.AddChild(files, "Filter", "G");
  AddTool(&tree, tree.AddChild(group, "FilterConfiguration", "T"), "GRP", ".\\ginc");
  ProjectNode* a = tree.AddChild(group, "File", nullptr);
  tree.SetAttribute(a, "RelativePath", ".\\src\\a.c");
  AddTool(&tree, tree.AddChild(a, "FileConfiguration", "T"), "FILE=2, DROP", "finc;", "drop");
  ProjectNode* start = tree.AddChild(files, "File", nullptr);
  tree.SetAttribute(start, "RelativePath", "start.a51");
  ProjectNode* upper = tree.AddChild(files, "File", nullptr);
  tree.SetAttribute(upper, "RelativePath", "B.C");

  std::vector<CompileEntry> entries =
      CompileEntries(root, "T", kProject, {kToolchainInclude, "inc", ""}, P("kw.h"));
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].directory, kProject);
  EXPECT_EQ(entries[0].file, P("src" SEP "a.c"));
  EXPECT_EQ(entries[0].arguments,
            (std::vector<std::string>{"clang", "-xc", "-DFILE=2", "-DGRP", "-DPROJ", "-I" P("finc"),
                                      "-I" P("ginc"), "-I" P("inc"),
                                      std::string("-I") + kToolchainIncludeShown, "-include",
                                      P("kw.h"), P("src" SEP "a.c")}));
  // Outside the group only the project's scope applies.
  EXPECT_EQ(entries[1].file, P("B.C"));
  EXPECT_EQ(entries[1].arguments,
            (std::vector<std::string>{"clang", "-xc", "-DPROJ", "-I" P("inc"),
                                      std::string("-I") + kToolchainIncludeShown, "-include",
                                      P("kw.h"), P("B.C")}));
}

TEST(CompdbTest, JsonShape) {
  EXPECT_EQ(JsonString("a\"b\\c\n\x01"), "\"a\\\"b\\\\c\\u000a\\u0001\"");
  CompileEntry entry{"/p", "/p/a.c", {"clang", "-xc", "/p/a.c"}};
  EXPECT_EQ(CompileCommandsJson({entry}),
            "[\n"
            "  {\n"
            "    \"directory\": \"/p\",\n"
            "    \"file\": \"/p/a.c\",\n"
            "    \"arguments\": [\"clang\", \"-xc\", \"/p/a.c\"]\n"
            "  }\n"
            "]\n");
  EXPECT_EQ(CompileCommandsJson({}), "[]\n");
}

}  // namespace
}  // namespace c51::host
