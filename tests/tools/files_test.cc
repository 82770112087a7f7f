// The path examples of sim/files.h, row for row, in both styles: the tools
// run natively and under wine, so each style's rules run everywhere.
#include "sim/files.h"

#include <gtest/gtest.h>

#include <string>

namespace c51::sim {
namespace {

constexpr PathStyle kWin = PathStyle::kWindows;
constexpr PathStyle kPosix = PathStyle::kPosix;

TEST(ToolPathsTest, FullyQualifiedNeedsNoCurrentFolder) {
  struct Row {
    const char* path;
    PathStyle style;
    bool qualified;
  };
  const Row rows[] = {
      {"C:\\x", kWin, true},      {"C:/x", kWin, true},  {"\\\\server\\x", kWin, true},
      {"//server/x", kWin, true}, {"\\x", kWin, false},  {"C:x", kWin, false},
      {"x", kWin, false},         {"C:", kWin, false},   {"", kWin, false},
      {"/x", kPosix, true},       {"\\x", kPosix, true}, {"C:\\x", kPosix, false},
      {"x", kPosix, false},       {"", kPosix, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path);
    EXPECT_EQ(IsFullyQualified(row.path, row.style), row.qualified);
  }
}

TEST(ToolPathsTest, MakeAbsoluteResolvesDotsAgainstTheFolder) {
  struct Row {
    const char* path;
    const char* cwd;
    PathStyle style;
    const char* full;
  };
  const Row rows[] = {
      {".\\src\\..\\inc\\a.h", "C:\\p", kWin, "C:\\p\\inc\\a.h"},
      {"\\x\\a.h", "C:\\p", kWin, "C:\\x\\a.h"},
      {"C:x", "C:\\p", kWin, "C:\\p\\C:x"},
      {"D:/q/a.h", "C:\\p", kWin, "D:\\q\\a.h"},
      {"..\\..\\..\\x", "C:\\p", kWin, "C:\\x"},
      {"\\\\srv\\share\\..\\..\\a", "C:\\p", kWin, "\\\\srv\\share\\a"},
      {"inc\\", "C:\\p", kWin, "C:\\p\\inc"},
      {"", "C:\\p\\", kWin, "C:\\p"},
      {".\\inc\\a.h", "/p", kPosix, "/p/inc/a.h"},
      {"/q/../r", "/p", kPosix, "/r"},
      {"../../x", "/p", kPosix, "/x"},
      {"\\q\\a.h", "/p", kPosix, "/q/a.h"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.path) + " in " + row.cwd);
    EXPECT_EQ(MakeAbsolute(row.path, row.cwd, row.style), row.full);
  }
}

TEST(ToolPathsTest, JoinPathKeepsTheFoldersSeparator) {
  struct Row {
    const char* dir;
    const char* joined;
  };
  const Row rows[] = {
      {"inc", "inc\\a.h"},
      {"", "a.h"},
      {"C:", "C:a.h"},
      {"inc\\", "inc\\a.h"},
      {"/usr/inc", "/usr/inc/a.h"},
      {"/usr/inc/", "/usr/inc/a.h"},
      {"a/b\\c", "a/b\\c\\a.h"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.dir);
    EXPECT_EQ(JoinPath(row.dir, "a.h"), row.joined);
  }
}

}  // namespace
}  // namespace c51::sim
