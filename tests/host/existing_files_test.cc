// The sources' presence check before a build, from folder listings.
#include <gtest/gtest.h>

#include <string>

#include "host/existing_files.h"
#include "platform/fs.h"
#include "support/temp_dir.h"

namespace c51::host {
namespace {

TEST(ExistingFilesTest, AnswersAsTheFileSystemDoes) {
  test::ScopedTempDir dir{"c51exist"};
  ASSERT_FALSE(dir.path().empty());
  const std::string root = dir.path();
  std::string err;
  ASSERT_TRUE(CreateDirectories(root + "src/sub"));
  ASSERT_TRUE(WriteWholeFile(root + "src/main.c", "x", &err)) << err;
  ASSERT_TRUE(WriteWholeFile(root + "src/Delay.c", "x", &err)) << err;
  const struct {
    std::string path;
    bool exists;
  } cases[] = {
      {root + "src/main.c", true},
      // Another letter case reaches the file, as it does for the build.
      {root + "src/MAIN.C", true},
      {root + "src/delay.c", true},
      {root + "src/gone.c", false},
      {root + "nowhere/main.c", false},
      // A folder is there, though no listing of files holds it.
      {root + "src/sub", true},
  };
  ExistingFiles existing;
  // Twice: the second round answers from the listings kept.
  for (int round = 0; round < 2; ++round) {
    for (const auto& c : cases) {
      EXPECT_EQ(existing.Exists(c.path), c.exists) << c.path << " round " << round;
      EXPECT_EQ(existing.Exists(c.path), PathExists(c.path)) << c.path;
    }
  }
  // A file made after its folder was listed is still found.
  ASSERT_TRUE(WriteWholeFile(root + "src/late.c", "x", &err)) << err;
  EXPECT_TRUE(existing.Exists(root + "src/late.c"));
}

}  // namespace
}  // namespace c51::host
