// The path examples of sim/files.h, row for row, in both styles: the tools
// run natively and under wine, so each style's rules run everywhere.
#include "sim/files.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace c51::sim {
namespace {

constexpr PathStyle kWin = PathStyle::kWindows;
constexpr PathStyle kPosix = PathStyle::kPosix;

TEST(ToolPathsTest, FullyQualifiedNeedsNoCurrentFolder) {
  const std::vector<std::tuple<const char*, PathStyle, bool>> rows = {
      {"C:\\x", kWin, true},      {"C:/x", kWin, true},  {"\\\\server\\x", kWin, true},
      {"//server/x", kWin, true}, {"\\x", kWin, false},  {"C:x", kWin, false},
      {"x", kWin, false},         {"C:", kWin, false},   {"", kWin, false},
      {"/x", kPosix, true},       {"\\x", kPosix, true}, {"C:\\x", kPosix, false},
      {"x", kPosix, false},       {"", kPosix, false},
  };
  for (const auto& [path, style, qualified] : rows) {
    EXPECT_EQ(IsFullyQualified(path, style), qualified) << path;
  }
}

TEST(ToolPathsTest, MakeAbsoluteResolvesDotsAgainstTheFolder) {
  // {path, its full path in "C:\p" (Windows) or "/p" (POSIX)}
  const std::vector<std::tuple<const char*, const char*>> windows = {
      {".\\src\\..\\inc\\a.h", "C:\\p\\inc\\a.h"},
      {"\\x\\a.h", "C:\\x\\a.h"},
      {"C:x", "C:\\p\\C:x"},
      {"D:/q/a.h", "D:\\q\\a.h"},
      {"..\\..\\..\\x", "C:\\x"},
      {"\\\\srv\\share\\..\\..\\a", "\\\\srv\\share\\a"},
      {"inc\\", "C:\\p\\inc"},
      {"", "C:\\p"},
  };
  for (const auto& [path, full] : windows) {
    EXPECT_EQ(MakeAbsolute(path, "C:\\p", kWin), full) << path;
  }
  const std::vector<std::tuple<const char*, const char*>> posix = {
      {".\\inc\\a.h", "/p/inc/a.h"}, {"/q/../r", "/r"}, {"../../x", "/x"}, {"\\q\\a.h", "/q/a.h"}};
  for (const auto& [path, full] : posix) EXPECT_EQ(MakeAbsolute(path, "/p", kPosix), full) << path;
  // The folder's own final separator goes too.
  EXPECT_EQ(MakeAbsolute("", "C:\\p\\", kWin), "C:\\p");
}

TEST(ToolPathsTest, JoinPathKeepsTheFoldersSeparator) {
  // {folder, "a.h" inside it}
  const std::vector<std::tuple<const char*, const char*>> rows = {
      {"inc", "inc\\a.h"},
      {"", "a.h"},
      {"C:", "C:a.h"},
      {"inc\\", "inc\\a.h"},
      {"/usr/inc", "/usr/inc/a.h"},
      {"/usr/inc/", "/usr/inc/a.h"},
      {"a/b\\c", "a/b\\c\\a.h"},
  };
  for (const auto& [dir, joined] : rows) EXPECT_EQ(JoinPath(dir, "a.h"), joined) << dir;
}

}  // namespace
}  // namespace c51::sim
