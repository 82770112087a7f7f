#include "platform/path.h"

#include <gtest/gtest.h>

#include <span>

#include "platform/fs.h"
#include "support/temp_dir.h"

namespace c51 {
namespace {

struct FullCase {
  const char* path;
  const char* expected;  // against the current folder kWindowsCwd or kPosixCwd
};

constexpr char kWindowsCwd[] = "C:\\p";
constexpr char kPosixCwd[] = "/p";

const FullCase kWindowsFull[] = {
    {"C:\\p\\.\\Debug\\", "C:\\p\\Debug\\"},
    {".\\Debug\\", "C:\\p\\Debug\\"},
    {"C:\\p\\a\\..\\b", "C:\\p\\b"},
    {"C:\\p\\..\\..\\x", "C:\\x"},
    {"C:\\p\\.", "C:\\p"},
    {"C:\\p\\..", "C:\\"},
    {"C:\\p\\Debug\\.\\", "C:\\p\\Debug\\"},
    {"C:\\", "C:\\"},
    {"c:/q//r/", "c:\\q\\r\\"},
    {"D:\\x\\..\\y", "D:\\y"},
    {"\\\\srv\\share\\a\\..\\..\\b", "\\\\srv\\share\\b"},
    {".", "C:\\p"},
    {"..", "C:\\"},
    {"Debug/obj//x.o", "C:\\p\\Debug\\obj\\x.o"},
    {"..\\q\\.\\x.c", "C:\\q\\x.c"},
    {"\\x\\y", "C:\\x\\y"},
};

const FullCase kPosixFull[] = {
    {".\\Debug\\", "/p/Debug/"},
    {"/p/a/../b", "/p/b"},
    {"..", "/"},
    {"../../x", "/x"},
    {"/", "/"},
    {"a//b/./c/", "/p/a/b/c/"},
    {"\\abs\\x", "/abs/x"},
    {".", "/p"},
    {"C:\\x", "/p/C:/x"},
};

bool IsWindowsAbsolute(const std::string& path) {
  return (path.size() > 2 && path[1] == ':' && IsPathSeparator(path[2])) ||
         (path.size() > 1 && IsPathSeparator(path[0]) && IsPathSeparator(path[1]));
}

TEST(PathTest, LexicalFullPathWindows) {
  for (const FullCase& c : kWindowsFull) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(c.expected, LexicalFullPath(c.path, kWindowsCwd, PathStyle::kWindows));
  }
  EXPECT_EQ("", LexicalFullPath("", kWindowsCwd, PathStyle::kWindows));
}

TEST(PathTest, LexicalFullPathPosix) {
  for (const FullCase& c : kPosixFull) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(c.expected, LexicalFullPath(c.path, kPosixCwd, PathStyle::kPosix));
  }
}

// The OS function answers the same table: absolute rows as they are,
// relative ones against a real current folder, which the lexical function
// (held to the table above) is given too.
TEST(PathTest, NativeFullPathAgreesWithTable) {
  bool windows = NativePathStyle() == PathStyle::kWindows;
  std::span<const FullCase> rows = kPosixFull;
  if (windows) rows = kWindowsFull;
  for (const FullCase& c : rows) {
    bool absolute = windows ? IsWindowsAbsolute(c.path) : IsPathSeparator(c.path[0]);
    if (absolute) {
      EXPECT_EQ(c.expected, FullPath(c.path)) << c.path;
    }
  }
  test::ScopedTempDir dir;
  ASSERT_FALSE(dir.path().empty());
  std::string saved = CurrentDirectory();
  ASSERT_TRUE(ChangeCurrentDirectory(dir.path()));
  std::string cwd = CurrentDirectory();
  for (const char* path : {".\\Debug\\", "a/../b", "..", "\\x", "."}) {
    EXPECT_EQ(LexicalFullPath(path, cwd, NativePathStyle()), FullPath(path)) << path;
  }
  ASSERT_TRUE(ChangeCurrentDirectory(saved));
}

struct RelativeCase {
  const char* from;
  const char* to;
  const char* expected;  // null: no relative path
};

