#include "platform/dynamic_library.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/fs.h"

namespace c51 {
namespace {

// Built next to the test program (see CMakeLists.txt).
std::string TestLibraryPath() {
  return ExecutableDirectory() + C51_TEST_LIBRARY_NAME;
}

TEST(DynamicLibraryTest, LoadsAndFindsSymbols) {
  // Written with "\" as project data writes it; POSIX must map it.
  std::string path = TestLibraryPath();
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  DynamicLibrary library;
  std::string err;
  ASSERT_TRUE(library.Open(path, &err)) << err;
  ASSERT_TRUE(library.is_open());
  auto answer = reinterpret_cast<int (*)()>(library.Symbol("PlatformTestAnswer"));
  ASSERT_NE(nullptr, answer);
  EXPECT_EQ(42, answer());
  EXPECT_EQ(nullptr, library.Symbol("NoSuchExport"));

  // Opening again replaces the held library.
  ASSERT_TRUE(library.Open(TestLibraryPath(), &err)) << err;
  auto name = reinterpret_cast<const char* (*)()>(library.Symbol("PlatformTestName"));
  ASSERT_NE(nullptr, name);
  EXPECT_STREQ("platform test library", name());

  library.Close();
  EXPECT_FALSE(library.is_open());
  EXPECT_EQ(nullptr, library.Symbol("PlatformTestAnswer"));
}

TEST(DynamicLibraryTest, MissingLibraryNamesPath) {
  DynamicLibrary library;
  std::string err;
  std::string path = ExecutableDirectory() + "no_such_library_here.dll";
  EXPECT_FALSE(library.Open(path, &err));
  EXPECT_FALSE(library.is_open());
  EXPECT_NE(std::string::npos, err.find("no_such_library_here.dll")) << err;
  EXPECT_FALSE(library.Open(path, nullptr));  // no error text wanted
}

}  // namespace
}  // namespace c51
