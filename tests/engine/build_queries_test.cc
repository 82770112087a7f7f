// Clean, dependency and include folder queries through GetInterface.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/engine_fixture.h"
#include "platform/ascii_case.h"
#include "platform/fs.h"
#include "platform/path.h"
#include "project/node.h"
#include "support/messages.h"

namespace c51::test {
namespace {

using Strings = std::vector<std::string>;

class BuildQueriesTest : public EngineTest {
 protected:
  Strings Dependencies(const std::string& source) {
    Strings names;
    char buffer[512];
    for (int first = 1; table_->NextDependency(source.c_str(), buffer, sizeof buffer, first);
         first = 0) {
      names.push_back(buffer);
    }
    return names;
  }

  Strings IncludeDirectories() {
    Strings folders;
    char buffer[512];
    for (int first = 1; table_->NextIncludeDirectory(buffer, sizeof buffer, first); first = 0) {
      folders.push_back(buffer);
    }
    return folders;
  }

  static std::string Sep() { return NativePathStyle() == PathStyle::kWindows ? "\\" : "/"; }
  // A name as the compiler records it: the Windows build, as a Windows
  // compiler, in upper case.
  static std::string Recorded(std::string name) {
    if (NativePathStyle() == PathStyle::kWindows) {
      for (char& c : name) c = ToUpperAscii(c);
    }
    return name;
  }
};

TEST_F(BuildQueriesTest, CleanRemovesTheTargetAndEveryProjectFilesObject) {
  Write("main.c", "void main(void) { }\n");
  Write("grp/util.c", "int u;\n");
  Write("Debug/proj.M51", "map\n");
  Write("Debug/keep.txt", "mine\n");
  AddFile(Files(), "main.c");
  AddFile(host_.Add(Files(), "Filter", "Group"), "grp/util.c");
  Open();
  ASSERT_EQ(Build(), 1);
  for (const char* file : {"Debug/proj.lnp", "Debug/proj", "Debug/proj.hex", "Debug/main.obj",
                           "Debug/util.obj", "Debug/.c51commands"}) {
    ASSERT_TRUE(Exists(file)) << file;
  }
  Clear();
  table_->CleanTarget();
  for (const char* file : {"Debug/proj.lnp", "Debug/proj", "Debug/proj.hex", "Debug/proj.M51",
                           "Debug/main.obj", "Debug/util.obj", "Debug/.c51commands"}) {
    EXPECT_FALSE(Exists(file)) << file;
  }
  for (const char* file : {"main.c", "grp/util.c", "Debug/keep.txt"}) {
    EXPECT_TRUE(Exists(file)) << file;
  }
  EXPECT_TRUE(host_.calls.empty());
  // The next build starts from nothing.
  ASSERT_EQ(Build(), 1);
  EXPECT_EQ(LinesStartingWith("compiling ").size(), 2u);
}

// Clean removes what the build makes, not whatever has a kind the build
// also makes: the object folder may be a folder of the user's.
TEST_F(BuildQueriesTest, WithoutFilesCleanRemovesOnlyTheTargetsFiles) {
  host_.Set(config_, "OutputName", "prog.abs");
  for (const char* file :
       {"Debug/a.OBJ", "Debug/b.hex", "Debug/c.M51", "Debug/d.bin", "Debug/prog", "Debug/prog.abs",
        "Debug/prog.lnp", "Debug/prog.hex", "Debug/README", "Debug/sub.obj/inner.obj"}) {
    Write(file, "x");
  }
  Open();
  table_->CleanTarget();
  for (const char* file : {"Debug/prog", "Debug/prog.abs", "Debug/prog.lnp", "Debug/prog.hex"}) {
    EXPECT_FALSE(Exists(file)) << file;
  }
  for (const char* file : {"Debug/a.OBJ", "Debug/b.hex", "Debug/c.M51", "Debug/d.bin",
                           "Debug/README", "Debug/sub.obj/inner.obj"}) {
    EXPECT_TRUE(Exists(file)) << file;
  }
}

// A project file comes from anyone: folders and names that would lead the
// build's files out of the project folder are not used, and each build
// says so; clean then deletes nothing outside either.
TEST_F(BuildQueriesTest, NamesThatLeaveTheProjectFolderAreNotUsed) {
  UseProjectFolder("proj");
  const std::string outside = temp_.path();
  for (const char* file : {"victim", "victim.hex", "victim.lnp", "victim.M51"}) {
    ASSERT_TRUE(WriteWholeFile(outside + file, "mine", nullptr));
  }
  Write("main.c", "void main(void) { }\n");
  AddFile(Files(), "main.c");
  host_.Set(config_, "OutputDirectory", ".\\");
  host_.Set(config_, "OutputName", "..\\victim");
  host_.Set(config_, "ListingDirectory", "lst\\..\\..\\lst\\");
  Open();
  ASSERT_EQ(Build(), 1);
  const std::string note = MessageText(MessageId::kLeavesProjectFolder, Language::kChinese);
  EXPECT_TRUE(HasLine("\"OutputName\" \"..\\victim\"" + note));
  EXPECT_TRUE(HasLine("\"ListingDirectory\" \"lst\\..\\..\\lst\\\"" + note));
  EXPECT_TRUE(Exists("proj.hex"));
  EXPECT_FALSE(PathExists(outside + "lst"));
  table_->CleanTarget();
  EXPECT_FALSE(Exists("proj.hex"));
  for (const char* file : {"victim", "victim.hex", "victim.lnp", "victim.M51"}) {
    std::string contents;
    EXPECT_EQ(ReadWholeFile(outside + file, &contents, nullptr), ReadStatus::kOkay) << file;
    EXPECT_EQ(contents, "mine") << file;
  }

  // The folders too, and a configuration name that would lead the default
  // folders out.
  host_.Set(config_, "OutputDirectory", "..\\out\\");
  host_.Set(config_, "Name", "..\\..\\escaped");
  table_->OpenConfiguration(host_.root(), "..\\..\\escaped");
  ASSERT_EQ(Build(), 1);
  EXPECT_TRUE(HasLine("\"OutputDirectory\" \"..\\out\\\"" + note));
  EXPECT_FALSE(PathExists(outside + "out"));
  EXPECT_FALSE(PathExists(outside + "escaped"));
  EXPECT_FALSE(PathExists(outside + "../escaped"));
  EXPECT_TRUE(Exists("proj.hex"));
}

TEST_F(BuildQueriesTest, DependenciesAreTheIncludeFilesOfTheObjectsRecord) {
  Write("defs.h", "#define N 1\n");
  Write("inc/more.h", "#define M 2\n");
  Write("main.c", "#include \"defs.h\"\n#include \"inc\\more.h\"\n#include <REG51.H>\n");
  Write("lone.c", "int x;\n");
  AddFile(Files(), "main.c");
  Open();
  // Never compiled: nothing.
  EXPECT_TRUE(Dependencies(project_ + "main.c").empty());
  ASSERT_EQ(Build(), 1);

  const Strings names = Dependencies(project_ + "main.c");
  ASSERT_EQ(names.size(), 3u) << ::testing::PrintToString(names);
  // Inside the project folder the folder's text is cut off; outside, the
  // full path stays.
  EXPECT_EQ(names[0], Recorded(Sep() + "defs.h"));
  EXPECT_EQ(names[1], Recorded(Sep() + "inc" + Sep() + "more.h"));
  const std::string reg51 = "INC" + Sep() + "REG51.H";
  ASSERT_GT(names[2].size(), reg51.size());
  EXPECT_EQ(names[2].substr(names[2].size() - reg51.size()), reg51);
  EXPECT_TRUE(IsPathSeparator(names[2][0]) || names[2][1] == ':') << names[2];

  // The source's folder does not matter, only its title.
  EXPECT_EQ(Dependencies("elsewhere\\main.c").size(), 3u);

  // A small buffer gets a cut name that still ends in a NUL.
  char small[8];
  std::memset(small, '#', sizeof small);
  ASSERT_EQ(table_->NextDependency("main.c", small, 4, 1), 1);
  EXPECT_STREQ(small, Recorded(Sep() + "de").c_str());
  EXPECT_EQ(small[4], '#');
  EXPECT_EQ(table_->NextDependency("main.c", small, 0, 0), 0);
}

TEST_F(BuildQueriesTest, IncludeFoldersAreToolchainRegisterFolderAndProjectPaths) {
  host_.device_properties = {"REGFILE=(<Atmel>)"};
  Open();
  ProjectNode* c51 = nullptr;
  for (ProjectNode* tool = FirstChildNamed(config_, "Tool"); tool;
       tool = NextSiblingNamed(tool, "Tool")) {
    if (FakeHost::Get(tool, "Name") == "C51Tool") c51 = tool;
  }
  ASSERT_NE(c51, nullptr);
  const std::string bin = SimToolBin();
  const std::string inc = bin.substr(0, bin.size() - 4) + "INC\\";

  host_.Set(c51, "INCC5", "a;;b");
  EXPECT_EQ(IncludeDirectories(), (Strings{inc, inc + "Atmel\\", "a", "", "b"}));
  // An empty text is one empty entry.
  host_.Set(c51, "INCC5", "");
  EXPECT_EQ(IncludeDirectories(), (Strings{inc, inc + "Atmel\\", ""}));

  // Without the device's folder; each "first" call starts over.
  host_.device_properties = {"REGFILE=REG51.H"};
  table_->SetHostContext(host_.Context());
  host_.Set(c51, "INCC5", "x");
  char buffer[64];
  ASSERT_EQ(table_->NextIncludeDirectory(buffer, sizeof buffer, 1), 1);
  EXPECT_EQ(buffer, inc);
  ASSERT_EQ(table_->NextIncludeDirectory(buffer, sizeof buffer, 1), 1);
  EXPECT_EQ(buffer, inc);
  ASSERT_EQ(table_->NextIncludeDirectory(buffer, sizeof buffer, 0), 1);
  EXPECT_STREQ(buffer, "x");
  EXPECT_EQ(table_->NextIncludeDirectory(buffer, sizeof buffer, 0), 0);
}

TEST_F(BuildQueriesTest, QueriesBeforeAConfigurationAnswerNothing) {
  table_->SetHostContext(host_.Context());
  char buffer[16] = "unchanged";
  EXPECT_EQ(table_->NextDependency("main.c", buffer, sizeof buffer, 1), 0);
  EXPECT_EQ(table_->NextIncludeDirectory(buffer, sizeof buffer, 1), 0);
  EXPECT_STREQ(buffer, "unchanged");
  table_->CleanTarget();
  EXPECT_TRUE(host_.calls.empty());
}

}  // namespace
}  // namespace c51::test
