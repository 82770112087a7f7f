// uVision 2 projects imported through slot 4: configurations in file order,
// the current target from the ".opt" file and its output folders, groups
// by number, and the 255-character line rule.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "import_fixture.h"

namespace c51::test {
namespace {

using Strings = std::vector<std::string>;

const char kThreeTargetFiles[] =
    "Files\n"
    "  Filter Name=Source\n"
    "    File RelativePath=.\\main.c\n"
    "    File RelativePath=.\\startup.a51\n"
    "  Filter Name=Library\n"
    "    File RelativePath=.\\lib\\util.c\n"
    "  File RelativePath=.\\readme.txt\n"  // group 0
    "  File RelativePath=.\\orphan.c\n";   // group 7: no such group

const Strings kDebugDefaults = {".\\Debug\\", "Blinky", ".\\Debug\\"};
const Strings kReleaseDefaults = {".\\Release\\", "Blinky", ".\\Release\\"};
const Strings kFlashDefaults = {".\\Flash (banked)\\", "Blinky", ".\\Flash (banked)\\"};

class Uv2ImportTest : public ImportTest {
 protected:
  // Imports three_targets.uv2 with `options` staged beside it ("" for
  // none) and checks the returned name, the configurations with their
  // OutputDirectory, OutputName and ListingDirectory, and the files.
  void ImportThreeTargets(const char* options, const char* returned,
                          const std::vector<Strings>& outputs) {
    std::string path = Stage({{"three_targets.uv2", "Blinky.uv2"}});
    if (*options) Stage({{options, "Blinky.opt"}});
    EXPECT_EQ(Import(path), returned);
    std::vector<ProjectNode*> groups = Children(host_.root(), "Configurations");
    ASSERT_EQ(groups.size(), 1u);
    std::vector<ProjectNode*> configs = Children(groups[0], "Configuration");
    ASSERT_EQ(configs.size(), 3u);  // the line without brackets is no target
    const char* names[] = {"Debug", "Release", "Flash (banked)"};
    for (size_t i = 0; i < configs.size(); ++i) {
      SCOPED_TRACE(names[i]);
      EXPECT_EQ(FakeHost::Get(configs[i], "Name"), names[i]);
      EXPECT_EQ((Strings{FakeHost::Get(configs[i], "OutputDirectory"),
                         FakeHost::Get(configs[i], "OutputName"),
                         FakeHost::Get(configs[i], "ListingDirectory")}),
                outputs[i]);
      // The default configuration was applied to each.
      EXPECT_EQ(Children(configs[i], "Tool").size(), 3u);
      EXPECT_EQ(FakeHost::Get(configs[i], "GENAPP"), "1");
    }
    std::vector<ProjectNode*> files = Children(host_.root(), "Files");
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(Shape(files[0]), kThreeTargetFiles);
    EXPECT_TRUE(Checks().empty());
    EXPECT_FALSE(host_.TreeChangedBehindServices());
  }
};

TEST_F(Uv2ImportTest, MarkedTargetIsCurrentAndOnlyItsOptionsBlockApplies) {
  ImportThreeTargets("three_targets.opt", "Release",
                     {kDebugDefaults, {".\\rel\\", "blinky", ".\\rel\\lst\\"}, kFlashDefaults});
}

TEST_F(Uv2ImportTest, WithoutMarkTheLastTargetIsCurrent) {
  ImportThreeTargets(
      "unmarked.opt", "Flash (banked)",
      {kDebugDefaults, kReleaseDefaults, {".\\flash\\", "flash", ".\\Flash (banked)\\"}});
}

TEST_F(Uv2ImportTest, WithoutOptionsFileNothingIsCurrent) {
  ImportThreeTargets("", "", {kDebugDefaults, kReleaseDefaults, kFlashDefaults});
  EXPECT_NE(last_result_, 0);  // an empty name, not a failure
}

TEST_F(Uv2ImportTest, ExtensionInCapitalsIsAccepted) {
  std::string path = Stage({{"three_targets.uv2", "Blinky.UV2"}});
  EXPECT_EQ(Import(path), "");
  EXPECT_EQ(Children(host_.root(), "Configurations").size(), 1u);
}

TEST_F(Uv2ImportTest, LinesAreCutAt255Characters) {
  std::string path = Stage({{"long_lines.uv2", "Long.uv2"}, {"long_lines.opt", "Long.opt"}});
  EXPECT_EQ(Import(path), "Only");
  // The first group's ")" and the first file's ">" lie beyond the cut, and
  // so does the third file's "<": those lines are skipped, and "Kept" is
  // group 1.
  EXPECT_EQ(Shape(Children(host_.root(), "Files").at(0)),
            "Files\n"
            "  Filter Name=Kept\n"
            "    File RelativePath=.\\short.c\n");
}

// An option line applies to the configuration named current by the lines
// before it: before the current target's line that is the first target
// (which then becomes current), before any target none at all.
TEST_F(Uv2ImportTest, OptionBlocksApplyToTheConfigurationCurrentAtTheirLine) {
  struct Row {
    const char* project;
    const char* returned;
    Strings output_names;  // per configuration
  } rows[] = {
      {"Target (A)\nOptions 2\n OutName (first)\nEndOpt\n"
       "Target (B)\nOptions 2\n OutName (second)\nEndOpt\n",
       "B",
       {"first", "second"}},
      {"Options 2\n OutName (none)\nEndOpt\nTarget (A)\n"
       "Options 2\n OutName (late)\n OutName (later)\nEndOpt\nTarget (B)\n",
       "B",
       {"later", "Blinky"}},
      {"Target (A)\nTarget (A)\nTarget (C)\nOptions 2\n OutName (x)\n OutName (y)\nEndOpt\n",
       "A",
       {"y", "Blinky", "Blinky"}},  // two of one name: the first is the one found
  };
  Write("Blinky.opt", "OPTFL 1,4,0\nOPTFL 1,4,1\n");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.project);
    // Each row imports below a root of its own.
    ProjectNode* root = host_.Add(host_.root(), "Project");
    std::string path = Write("Blinky.uv2", row.project);
    intptr_t result = table_->ImportProject(root, path.c_str());
    ASSERT_NE(result, 0);
    EXPECT_STREQ(reinterpret_cast<const char*>(result), row.returned);
    std::vector<ProjectNode*> configs =
        Children(Children(root, "Configurations").at(0), "Configuration");
    Strings names;
    for (ProjectNode* config : configs) names.push_back(FakeHost::Get(config, "OutputName"));
    EXPECT_EQ(names, row.output_names);
  }
}

