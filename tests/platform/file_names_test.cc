// Names as Windows finds them: in any letter case, and (POSIX) in the local
// code page while the file system holds UTF-8.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/codepage.h"
#include "platform/dir_list.h"
#include "platform/env.h"
#include "platform/fs.h"
#include "platform/input_file.h"
#include "platform/path.h"
#include "platform/process.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace c51 {
namespace {

// The local code page for one scope.
class ScopedCodePage : public test::ScopedEnv {
 public:
  explicit ScopedCodePage(const char* value) : ScopedEnv("C51_LOCAL_CODEPAGE", value) {}
};

class FileNamesTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(dir_.path().empty()); }
  std::string At(const std::string& name) const { return dir_.path() + name; }
  void Make(const std::string& name, const std::string& contents) {
    const size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos) {
      ASSERT_TRUE(CreateDirectories(At(name.substr(0, slash))));
    }
    ASSERT_TRUE(WriteWholeFile(At(name), contents, nullptr)) << name;
  }
  std::string Read(const std::string& name) {
    std::string contents;
    return ReadWholeFile(At(name), &contents, nullptr) == ReadStatus::kOkay ? contents
                                                                            : "<missing>";
  }
  ScopedCodePage gbk_{"936"};
  test::ScopedTempDir dir_{"c51names"};
};

TEST_F(FileNamesTest, EveryServiceFindsANameWrittenInAnotherCase) {
  Make("src/main.c", "main");
  Make("Inc/AT89X52.H", "at89");
  Make("lib/CH554.H", "ch554");
  struct Case {
    const char* written;
    const char* contents;
  } cases[] = {
      {"SRC\\Main.C", "main"},
      {"src/MAIN.c", "main"},
      {"inc\\at89x52.h", "at89"},
      {"INC/At89x52.H", "at89"},
      {"LIB\\ch554.h", "ch554"},
      // A folder in another case before "..", as an include from a source
      // named .\USER\Main.c reaches ..\HARDWARE\x.h.
      {"SRC\\..\\lib\\CH554.h", "ch554"},
      {"SRC/./../INC/at89x52.h", "at89"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.written);
    EXPECT_EQ(c.contents, Read(c.written));
    EXPECT_TRUE(PathExists(At(c.written)));
    EXPECT_FALSE(IsDirectory(At(c.written)));
    const FileStamp stamp = StampOf(At(c.written));
    EXPECT_NE(0, stamp.time);
    EXPECT_EQ(static_cast<int64_t>(std::string(c.contents).size()), stamp.size);
    EXPECT_NE(0, ModificationTime(At(c.written)));
    InputFile file;
    ASSERT_EQ(InputFile::Status::kOkay, file.Open(At(c.written)));
    char buffer[8] = {};
    EXPECT_EQ(std::string(c.contents).size(), file.Read(buffer, sizeof buffer - 1));
  }
  EXPECT_TRUE(IsDirectory(At("INC")));
  EXPECT_EQ("<missing>", Read("src/main.h"));
  EXPECT_FALSE(PathExists(At("SRC\\Main.C\\x")));
  EXPECT_EQ(0, StampOf(At("nowhere/Main.C")).time);
  InputFile missing;
  EXPECT_EQ(InputFile::Status::kNotFound, missing.Open(At("SRC/other.c")));
}

TEST_F(FileNamesTest, WritesGoToTheExistingFilesAndFolders) {
  Make("Debug/Main.OBJ", "old");
  ASSERT_TRUE(WriteWholeFile(At("DEBUG\\main.obj"), "new", nullptr));
  ASSERT_TRUE(WriteWholeFile(At("debug\\New.lst"), "listing", nullptr));
  ASSERT_TRUE(CreateDirectories(At("DEBUG\\Sub\\")));
  std::vector<std::string> names;
  ASSERT_TRUE(ListFiles(At("Debug"), &names));
  std::sort(names.begin(), names.end());
  EXPECT_EQ((std::vector<std::string>{"Main.OBJ", "New.lst"}), names);
  EXPECT_EQ("new", Read("Debug/Main.OBJ"));
  EXPECT_TRUE(IsDirectory(At("Debug/Sub")));
  EXPECT_TRUE(RemoveFile(At("DEBUG/MAIN.obj")));
  EXPECT_FALSE(PathExists(At("Debug/Main.OBJ")));
  EXPECT_FALSE(RemoveFile(At("DEBUG/MAIN.obj")));
#ifndef _WIN32
  // A component without a match stays as written.
  EXPECT_EQ(NativeSpelling(At("Debug/")) + "Fresh/x.obj", NativePath(At("debug\\Fresh\\x.obj")));
#endif
}