const RelativeCase kWindowsRelative[] = {
    {"C:\\p", "C:\\p\\main.c", ".\\main.c"},
    {"C:\\p", "C:\\p\\Debug\\", ".\\Debug\\"},
    {"C:\\p", "C:\\p\\Debug", ".\\Debug"},
    {"C:\\p", "C:\\p", "."},
    {"C:\\p", "C:\\q\\x.c", "..\\q\\x.c"},
    {"C:\\p", "D:\\x.c", nullptr},
    {"C:\\p\\a", "C:\\p\\b\\c.c", "..\\b\\c.c"},
    {"C:\\P\\Src", "c:\\p\\src\\Main.C", ".\\Main.C"},
    {"C:\\p\\a\\b", "C:\\p", "..\\.."},
    {"C:\\p\\a\\b", "C:\\p\\", "..\\..\\"},
    {"C:\\p", "C:\\pq\\x", "..\\pq\\x"},
    {"C:\\", "C:\\x", ".\\x"},
    {"C:\\p", "C:\\", ".."},
    {"C:/p/", "C:/p/obj/x.o", ".\\obj\\x.o"},
    {"\\\\srv\\share\\a", "\\\\srv\\share\\b", "..\\b"},
    {"\\\\srv\\share", "\\\\other\\share", nullptr},
    {"//SRV/share/a", "\\\\srv\\share\\a\\x", ".\\x"},
};

const RelativeCase kPosixRelative[] = {
    {"/p", "/p/main.c", ".\\main.c"},
    {"/p", "/p/Debug/", ".\\Debug\\"},
    {"/p", "/p", "."},
    {"/p", "/q/x.c", "..\\q\\x.c"},
    {"/p/a", "/p/b/c.c", "..\\b\\c.c"},
    {"/p", "/P/x", "..\\P\\x"},
    {"/", "/x", ".\\x"},
    {"/p/a/b", "/", "..\\..\\.."},
    {"\\p\\", "/p/x", ".\\x"},
    {"p", "/p", nullptr},
    {"a/b", "a/c", "..\\c"},
    {"a", "b", nullptr},
};

template <size_t N, typename Function>
void CheckRelative(const RelativeCase (&table)[N], Function relative) {
  for (const RelativeCase& c : table) {
    SCOPED_TRACE(std::string(c.from) + " -> " + c.to);
    std::string out = "untouched";
    bool ok = relative(c.from, c.to, &out);
    EXPECT_EQ(c.expected != nullptr, ok);
    EXPECT_EQ(c.expected ? c.expected : "untouched", out);
  }
}

TEST(PathTest, RelativePathWindows) {
  CheckRelative(kWindowsRelative, [](const char* from, const char* to, std::string* out) {
    return LexicalRelativePath(from, to, PathStyle::kWindows, out);
  });
  if (NativePathStyle() == PathStyle::kWindows) {
    SCOPED_TRACE("PathRelativePathTo");
    CheckRelative(kWindowsRelative, RelativePath);
  }
}

TEST(PathTest, RelativePathPosix) {
  CheckRelative(kPosixRelative, [](const char* from, const char* to, std::string* out) {
    return LexicalRelativePath(from, to, PathStyle::kPosix, out);
  });
  if (NativePathStyle() == PathStyle::kPosix) CheckRelative(kPosixRelative, RelativePath);
}

TEST(PathTest, NativeAndShortPath) {
  bool windows = NativePathStyle() == PathStyle::kWindows;
  EXPECT_EQ(windows ? "a\\b/c" : "a/b/c", NativePath("a\\b/c"));

  test::ScopedTempDir dir;
  ASSERT_FALSE(dir.path().empty());
  std::string missing = dir.path() + "no such long file name.txt";
  EXPECT_EQ(missing, ShortPath(missing));
  std::string existing = dir.path() + "a rather long file name.text";
  ASSERT_TRUE(WriteWholeFile(existing, "x", nullptr));
  std::string short_path = ShortPath(existing);
  EXPECT_TRUE(PathExists(short_path)) << short_path;
  if (!windows) {
    EXPECT_EQ(existing, short_path);
  }
}

}  // namespace
}  // namespace c51
