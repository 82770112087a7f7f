// Shell type names and local file times: the POSIX rules exactly, the
// Windows shell's answers by their shape. (The settings page's test checks
// local times on both against the C library's conversion.)
#include "platform/shell_type.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/env.h"
#include "platform/fs.h"
#include "platform/local_time.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace c51 {
namespace {

#ifndef _WIN32

// Seconds between 1601-01-01 and 1970-01-01, and ticks per second.
constexpr int64_t kEpochSeconds = 11644473600LL;
constexpr int64_t kTicks = 10000000LL;

using test::ScopedEnv;

TEST(ShellTypeTest, PosixNamesComeFromTheExtension) {
  test::ScopedTempDir dir("c51shell");
  ASSERT_TRUE(CreateDirectories(dir.path() + "folder.c"));
  struct Case {
    std::string path;
    const char* name;
  } cases[] = {
      {"C:\\p\\main.c", "C File"},
      {"/p/startup.a51", "A51 File"},
      {"/p/Reg51.H", "H File"},
      {"/p/lib.tar.gz", "GZ File"},
      {"/p/Makefile", "File"},
      {"/p/name.", "File"},
      {"/p/v1.2 notes", "File"},
      {"/p/my file.c", "C File"},
      {"/p.d/readme", "File"},
      {"C:\\p.d\\readme", "File"},
      {"/p/.profile", "PROFILE File"},
      {"/p/x.\xE6\x96\x87", "\xE6\x96\x87 File"},  // UTF-8 bytes pass unchanged
      {dir.path() + "folder.c", "File Folder"},
      {dir.path() + "folder.c/", "File Folder"},
  };
  for (const Case& k : cases) EXPECT_EQ(ShellTypeName(k.path), k.name) << k.path;
}

TEST(ShellTypeTest, GbkTrailBytesAreNeitherSeparatorsNorLetters) {
  ScopedEnv gbk("C51_LOCAL_CODEPAGE", "936");
  // 0xB1 0x61 and 0x81 0x5C are single GBK characters.
  EXPECT_EQ(ShellTypeName("/p/a.\xB1\x61x"), "\xB1\x61X File");
  EXPECT_EQ(ShellTypeName("/p/a.\x81\x5C"
                          "b"),
            "\x81\x5C"
            "B File");
  ScopedEnv utf8("C51_LOCAL_CODEPAGE", "65001");
  EXPECT_EQ(ShellTypeName("/p/a.\x81\x5C"
                          "b"),
            "File");
}

TEST(LocalTimeTest, FollowsTheZoneAndItsDaylightSavingRule) {
  ScopedEnv zone("TZ", "EST5EDT,M3.2.0,M11.1.0");
  struct Case {
    int64_t unix_seconds;
    CalendarTime local;
  } cases[] = {
      {1299352029, {2011, 3, 5, 14, 7, 9}},     // 19:07:09 UTC, standard time
      {1309872600, {2011, 7, 5, 9, 30, 0}},     // 13:30:00 UTC, summer time
      {946702799, {1999, 12, 31, 23, 59, 59}},  // 04:59:59 UTC next day
      {0, {1969, 12, 31, 19, 0, 0}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.unix_seconds);
    CalendarTime t;
    // A fraction of a second is dropped, not rounded.
    ASSERT_TRUE(LocalTimeOf((k.unix_seconds + kEpochSeconds) * kTicks + 9999999, &t));
    EXPECT_EQ(t.year, k.local.year);
    EXPECT_EQ(t.month, k.local.month);
    EXPECT_EQ(t.day, k.local.day);
    EXPECT_EQ(t.hour, k.local.hour);
    EXPECT_EQ(t.minute, k.local.minute);
    EXPECT_EQ(t.second, k.local.second);
  }
  CalendarTime t;
  EXPECT_FALSE(LocalTimeOf(-1, &t));
}

#else

TEST(ShellTypeTest, WindowsShellNamesFilesAndFoldersAndTimesStartAt1601) {
  test::ScopedTempDir dir("c51shell");
  ASSERT_TRUE(CreateDirectories(dir.path() + "folder"));
  ASSERT_TRUE(WriteWholeFile(dir.path() + "main.c", "int x;", nullptr));
  const std::string folder = ShellTypeName(dir.path() + "folder");
  const std::string file = ShellTypeName(dir.path() + "main.c");
  EXPECT_FALSE(folder.empty());
  EXPECT_FALSE(file.empty());
  EXPECT_NE(folder, file);
  // Not on disk: named by the extension alone.
  EXPECT_FALSE(ShellTypeName(dir.path() + "missing.c").empty());
  CalendarTime t;
  EXPECT_FALSE(LocalTimeOf(-1, &t));
}

#endif

}  // namespace
}  // namespace c51
