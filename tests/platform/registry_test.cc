#include "platform/registry.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include "platform/env.h"

namespace c51 {
namespace {

#ifdef _WIN32
// A key of our own, so a machine's real file associations stay untouched.
constexpr char kTestKey[] = "C51PlatformTest\\Shell\\open\\command";

TEST(RegistryTest, ReadsDefaultValue) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_CLASSES_ROOT, kTestKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    GTEST_SKIP() << "no write access to HKEY_CLASSES_ROOT";
  }
  const char command[] = "C:\\Tools\\UV4\\Uv4.exe \"%1\"";
  ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, nullptr, 0, REG_SZ,
                                          reinterpret_cast<const BYTE*>(command), sizeof command));
  RegCloseKey(key);

  std::string value = "untouched";
  EXPECT_TRUE(ReadClassesRootDefault(kTestKey, &value));
  EXPECT_EQ(command, value);
  // The parent key exists but has no default value.
  value = "untouched";
  EXPECT_FALSE(ReadClassesRootDefault("C51PlatformTest\\Shell", &value));
  EXPECT_EQ("untouched", value);
  EXPECT_FALSE(ReadClassesRootDefault("C51PlatformTest\\NoSuchKey", &value));
  RegDeleteTreeA(HKEY_CLASSES_ROOT, "C51PlatformTest");
}
#else
TEST(RegistryTest, OpenCommandComesFromEnvironment) {
  const char kKey[] = "UV2FILE\\Shell\\open\\command";
  std::string value = "untouched";
  UnsetEnv("UV2FILE_OPEN_COMMAND");
  EXPECT_FALSE(ReadClassesRootDefault(kKey, &value));
  EXPECT_EQ("untouched", value);

  ASSERT_TRUE(SetEnv("UV2FILE_OPEN_COMMAND", "/opt/tools/UV4/Uv4 \"%1\""));
  EXPECT_TRUE(ReadClassesRootDefault(kKey, &value));
  EXPECT_EQ("\\opt\\tools\\UV4\\Uv4 \"%1\"", value);
  EXPECT_TRUE(ReadClassesRootDefault("uv2file\\SHELL\\Open\\Command", &value));
  EXPECT_FALSE(ReadClassesRootDefault("UV2FILE\\Shell\\open", &value));
  EXPECT_FALSE(ReadClassesRootDefault("UV2FILE\\Shell\\open\\command\\x", &value));
  EXPECT_FALSE(ReadClassesRootDefault("UV2FILE/Shell/open/command", &value));
  UnsetEnv("UV2FILE_OPEN_COMMAND");
}
#endif

}  // namespace
}  // namespace c51
