// `corvane-c51 add` run as a user runs it: a file of the project, in any
// spelling that reaches it, is not added a second time, and two files
// whose names differ only in letter case on a disk that keeps them apart
// are two files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/fs.h"
#include "platform/path.h"
#include "platform/process.h"
#include "support/temp_dir.h"

namespace c51::test {
namespace {

struct HostRun {
  int status = -1;
  std::string out, err;
};

class HostAddTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(dir_.path().empty()); }

  HostRun Host(const std::vector<std::string>& args) {
    const bool windows = NativePathStyle() == PathStyle::kWindows;
    // Appended piece by piece: `"text" + std::string` sets off a false
    // -Wrestrict of GCC 12 at -O3.
    std::string command = "\"";
    command.append(ExecutableDirectory()).append(windows ? "corvane-c51.exe" : "corvane-c51");
    command.push_back('"');
    for (const std::string& arg : args) command.append(" \"").append(arg).push_back('"');
    const ProcessResult result = RunProcess(command, dir_.path());
    HostRun run;
    if (result.status == ProcessStatus::kExited) run.status = result.exit_code;
    run.out = result.out;
    run.err = result.err;
    return run;
  }

  void Put(const std::string& name) {
    std::string err;
    ASSERT_TRUE(CreateDirectories(dir_.path() + "src"));
    ASSERT_TRUE(WriteWholeFile(dir_.path() + name, "int v;\n", &err)) << err;
  }

  // The "RelativePath" of every file in the project file, in order.
  std::vector<std::string> ProjectFiles() {
    std::string text;
    EXPECT_EQ(ReadWholeFile(dir_.path() + "p.cvproj", &text, nullptr), ReadStatus::kOkay);
    std::vector<std::string> files;
    const std::string key = "RelativePath=\"";
    for (size_t at = text.find(key); at != std::string::npos; at = text.find(key, at)) {
      at += key.size();
      files.push_back(text.substr(at, text.find('"', at) - at));
    }
    return files;
  }

  ScopedTempDir dir_;
};

TEST_F(HostAddTest, AFileOfTheProjectInAnotherSpellingIsNotAddedAgain) {
  Put("src/main.c");
  Put("src/util.c");
  ASSERT_EQ(Host({"new", "p.cvproj"}).status, 0);
  ASSERT_EQ(Host({"add", "-p", "p.cvproj", "src/main.c"}).status, 0);
  const HostRun again = Host({"add", "-p", "p.cvproj", "SRC/MAIN.C", "src\\main.c", "./src//Main.c",
                              "src/util.c", "src/../src/UTIL.C"});
  EXPECT_EQ(again.status, 0) << again.err;
  EXPECT_EQ(ProjectFiles(), std::vector<std::string>({".\\src\\main.c", ".\\src\\util.c"}));
  size_t warnings = 0;
  for (size_t at = again.err.find("in the project already"); at != std::string::npos;
       at = again.err.find("in the project already", at + 1)) {
    ++warnings;
  }
  EXPECT_EQ(warnings, 4u) << again.err;
}

TEST_F(HostAddTest, FilesThatDifferInCaseOnADiskThatKeepsThemApartAreTwo) {
  if (NativePathStyle() == PathStyle::kWindows) GTEST_SKIP() << "one file on Windows";
  Put("src/io.c");
  // Made by its exact name: our writes would find io.c in another case.
  std::ofstream(dir_.path() + "src/IO.c") << "int w;\n";
  ASSERT_TRUE(std::filesystem::exists(dir_.path() + "src/IO.c"));
  ASSERT_EQ(Host({"new", "p.cvproj"}).status, 0);
  ASSERT_EQ(Host({"add", "-p", "p.cvproj", "src/io.c", "src/IO.c", "src/Io.c"}).status, 0);
  // "Io.c" is neither: it reaches one of them, found in another case.
  const std::vector<std::string> files = ProjectFiles();
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0], ".\\src\\io.c");
  EXPECT_EQ(files[1], ".\\src\\IO.c");
}

}  // namespace
}  // namespace c51::test