TEST_F(FileNamesTest, OnDiskSpellingKeepsSeparatorsAndFixesLetters) {
  Make("Inc/REG52.H", "");
  Make("\xB2\xE2/Ab.h", "");  // a GBK folder name
  struct Case {
    std::string written, spelled;
  } cases[] = {
      {"inc\\reg52.h", "Inc\\REG52.H"},     {"INC/Reg52.h", "Inc/REG52.H"},
      {"Inc\\missing.h", "Inc\\missing.h"}, {"\xB2\xE2\\AB.H", "\xB2\xE2\\Ab.h"},
      {"none\\x.h", "none\\x.h"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.written);
#ifdef _WIN32
    EXPECT_EQ(At(c.written), OnDiskSpelling(At(c.written)));
#else
    EXPECT_EQ(At(c.spelled), OnDiskSpelling(At(c.written)));
#endif
  }
}

TEST_F(FileNamesTest, FolderChangesAreSeen) {
  Make("a/one.txt", "1");
  EXPECT_EQ("1", Read("A/ONE.TXT"));
  EXPECT_EQ("<missing>", Read("A/TWO.TXT"));
  // Added and renamed after the folder was listed.
  Make("a/two.txt", "2");
  EXPECT_EQ("2", Read("A/TWO.TXT"));
  ASSERT_TRUE(RemoveFile(At("a/one.txt")));
  Make("a/One.Txt", "1b");
  EXPECT_EQ("1b", Read("A/ONE.TXT"));
  // The same relative name in another current folder is another folder.
  const std::string saved = CurrentDirectory();
  Make("x/sub/k.h", "x");
  Make("y/SUB/K.H", "y");
  ASSERT_TRUE(ChangeCurrentDirectory(At("x")));
  std::string contents;
  ASSERT_EQ(ReadStatus::kOkay, ReadWholeFile("SUB\\K.h", &contents, nullptr));
  EXPECT_EQ("x", contents);
  ASSERT_TRUE(ChangeCurrentDirectory(At("y")));
  ASSERT_EQ(ReadStatus::kOkay, ReadWholeFile("sub\\k.h", &contents, nullptr));
  EXPECT_EQ("y", contents);
  ASSERT_TRUE(ChangeCurrentDirectory(saved));
}

#ifndef _WIN32
// Made as written, whatever is there: our own services would reuse the
// existing name in another case.
void MakeExactly(const std::string& native, const std::string& contents) {
  std::ofstream(native, std::ios::binary) << contents;
}

TEST_F(FileNamesTest, MatchesKeptForAnOperationAreForgottenAfterIt) {
  Make("a/one.txt", "1");
  {
    FileNameMatchScope outer;
    FileNameMatchScope inner;
    EXPECT_EQ("1", Read("A/ONE.TXT"));
    EXPECT_EQ("1", Read("A/ONE.TXT"));
    EXPECT_NE(0, StampOf(At("A/ONE.TXT")).time);
    InputFile file;
    EXPECT_EQ(InputFile::Status::kOkay, file.Open(At("a/ONE.TXT")));
  }
  // Renamed after the scopes ended: the kept match must not be used.
  std::filesystem::rename(NativeSpelling(At("a/one.txt")), NativeSpelling(At("a/One.Txt")));
  EXPECT_EQ("1", Read("A/ONE.TXT"));
  EXPECT_NE(0, StampOf(At("A/ONE.TXT")).time);
  InputFile file;
  EXPECT_EQ(InputFile::Status::kOkay, file.Open(At("a/ONE.TXT")));
}

TEST_F(FileNamesTest, OfNamesThatDifferOnlyInCaseTheExactOneWinsThenByteOrder) {
  for (const char* name : {"Both.h", "BOTH.H", "both.h"}) {
    MakeExactly(At(name), std::string(name).substr(0, 4));
  }
  EXPECT_EQ("Both", Read("Both.h"));
  EXPECT_EQ("both", Read("both.h"));
  EXPECT_EQ("BOTH", Read("bOTH.h"));  // "BOTH.H" < "Both.h" < "both.h"
  ASSERT_TRUE(CreateDirectories(At("dir")));
  MakeExactly(At("dir/X"), "upper");
  std::filesystem::create_directory(At("DIR"));
  MakeExactly(At("DIR/x"), "other folder");
  // "DIR" < "dir", and in "DIR" the name is matched in turn.
  EXPECT_EQ("other folder", Read("Dir/X"));
}

