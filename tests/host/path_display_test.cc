// Paths shown as the files that exist, for terminals and editors.
#include <gtest/gtest.h>

#include <string>

#include "host/path_display.h"
#include "platform/codepage.h"
#include "platform/fs.h"
#include "platform/path.h"
#include "support/temp_dir.h"

namespace c51::host {
namespace {

class PathDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(dir_.path().empty());
    for (const char* file : {"src/main.c", "My Dir/Inc/Reg.h"}) {
      std::string err;
      const std::string path = dir_.path() + file;
      ASSERT_TRUE(CreateDirectories(path.substr(0, path.rfind('/'))));
      ASSERT_TRUE(WriteWholeFile(path, "x", &err)) << err;
    }
  }
  // The temporary folder without its trailing separator, "/" between names.
  std::string Root() const {
    std::string root = dir_.path();
    root.pop_back();
    for (char& c : root)
      if (c == '\\') c = '/';
    return root;
  }

  test::ScopedTempDir dir_{"c51show"};
};

TEST_F(PathDisplayTest, ToolPathsBecomeTheFilesThatExist) {
  const std::string root = Root();
  const bool posix = NativePathStyle() == PathStyle::kPosix;
  struct Case {
    std::string path;  // relative ones start from the temporary folder
    std::string cwd;   // under the temporary folder
    std::string shown;
  } cases[] = {
      // The compiler's upper case and separators, the project folder before it.
      {root + "/.\\SRC\\MAIN.C", "", posix ? "src/main.c" : "SRC/MAIN.C"},
      {".\\SRC\\..\\src\\.\\main.c", "", "src/main.c"},
      {"src\\main.c", "src", "main.c"},
      {"src", "src", "."},
      // Outside the current folder: absolute.
      {"src\\main.c", "My Dir", root + "/src/main.c"},
      // A folder whose name starts like the current one's is not below it.
      {"src\\main.c", "sr", root + "/src/main.c"},
      {"MY DIR\\INC\\REG.H", "", posix ? "My Dir/Inc/Reg.h" : "MY DIR/INC/REG.H"},
      // What does not exist keeps its spelling; a folder its separator.
      {".\\Debug\\", "", "Debug/"},
      {".\\src\\NEW.C", "", "src/NEW.C"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path + " in " + c.cwd);
    const std::string cwd = c.cwd.empty() ? root : root + "/" + c.cwd;
    EXPECT_EQ(DisplayPath(c.path, root, cwd), c.shown);
  }
}

// A GBK character whose second byte is "\" stays whole: only real
// separators turn into "/".
TEST_F(PathDisplayTest, GbkTrailBytesAreNoSeparators) {
  if (LocalCodePage() != kCodePageGbk) GTEST_SKIP() << "the local code page is not GBK";
  const std::string name = "\x95\x5C";  // one GBK character, trail byte 0x5C
  std::string err;
  ASSERT_TRUE(CreateDirectories(dir_.path() + name));
  ASSERT_TRUE(WriteWholeFile(dir_.path() + name + "/a.c", "x", &err)) << err;
  const std::string root = Root();
  EXPECT_EQ(DisplayPath(name + "\\a.c", root, root), name + "/a.c");
  EXPECT_EQ(DisplayPath(root + "/" + name + "\\a.c", root, "/elsewhere"),
            root + "/" + name + "/a.c");
}

}  // namespace
}  // namespace c51::host