// An imported file comes from anyone: what would lead the build's files out
// of the project folder, and a source name the tools cannot take, are left
// out with a line each; the rest is imported.
TEST_F(Uv2ImportTest, NamesThatLeaveTheProjectAreLeftOut) {
  Write("Blinky.opt", "OPTFL 1,4,0\nOPTFL 1,4,1\n");
  const std::string path = Write("Blinky.uv2",
                                 "Target (Good)\nTarget (..\\..\\ESCAPED)\n"
                                 "Group (App)\n"
                                 "File 1,1,<.\\main.c><main.c>\n"
                                 "File 1,1,<.\\say\"hi\".c><say\"hi\".c>\n"
                                 "Options 2,0,0\n OutDir (..\\..\\ESCAPED\\)\n"
                                 " OutName (..\\victim)\n LstDir (C:\\lst\\)\nEndOpt\n");
  ASSERT_NE(Import(path), "<null>");
  std::vector<ProjectNode*> configs =
      Children(Children(host_.root(), "Configurations").at(0), "Configuration");
  ASSERT_EQ(configs.size(), 2u);
  EXPECT_EQ(FakeHost::Get(configs[0], "OutputDirectory"), ".\\Good\\");
  // The current target, whose name would lead its default folders out and
  // whose options block names places outside: the project folder and the
  // project's name instead.
  EXPECT_EQ(FakeHost::Get(configs[1], "OutputDirectory"), ".\\");
  EXPECT_EQ(FakeHost::Get(configs[1], "ListingDirectory"), ".\\");
  EXPECT_EQ(FakeHost::Get(configs[1], "OutputName"), "Blinky");
  EXPECT_EQ(Shape(Children(host_.root(), "Files").at(0)),
            "Files\n  Filter Name=App\n    File RelativePath=.\\main.c\n");
#ifndef _WIN32
  const Strings lines = CheckTexts();
  for (const char* part :
       {"\"OutputDirectory\" \".\\..\\..\\ESCAPED\\\"", "\"OutputDirectory\" \"..\\..\\ESCAPED\\\"",
        "\"OutputName\" \"..\\victim\"", "\"ListingDirectory\" \"C:\\lst\\\"", "say\"hi\".c"}) {
    bool found = false;
    for (const std::string& line : lines) found = found || line.find(part) != std::string::npos;
    EXPECT_TRUE(found) << part;
  }
#endif
}

TEST_F(Uv2ImportTest, HostRefusalEndsTheImportWithNothingMade) {
  std::string path = Stage({{"three_targets.uv2", "Blinky.uv2"}});
  host_.fail_add_child = true;
  EXPECT_EQ(Import(path), "<null>");
  ASSERT_EQ(host_.calls.size(), 1u);
  EXPECT_EQ(host_.calls[0].args, (Strings{"Files", "<null>"}));
}

}  // namespace
}  // namespace c51::test