// Inside an operation that has already matched a name, stat and open go
// by the folder listings they hold: they must still find what the file
// system would find, long paths and every spelling included.
TEST_F(FileNamesTest, AnOperationThatMatchedNamesFindsWhatTheDiskHolds) {
  for (const char* name : {"Both.h", "BOTH.H", "both.h"}) {
    MakeExactly(At(name), name);
  }
  // Over the length a short path keeps on the stack, with separators at
  // every offset of an eight-byte word.
  std::string deep = "Deep";
  for (int i = 0; deep.size() < 600; ++i) deep += "\\" + std::string(1 + i % 9, 'd');
  Make(deep + "\\Leaf.c", "leaf");
  Make("src/main.c", "main");

  auto contents = [&](const std::string& name) {
    InputFile file;
    if (file.Open(At(name)) != InputFile::Status::kOkay) return std::string("<missing>");
    char buffer[16] = {};
    return std::string(buffer, file.Read(buffer, sizeof buffer));
  };
  struct Case {
    std::string written;
    std::string found;
  } cases[] = {
      {"Both.h", "Both.h"},        {"both.h", "both.h"},
      {"BOTH.H", "BOTH.H"},        {"bOTH.h", "BOTH.H"},
      {deep + "\\LEAF.C", "leaf"}, {deep + "/leaf.c", "leaf"},
      {"SRC\\MAIN.C", "main"},     {"src\\nothing.c", "<missing>"},
  };
  for (int round = 0; round < 2; ++round) {
    FileNameMatchScope scope;
    // The first lookup of the operation matches a name in another case.
    ASSERT_EQ("main", contents("SRC/Main.c"));
    for (const Case& c : cases) {
      SCOPED_TRACE(c.written);
      EXPECT_EQ(c.found, contents(c.written));
      const int64_t size = StampOf(At(c.written)).size;
      EXPECT_EQ(c.found == "<missing>" ? 0 : static_cast<int64_t>(c.found.size()), size);
    }
  }
}

TEST(TextEdgeTest, LocalAndSystemTexts) {
  ScopedCodePage gbk("936");
  // "test" in Chinese: GBK B2E2 CAD4, UTF-8 E6B58B E8AF95.
  const std::string local = "\xB2\xE2\xCA\xD4\\a.c";
  const std::string system = "\xE6\xB5\x8B\xE8\xAF\x95\\a.c";
  EXPECT_EQ(system, LocalToSystemText(local));
  EXPECT_EQ(local, SystemToLocalText(system));
  std::string out;
  EXPECT_TRUE(SystemToLocalStrict(system, &out));
  EXPECT_EQ(local, out);
  // Not GBK (a lone lead byte): passed on as it is.
  EXPECT_EQ("ab\xB2", LocalToSystemText("ab\xB2"));
  // A character GBK lacks, and bytes that are no UTF-8: never "?".
  const std::string emoji = "x\xF0\x9F\x98\x80";
  EXPECT_EQ(emoji, SystemToLocalText(emoji));
  EXPECT_FALSE(SystemToLocalStrict(emoji, &out));
  EXPECT_EQ("", out);
  EXPECT_FALSE(SystemToLocalStrict("\xFF", &out));
  // Output lines are converted one by one.
  EXPECT_EQ("\xB2\xE2\n\xFF\n" + emoji + "\n\xCA\xD4",
            SystemToLocalText("\xE6\xB5\x8B\n\xFF\n" + emoji + "\n\xE8\xAF\x95"));
  // A GBK character whose second byte is "\" keeps it: 0x815C.
  EXPECT_EQ("/d/\xE4\xB9\x97", NativeSpelling("\\d\\\x81\x5C"));

  ScopedCodePage utf8("65001");
  EXPECT_EQ(local, LocalToSystemText(local));
  EXPECT_EQ(system, SystemToLocalText(system));
  EXPECT_FALSE(SystemToLocalStrict("\xC0\xAF", &out));
}

