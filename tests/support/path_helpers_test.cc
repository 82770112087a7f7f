#include "support/path_helpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fs.h"

namespace c51 {
namespace {

// clang-format off
TEST(PathHelpersTest, DirectoryPartSplitFilenameAndBaseName) {
  const struct { const char* path; const char* directory; const char* prefix; const char* suffix;
                 const char* base; } cases[] = {
      {"C:\\p\\proj.uvproj", "C:\\p\\", "\\proj", "uvproj", "proj"},
      {"C:\\x/proj.uv2", "C:\\", "/proj", "uv2", "proj"},
      {"C:/x\\proj.uv2", "C:/x\\", "\\proj", "uv2", "proj"},
      {"a/b/c.c", "a/b/c.c", "/c", "c", "c"},  // "/" is no separator for the directory part
      {"a.b.c", "a.b.c", "a.b", "c", "a.b"},
      {"C:\\x.d\\name", "C:\\x.d\\", "\\name", "", "name"},
      {"name.", "name.", "name", "", "name"},
      {".hidden", ".hidden", "", "hidden", ""},
      {"C:\\p\\", "C:\\p\\", "\\", "", ""},
      {"", "", "", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    std::string prefix = "stale", suffix = "stale";
    EXPECT_TRUE(split_filename(c.path, &prefix, &suffix));
    EXPECT_EQ(prefix, c.prefix);
    EXPECT_EQ(suffix, c.suffix);
    EXPECT_EQ(DirectoryPart(c.path), c.directory);
    EXPECT_EQ(BaseName(c.path), c.base);
  }
}

TEST(PathHelpersTest, IsAbsolutePathTable) {
  const struct { const char* path; bool expected; } cases[] = {
      {"C:\\p\\a.c", true}, {"C:", true}, {"a:b", true}, {"\\\\server\\x", true},
      {"\\x", true}, {"/usr/x", true}, {"x.c", false}, {"sub\\x.c", false},
      {".\\x.c", false}, {"..\\x.c", false}, {".:x", false}, {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsAbsolutePath(c.path), c.expected) << c.path;
}
// clang-format on

TEST(PathHelpersTest, UpperCopyAndSplitLeaveOtherBytesAlone) {
  EXPECT_EQ(UpperCopy("main.c Az{}`~"), "MAIN.C AZ{}`~");
  // Both bytes of a GBK character (and Latin-1 letters) stay as they are.
  EXPECT_EQ(UpperCopy("\xD5\xD2x\xE0\xFE"), "\xD5\xD2X\xE0\xFE");

  using Items = std::vector<std::string>;
  EXPECT_EQ(SplitAtSeparators("a;;b;", ";"), (Items{"a", "b"}));
  EXPECT_EQ(SplitAtSeparators(";;;", ";"), Items{});
  EXPECT_EQ(SplitAtSeparators(" .\\inc; C:\\k ;", "; "), (Items{".\\inc", "C:\\k"}));
  EXPECT_EQ(SplitAtSeparators("\xD5\xD2;x", ";"), (Items{"\xD5\xD2", "x"}));
  EXPECT_EQ(SplitAtSeparators("a;b", ""), Items{"a;b"});
  EXPECT_EQ(SplitAtSeparators("a;b", nullptr), Items{"a;b"});
  // A NUL inside the text is no separator, though every C string ends in one.
  EXPECT_EQ(SplitAtSeparators(std::string("a\0b", 3), ";"), Items{std::string("a\0b", 3)});
}

TEST(PathHelpersTest, FullPathIsCutAt260Characters) {
  std::string cwd = CurrentDirectory();
  std::string full = FullPathOf("x.c");
  EXPECT_EQ(full.compare(0, cwd.size(), cwd), 0) << full << " in " << cwd;
  EXPECT_TRUE(IsAbsolutePath(full));
  std::string name;
  for (int i = 0; i < 100; ++i) name += "sub\\";
  EXPECT_EQ(FullPathOf(name).size(), 260u);
}

TEST(PathHelpersTest, StaysInsideTheFolderItIsRelativeTo) {
  struct Case {
    const char* path;
    bool inside;
  } cases[] = {
      {"", true},
      {"x", true},
      {"out\\", true},
      {".\\a\\..\\b", true},
      {"a/b/../../c", true},
      {".\\Target 1\\", true},
      {"..a\\b..", true},
      {"..", false},
      {"..\\out", false},
      {"a\\..\\..\\x", false},
      {"a/../../x", false},
      {".\\..\\x\\", false},
      {"\\x", false},
      {"/tmp", false},
      {"C:x", false},
      {"C:\\p\\out", false},
  };
  for (const Case& c : cases) EXPECT_EQ(StaysInside(c.path), c.inside) << c.path;
}

}  // namespace
}  // namespace c51
