#include "platform/env.h"

#include <gtest/gtest.h>

#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#endif

namespace c51 {
namespace {

constexpr char kName[] = "C51_PLATFORM_ENV_TEST";

TEST(EnvTest, SetGetUnset) {
  std::string value = "untouched";
  ASSERT_TRUE(UnsetEnv(kName));
  EXPECT_FALSE(GetEnv(kName, &value));
  EXPECT_EQ("untouched", value);
  // Past any first guess of a buffer size; an empty value is set, not missing.
  for (const std::string& set : {std::string("a=b c"), std::string(5000, 'v'), std::string()}) {
    ASSERT_TRUE(SetEnv(kName, set));
    ASSERT_TRUE(GetEnv(kName, &value));
    EXPECT_EQ(set, value);
  }
  EXPECT_TRUE(UnsetEnv(kName));
  EXPECT_FALSE(GetEnv(kName, &value));
  EXPECT_TRUE(UnsetEnv(kName));  // not there: still no failure
  EXPECT_FALSE(SetEnv("", "x"));
}

// The build's tools see what the plug-in set: a child exits with the code
// the variable holds.
TEST(EnvTest, ChildProcessInherits) {
  ASSERT_TRUE(SetEnv(kName, "7"));
#ifdef _WIN32
  char command[] = "cmd.exe /c exit %C51_PLATFORM_ENV_TEST%";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  ASSERT_TRUE(CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &process));
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  EXPECT_EQ(7u, code);
#else
  int status = std::system("exit $C51_PLATFORM_ENV_TEST");
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(7, WEXITSTATUS(status));
#endif
  UnsetEnv(kName);
}

}  // namespace
}  // namespace c51
