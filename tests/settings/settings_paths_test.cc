// Folders of paths, project-relative folders and the folder choosers' answers.
#include "settings/settings_paths.h"

#include <gtest/gtest.h>

#include "platform/fs.h"
#include "platform/path.h"
#include "settings/folder_choosers.h"
#include "settings/headless/headless_backend.h"
#include "support/temp_dir.h"

namespace c51::settings {
namespace {

TEST(SettingsPathsTest, Folders) {
  struct Case {
    const char* path;
    const char* folder;
  } cases[] = {
      {"C:\\p\\main.c", "C:\\p"},
      {"C:\\p\\", "C:\\p"},
      {"C:\\main.c", "C:\\"},
      {"C:main.c", "C:"},
      {"\\main.c", "\\"},
      {"main.c", "."},
      {"", ""},
      {"..\\inc\\x.h", "..\\inc"},
      {"/home/p/x.cvproj", "/home/p"},
      {"/x.cvproj", "/"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(DirectoryWithoutSeparator(c.path), c.folder);
  }
}

TEST(SettingsPathsTest, ProjectRelativeFolders) {
  struct Case {
    const char* project;
    const char* chosen;
    const char* folder;
  } cases[] = {
      {"C:\\p\\x.cvproj", "C:\\p\\Out", ".\\Out\\"},
      {"C:\\p\\x.cvproj", "C:\\p\\Out\\", ".\\Out\\"},
      {"C:\\p\\x.cvproj", "C:\\p", ".\\"},
      {"C:\\p\\x.cvproj", "C:\\q\\Lst", "..\\q\\Lst\\"},
      {"C:\\p\\a\\x.cvproj", "C:\\p\\b\\c", "..\\b\\c\\"},
      // Another drive has no relative path: the folder stays absolute.
      {"C:\\p\\x.cvproj", "D:\\Out", "D:\\Out\\"},
      {"C:\\p\\x.cvproj", "D:\\", "D:\\"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chosen);
    EXPECT_EQ(ProjectRelativeFolder(c.project, c.chosen), c.folder);
  }
  if (NativePathStyle() == PathStyle::kPosix) {
    EXPECT_EQ(ProjectRelativeFolder("/home/p/x.cvproj", "/home/p/Out"), ".\\Out\\");
    EXPECT_EQ(ProjectRelativeFolder("/home/p/x.cvproj", "/srv/inc/"), "..\\..\\srv\\inc\\");
  }
  EXPECT_EQ(RelativePathOrSame("C:\\p", "C:\\p\\main.c"), ".\\main.c");
  EXPECT_EQ(RelativePathOrSame("C:\\p", "D:\\main.c"), "D:\\main.c");
}

// Puts the process's current folder back.
class CurrentDirectoryGuard {
 public:
  CurrentDirectoryGuard() : saved_(CurrentDirectory()) {}
  ~CurrentDirectoryGuard() { ChangeCurrentDirectory(saved_); }

 private:
  std::string saved_;
};

TEST(SettingsPathsTest, AbsolutePathsAgainstAFolder) {
  CurrentDirectoryGuard guard;
  test::ScopedTempDir dir("c51paths");
  ASSERT_FALSE(dir.path().empty());
  std::string resolved = AbsolutePathIn(dir.path(), "sub\\..\\lib\\x.dll");
  // The folder became the current one, and the path is the OS's full path
  // against it.
  EXPECT_EQ(FullPath(CurrentDirectory()), FullPath(dir.path().substr(0, dir.path().size() - 1)));
  EXPECT_EQ(resolved, FullPath("lib\\x.dll"));
  EXPECT_TRUE(resolved.ends_with("x.dll")) << resolved;

  EXPECT_EQ(AbsolutePathIn(dir.path(), "D:\\x.dll"), "D:\\x.dll");
  EXPECT_EQ(AbsolutePathIn(dir.path(), "\\x.dll"), "\\x.dll");
  // A folder that is gone still is what the path is resolved against.
  if (NativePathStyle() == PathStyle::kPosix) {
    EXPECT_EQ(AbsolutePathIn("/no/such/p", "..\\lib\\x.dll"), "/no/such/lib/x.dll");
  } else {
    EXPECT_EQ(AbsolutePathIn("C:\\no\\such\\p", "..\\lib\\x.dll"), "C:\\no\\such\\lib\\x.dll");
  }
}

TEST(FolderChoosersTest, ProjectFolderFromTheSimpleChooser) {
  HeadlessInterface ui;
  HeadlessBackend backend(&ui, Language::kEnglish);
  backend.folder_answers = {"C:\\p\\Listings", std::nullopt};
  std::string folder = "unchanged";
  ASSERT_TRUE(ChooseProjectFolder(&backend, "Pick:", "C:\\p\\x.cvproj", &folder));
  EXPECT_EQ(folder, ".\\Listings\\");
  folder = "unchanged";
  EXPECT_FALSE(ChooseProjectFolder(&backend, "Pick:", "C:\\p\\x.cvproj", &folder));
  EXPECT_EQ(folder, "unchanged");
  ASSERT_EQ(backend.chooser_requests.size(), 2u);
  EXPECT_EQ(backend.chooser_requests[0].kind, ChooserRequest::kFolder);
  EXPECT_EQ(backend.chooser_requests[0].title, "Pick:");
}

// The Output and Listing pages ask under the same title, in the sheet's
// language, also before the project has a file.
TEST(FolderChoosersTest, OutputFolderInTheSheetsLanguage) {
  HeadlessInterface ui;
  HeadlessBackend backend(&ui, Language::kChinese);
  backend.folder_answers = {"C:\\p\\Obj", "C:\\p\\Obj"};
  std::string folder;
  ASSERT_TRUE(ChooseOutputFolder(&backend, Language::kChinese, "C:\\p\\x.cvproj", &folder));
  EXPECT_EQ(folder, ".\\Obj\\");
  ASSERT_TRUE(ChooseOutputFolder(&backend, Language::kEnglish, nullptr, &folder));
  EXPECT_EQ(folder, "C:\\p\\Obj\\");  // no project folder to be relative to
  ASSERT_EQ(backend.chooser_requests.size(), 2u);
  EXPECT_EQ(backend.chooser_requests[0].title,
            MessageText(MessageId::kChooseOutputDirectory, Language::kChinese));
  EXPECT_EQ(backend.chooser_requests[1].title, "Please choose the output directory :");
}

TEST(FolderChoosersTest, FolderDialogStatusAndResult) {
  EXPECT_EQ(FolderStatusText("C:\\inc", "inc"), "C:\\inc");
  EXPECT_EQ(FolderStatusText("", "Network"), "Network");
  std::string folder = "unchanged";
  EXPECT_FALSE(FolderDialogResult("", &folder));
  EXPECT_EQ(folder, "unchanged");
  EXPECT_TRUE(FolderDialogResult("C:\\inc", &folder));
  EXPECT_EQ(folder, "C:\\inc");
}

}  // namespace
}  // namespace c51::settings
