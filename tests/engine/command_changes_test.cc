// A step runs again when what it would run differs from what made its
// output: an option that reaches a file's command line, an object added
// to the command file. What the options do not reach stays as it is.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "build/command_record.h"
#include "engine/engine_fixture.h"
#include "platform/fs.h"
#include "project/node.h"
#include "support/temp_dir.h"

namespace c51::test {
namespace {

using Strings = std::vector<std::string>;

class CommandChangesTest : public EngineTest {
 protected:
  // main.c at the top, a.c in group "G", start.a51 at the top.
  void SetUpProject() {
    Write("main.c", "void main(void) { }\n");
    Write("grp/a.c", "int a;\n");
    Write("start.a51", "; start\n");
    AddFile(Files(), "main.c");
    group_ = host_.Add(Files(), "Filter", "G");
    AddFile(group_, "grp/a.c");
    AddFile(Files(), "start.a51");
    Open();
    ASSERT_EQ(Build(), 1);
  }
  ProjectNode* ProjectTool(const char* name) {
    for (ProjectNode* tool = FirstChildNamed(config_, "Tool"); tool;
         tool = NextSiblingNamed(tool, "Tool")) {
      if (FakeHost::Get(tool, "Name") == name) return tool;
    }
    return nullptr;
  }
  // The sources translated by the last build, sorted.
  Strings Translated() const {
    Strings names;
    for (const std::string& line : Lines()) {
      for (const char* verb : {"compiling ", "assembling "}) {
        const std::string prefix = verb;
        if (line.compare(0, prefix.size(), prefix) != 0) continue;
        std::string name = line.substr(prefix.size());
        name = name.substr(name.find_last_of("\\/") + 1);  // npos + 1 == 0
        names.push_back(name.substr(0, name.size() - 3));  // without "..."
      }
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  ProjectNode* group_ = nullptr;
};

TEST_F(CommandChangesTest, OptionsRetranslateTheFilesTheyReach) {
  SetUpProject();
  ASSERT_EQ(Translated(), (Strings{"a.c", "main.c", "start.a51"}));

  ASSERT_EQ(Build(), 1);
  EXPECT_EQ(Translated(), Strings{});
  EXPECT_FALSE(HasLine("linking..."));

  struct Step {
    const char* what;
    std::function<void()> change;
    Strings translated;
  };
  ProjectNode* c51 = ProjectTool("C51Tool");
  ASSERT_NE(c51, nullptr);
  const Step steps[] = {
      {"a define for the project",
       [&] { host_.Set(c51, "C51DEF", "VERSION=2"); },
       {"a.c", "main.c"}},
      {"a define for the group",
       [&] {
         ProjectNode* scope = Configure(group_, {});
         host_.Set(host_.Add(scope, "Tool", "C51Tool"), "C51DEF", "IN_GROUP");
       },
       {"a.c"}},
      {"the memory model",
       [&] { host_.Set(config_, "MemMode", "2"); },
       {"a.c", "main.c", "start.a51"}},
      {"the same value again", [&] { host_.Set(config_, "MemMode", "2"); }, {}},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    step.change();
    ASSERT_EQ(Build(), 1);
    EXPECT_EQ(Translated(), step.translated);
    EXPECT_EQ(HasLine("linking..."), !step.translated.empty());
    // And once made, nothing is left to do.
    ASSERT_EQ(Build(), 1);
    EXPECT_EQ(Translated(), Strings{});
  }
}

TEST_F(CommandChangesTest, AnObjectAddedToTheProjectIsLinkedIn) {
  SetUpProject();
  // An object made elsewhere long ago: older than the program.
  Write("lib/extra.c", "int extra;\n");
  ProjectNode* extra = AddFile(Files(), "lib/extra.c");
  ASSERT_EQ(Build(), 1);
  std::error_code ec;
  std::filesystem::rename(FsPath(project_ + "Debug/extra.obj"), FsPath(project_ + "lib/extra.obj"),
                          ec);
  ASSERT_FALSE(ec) << ec.message();
  std::filesystem::last_write_time(
      FsPath(project_ + "lib/extra.obj"),
      std::filesystem::file_time_type::clock::now() - std::chrono::hours(24), ec);
  ASSERT_FALSE(ec) << ec.message();
  host_.Set(extra, "RelativePath", ".\\lib\\extra.obj");

  ASSERT_EQ(Build(), 1);
  EXPECT_EQ(Translated(), Strings{});
  EXPECT_TRUE(HasLine("linking..."));
  std::string command_file;
  ASSERT_EQ(ReadWholeFile(project_ + "Debug/proj.lnp", &command_file, nullptr), ReadStatus::kOkay);
  EXPECT_NE(command_file.find("extra.obj"), std::string::npos) << command_file;

  ASSERT_EQ(Build(), 1);
  EXPECT_FALSE(HasLine("linking..."));
}

// The build keeps what it derived from each file's path from one build to
// the next; files that trade places in the tree must still be taken by
// their own names, objects and commands.
TEST_F(CommandChangesTest, FilesThatTradePlacesAreTakenByTheirOwnNames) {
  Write("b.c", "int b;\n");
  ProjectNode* first = AddFile(Files(), "b.c");
  SetUpProject();
  ProjectNode* main = NextSiblingNamed(first, "File");
  ASSERT_EQ(FakeHost::Get(main, "RelativePath"), ".\\main.c");
  host_.Set(first, "RelativePath", ".\\main.c");
  host_.Set(main, "RelativePath", ".\\b.c");
  Clear();
  ASSERT_EQ(Build(), 1);
  EXPECT_EQ(Translated(), Strings{});
  EXPECT_TRUE(HasLine("linking..."));
  const std::string command_file = Read("Debug/proj.lnp");
  EXPECT_LT(command_file.find("main.obj"), command_file.find("b.obj")) << command_file;

  // A changed source is found under its new place.
  Write("b.c", "int b2;\n");
  std::filesystem::last_write_time(
      FsPath(project_ + "b.c"),
      std::filesystem::file_time_type::clock::now() + std::chrono::seconds(5));
  Clear();
  ASSERT_EQ(Build(), 1);
  EXPECT_EQ(Translated(), Strings{"b.c"});
}

TEST_F(CommandChangesTest, WithoutItsRecordEveryStepRunsOnce) {
  SetUpProject();
  const std::string record = project_ + "Debug/" + CommandRecord::kFileName;
  std::string kept;
  ASSERT_EQ(ReadWholeFile(record, &kept, nullptr), ReadStatus::kOkay);

  const struct {
    const char* what;
    std::string text;  // empty: no file
  } spoilt[] = {
      {"removed", ""},
      {"another format", "c51commands 2\n" + kept.substr(kept.find('\n') + 1)},
      {"garbage", std::string(200, '\xFF')},
      {"cut inside the first entry", kept.substr(0, kept.find('\n') + 10)},
  };
  for (const auto& s : spoilt) {
    SCOPED_TRACE(s.what);
    if (s.text.empty()) {
      ASSERT_TRUE(RemoveFile(record));
    } else {
      ASSERT_TRUE(WriteWholeFile(record, s.text, nullptr));
    }
    ASSERT_EQ(Build(), 1);
    EXPECT_EQ(Translated(), (Strings{"a.c", "main.c", "start.a51"}));
    EXPECT_TRUE(HasLine("linking..."));
    ASSERT_EQ(Build(), 1);
    EXPECT_EQ(Translated(), Strings{});
    EXPECT_FALSE(HasLine("linking..."));
  }
}

TEST(CommandRecordTest, KeepsTheLastLineOfEachNameAndSkipsWhatDoesNotParse) {
  ScopedTempDir dir("c51record");
  const std::string folder = dir.path();
  ASSERT_TRUE(WriteWholeFile(folder + CommandRecord::kFileName,
                             "c51commands 1\n"
                             "00000000000000ff main.obj\n"
                             "0000000000000001 util.obj\n"
                             "zz00000000000001 bad.obj\n"
                             "0000000000000002 main.obj\n"
                             "00000000000001\n"
                             "0000000000000003 a b.obj\n"
                             "0000000000000004 cut.obj",
                             nullptr));
  CommandRecord record;
  record.Load(folder);
  uint64_t value = 0;
  EXPECT_TRUE(record.Find("main.obj", &value));
  EXPECT_EQ(value, 2u);
  EXPECT_TRUE(record.Find("util.obj", &value));
  EXPECT_EQ(value, 1u);
  EXPECT_TRUE(record.Find("a b.obj", &value));
  EXPECT_EQ(value, 3u);
  EXPECT_FALSE(record.Find("bad.obj", &value));
  EXPECT_FALSE(record.Find("cut.obj", &value));

  // Saved and read by another record: the same entries.
  record.Set("new.obj", 0xfedcba9876543210u);
  record.Forget("util.obj");
  ASSERT_TRUE(record.Save());
  CommandRecord other;
  other.Load(folder);
  EXPECT_TRUE(other.Find("new.obj", &value));
  EXPECT_EQ(value, 0xfedcba9876543210u);
  EXPECT_FALSE(other.Find("util.obj", &value));
  EXPECT_TRUE(other.Find("main.obj", &value));
  EXPECT_FALSE(PathExists(folder + CommandRecord::kFileName + ".tmp"));

  // A change on disk is seen by the next Load.
  ASSERT_TRUE(RemoveFile(folder + CommandRecord::kFileName));
  record.Load(folder);
  EXPECT_FALSE(record.Find("main.obj", &value));
}

// A step about to run is forgotten on disk at once, so that a process
// ended in the middle of it leaves no entry that vouches for its output.
TEST(CommandRecordTest, AStepThatStartsIsForgottenOnDiskAtOnce) {
  ScopedTempDir dir("c51record");
  const std::string folder = dir.path();
  const std::string path = folder + CommandRecord::kFileName;
  ASSERT_TRUE(WriteWholeFile(
      path, "c51commands 1\n00000000000000aa a.obj\n00000000000000bb b.obj\n", nullptr));
  CommandRecord record;
  record.Load(folder);
  record.MarkStarting("a.obj");
  record.MarkStarting("none.obj");  // nothing held, nothing written
  uint64_t value = 0;
  EXPECT_FALSE(record.Find("a.obj", &value));
  // Read by the next process, as it is after a kill: no Save came.
  CommandRecord next;
  next.Load(folder);
  EXPECT_FALSE(next.Find("a.obj", &value));
  EXPECT_TRUE(next.Find("b.obj", &value));
  EXPECT_EQ(value, 0xbbu);
  std::string text;
  ASSERT_EQ(ReadWholeFile(path, &text, nullptr), ReadStatus::kOkay);
  EXPECT_EQ(text,
            "c51commands 1\n00000000000000aa a.obj\n00000000000000bb b.obj\n"
            "0000000000000000 a.obj\n");
  // A line of zeros forgets only until the name is recorded again.
  record.Set("a.obj", 0xcc);
  ASSERT_TRUE(record.Save());
  next.Load(folder);
  EXPECT_TRUE(next.Find("a.obj", &value));
  EXPECT_EQ(value, 0xccu);

  // A file that changed behind the record is not written to.
  ASSERT_TRUE(WriteWholeFile(path, "c51commands 1\n00000000000000dd b.obj\n", nullptr));
  record.MarkStarting("b.obj");
  ASSERT_EQ(ReadWholeFile(path, &text, nullptr), ReadStatus::kOkay);
  EXPECT_EQ(text, "c51commands 1\n00000000000000dd b.obj\n");
}

TEST(CommandRecordTest, HashesTellPiecesAndOrderApart) {
  EXPECT_EQ(HashText("OBJECT(a.obj)"), HashText(std::string("OBJECT(a.obj)")));
  EXPECT_NE(HashText(""), HashText(std::string(1, '\0')));
  EXPECT_NE(HashText("DEFINE(A)"), HashText("DEFINE(B)"));
  EXPECT_NE(HashText("12345678abc"), HashText("12345678abd"));
  const uint64_t a = HashText("a"), b = HashText("b");
  EXPECT_NE(CombineHash(a, b), CombineHash(b, a));
}

}  // namespace
}  // namespace c51::test
