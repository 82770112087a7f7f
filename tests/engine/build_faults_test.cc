// Builds whose tools fail in ways the tools' output does not tell: a
// program that cannot start, one that is killed while writing, a step done
// outside the build, a converter that comes back. None may end with the
// old program taken for the new one.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/engine_fixture.h"
#include "platform/fs.h"
#include "platform/path.h"

namespace c51::test {
namespace {

class BuildFaultsTest : public EngineTest {
 protected:
  // A toolchain of its own, whose programs the test may spoil.
  void UseOwnToolchain(const std::vector<std::string>& omit = {}) {
    bin_ = CopyToolchain(tools_.path(), omit);
    UseToolchain(bin_);
  }
  std::string Summary(int errors, int warnings) const {
    return "\"proj\" - " + std::to_string(errors) + " error(s), " + std::to_string(warnings) +
           " warning(s).";
  }
  std::string LastLine() const {
    const std::vector<std::string> lines = Lines();
    return lines.empty() ? std::string() : lines.back();
  }

  ScopedTempDir tools_;
  std::string bin_;
};

#if !defined(_WIN32)
// (On Windows the plug-in shows the system's message box first, which
// would wait for a click here; the runner's unit test covers that side.)
TEST_F(BuildFaultsTest, ACompilerThatCannotStartFailsTheBuild) {
  UseOwnToolchain();
  const std::string compiler = bin_ + "C51.exe";
  std::string program;
  ASSERT_EQ(ReadWholeFile(compiler, &program, nullptr), ReadStatus::kOkay);
  // Not a program any system can start; the file keeps its permissions.
  ASSERT_TRUE(WriteWholeFile(compiler, "not a program\n", nullptr));
  Write("main.c", "void main(void) { }\n");
  AddFile(Files(), "main.c");
  Open();

  EXPECT_EQ(Build(), 0);
  EXPECT_EQ(LinesStartingWith("*** ERROR: \"C51.exe\" could not be started").size(), 1u);
  EXPECT_EQ(LastLine(), Summary(1, 0));
  EXPECT_FALSE(Exists("Debug/proj"));

  // Once it can run, the file is compiled and the program made.
  ASSERT_TRUE(WriteWholeFile(compiler, program, nullptr));
  Clear();
  EXPECT_EQ(Build(), 1);
  EXPECT_EQ(LinesStartingWith("compiling "), (std::vector<std::string>{"compiling main.c..."}));
  EXPECT_TRUE(Exists("Debug/proj.hex"));
}

TEST_F(BuildFaultsTest, ACompilerKilledWhileWritingLeavesNothingThatCountsAsMade) {
  Write("main.c", "void main(void) { }\n");
  Write("util.c", "int u; // SIM: CRASH\n");
  AddFile(Files(), "main.c");
  AddFile(Files(), "util.c");
  Open();
  ASSERT_EQ(Build(), 0);
  EXPECT_EQ(LinesStartingWith("*** ERROR: \"C51.exe\" was ended by signal ").size(), 1u);
  EXPECT_EQ(LastLine(), Summary(1, 0));
  // The half-written object is gone: the next build compiles the file.
  EXPECT_FALSE(Exists("Debug/util.obj"));
  EXPECT_TRUE(Exists("Debug/main.obj"));

  Clear();
  EXPECT_EQ(Build(), 0);
  EXPECT_EQ(LinesStartingWith("compiling "), (std::vector<std::string>{"compiling util.c..."}));

  Write("util.c", "int u;\n");
  Clear();
  EXPECT_EQ(Build(), 1);
  EXPECT_EQ(LinesStartingWith("compiling "), (std::vector<std::string>{"compiling util.c..."}));
  EXPECT_TRUE(HasLine("linking..."));
}
#endif

TEST_F(BuildFaultsTest, AnObjectNewerThanTheProgramIsLinked) {
  Write("main.c", "void main(void) { }\n");
  ProjectNode* main = AddFile(Files(), "main.c");
  Open();
  ASSERT_EQ(Build(), 1);

  // One file translated on its own: the next build has nothing to compile
  // but the program is older than the object.
  ASSERT_EQ(table_->TranslateFile(main), 1);
  Clear();
  EXPECT_EQ(Build(), 1);
  EXPECT_TRUE(LinesStartingWith("compiling ").empty());
  EXPECT_TRUE(HasLine("linking..."));
  EXPECT_EQ(LinesStartingWith("creating hex file from ").size(), 1u);

  // Nothing newer: nothing to do.
  Clear();
  EXPECT_EQ(Build(), 1);
  EXPECT_FALSE(HasLine("linking..."));
  EXPECT_TRUE(LinesStartingWith("creating hex file from ").empty());
}

TEST_F(BuildFaultsTest, AHexConverterMissingOnceMakesTheHexFileWhenItIsBack) {
  UseOwnToolchain({"OH51.exe"});
  Write("main.c", "void main(void) { }\n");
  AddFile(Files(), "main.c");
  Open();
  ASSERT_EQ(Build(), 1);
  EXPECT_FALSE(Exists("Debug/proj.hex"));

  std::error_code ec;
  std::filesystem::copy_file(FsPath(SimToolBin() + "OH51.exe"), FsPath(bin_ + "OH51.exe"), ec);
  ASSERT_FALSE(ec) << ec.message();
  Clear();
  EXPECT_EQ(Build(), 1);
  EXPECT_TRUE(LinesStartingWith("compiling ").empty());
  EXPECT_FALSE(HasLine("linking..."));
  EXPECT_EQ(LinesStartingWith("creating hex file from ").size(), 1u);
  EXPECT_TRUE(Exists("Debug/proj.hex"));
}

TEST_F(BuildFaultsTest, AFailedLinkLeavesNoProgramSoTheNextBuildLinksAgain) {
  Write("main.c", "void main(void) { }\n");
  AddFile(Files(), "main.c");
  Open();
  ASSERT_EQ(Build(), 1);
  ASSERT_TRUE(Exists("Debug/proj"));

  // An object the linker cannot use, added to the project.
  Write("lib/bad.obj", "not an object\n");
  AddFile(Files(), "lib/bad.obj");
  Clear();
  EXPECT_EQ(Build(), 0);
  EXPECT_TRUE(HasLine("linking..."));
  EXPECT_FALSE(Exists("Debug/proj"));

  // Nothing changed, and the program is missing: the linker runs again.
  Clear();
  EXPECT_EQ(Build(), 0);
  EXPECT_TRUE(LinesStartingWith("compiling ").empty());
  EXPECT_TRUE(HasLine("linking..."));
}

}  // namespace
}  // namespace c51::test
