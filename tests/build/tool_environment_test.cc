// The environment the tools inherit: for a Windows toolchain under wine
// (POSIX), its folders on the prefix's drives and the project folder in
// WINEPATH, put back afterwards; for any other toolchain, as it always was.
#include "build/tool_environment.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "platform/env.h"
#include "platform/fs.h"
#include "plugin/state.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace c51 {
namespace {

#ifndef _WIN32
class ToolEnvironmentTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(dir_.path().empty());
    // A prefix whose Z: is the root, and whose C: holds the installation.
    ASSERT_TRUE(CreateDirectories(dir_.path() + "prefix/dosdevices"));
    ASSERT_TRUE(CreateDirectories(dir_.path() + "prefix/drive_c/K/C51/BIN"));
    ASSERT_EQ(0, symlink("/", (dir_.path() + "prefix/dosdevices/z:").c_str()));
    ASSERT_EQ(0, symlink("../drive_c", (dir_.path() + "prefix/dosdevices/c:").c_str()));
    const std::string root = dir_.path() + "prefix/drive_c/K/C51/";
    state_.project_dir = "/home/ann/blinky/";
    state_.toolchain.library_dir = root + "LIB/";
    state_.toolchain.include_dir = root + "INC/";
    state_.toolchain.compiler = root + "BIN/C51.exe";
  }
  void Compiler(const std::string& head) {
    ASSERT_TRUE(WriteWholeFile(state_.toolchain.compiler, head, nullptr));
  }
  static std::string Env(const char* name) {
    std::string value = "(unset)";
    GetEnv(name, &value);
    return value;
  }

  test::ScopedTempDir dir_{"c51toolenv"};
  PluginState state_;
  test::ScopedEnv prefix_{"WINEPREFIX", (dir_.path() + "prefix").c_str()};
  test::ScopedEnv wine_path_{"WINEPATH", "Z:\\user\\tools"};
  test::ScopedEnv lib_{"C51LIB", nullptr};
  test::ScopedEnv inc_{"C51INC", nullptr};
};

TEST_F(ToolEnvironmentTest, AWindowsToolchainGetsItsFoldersOnThePrefixDrives) {
  ASSERT_NO_FATAL_FAILURE(Compiler(std::string("MZ\x90\x00", 4)));
  const std::string include = state_.toolchain.include_dir;
  {
    ToolEnvironment environment(state_, include + ";" + include + "Atmel\\");
    EXPECT_EQ("C:\\K\\C51\\LIB\\", Env("C51LIB"));
    EXPECT_EQ("C:\\K\\C51\\INC\\;C:\\K\\C51\\INC\\Atmel\\", Env("C51INC"));
    EXPECT_EQ("Z:\\home\\ann\\blinky\\", Env("WINEPATH"));
  }
  EXPECT_EQ("Z:\\user\\tools", Env("WINEPATH"));
}

TEST_F(ToolEnvironmentTest, AWindowsToolchainGetsTheTypedIncludeFoldersOnThePrefixDrives) {
  ASSERT_NO_FATAL_FAILURE(Compiler(std::string("MZ\x90\x00", 4)));
  const std::string& program = state_.toolchain.compiler;
  const std::string kit = dir_.path() + "prefix/drive_c/K/C51/INC/";
  const struct {
    std::string in, out;
  } cases[] = {
      {"SMALL INCDIR (/opt/inc;src\\inc) DEBUG", "SMALL INCDIR (Z:\\opt\\inc;src\\inc) DEBUG"},
      {"incdir(" + kit + ") x", "incdir(C:\\K\\C51\\INC\\) x"},
      // Two lists, the second from the user's own text.
      {"INCDIR (/a) OT(8) INCDIR(/b;c)", "INCDIR (Z:\\a) OT(8) INCDIR(Z:\\b;c)"},
      // Not a list, or a list never closed: as it is.
      {"DEFINE (INCDIR) INCDIRX", "DEFINE (INCDIR) INCDIRX"},
      {"INCDIR (/open", "INCDIR (/open"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.out, ControlsForProgram(program, c.in)) << c.in;
}

TEST_F(ToolEnvironmentTest, AnElfToolchainGetsItsControlsAsTheyAre) {
  ASSERT_NO_FATAL_FAILURE(
      Compiler("\x7f"
               "ELF"));
  EXPECT_EQ("INCDIR (/opt/inc) X",
            ControlsForProgram(state_.toolchain.compiler, "INCDIR (/opt/inc) X"));
}

TEST_F(ToolEnvironmentTest, AnElfToolchainGetsItsFoldersAsTheyAre) {
  ASSERT_NO_FATAL_FAILURE(
      Compiler("\x7f"
               "ELF"));
  ToolEnvironment environment(state_, state_.toolchain.include_dir);
  EXPECT_EQ(state_.toolchain.library_dir, Env("C51LIB"));
  EXPECT_EQ(state_.toolchain.include_dir, Env("C51INC"));
  EXPECT_EQ("Z:\\user\\tools", Env("WINEPATH"));
}
#endif

}  // namespace
}  // namespace c51
