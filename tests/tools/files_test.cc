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
  // {path, current folder, style, full path}
  const std::vector<std::tuple<const char*, const char*, PathStyle, const char*>> rows = {
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
  for (const auto& [path, cwd, style, full] : rows) {
    EXPECT_EQ(MakeAbsolute(path, cwd, style), full) << path << " in " << cwd;
  }
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
