// The preference store library, loaded and called the way the plug-in
// does: GetOPTI, entry 0 with a word holding the section name, entry 4,
// the record's release function.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "host/store/preference_store.h"
#include "platform/dynamic_library.h"
#include "platform/env.h"
#include "platform/fs.h"
#include "plugin/toolchain.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace c51::host {
namespace {

#if defined(_WIN32)
constexpr char kSep = '\\';
const char* const kConfigVariables[] = {"APPDATA"};
#else
constexpr char kSep = '/';
const char* const kConfigVariables[] = {"XDG_CONFIG_HOME", "HOME"};
#endif

template <typename F>
F FunctionFrom(void* address) {
  return reinterpret_cast<F>(reinterpret_cast<uintptr_t>(address));
}

// Sets or clears an environment variable for one test and restores it.
using test::ScopedEnv;

class PreferenceStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string err;
    ASSERT_TRUE(store_.Open(ExecutableDirectory() + "opt" + kSep + "Mirelsk.dll", &err)) << err;
    auto get_opti = FunctionFrom<GetOptiFunction>(store_.Symbol(kGetOptiSymbol));
    ASSERT_NE(get_opti, nullptr);
    table_ = get_opti();
    set_folder_ =
        FunctionFrom<SetToolchainFolderFunction>(store_.Symbol(kSetToolchainFolderSymbol));
    ASSERT_NE(set_folder_, nullptr);
    set_folder_("");
  }
  void TearDown() override {
    if (set_folder_) set_folder_("");
  }

  void* Section(const char* name) {
    const char* word = name;
    return FunctionFrom<OpenSectionFunction>(table_[0])(&word, 1);
  }
  // The "KC51" answer; "<none>" when there is none.
  std::string Kc51() {
    void* record = FunctionFrom<GetValueFunction>(table_[4])(Section("ToolChain"), "KC51");
    if (!record) return "<none>";
    auto* value = static_cast<StoreValue*>(record);
    std::string text = value->text;
    value->release(record);
    return text;
  }
  // The program folder the plug-in takes from the answer.
  std::string ProgramFolder() {
    ToolchainEntry entry;
    EXPECT_TRUE(ChooseToolchainEntry(Kc51(), kToolchainName, &entry));
    return entry[4];
  }
  static std::string WithoutSeparator(std::string path) {
    while (!path.empty() && (path.back() == '/' || path.back() == '\\')) path.pop_back();
    return path;
  }

  DynamicLibrary store_;
  void* const* table_ = nullptr;
  SetToolchainFolderFunction set_folder_ = nullptr;
};

TEST_F(PreferenceStoreTest, AnswersOnlyItsOneSectionAndKey) {
  EXPECT_NE(Section("ToolChain"), nullptr);
  EXPECT_EQ(Section("toolchain"), Section("ToolChain"));
  EXPECT_EQ(Section("Other"), nullptr);
  auto get_value = FunctionFrom<GetValueFunction>(table_[4]);
  EXPECT_EQ(get_value(Section("ToolChain"), "KC52"), nullptr);
  EXPECT_EQ(get_value(nullptr, "KC51"), nullptr);
  const std::string answer = Kc51();
  // One entry: name, three empty fields, the folder, an empty field, "*".
  EXPECT_EQ(answer.rfind(std::string(kToolchainName) + "||||", 0), 0u) << answer;
  EXPECT_EQ(answer.substr(answer.size() - 2), "|*");
}

TEST_F(PreferenceStoreTest, TheFolderComesFromTheFirstSourceThatIsSet) {
  test::ScopedTempDir dir;
  const std::string host = WithoutSeparator(dir.path() + "host");
  const std::string env = WithoutSeparator(dir.path() + "env");
  const std::string file = WithoutSeparator(dir.path() + "file");
  const std::string config = dir.path() + "config";
  for (const std::string& folder : {host, env, file}) ASSERT_TRUE(CreateDirectories(folder));
  std::string err;
  ASSERT_TRUE(CreateDirectories(config + kSep + "corvane-c51"));
  ASSERT_TRUE(WriteWholeFile(config + kSep + "corvane-c51" + kSep + "toolchain",
                             "\n  \t\n  " + file + "  \r\n", &err));
#if defined(_WIN32)
  ScopedEnv config_home("APPDATA", config);
#else
  ScopedEnv config_home("XDG_CONFIG_HOME", config);
#endif
  ScopedEnv variable(kToolchainEnvironmentVariable, env);

  set_folder_(host.c_str());
  EXPECT_EQ(ProgramFolder(), host);
  set_folder_("");
  EXPECT_EQ(ProgramFolder(), env);
  {
    ScopedEnv cleared(kToolchainEnvironmentVariable, nullptr);
    EXPECT_EQ(ProgramFolder(), file);
  }
}

TEST_F(PreferenceStoreTest, WithNothingSetTheBundledToolchainAnswers) {
  test::ScopedTempDir dir;
  ScopedEnv variable(kToolchainEnvironmentVariable, nullptr);
  // A configuration folder without a preferences file.
  std::string empty = WithoutSeparator(dir.path());
  ScopedEnv config_home(kConfigVariables[0], empty);
  const std::string expected = ExecutableDirectory() + "simtool" + kSep + "C51" + kSep + "BIN";
  EXPECT_EQ(ProgramFolder(), expected);
}

TEST_F(PreferenceStoreTest, AFolderMayBeTheRootOrTheProgramFolder) {
  test::ScopedTempDir dir;
  const std::string keil = dir.path() + "keil";
  const std::string c51 = dir.path() + "c51";
  const std::string bin = dir.path() + "bare";
  ASSERT_TRUE(CreateDirectories(keil + kSep + "C51" + kSep + "BIN"));
  ASSERT_TRUE(CreateDirectories(c51 + kSep + "BIN"));
  ASSERT_TRUE(CreateDirectories(bin));
  struct Case {
    std::string given;
    std::string program;
  } cases[] = {
      {keil, keil + kSep + "C51" + kSep + "BIN"},
      {keil + kSep, keil + kSep + "C51" + kSep + "BIN"},
      {c51, c51 + kSep + "BIN"},
      {c51 + kSep + "BIN", c51 + kSep + "BIN"},
      {bin, bin},
      // A folder that does not exist is taken as it is.
      {dir.path() + "missing", dir.path() + "missing"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.given);
    set_folder_(c.given.c_str());
    EXPECT_EQ(ProgramFolder(), c.program);
  }
}

}  // namespace
}  // namespace c51::host
