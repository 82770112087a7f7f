// The dependency log: its bytes, and the rule that a build decides the
// same with the log, without it and with a damaged or foreign one.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "build/command_record.h"
#include "build/dependency_log.h"
#include "build/object_records.h"
#include "build/translation.h"
#include "engine/engine_fixture.h"
#include "platform/ascii_case.h"
#include "platform/fs.h"
#include "plugin/state.h"
#include "support/fs_path.h"
#include "support/temp_dir.h"

namespace c51::test {
namespace {

using Decisions = std::vector<bool>;

void PutU32(std::string* out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out->push_back(static_cast<char>(value >> (8 * i)));
}

// A file around `body` with a correct checksum: only the body's own
// checks can refuse it.
std::string WithHeader(const std::string& body) {
  std::string file("C51DEPS\x1A", 8);
  PutU32(&file, 1);
  const uint64_t sum = HashText(body);
  for (int i = 0; i < 8; ++i) file.push_back(static_cast<char>(sum >> (8 * i)));
  return file + body;
}

std::string Text(const std::string& text) {
  std::string out;
  PutU32(&out, static_cast<uint32_t>(text.size()));
  return out + text;
}

// One object entry: name, time, size, flags, include numbers.
std::string ObjectEntry(const std::string& name, int flags, const std::vector<uint32_t>& numbers) {
  std::string out = Text(name) + std::string("\x10\0\0\0\0\0\0\0\x20\0\0\0\0\0\0\0", 16);
  out.push_back(static_cast<char>(flags));
  PutU32(&out, static_cast<uint32_t>(numbers.size()));
  for (uint32_t n : numbers) PutU32(&out, n);
  return out;
}

TEST(DependencyLogFormatTest, ReadsWhatItWroteAndNothingElse) {
  DependencyLogView log;
  log.folder = "/p/Debug/";
  log.includes = {"/p/a.h", "/p/b.h"};
  log.numbers = {1, 0, 1};
  log.objects = {{"main.obj", {111, 222}, false, 0, 2}, {"u.obj", {333, 444}, true, 2, 1}};
  const std::string bytes = FormatDependencyLog(log);

  DependencyLogView back;
  ASSERT_TRUE(ParseDependencyLog(bytes, &back));
  EXPECT_EQ(back.folder, "/p/Debug/");
  EXPECT_EQ(back.includes, log.includes);
  EXPECT_EQ(back.numbers, log.numbers);
  ASSERT_EQ(back.objects.size(), 2u);
  EXPECT_EQ(back.objects[1].name, "u.obj");
  EXPECT_EQ(back.objects[1].stamp.time, 333);
  EXPECT_EQ(back.objects[1].stamp.size, 444);
  EXPECT_TRUE(back.objects[1].truncated);
  EXPECT_EQ(back.objects[1].first, 2u);
  EXPECT_EQ(back.objects[1].count, 1u);

  // Cut anywhere, or any bit of any byte flipped: refused.
  for (size_t n = 0; n < bytes.size(); ++n) {
    EXPECT_FALSE(ParseDependencyLog(bytes.substr(0, n), &back)) << "cut at " << n;
  }
  for (size_t i = 0; i < bytes.size(); ++i) {
    for (int bit = 0; bit < 8; ++bit) {
      std::string damaged = bytes;
      damaged[i] = static_cast<char>(damaged[i] ^ (1 << bit));
      EXPECT_FALSE(ParseDependencyLog(damaged, &back)) << "byte " << i << " bit " << bit;
    }
  }
  EXPECT_FALSE(ParseDependencyLog(bytes + '\0', &back));
}

TEST(DependencyLogFormatTest, RefusesBodiesThatClaimWhatTheyDoNotHold) {
  const std::string folder = Text("/p/");
  const std::string one_include = folder + [] {
    std::string s;
    PutU32(&s, 1);
    return s + Text("/p/a.h");
  }();
  auto objects = [](const std::vector<std::string>& entries) {
    std::string s;
    PutU32(&s, static_cast<uint32_t>(entries.size()));
    for (const std::string& e : entries) s += e;
    return s;
  };
  struct Case {
    const char* label;
    std::string body;
    bool ok;
  };
  const Case cases[] = {
      {"well formed", one_include + objects({ObjectEntry("m.obj", 0, {0})}), true},
      {"no objects", one_include + objects({}), true},
      {"include count past the end", folder + std::string("\xFF\xFF\xFF\x0F", 4), false},
      {"object count past the end", one_include + std::string("\x40\x42\x0F\x00", 4), false},
      {"include number out of range", one_include + objects({ObjectEntry("m.obj", 0, {1})}), false},
      {"name with a folder", one_include + objects({ObjectEntry("x/m.obj", 0, {})}), false},
      {"name with a backslash", one_include + objects({ObjectEntry("x\\m.obj", 0, {})}), false},
      {"name ..", one_include + objects({ObjectEntry("..", 0, {})}), false},
      {"empty name", one_include + objects({ObjectEntry("", 0, {})}), false},
      {"unknown flag", one_include + objects({ObjectEntry("m.obj", 2, {})}), false},
      {"name length past the end", one_include + objects({Text("m.obj").substr(0, 6)}), false},
      {"bytes after the last object", one_include + objects({}) + "x", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    DependencyLogView log;
    EXPECT_EQ(ParseDependencyLog(WithHeader(c.body), &log), c.ok);
  }
  std::string other_version = WithHeader(one_include + objects({}));
  other_version[8] = 2;
  DependencyLogView log;
  EXPECT_FALSE(ParseDependencyLog(other_version, &log));
}

// Record bytes: header, a body of a tool name, the given include files.
std::string ObjectBytes(const std::string& source, const std::vector<std::string>& includes,
                        size_t pad = 0) {
  std::string body =
      "\x03"
      "C51";
  auto entry = [&body](int type, const std::string& name) {
    body += static_cast<char>(type);
    body += std::string(5, '\0');
    body += static_cast<char>(name.size());
    body += name;
  };
  entry(1, source);
  for (const std::string& include : includes) entry(2, include);
  std::string record = "\x70";
  record += static_cast<char>(body.size() & 0xFF);
  record += static_cast<char>(body.size() >> 8);
  record += '\xFF';
  return record + body + "SIMOBJ 1\n" + std::string(pad, 'm');
}

// Sources a.c .. e.c with objects whose records name x.h, y.h, z.h; each
// Decide() asks what a new process asks: is each source out of date?
class World {
 public:
  World() {
    dir_ = temp_.path();
    for (const char* header : {"x.h", "y.h", "z.h", "w.h"}) Put(header, "#define H\n");
    for (const char* source : {"a.c", "b.c", "c.c", "d.c", "e.c"}) Put(source, "int v;\n");
    PutObject("a", {"x.h"});
    PutObject("b", {"y.h"});
    PutObject("c", {"x.h", "z.h"});
    PutObject("d", {});
    PutObject("e", {"x.h"});
    for (const char* object : {"a.obj", "b.obj", "c.obj", "d.obj", "e.obj"}) Forward(object, 10);
  }

  const std::string& dir() const { return dir_; }
  std::string Log() const { return dir_ + kDependencyLogName; }

  void Put(const std::string& name, const std::string& bytes) {
    std::string err;
    ASSERT_TRUE(WriteWholeFile(dir_ + name, bytes, &err)) << err;
  }
  void PutObject(const std::string& title, const std::vector<std::string>& headers,
                 size_t pad = 0) {
    std::vector<std::string> paths;
    for (const std::string& header : headers) paths.push_back(dir_ + header);
    Put(title + ".obj", ObjectBytes(dir_ + title + ".c", paths, pad));
  }
  void Forward(const std::string& name, int seconds) {
    ASSERT_TRUE(SetTimeForward(dir_ + name, seconds)) << name;
  }
  std::filesystem::file_time_type TimeOf(const std::string& name) const {
    return std::filesystem::last_write_time(FsPath(dir_ + name));
  }
  void SetTime(const std::string& name, std::filesystem::file_time_type time) {
    std::filesystem::last_write_time(FsPath(dir_ + name), time);
  }

  // A build's walk in a new process: the log read first (when `with_log`),
  // then each source checked; the log written after, as the walk does.
  Decisions Decide(bool with_log, bool save = false) const {
    PluginState state;
    state.output_dir = dir_;
    state.build.serial = 1;
    const uint64_t loaded = with_log ? LoadDependencyLog(&state, dir_) : 0;
    Decisions decisions;
    for (const char* source : {"a.c", "b.c", "c.c", "d.c", "e.c"}) {
      decisions.push_back(NeedsRebuild(&state, dir_ + source));
    }
    if (save && DigestOfFolder(&state, dir_) != loaded) {
      EXPECT_TRUE(SaveDependencyLog(&state, dir_));
    }
    return decisions;
  }

 private:
  ScopedTempDir temp_;
  std::string dir_;
};

std::string ReadAll(const std::string& path) {
  std::string bytes;
  EXPECT_EQ(ReadWholeFile(path, &bytes, nullptr), ReadStatus::kOkay) << path;
  return bytes;
}

TEST(DependencyLogTest, AnObjectWithTheLoggedTimeAndSizeIsNotOpened) {
  World world;
  ASSERT_EQ(world.Decide(true, true), Decisions({false, false, false, false, false}));
  ASSERT_TRUE(PathExists(world.Log()));
  // a.obj loses its record but keeps its size and time: the log still
  // speaks for it, so x.h changing rebuilds it. Without the log the object
  // is read and names nothing.
  const auto time = world.TimeOf("a.obj");
  const std::string bytes = ReadAll(world.dir() + "a.obj");
  world.Put("a.obj", std::string(bytes.size(), 'q'));
  world.SetTime("a.obj", time);
  world.Forward("x.h", 60);
  EXPECT_EQ(world.Decide(true), Decisions({true, false, true, false, true}));
  EXPECT_EQ(world.Decide(false), Decisions({false, false, true, false, true}));
}

TEST(DependencyLogTest, NothingChangedNothingWritten) {
  World world;
  world.Decide(true, true);
  const FileStamp first = StampOf(world.Log());
  const std::string bytes = ReadAll(world.Log());
  ASSERT_NE(first.time, 0);
  world.Forward("z.h", 60);  // a header's time is no part of the log
  EXPECT_EQ(world.Decide(true, true), Decisions({false, false, true, false, false}));
  EXPECT_EQ(ReadAll(world.Log()), bytes);
  // An object read again changes the log.
  world.PutObject("d", {"w.h"});
  world.Forward("d.obj", 20);
  world.Decide(true, true);
  EXPECT_NE(ReadAll(world.Log()), bytes);
}

// After the log was written, objects and headers change under it; then
// the log is damaged in each way a disk or a user can damage it. Every
// new process must decide as one without the log.
TEST(DependencyLogTest, DamagedStaleOrForeignLogsDecideAsNoLog) {
  World foreign;
  foreign.Decide(true, true);
  const std::string foreign_log = ReadAll(foreign.Log());

  World world;
  world.Decide(true, true);
  const std::string log = ReadAll(world.Log());
  // b.obj rewritten with the same time and another size, now naming x.h
  // too; c.obj rewritten after the log was written, naming w.h, which is
  // newer than it; then x.h changes. e.obj stays as the log says: the
  // log decides for it, and a damaged name of x.h would hide the change.
  const auto b_time = world.TimeOf("b.obj");
  world.PutObject("b", {"y.h", "x.h"});
  world.SetTime("b.obj", b_time);
  world.PutObject("c", {"w.h"});
  world.Forward("c.obj", 20);
  world.Forward("w.h", 40);
  world.Forward("x.h", 60);
  const Decisions expected = {true, true, true, false, true};
  ASSERT_EQ(world.Decide(false), expected);

  // a.obj takes the time of the other folder's a.obj, whose size it has:
  // that folder's log, if believed, would hide x.h's change from a.
  ASSERT_EQ(foreign.dir().size(), world.dir().size());
  world.SetTime("a.obj", foreign.TimeOf("a.obj"));

  struct Case {
    std::string label;
    std::function<void()> damage;
  };
  std::vector<Case> cases = {
      {"as written", [&] { world.Put(kDependencyLogName, log); }},
      {"deleted", [&] { RemoveFile(world.Log()); }},
      {"foreign", [&] { world.Put(kDependencyLogName, foreign_log); }},
      {"other format", [&] { world.Put(kDependencyLogName, "c51commands 1\n"); }},
      {"older than every object",
       [&] {
         world.Put(kDependencyLogName, log);
         world.SetTime(kDependencyLogName, world.TimeOf("a.c"));
       }},
  };
  for (size_t n = 0; n < log.size(); n += 7) {
    cases.push_back({"cut at " + std::to_string(n),
                     [&world, &log, n] { world.Put(kDependencyLogName, log.substr(0, n)); }});
  }
  for (size_t i = 0; i < log.size(); ++i) {
    cases.push_back({"byte " + std::to_string(i) + " changed", [&world, &log, i] {
                       std::string damaged = log;
                       damaged[i] = static_cast<char>(damaged[i] ^ 0x04);
                       world.Put(kDependencyLogName, damaged);
                     }});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    c.damage();
    EXPECT_EQ(world.Decide(true), expected);
  }
}

// Through the plug-in: the walk writes the log, translations put their new
// records in it, and clean removes it.
class DependencyLogBuildTest : public EngineTest {};

TEST_F(DependencyLogBuildTest, BuildsKeepTheLogAndCleanRemovesIt) {
  Write("defs.h", "#define N 1\n");
  Write("main.c", "#include \"defs.h\"\nvoid main(void) { }\n");
  Write("util.c", "int u;\n");
  AddFile(Files(), "main.c");
  AddFile(Files(), "util.c");
  Open();
  ASSERT_EQ(Build(), 1);
  // The first build's translations are in the log it wrote.
  const std::string log_path = project_ + "Debug/" + kDependencyLogName;
  DependencyLogView log;
  std::string bytes = ReadAll(log_path);
  ASSERT_TRUE(ParseDependencyLog(bytes, &log));
  ASSERT_EQ(log.objects.size(), 2u);
  const FileStamp main_object = StampOf(project_ + "Debug/main.obj");
  EXPECT_EQ(log.objects[0].name, "main.obj");
  EXPECT_EQ(log.objects[0].stamp.time, main_object.time);
  EXPECT_EQ(log.objects[0].stamp.size, main_object.size);
  ASSERT_EQ(log.objects[0].count, 1u);
  // The Windows compiler records the name in upper case.
  std::string recorded(log.includes[log.numbers[log.objects[0].first]]);
  for (char& c : recorded) c = ToLowerAscii(c);
  EXPECT_NE(recorded.find("defs.h"), std::string::npos) << recorded;

  // Up to date: the log stays as it is.
  const FileStamp before = StampOf(log_path);
  Clear();
  ASSERT_EQ(Build(), 1);
  EXPECT_TRUE(LinesStartingWith("compiling ").empty());
  EXPECT_EQ(StampOf(log_path).time, before.time);

  ASSERT_TRUE(SetTimeForward(project_ + "defs.h", 30));
  Clear();
  ASSERT_EQ(Build(), 1);
  EXPECT_EQ(LinesStartingWith("compiling "), std::vector<std::string>({"compiling main.c..."}));
  bytes = ReadAll(log_path);
  ASSERT_TRUE(ParseDependencyLog(bytes, &log));
  EXPECT_EQ(log.objects[0].stamp.time, ModificationTime(project_ + "Debug/main.obj"));

  table_->CleanTarget();
  EXPECT_FALSE(Exists("Debug/" + std::string(kDependencyLogName)));
}

}  // namespace
}  // namespace c51::test
