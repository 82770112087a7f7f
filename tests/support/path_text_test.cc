// The examples of support/path_text.h, row for row, and the edge cases
// behind them.
#include "support/path_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace c51 {
namespace {

constexpr PathBreak kSlash = PathBreak::kSlash;
constexpr PathBreak kDrive = PathBreak::kSlashOrDrive;
constexpr PathBreak kTool = PathBreak::kBackslashOrDrive;

struct Row {
  const char* function;
  const char* in;
  PathBreak breaks;            // for the functions that take one
  const char* out;             // "true"/"false" for the predicates
  const char* extension = "";  // WithExtension's second argument
};

std::string Answer(const Row& row) {
  const std::string_view f = row.function;
  if (f == "NamePart") return std::string(NamePart(row.in, row.breaks));
  if (f == "FileTitle") return std::string(FileTitle(row.in, row.breaks));
  if (f == "DirectoryPart") return std::string(DirectoryPart(row.in, row.breaks));
  if (f == "WithoutExtension") return std::string(WithoutExtension(row.in, row.breaks));
  if (f == "ParentFolder") return ParentFolder(row.in);
  if (f == "ExtensionOf") return std::string(ExtensionOf(row.in));
  if (f == "LowerExtension") return LowerExtension(row.in);
  if (f == "WithExtension") return WithExtension(row.in, row.extension);
  if (f == "IsAbsolutePath") return IsAbsolutePath(row.in) ? "true" : "false";
  if (f == "StaysInside") return StaysInside(row.in) ? "true" : "false";
  ADD_FAILURE() << "no function " << f;
  return std::string();
}

// clang-format off
const Row kRows[] = {
    {"NamePart", ".\\src\\main.c", kSlash, "main.c"},
    {"NamePart", "src/a.b/x.a51", kSlash, "x.a51"},
    {"NamePart", "src/a.b/x.a51", kDrive, "x.a51"},
    {"NamePart", "C:x.a51", kSlash, "C:x.a51"},
    {"NamePart", "C:x.a51", kDrive, "x.a51"},
    {"NamePart", "src/x.a51", kTool, "src/x.a51"},
    {"NamePart", "C:\\p\\", kSlash, ""},
    {"NamePart", "plain", kDrive, "plain"},
    {"NamePart", "", kDrive, ""},

    {"FileTitle", ".\\src\\main.c", kTool, "main"},
    {"FileTitle", "C:a.b.c", kTool, "a.b"},
    {"FileTitle", "dir.x\\name", kTool, "name"},
    {"FileTitle", "src/main.c", kTool, "src/main"},
    {"FileTitle", "C:\\p\\proj.cvproj", kSlash, "proj"},
    {"FileTitle", "C:\\x/proj.uv2", kSlash, "proj"},
    {"FileTitle", ".hidden", kSlash, ""},
    {"FileTitle", "name.", kSlash, "name"},
    {"FileTitle", "C:proj.cvproj", kSlash, "C:proj"},
    {"FileTitle", "\xb2\xe2 \xca\xd4.c", kTool, "\xb2\xe2 \xca\xd4"},  // GBK bytes are opaque

    {"DirectoryPart", "C:\\p\\a.c", kSlash, "C:\\p\\"},
    {"DirectoryPart", "C:/x\\proj.uv2", kSlash, "C:/x\\"},
    {"DirectoryPart", "a/b/c.c", kSlash, "a/b/"},
    {"DirectoryPart", "a/b/c.c", kTool, ""},
    {"DirectoryPart", "C:a.c", kDrive, "C:"},
    {"DirectoryPart", "a.c", kSlash, ""},

    {"WithoutExtension", ".\\src\\main.c", kDrive, ".\\src\\main"},
    {"WithoutExtension", "a.b\\prog", kDrive, "a.b\\prog"},
    {"WithoutExtension", "C:x.abs", kDrive, "C:x"},
    {"WithoutExtension", "src/a.b/x", kTool, "src/a"},
    {"WithoutExtension", "x.tar.gz", kDrive, "x.tar"},
    {"WithoutExtension", "name.", kDrive, "name"},
    {"WithoutExtension", "", kDrive, ""},

    {"ParentFolder", "C:\\p\\a.c", kSlash, "C:\\p"},
    {"ParentFolder", "/usr/lib/x.so", kSlash, "/usr/lib"},
    {"ParentFolder", "a.c", kSlash, "."},
    {"ParentFolder", "/a.c", kSlash, "/"},
    {"ParentFolder", "\\a.c", kSlash, "\\"},
    {"ParentFolder", "C:a.c", kSlash, "."},

    {"ExtensionOf", "C:\\p\\Blinky.UVPROJ", kDrive, "UVPROJ"},
    {"ExtensionOf", "a.b.uvproj", kDrive, "uvproj"},
    {"ExtensionOf", "C:\\p.d\\Blinky", kDrive, ""},
    {"ExtensionOf", "/p.d/Blinky", kDrive, ""},
    {"ExtensionOf", "C:Blinky.uv2", kDrive, "uv2"},
    {"ExtensionOf", "x.c:b", kDrive, ""},
    {"ExtensionOf", "Blinky.", kDrive, ""},
    {"ExtensionOf", "Blinky", kDrive, ""},

    {"LowerExtension", "C:\\p\\Blinky.Uv2", kDrive, "uv2"},
    {"LowerExtension", "\xB9\xA4.UV2", kDrive, "uv2"},
    {"LowerExtension", "Main.C", kDrive, "c"},
    {"LowerExtension", "a.\xC4X", kDrive, "\xC4x"},

    {"WithExtension", "C:\\p\\Blinky.uv2", kDrive, "C:\\p\\Blinky.opt", "opt"},
    {"WithExtension", "C:\\p.d\\Blinky", kDrive, "C:\\p.d\\Blinky.opt", "opt"},
    {"WithExtension", "Blinky.", kDrive, "Blinky.opt", "opt"},
    {"WithExtension", "C:x", kDrive, "C:x.opt", "opt"},

    {"IsAbsolutePath", "C:\\p\\a.c", kSlash, "true"},
    {"IsAbsolutePath", "C:", kSlash, "true"},
    {"IsAbsolutePath", "\\\\server\\x", kSlash, "true"},
    {"IsAbsolutePath", "\\x", kSlash, "true"},
    {"IsAbsolutePath", "/usr/x", kSlash, "true"},
    {"IsAbsolutePath", "a:b", kSlash, "true"},
    {"IsAbsolutePath", "x.c", kSlash, "false"},
    {"IsAbsolutePath", "sub\\x.c", kSlash, "false"},
    {"IsAbsolutePath", ".\\x.c", kSlash, "false"},
    {"IsAbsolutePath", "..\\x.c", kSlash, "false"},
    {"IsAbsolutePath", ".:x", kSlash, "false"},
    {"IsAbsolutePath", "", kSlash, "false"},

    {"StaysInside", "out\\", kSlash, "true"},
    {"StaysInside", ".\\a\\..\\b", kSlash, "true"},
    {"StaysInside", "", kSlash, "true"},
    {"StaysInside", "x", kSlash, "true"},
    {"StaysInside", "a/b/../../c", kSlash, "true"},
    {"StaysInside", ".\\Target 1\\", kSlash, "true"},
    {"StaysInside", "..a\\b..", kSlash, "true"},
    {"StaysInside", "..\\out", kSlash, "false"},
    {"StaysInside", "a\\..\\..\\x", kSlash, "false"},
    {"StaysInside", "\\x", kSlash, "false"},
    {"StaysInside", "C:x", kSlash, "false"},
    {"StaysInside", "/tmp", kSlash, "false"},
    {"StaysInside", "..", kSlash, "false"},
    {"StaysInside", "a/../../x", kSlash, "false"},
    {"StaysInside", ".\\..\\x\\", kSlash, "false"},
    {"StaysInside", "C:\\p\\out", kSlash, "false"},
};
// clang-format on

TEST(PathTextTest, EveryExampleOfTheHeader) {
  for (const Row& row : kRows) {
    SCOPED_TRACE(std::string(row.function) + "(\"" + row.in + "\")");
    EXPECT_EQ(Answer(row), row.out);
  }
}

// Each input in a buffer of exactly its size, cut at every byte, so that a
// read past the end shows under the sanitizer; a view's answer must be a
// piece of the view itself.
TEST(PathTextTest, AnswersStayInsideTheirInput) {
  for (const char* text : {".\\a.b\\c.d", "C:x.a51", "/usr/lib/x.so", "a.", "\\"}) {
    for (size_t n = 0; n <= std::strlen(text); ++n) {
      std::unique_ptr<char[]> copy(new char[n]);
      std::memcpy(copy.get(), text, n);
      const std::string_view view(copy.get(), n);
      for (PathBreak breaks : {kSlash, kDrive, kTool}) {
        for (std::string_view part :
             {NamePart(view, breaks), FileTitle(view, breaks), DirectoryPart(view, breaks),
              WithoutExtension(view, breaks)}) {
          EXPECT_TRUE(part.empty() || (part.data() >= view.data() &&
                                       part.data() + part.size() <= view.data() + view.size()));
        }
        EXPECT_EQ(DirectoryPart(view, breaks).size() + NamePart(view, breaks).size(), n);
      }
      EXPECT_LE(ExtensionOf(view).size(), n);
      EXPECT_LE(ParentFolder(view).size(), n == 0 ? 1 : n);
    }
  }
}

}  // namespace
}  // namespace c51
