// Where the tools' scratch folder goes: TMPDIR when set, else a memory file
// system, else /tmp; and that it goes away.
#include "sdcc/temp_folder.h"

#include <gtest/gtest.h>
#include <linux/magic.h>
#include <sys/vfs.h>

#include <optional>
#include <string>

#include "platform/fs.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace c51::sdcc {
namespace {

bool OnMemoryFileSystem(const std::string& path) {
  struct statfs fs;
  return statfs(path.c_str(), &fs) == 0 && fs.f_type == TMPFS_MAGIC;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

TEST(TempFolder, TmpdirWinsThenAMemoryFileSystem) {
  test::ScopedTempDir disk("tempfoldertest");
  ASSERT_FALSE(disk.path().empty());
  std::string made;
  {
    test::ScopedEnv tmpdir("TMPDIR", disk.path());
    TempFolder temp;
    made = temp.path();
    EXPECT_TRUE(StartsWith(made, disk.path() + "c51sdcc-")) << made;
    EXPECT_EQ(temp.native(), made);
    EXPECT_TRUE(IsDirectory(made));
  }
  EXPECT_FALSE(PathExists(made));  // removed with the object

  if (!OnMemoryFileSystem("/dev/shm")) GTEST_SKIP() << "/dev/shm is no memory file system";
  test::ScopedEnv no_tmpdir("TMPDIR", nullptr);
  {
    test::ScopedEnv no_runtime("XDG_RUNTIME_DIR", nullptr);
    EXPECT_TRUE(StartsWith(TempFolder().path(), "/dev/shm/c51sdcc-"));
  }
  // The user's runtime folder comes first when it is in memory; one on a
  // disk is passed over.
  std::optional<test::ScopedTempDir> runtime;
  {
    test::ScopedEnv in_memory("TMPDIR", "/dev/shm");
    runtime.emplace("tempfolderruntime");
  }
  ASSERT_FALSE(runtime->path().empty());
  {
    test::ScopedEnv xdg("XDG_RUNTIME_DIR", runtime->path());
    EXPECT_TRUE(StartsWith(TempFolder().path(), runtime->path() + "c51sdcc-"));
  }
  if (!OnMemoryFileSystem(disk.path())) {
    test::ScopedEnv xdg("XDG_RUNTIME_DIR", disk.path());
    EXPECT_TRUE(StartsWith(TempFolder().path(), "/dev/shm/c51sdcc-"));
  }
}

}  // namespace
}  // namespace c51::sdcc
