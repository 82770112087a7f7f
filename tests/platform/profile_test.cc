#include "platform/profile.h"

#include <gtest/gtest.h>

#include "platform/fs.h"
#include "platform/path.h"
#include "support/temp_dir.h"

namespace c51 {
namespace {

// GBK "create" and "pipe": names and values in the local code page.
#define GBK_KEY "\xB4\xB4\xBD\xA8"
#define GBK_VALUE "\xB9\xDC\xB5\xC0"

const char* const kLines[] = {
    "; a comment before any section",
    "[Paths]",
    "; Root = commented out",
    "Root = C:\\Tools",
    "  Quoted = \"  spaced value  \"",
    "Single='x'",
    "Half=\"abc",
    "Empty=",
    "NoEquals",
    "ROOT = second",
    "key with spaces\t=\tv w",
    "Inner = a \"b\" c",
    "[Other]",
    "A=1",
    "[paths]",
    "Later=the first section of a name wins",
    "[GBK]",
    GBK_KEY "=" GBK_VALUE,
    "name=" GBK_KEY,
    "[Tail]",
    "last=end",
};

struct ProfileCase {
  const char* section;
  const char* key;
  const char* fallback;
  const char* expected;
};

const ProfileCase kCases[] = {
    {"Paths", "Root", "-", "C:\\Tools"},
    {"paths", "rOOT", "-", "C:\\Tools"},
    {"Paths", " Root ", "-", "C:\\Tools"},
    {"Paths", "Quoted", "-", "  spaced value  "},
    {"Paths", "Single", "-", "x"},
    {"Paths", "Half", "-", "\"abc"},
    {"Paths", "Inner", "-", "a \"b\" c"},
    {"Paths", "Empty", "-", ""},
    {"Paths", "NoEquals", "-", "-"},
    {"Paths", "key with spaces", "-", "v w"},
    {"Paths", "Missing", "fallback", "fallback"},
    {"Paths", "Later", "-", "-"},
    {"Paths", "A", "-", "-"},
    {"Other", "a", "-", "1"},
    {"Nope", "Root", "fb  ", "fb"},
    {"GBK", GBK_KEY, "-", GBK_VALUE},
    {"gbk", "NAME", "-", GBK_KEY},
    {"Tail", "last", "-", "end"},
};

class ProfileTest : public testing::Test {
 protected:
  // The same lines with either line end; the last line has none.
  std::string Write(const char* name, const char* line_end) {
    std::string text;
    for (const char* line : kLines) {
      if (!text.empty()) text += line_end;
      text += line;
    }
    // GetPrivateProfileString looks for relative names in the Windows folder.
    std::string path = FullPath(dir_.path() + name);
    EXPECT_TRUE(WriteWholeFile(path, text, nullptr));
    return path;
  }
  test::ScopedTempDir dir_{"c51ini"};
};

TEST_F(ProfileTest, ValuesFollowProfileRules) {
  ASSERT_FALSE(dir_.path().empty());
  for (const char* line_end : {"\r\n", "\n"}) {
    std::string file = Write(line_end[0] == '\r' ? "crlf.ini" : "lf.ini", line_end);
    for (const ProfileCase& c : kCases) {
      SCOPED_TRACE(std::string(file) + " [" + c.section + "] " + c.key);
      EXPECT_EQ(c.expected, ReadProfileString(file, c.section, c.key, c.fallback));
    }
  }
}

TEST_F(ProfileTest, KeysInFileOrder) {
  ASSERT_FALSE(dir_.path().empty());
  std::string file = Write("keys.ini", "\r\n");
  std::vector<std::string> paths = {"Root",  "Quoted", "Single",          "Half",
                                    "Empty", "ROOT",   "key with spaces", "Inner"};
  EXPECT_EQ(paths, ReadProfileKeys(file, "PATHS"));
  EXPECT_EQ(std::vector<std::string>({GBK_KEY, "name"}), ReadProfileKeys(file, "GBK"));
  EXPECT_TRUE(ReadProfileKeys(file, "Nope").empty());
  std::string missing = FullPath(dir_.path() + "missing.ini");
  EXPECT_EQ("fb", ReadProfileString(missing, "Paths", "Root", "fb"));
  EXPECT_TRUE(ReadProfileKeys(missing, "Paths").empty());
}

#ifndef _WIN32
// A GBK trail byte can be an ASCII letter; it must not match its other case.
TEST_F(ProfileTest, TrailBytesCompareExactly) {
  ASSERT_FALSE(dir_.path().empty());
  std::string file = dir_.path() + "trail.ini";
  ASSERT_TRUE(WriteWholeFile(file,
                             "[S]\n\x81"
                             "a=lower\n",
                             nullptr));
  EXPECT_EQ("lower", ReadProfileString(file, "S",
                                       "\x81"
                                       "a",
                                       "-"));
  EXPECT_EQ("-", ReadProfileString(file, "S",
                                   "\x81"
                                   "A",
                                   "-"));
}
#endif

}  // namespace
}  // namespace c51