TEST_F(FileNamesTest, ChineseNamesCrossTheEdgeInBothDirections) {
  // On disk (UTF-8): "测试/主程序.c"; the plug-in's texts are GBK.
  const std::string disk_folder = "\xE6\xB5\x8B\xE8\xAF\x95";
  const std::string gbk_folder = "\xB2\xE2\xCA\xD4";
  const std::string gbk_file = "\xD6\xF7\xB3\xCC\xD0\xF2.c";
  ASSERT_TRUE(CreateDirectories(At(gbk_folder)));
  ASSERT_TRUE(WriteWholeFile(At(gbk_folder + "\\" + gbk_file), "int main;", nullptr));
  EXPECT_TRUE(std::filesystem::is_directory(NativeSpelling(At("")) + disk_folder));
  EXPECT_EQ("int main;", Read(gbk_folder + "/" + gbk_file));
  std::vector<std::string> names;
  ASSERT_TRUE(ListFiles(At(gbk_folder), &names));
  EXPECT_EQ(std::vector<std::string>{gbk_file}, names);

  // A name GBK cannot hold is left out of a listing, never garbled.
  MakeExactly(NativeSpelling(At(gbk_folder)) + "/\xF0\x9F\x98\x80.c", "");
  names.clear();
  ASSERT_TRUE(ListFiles(At(gbk_folder), &names));
  EXPECT_EQ(std::vector<std::string>{gbk_file}, names);

  const std::string saved = CurrentDirectory();
  ASSERT_TRUE(ChangeCurrentDirectory(At(gbk_folder)));
  EXPECT_EQ(At(gbk_folder), CurrentDirectory());
  EXPECT_EQ(At(gbk_folder + "/x.c"), FullPath("x.c"));
  ASSERT_TRUE(ChangeCurrentDirectory(saved));
}

TEST_F(FileNamesTest, ProgramsGetSystemArgumentsAndGiveLocalOutput) {
  // A program named in another case, an argument in GBK, output in UTF-8
  // and in bytes that are no UTF-8.
  Make("Tools/Echo.SH", "#!/bin/sh\nprintf '%s|\\n' \"$1\"\nprintf '\\377\\n'\n");
  ASSERT_EQ(0, system(("chmod +x '" + NativeSpelling(At("Tools/Echo.SH")) + "'").c_str()));
  ProcessResult result = RunProcess("\"" + At("TOOLS\\echo.sh") + "\" \xB2\xE2\xCA\xD4", "");
  ASSERT_EQ(ProcessStatus::kExited, result.status);
  EXPECT_EQ("\xB2\xE2\xCA\xD4|\n\xFF\n", result.out);
}

// Inside an operation, files are looked up through handles on their
// folders; a folder replaced meanwhile by a program, or by anyone before
// the host says so, must be seen as the new folder.
TEST_F(FileNamesTest, AFolderReplacedDuringAnOperationIsSeenAsTheNewOne) {
  Make("obj/old.obj", "old");
  Make("src/main.c", "main");
  FileNameMatchScope scope;
  ASSERT_NE(0, StampOf(At("obj/old.obj")).time);
  ASSERT_NE(0, StampOf(At("SRC/MAIN.C")).time);
  const std::string obj = NativeSpelling(At("obj"));
  ProcessResult result = RunProcess("/bin/sh -c \"rm -rf '" + obj + "' && mkdir '" + obj +
                                        "' && echo new >'" + obj + "/new.obj'\"",
                                    "");
  ASSERT_EQ(ProcessStatus::kExited, result.status);
  ASSERT_EQ(0, result.exit_code) << result.err;
  EXPECT_EQ(0, StampOf(At("obj/old.obj")).time);
  EXPECT_EQ(4, StampOf(At("obj/new.obj")).size);
  EXPECT_EQ(4, StampOf(At("OBJ/NEW.OBJ")).size);

  // Replaced behind the platform's back (a command the host ran), then
  // announced.
  ASSERT_NE(0, StampOf(At("src/main.c")).time);
  std::filesystem::rename(NativeSpelling(At("src")), NativeSpelling(At("gone")));
  std::filesystem::create_directory(NativeSpelling(At("Src")));
  MakeExactly(NativeSpelling(At("Src/Main.c")), "renamed");
  FileNameMatchScope::FoldersMayHaveChanged();
  for (const char* name : {"SRC/MAIN.C", "Src/Main.c", "src\\main.c"}) {
    EXPECT_EQ(7, StampOf(At(name)).size) << name;
  }
}

TEST(ToolSearchPathTest, ProjectFolderFirstThenTheInheritedPath) {
  ScopedCodePage gbk("936");
  EXPECT_EQ("/p/:/usr/bin:/bin", ToolSearchPath("/p/", "/usr/bin:/bin"));
  EXPECT_EQ("/p", ToolSearchPath("/p", ""));
  EXPECT_EQ("/\xE6\xB5\x8B/:/opt/\xF0\x9F\x98\x80",
            ToolSearchPath("\\\xB2\xE2\\", "/opt/\xF0\x9F\x98\x80"));
}
#endif

}  // namespace
}  // namespace c51
