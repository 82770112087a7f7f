#include "plugin/toolchain.h"

#include <gtest/gtest.h>

#include <string>

#if defined(_WIN32)
#include <windows.h>
#endif

#include "platform/dynamic_library.h"
#include "platform/env.h"
#include "platform/fs.h"
#include "platform/registry.h"
#include "plugin/state.h"
#include "support/temp_dir.h"

namespace c51::test {
namespace {

TEST(ChooseToolchainEntryTest, PicksByNameOrTakesTheFirst) {
  struct Case {
    const char* kc51;
    const char* name;
    bool found;
    ToolchainEntry entry;
  };
  const Case cases[] = {
      {"A|1|2|3|C:\\A\\BIN|5*B|1|2|3|C:\\B\\BIN|5*",
       "B",
       true,
       {"B", "1", "2", "3", "C:\\B\\BIN", "5"}},
      {"A|1|2|3|C:\\A\\BIN|5*B|1|2|3|C:\\B\\BIN|5*",
       "",
       true,
       {"A", "1", "2", "3", "C:\\A\\BIN", "5"}},
      {"A|1|2|3|C:\\A\\BIN|5*", "C", false, {}},
      // Missing trailing fields are empty; a last piece without "*" counts.
      {"A|1*B||||D:\\K\\BIN", "B", true, {"B", "", "", "", "D:\\K\\BIN", ""}},
      {"A|1", "", true, {"A", "1", "", "", "", ""}},
      // Names compare exactly.
      {"a|1|2|3|x|5*", "A", false, {}},
      {"", "", false, {}},
      {"*", "", true, {"", "", "", "", "", ""}},
      {"A|1|2|3|4|5|6|7*", "A", true, {"A", "1", "2", "3", "4", "5"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.kc51) + " / " + c.name);
    ToolchainEntry entry;
    EXPECT_EQ(ChooseToolchainEntry(c.kc51, c.name, &entry), c.found);
    if (c.found) {
      EXPECT_EQ(entry, c.entry);
    }
  }
}

TEST(InstallRootFromCommandTest, TheFolderAboveTheProgramFolder) {
  struct Case {
    const char* command;
    const char* root;  // null: no root
  };
  const Case cases[] = {
      {"\"C:\\Keil\\UV4\\Uv4.exe\" \"%1\"", "C:\\Keil\\"},
      {"\"C:\\Program Files\\Keil\\UV2\\UV2.EXE\" %1", "C:\\Program Files\\Keil\\"},
      {"\"C:\\UV4\\Uv4.exe\"", nullptr},  // the folder above is a bare drive
      {"\"C:\\Uv4.exe\"", nullptr},
      {"Uv4.exe", nullptr},
      {"", nullptr},
      {"\\\\", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    std::string root = "unchanged";
    EXPECT_EQ(InstallRootFromCommand(c.command, &root), c.root != nullptr);
    EXPECT_EQ(root, c.root ? c.root : "unchanged");
  }
}

// The preference store stand-in answers with FAKE_PREFERENCE_VALUE.
class LocateToolchainTest : public ::testing::Test {
 protected:
  void SetUp() override {
    install_ = ExecutableDirectory() + "fakehost";
    state_.context.install_dir = install_.c_str();
    state_.context.toolchain_name = toolchain_.c_str();
    UnsetEnv("FAKE_PREFERENCE_VALUE");
    UnsetEnv("UV2FILE_OPEN_COMMAND");
    ASSERT_FALSE(dir_.path().empty());
  }
  void TearDown() override {
    UnsetEnv("FAKE_PREFERENCE_VALUE");
    UnsetEnv("UV2FILE_OPEN_COMMAND");
  }

  // Makes <dir>/C51/BIN/C51.exe and answers with an entry naming its folder.
  std::string InstallCompiler(const std::string& name) {
    std::string bin = dir_.path() + "C51\\BIN";
    EXPECT_TRUE(CreateDirectories(bin));
    std::string err;
    EXPECT_TRUE(WriteWholeFile(bin + "\\C51.exe", "", &err)) << err;
    SetEnv("FAKE_PREFERENCE_VALUE",
           "Other|a|b|c|X:\\BIN|e*" + name + "|a|b|c|" + bin + "?Z:\\second|e*");
    return bin;
  }

  ScopedTempDir dir_;
  std::string install_;
  std::string toolchain_ = "KeilC51";
  PluginState state_;
};

TEST_F(LocateToolchainTest, APreferenceAnswerNamingACompilerIsKeptForGood) {
  const std::string bin = InstallCompiler("KeilC51");
  LocateToolchain(&state_);
  const ToolchainPaths& paths = state_.toolchain;
  EXPECT_TRUE(paths.located);
  EXPECT_EQ(paths.program_dir, bin + "\\");
  EXPECT_EQ(paths.library_dir, dir_.path() + "C51\\LIB\\");
  EXPECT_EQ(paths.include_dir, dir_.path() + "C51\\INC\\");
  EXPECT_EQ(paths.compiler, bin + "\\C51.exe");
  EXPECT_EQ(paths.assembler, bin + "\\A51.exe");
  EXPECT_EQ(paths.library_manager, bin + "\\Lib51.exe");
  EXPECT_EQ(paths.linker, bin + "\\BL51.exe");
  EXPECT_EQ(paths.hex_converter, bin + "\\OH51.exe");

  DynamicLibrary store;
  ASSERT_TRUE(store.Open(install_ + "\\opt\\Mirelsk.dll", nullptr));
  auto report = reinterpret_cast<const char* (*)()>(
      reinterpret_cast<uintptr_t>(store.Symbol("FakeStoreReport")));
  ASSERT_NE(report, nullptr);
  EXPECT_EQ(std::string(report()), "ToolChain|KC51|1|1");

  // Another answer, even another toolchain, changes nothing any more.
  SetEnv("FAKE_PREFERENCE_VALUE", "KeilC51|a|b|c|Y:\\Keil\\C51\\BIN|e*");
  toolchain_ = "Other";
  state_.context.toolchain_name = toolchain_.c_str();
  LocateToolchain(&state_);
  EXPECT_EQ(state_.toolchain.program_dir, bin + "\\");
  EXPECT_EQ(std::string(report()), "ToolChain|KC51|1|1");
}

TEST_F(LocateToolchainTest, WithoutACompilerThePathsStayButNothingIsLocated) {
  SetEnv("FAKE_PREFERENCE_VALUE", "KeilC51|a|b|c|" + dir_.path() + "K\\C51\\BIN\\|e*");
  LocateToolchain(&state_);
  EXPECT_FALSE(state_.toolchain.located);
  EXPECT_EQ(state_.toolchain.program_dir, dir_.path() + "K\\C51\\BIN\\");
  EXPECT_EQ(state_.toolchain.include_dir, dir_.path() + "K\\C51\\INC\\");
  // The next opening asks again.
  const std::string bin = InstallCompiler("KeilC51");
  LocateToolchain(&state_);
  EXPECT_TRUE(state_.toolchain.located);
  EXPECT_EQ(state_.toolchain.program_dir, bin + "\\");
}

TEST_F(LocateToolchainTest, ShortProgramFoldersHaveNoRoot) {
  struct Case {
    const char* value;
    const char* program_dir;
    const char* library_dir;
  };
  const Case cases[] = {
      {"KeilC51|a|b|c|C:\\B|e", "C:\\B\\", "LIB\\"},      // 5 characters
      {"KeilC51|a|b|c|C:\\BI|e", "C:\\BI\\", "C:LIB\\"},  // 6: the last 4 go
      {"KeilC51|a|b|c|?C:\\K\\C51\\BIN|e", "", "LIB\\"},  // empty first folder
      {"KeilC51|a|b|c||e", "", "LIB\\"},
      {"Nobody|a|b|c|C:\\K\\C51\\BIN|e", "", "LIB\\"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    PluginState state;
    state.context = state_.context;
    SetEnv("FAKE_PREFERENCE_VALUE", c.value);
    LocateToolchain(&state);
    EXPECT_FALSE(state.toolchain.located);
    EXPECT_EQ(state.toolchain.program_dir, c.program_dir);
    EXPECT_EQ(state.toolchain.library_dir, c.library_dir);
    EXPECT_EQ(state.toolchain.compiler, std::string(c.program_dir) + "C51.exe");
  }
}

TEST_F(LocateToolchainTest, AStoreWithoutGetOptiOrWithoutFolderGivesNoAnswer) {
  SetEnv("FAKE_PREFERENCE_VALUE", "KeilC51|a|b|c|C:\\K\\C51\\BIN|e");
  const std::string without = ExecutableDirectory() + "fakehost_without_getopti";
  state_.context.install_dir = without.c_str();
  LocateToolchain(&state_);
  EXPECT_EQ(state_.toolchain.program_dir, "");
  EXPECT_EQ(state_.toolchain.library_dir, "LIB\\");
  state_.context.install_dir = nullptr;
  LocateToolchain(&state_);
  EXPECT_EQ(state_.toolchain.program_dir, "");
}

// Sets the uVision file association's start command for one test: the
// registry value on Windows (restored afterwards), its environment stand-in
// on POSIX. `path` uses "/" and gets a drive on Windows.
class ScopedOpenCommand {
 public:
  ScopedOpenCommand() {
#if defined(_WIN32)
    had_value_ = ReadClassesRootDefault(kKey, &saved_);
#endif
  }
  ~ScopedOpenCommand() {
#if defined(_WIN32)
    if (had_value_)
      Write(saved_);
    else
      RegDeleteTreeA(HKEY_CLASSES_ROOT, "UV2FILE");
#else
    UnsetEnv("UV2FILE_OPEN_COMMAND");
#endif
  }
  bool Set(std::string path) {
#if defined(_WIN32)
    for (char& c : path)
      if (c == '/') c = '\\';
    return Write("\"C:" + path + "\" \"%1\"");
#else
    return SetEnv("UV2FILE_OPEN_COMMAND", "\"" + path + "\" \"%1\"");
#endif
  }
  // What the start command's root turns into in the results.
  static std::string Root(const char* folders) {
#if defined(_WIN32)
    return std::string("C:") + folders;
#else
    return folders;
#endif
  }

 private:
#if defined(_WIN32)
  static constexpr char kKey[] = "UV2FILE\\Shell\\open\\command";
  bool Write(const std::string& value) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
      return false;
    bool ok = RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                             static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
  }
  bool had_value_ = false;
  std::string saved_;
#endif
};

// Paths from the file association follow the installation root above the
// program's folder, and the location repeats at every opening.
TEST_F(LocateToolchainTest, TheFileAssociationIsTheFallback) {
  ScopedOpenCommand command;
  if (!command.Set("/opt/keil/UV4/Uv4.exe")) GTEST_SKIP() << "cannot set the file association";
  LocateToolchain(&state_);
  const std::string root = ScopedOpenCommand::Root("\\opt\\keil\\");
  EXPECT_FALSE(state_.toolchain.located);
  EXPECT_EQ(state_.toolchain.program_dir, root + "C51\\BIN\\");
  EXPECT_EQ(state_.toolchain.library_dir, root + "C51\\LIB\\");
  EXPECT_EQ(state_.toolchain.include_dir, root + "C51\\INC\\");
  EXPECT_EQ(state_.toolchain.linker, root + "C51\\BIN\\BL51.exe");

  ASSERT_TRUE(command.Set("/ab/UV4/Uv4.exe"));
  LocateToolchain(&state_);
  EXPECT_EQ(state_.toolchain.program_dir, ScopedOpenCommand::Root("\\ab\\") + "C51\\BIN\\");

  // A command too short for a root leaves the preference answer in place.
  SetEnv("FAKE_PREFERENCE_VALUE", "KeilC51|a|b|c|C:\\K\\C51\\BIN|e");
  ASSERT_TRUE(command.Set("/U.exe"));
  LocateToolchain(&state_);
  EXPECT_EQ(state_.toolchain.program_dir, "C:\\K\\C51\\BIN\\");
}

}  // namespace
}  // namespace c51::test
