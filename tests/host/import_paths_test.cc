// Files named by paths of the project author's machine, found again by the
// tail of their path around the project; a start-up file found nowhere
// left out of the build.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/host_tree.h"
#include "host/import_paths.h"
#include "platform/fs.h"
#include "project/key_names.h"
#include "project/node.h"
#include "support/temp_dir.h"

namespace c51::host {
namespace {

TEST(ImportPathsTest, FilesOfTheAuthorsMachineAreFoundByTheTailOfTheirPath) {
  test::ScopedTempDir dir{"c51paths"};
  ASSERT_FALSE(dir.path().empty());
  const std::string repo = dir.path() + "repo/";
  std::string err;
  for (const char* file :
       {"User/main.c", "Hardware/KEY/key.c", "Project/lcd.c", "Project/here.c", "other.c"}) {
    const std::string path = repo + file;
    ASSERT_TRUE(CreateDirectories(path.substr(0, path.rfind('/'))));
    ASSERT_TRUE(WriteWholeFile(path, "x", &err)) << err;
  }
  const std::string project_folder = repo + "Project/";

  HostTree tree;
  ProjectNode* root = tree.NewRoot("Project");
  ProjectNode* configs = tree.AddChild(root, "Configurations", nullptr);
  tree.AddChild(configs, "Configuration", "Debug");
  tree.AddChild(configs, "Configuration", "Release");
  ProjectNode* group = tree.AddChild(tree.AddChild(root, "Files", nullptr), "Filter", "Src");
  const struct {
    const char* written;
    const char* now;       // RelativePath afterwards
    const char* reported;  // "" when not reported, "-" when left out
  } cases[] = {
      {"D:\\Users\\zhang\\Desktop\\51\\Clock\\User\\main.c", "..\\User\\main.c",
       "..\\User\\main.c"},
      // Another letter case reaches the file.
      {"d:/work/CLOCK/hardware/key/KEY.C", "..\\hardware\\key\\KEY.C", "..\\hardware\\key\\KEY.C"},
      // A bare name in the project's own folder.
      {"E:\\old\\lcd.c", ".\\lcd.c", ".\\lcd.c"},
      // A bare name above the project's folder is not taken.
      {"E:\\old\\other.c", "E:\\old\\other.c", ""},
      {"C:\\Tools\\C51\\Lib\\STARTUP.A51", "C:\\Tools\\C51\\Lib\\STARTUP.A51", "-"},
      {"D:\\gone\\away.c", "D:\\gone\\away.c", ""},
      // Paths that are not absolute, or that exist, stay.
      {"..\\User\\missing.c", "..\\User\\missing.c", ""},
      {".\\here.c", ".\\here.c", ""},
      // The start-up file a repository did not keep, wherever it was.
      {".\\startup.a51", ".\\startup.a51", "-"},
      {"E:\\old\\STARTUP.A51", "E:\\old\\STARTUP.A51", "-"},
      // So is the task kernel's configuration.
      {".\\Conf_tny.A51", ".\\Conf_tny.A51", "-"},
      {"C:\\Tools\\C51\\RtxTiny2\\CONF_TNY.A51", "C:\\Tools\\C51\\RtxTiny2\\CONF_TNY.A51", "-"},
  };
  std::vector<ProjectNode*> nodes;
  for (const auto& c : cases) {
    ProjectNode* file = tree.AddChild(group, "File", nullptr);
    tree.SetAttribute(file, keys::kRelativePath, std::string_view(c.written));
    nodes.push_back(file);
  }
  const std::vector<MendedFile> mended = MendAuthorsPaths(&tree, project_folder);

  size_t reported = 0;
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].written);
    EXPECT_STREQ(GetAttributeText(nodes[i], keys::kRelativePath), cases[i].now);
    const std::string expected = cases[i].reported;
    if (expected.empty()) continue;
    ASSERT_LT(reported, mended.size());
    EXPECT_EQ(mended[reported].written, cases[i].written);
    EXPECT_EQ(mended[reported].found, expected == "-" ? "" : expected);
    EXPECT_EQ(mended[reported].kernel,
              std::string(cases[i].written).find("onf_tny") != std::string::npos ||
                  std::string(cases[i].written).find("ONF_TNY") != std::string::npos);
    ++reported;
  }
  EXPECT_EQ(reported, mended.size());

  // The start-up files and the kernel's configuration are left out of both
  // configurations' builds.
  for (size_t i : {4, 8, 9, 10, 11}) {
    std::vector<std::string> left_out;
    for (ProjectNode* c = FirstChildNamed(nodes[i], keys::kFileConfiguration); c;
         c = NextSiblingNamed(c, keys::kFileConfiguration)) {
      EXPECT_STREQ(GetAttributeText(c, keys::kIncludeInBuild), "0");
      left_out.push_back(GetAttributeText(c, keys::kName));
    }
    EXPECT_EQ(left_out, (std::vector<std::string>{"Debug", "Release"}));
  }
  EXPECT_EQ(FirstChildNamed(nodes[0], keys::kFileConfiguration), nullptr);
}

}  // namespace
}  // namespace c51::host
