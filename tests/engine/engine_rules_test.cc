// The small rules of the build engine, and the object head reader, on the
// static core without the entry table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "build/object_head.h"
#include "build/tool_environment.h"
#include "build/translation.h"
#include "engine/engine_fixture.h"
#include "platform/fs.h"
#include "platform/path.h"
#include "plugin/state.h"
#include "support/temp_dir.h"

namespace c51::test {
namespace {

TEST(IncludeSubdirectoryTest, TheNameBetweenAngleBracketsInParentheses) {
  struct Case {
    const char* text;
    const char* name;
  };
  const Case cases[] = {
      {"(<Atmel>)", "Atmel"},
      {"REG(< Phil ips >)x", "Phil ips"},
      {"(<ab>)(<cd>)", "ab"},
      // The first ")" after the "(" closes it, more than three bytes on.
      {"(<a>)", "a"},
      {"(<>)", ""},
      {"(< >)", ""},
      {"(abc)", "b"},
      {"(<a)", ""},
      {")(<x>", ""},
      {"REG51.H", ""},
      {"", ""},
      {"(<\xD6\xD0>)", "\xD6\xD0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(IncludeSubdirectory(c.text), c.name);
  }
  EXPECT_EQ(IncludeSubdirectory(nullptr), "");
  EXPECT_EQ(CompilerIncludeVariable("C:\\K\\INC\\", ""), "C:\\K\\INC\\");
  EXPECT_EQ(CompilerIncludeVariable("C:\\K\\INC\\", "Atmel"), "C:\\K\\INC\\;C:\\K\\INC\\Atmel\\");
}

TEST(KindOfFileTest, TheExtensionOfTheNameDecidesIgnoringCase) {
  struct Case {
    const char* path;
    FileKind kind;
  };
  const Case cases[] = {
      {".\\src\\main.c", FileKind::kCSource},
      {"MAIN.C", FileKind::kCSource},
      {"start.a51", FileKind::kAssemblySource},
      {"x.ASM", FileKind::kAssemblySource},
      {"gen.Src", FileKind::kAssemblySource},
      {"bubble.s", FileKind::kAssemblySource},
      {"T0.S", FileKind::kAssemblySource},
      {"x.ss", FileKind::kIgnored},
      {"C51S.LIB", FileKind::kObject},
      {"a.obj", FileKind::kObject},
      {"b.rel", FileKind::kObject},
      {"readme", FileKind::kIgnored},
      {"notes.txt", FileKind::kIgnored},
      {"main.cpp", FileKind::kIgnored},
      {"dir.c\\readme", FileKind::kIgnored},
      {"dir.c/readme", FileKind::kIgnored},
      {"C:x.c", FileKind::kCSource},
      {"main.", FileKind::kIgnored},
      {"", FileKind::kIgnored},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(KindOfFile(c.path), c.kind);
  }
}

// Record bytes: header, body of a one-byte tool name, the given entries.
std::string Record(const std::vector<std::pair<int, std::string>>& entries) {
  std::string body =
      "\x03"
      "C51";
  for (const auto& [type, name] : entries) {
    body += static_cast<char>(type);
    body += std::string(5, '\0');
    body += static_cast<char>(name.size());
    body += name;
  }
  std::string record = "\x70";
  record += static_cast<char>(body.size() & 0xFF);
  record += static_cast<char>(body.size() >> 8);
  record += '\xFF';
  return record + body;
}

TEST(ReadObjectHeadTest, ReadsTheRecordWhateverItsSizeAndStopsAtDamage) {
  ScopedTempDir dir;
  ASSERT_FALSE(dir.path().empty());
  std::vector<std::pair<int, std::string>> many;
  // Past the first read: 300 names of 200 bytes.
  for (int i = 0; i < 300; ++i) many.push_back({2, std::string(199, 'h') + std::to_string(i % 10)});
  const std::string long_record = Record(many);
  ASSERT_GT(long_record.size(), 50000u);

  struct Case {
    const char* label;
    std::string bytes;
    RecordStatus status;
    size_t includes;
  };
  const Case cases[] = {
      {"empty file", "", RecordStatus::kNone, 0},
      {"no record", "SIMOBJ 1\nMODULE X\nEND\n", RecordStatus::kNone, 0},
      {"record and module", Record({{1, "main.c"}, {2, "a.h"}, {2, "b.h"}}) + "SIMOBJ 1\n",
       RecordStatus::kRead, 2},
      {"long record", long_record + std::string(10000, 'x'), RecordStatus::kRead, 300},
      {"cut inside the body", long_record.substr(0, 9000), RecordStatus::kTruncated, 0},
      {"header only", std::string("\x70\x10\x00\xFF", 4), RecordStatus::kTruncated, 0},
      {"lengths past the body", std::string("\x70\x03\x00\xFF\x00\x02\x00", 7), RecordStatus::kRead,
       0},
      {"garbage", std::string(5000, '\xFF'), RecordStatus::kNone, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const std::string path = dir.path() + "x.obj";
    std::string err;
    ASSERT_TRUE(WriteWholeFile(path, c.bytes, &err)) << err;
    ObjectHead head;
    ReadObjectHead(path, &head);
    EXPECT_EQ(head.status, InputFile::Status::kOkay);
    EXPECT_EQ(head.time, ModificationTime(path));
    EXPECT_EQ(head.record.status, c.status);
    EXPECT_EQ(head.record.includes.size(), c.includes);
    // Never the whole object when the record is shorter.
    EXPECT_LE(head.bytes.size(), std::max<size_t>(4096, long_record.size()));
  }
  ObjectHead head;
  ReadObjectHead(dir.path() + "missing.obj", &head);
  EXPECT_EQ(head.status, InputFile::Status::kNotFound);
  ReadObjectHead(dir.path(), &head);
  EXPECT_EQ(head.status, InputFile::Status::kOtherError);
}

// NeedsRebuild on a state of its own, with files on disk.
class NeedsRebuildTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(dir_.path().empty());
    state_.output_dir = dir_.path();
    source_ = dir_.path() + "main.c";
    header_ = dir_.path() + "defs.h";
    object_ = dir_.path() + "main.obj";
    Put(source_, "int x;\n");
    Put(header_, "#define N\n");
    Put(object_, Record({{1, source_}, {2, header_}, {2, dir_.path() + "gone.h"}}) + "SIMOBJ 1\n");
    ASSERT_TRUE(SetTimeForward(object_, 10));
  }
  void Put(const std::string& path, const std::string& bytes) {
    std::string err;
    ASSERT_TRUE(WriteWholeFile(path, bytes, &err)) << err;
  }

  ScopedTempDir dir_;
  PluginState state_;
  std::string source_, header_, object_;
};

TEST_F(NeedsRebuildTest, TimesOfSourceObjectAndIncludesDecide) {
  // A header that no longer exists does not count.
  EXPECT_FALSE(NeedsRebuild(&state_, source_));
  state_.build.rebuild_all = true;
  EXPECT_TRUE(NeedsRebuild(&state_, source_));
  state_.build.rebuild_all = false;
  EXPECT_FALSE(NeedsRebuild(&state_, dir_.path() + "nosource.c"));

  ASSERT_TRUE(SetTimeForward(source_, 20));
  EXPECT_TRUE(NeedsRebuild(&state_, source_));
  ASSERT_TRUE(SetTimeForward(object_, 20));
  EXPECT_FALSE(NeedsRebuild(&state_, source_));

  ASSERT_TRUE(RemoveFile(object_));
  EXPECT_TRUE(NeedsRebuild(&state_, source_));
}

TEST_F(NeedsRebuildTest, AnIncludeFileIsLookedAtOncePerBuild) {
  EXPECT_FALSE(NeedsRebuild(&state_, source_));
  ASSERT_TRUE(SetTimeForward(header_, 60));
  // Still the time this build saw first.
  EXPECT_FALSE(NeedsRebuild(&state_, source_));
  state_.build = BuildProgress();
  EXPECT_TRUE(NeedsRebuild(&state_, source_));
}

// The short way of joining must give what the full-path rules give.
TEST(ProjectFilePathTest, AgreesWithTheFullPathRules) {
  const std::string folders[] = {NativePathStyle() == PathStyle::kWindows ? "C:\\p q" : "/p q",
                                 NativePathStyle() == PathStyle::kWindows ? "C:\\" : "/"};
  const char* relatives[] = {
      ".\\main.c",
      "main.c",
      ".\\src\\deep\\a.c",
      "src/a.c",
      ".\\.\\x.a51",
      "..\\up\\b.c",
      "src\\..\\c.c",
      "src\\.\\d.c",
      "src\\\\e.c",
      "src\\",
      ".",
      ".\\",
      "",
      "/abs/f.c",
      "\\abs\\g.c",
      "C:\\h.c",
      "C:rel.c",
      "\xb2\xe2\xca\xd4\\\xce\xc4.c",
  };
  for (const std::string& folder : folders) {
    for (const char* relative : relatives) {
      SCOPED_TRACE(folder + " + " + relative);
      EXPECT_EQ(ProjectFilePath(folder, relative),
                LexicalFullPath(relative, folder, NativePathStyle()));
    }
  }
}

}  // namespace
}  // namespace c51::test
