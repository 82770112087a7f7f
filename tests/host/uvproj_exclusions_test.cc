// The groups and files each target of a uVision 4 project leaves out of its
// build, read from the project and given to the targets after the first.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/host_tree.h"
#include "host/uvproj_exclusions.h"
#include "project/key_names.h"
#include "project/node.h"

namespace c51::host {
namespace {

std::string Target(const std::string& name, const std::string& groups) {
  return "<Target><TargetName>" + name + "</TargetName><TargetOption></TargetOption><Groups>" +
         groups + "</Groups></Target>";
}

std::string File(const std::string& path, int include) {
  std::string file =
      "<File><FileName>x</FileName><FileType>1</FileType><FilePath>" + path + "</FilePath>";
  if (include >= 0) {
    file += "<FileOption><CommonProperty><IncludeInBuild>" + std::to_string(include) +
            "</IncludeInBuild></CommonProperty></FileOption>";
  }
  return file + "</File>";
}

// The configurations whose build the node is left out of.
std::vector<std::string> LeftOut(const ProjectNode* node, const char* scope) {
  std::vector<std::string> out;
  for (ProjectNode* c = FirstChildNamed(node, scope); c; c = NextSiblingNamed(c, scope)) {
    const char* in = GetAttributeText(c, keys::kIncludeInBuild);
    if (in && std::string(in) == "0") out.push_back(GetAttributeText(c, keys::kName));
  }
  return out;
}

TEST(UvprojExclusionsTest, LaterTargetsLeaveOutTheirOwnGroupsAndFiles) {
  const std::string xml =
      "<?xml version=\"1.0\"?><Project><Targets>" +
      Target("Debug", "<Group><GroupName>Log</GroupName><Files>" + File("..\\Log\\null.c", 0) +
                          File("..\\Log\\uart.c", -1) + "</Files></Group>") +
      Target("Release",
             "<Group><GroupName>Log</GroupName><Files>" + File("..\\Log\\null.c", 1) +
                 File("..\\Log\\uart.c", 0) + "</Files></Group>" +
                 "<Group><GroupName>Test</GroupName><GroupOption><CommonProperty>"
                 "<IncludeInBuild>0</IncludeInBuild></CommonProperty></GroupOption><Files>" +
                 File("..\\Test\\t.c", -1) + "</Files></Group>" +
                 "<Group><GroupName>Gone</GroupName><Files>" + File("..\\gone.c", 0) +
                 "</Files></Group>") +
      "</Targets></Project>";
  std::vector<UvprojExclusion> all;
  std::string err;
  ASSERT_TRUE(ParseUvprojExclusions(xml, &all, &err)) << err;
  ASSERT_EQ(all.size(), 4u);
  EXPECT_EQ(all[0].target + "|" + all[0].group + "|" + all[0].file, "Debug|Log|..\\Log\\null.c");
  EXPECT_EQ(all[2].target + "|" + all[2].group + "|" + all[2].file, "Release|Test|");

  // The tree the import made of the first target's groups and files (and a
  // group only a later target has, which it did not).
  HostTree tree;
  ProjectNode* root = tree.NewRoot("Project");
  ProjectNode* files = tree.AddChild(root, keys::kFiles, nullptr);
  ProjectNode* log = tree.AddChild(files, keys::kFilter, "Log");
  ProjectNode* null_c = tree.AddChild(log, keys::kFile, nullptr);
  tree.SetAttribute(null_c, keys::kRelativePath, std::string_view("..\\Log\\null.c"));
  ProjectNode* uart_c = tree.AddChild(log, keys::kFile, nullptr);
  tree.SetAttribute(uart_c, keys::kRelativePath, std::string_view("..\\Log\\uart.c"));
  ProjectNode* test = tree.AddChild(files, keys::kFilter, "Test");
  ProjectNode* t_c = tree.AddChild(test, keys::kFile, nullptr);
  tree.SetAttribute(t_c, keys::kRelativePath, std::string_view("..\\Test\\t.c"));

  const std::vector<UvprojExclusion> applied = ApplyLaterTargetsExclusions(&tree, all);
  ASSERT_EQ(applied.size(), 2u);
  EXPECT_EQ(LeftOut(uart_c, keys::kFileConfiguration), std::vector<std::string>{"Release"});
  // The first target's are the plug-in's, not applied again here.
  EXPECT_TRUE(LeftOut(null_c, keys::kFileConfiguration).empty());
  EXPECT_EQ(LeftOut(test, keys::kFilterConfiguration), std::vector<std::string>{"Release"});
  EXPECT_EQ(LeftOut(t_c, keys::kFileConfiguration), std::vector<std::string>{"Release"});
}

}  // namespace
}  // namespace c51::host
