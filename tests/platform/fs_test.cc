#include "platform/fs.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "platform/path.h"
#include "support/temp_dir.h"

namespace c51 {
namespace {

class FsTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(dir_.path().empty()); }
  std::string At(const std::string& name) const { return dir_.path() + name; }
  test::ScopedTempDir dir_{"c51fs"};
};

TEST_F(FsTest, WholeFileRoundTripKeepsEveryByte) {
  // "\" in a name must reach the file system as a separator on POSIX too.
  ASSERT_TRUE(CreateDirectories(At("sub")));
  const std::string bytes("line\r\n\0\xff\xb4\xb4 end", 13);
  std::string big(300 * 1024, 'x');  // more than one read
  big[123456] = 'y';
  for (const std::string& contents : {bytes, bytes, big}) {  // each write replaces
    std::string err, read;
    ASSERT_TRUE(WriteWholeFile(At("sub\\data.bin"), contents, &err)) << err;
    ASSERT_EQ(ReadStatus::kOkay, ReadWholeFile(At("sub/data.bin"), &read, &err)) << err;
    EXPECT_EQ(contents, read);
  }
}

TEST_F(FsTest, FailuresNameCallAndPath) {
  std::string contents, err;
  EXPECT_EQ(ReadStatus::kNotFound, ReadWholeFile(At("missing.txt"), &contents, &err));
  EXPECT_EQ(0u, err.find("open(")) << err;
  EXPECT_NE(std::string::npos, err.find("missing.txt): ")) << err;
  EXPECT_EQ(ReadStatus::kNotFound, ReadWholeFile(At("nodir/x.txt"), &contents, &err));
  ASSERT_TRUE(WriteWholeFile(At("plain"), "", nullptr));
  EXPECT_EQ(ReadStatus::kNotFound, ReadWholeFile(At("plain/x.txt"), &contents, &err));

  ASSERT_TRUE(CreateDirectories(At("folder")));
  EXPECT_EQ(ReadStatus::kOtherError, ReadWholeFile(At("folder"), &contents, &err));
  EXPECT_NE(std::string::npos, err.find("folder)")) << err;
  EXPECT_FALSE(WriteWholeFile(At("nodir/y.txt"), "x", &err));
  EXPECT_NE(std::string::npos, err.find("y.txt): ")) << err;
}

TEST_F(FsTest, CreateDirectoriesMakesParents) {
  EXPECT_TRUE(CreateDirectories(At("a\\b/c\\")));
  EXPECT_TRUE(IsDirectory(At("a/b/c")));
  EXPECT_TRUE(CreateDirectories(At("a/b")));  // already there
  ASSERT_TRUE(WriteWholeFile(At("file"), "", nullptr));
  EXPECT_FALSE(CreateDirectories(At("file")));
  EXPECT_FALSE(CreateDirectories(At("file/below")));
  EXPECT_TRUE(PathExists(At("file")));
  EXPECT_FALSE(IsDirectory(At("file")));
  EXPECT_FALSE(PathExists(At("nothing")));
}

TEST_F(FsTest, ModificationTimeCountsFileTimeTicks) {
  std::string path = At("stamped");
  ASSERT_TRUE(WriteWholeFile(path, "x", nullptr));
  // 10^9 Unix seconds (2001-09-09), 11644473600 s after 1601, and a half
  // second where the setter can: MinGW's sets whole seconds only.
  using namespace std::chrono;
#ifdef _WIN32
  const int64_t fraction = 0;
#else
  const int64_t fraction = 5000000;
#endif
  auto when = sys_seconds(seconds(1000000000)) + milliseconds(fraction / 10000);
  std::error_code ec;
  std::filesystem::last_write_time(path, file_clock::from_sys(when), ec);
  ASSERT_FALSE(ec) << ec.message();
  EXPECT_EQ((1000000000LL + 11644473600LL) * 10000000LL + fraction, ModificationTime(path));
  EXPECT_EQ(0, ModificationTime(At("missing")));
}

TEST_F(FsTest, RemoveFileAndTree) {
  ASSERT_TRUE(WriteWholeFile(At("f"), "x", nullptr));
  EXPECT_TRUE(RemoveFile(At("f")));
  EXPECT_FALSE(RemoveFile(At("f")));

  ASSERT_TRUE(CreateDirectories(At("t/a/b")));
  ASSERT_TRUE(CreateDirectories(At("t/empty")));
  ASSERT_TRUE(WriteWholeFile(At("t/top.txt"), "1", nullptr));
  ASSERT_TRUE(WriteWholeFile(At("t/a/b/deep.txt"), "2", nullptr));
  EXPECT_TRUE(RemoveTree(At("t\\")));
  EXPECT_FALSE(PathExists(At("t")));
  EXPECT_TRUE(RemoveTree(At("t")));  // nothing left to remove
  EXPECT_TRUE(IsDirectory(dir_.path()));
}

TEST_F(FsTest, CurrentDirectoryFollowsSet) {
  std::string saved = CurrentDirectory();
  ASSERT_TRUE(CreateDirectories(At("cwd")));
  ASSERT_TRUE(ChangeCurrentDirectory(At("cwd/")));
  EXPECT_EQ(At("cwd"), CurrentDirectory());
  ASSERT_TRUE(WriteWholeFile("here.txt", "x", nullptr));
  EXPECT_TRUE(PathExists(At("cwd/here.txt")));
  EXPECT_FALSE(ChangeCurrentDirectory(At("missing")));
  ASSERT_TRUE(ChangeCurrentDirectory(saved));
}

TEST(FsPlacesTest, ExecutableAndTempDirectories) {
  std::string exe_dir = ExecutableDirectory();
  ASSERT_FALSE(exe_dir.empty());
  EXPECT_TRUE(PathExists(exe_dir + "platform_test") || PathExists(exe_dir + "platform_test.exe"))
      << exe_dir;
  std::string a = MakeTempDirectory("c51pair");
  std::string b = MakeTempDirectory("c51pair");
  ASSERT_FALSE(a.empty() || b.empty());
  EXPECT_NE(a, b);
  EXPECT_TRUE(IsPathSeparator(a.back()));
  EXPECT_TRUE(IsDirectory(a));
  EXPECT_TRUE(RemoveTree(a));
  EXPECT_TRUE(RemoveTree(b));
}

}  // namespace
}  // namespace c51
