// Builds with several translations at once (C51_BUILD_JOBS) against the
// same builds one file after another: every call the host receives, in
// the same order, and the same objects and program; a stop request that
// lands where it would have landed, and reaches every running tool.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "build/translation_jobs.h"
#include "engine/engine_fixture.h"
#include "platform/fs.h"
#include "support/fs_path.h"
#include "support/scoped_env.h"

#if defined(__linux__)
#include <dirent.h>
#include <unistd.h>

#include <fstream>
#endif

namespace c51::test {
namespace {

using Strings = std::vector<std::string>;

// Under ThreadSanitizer, and on Windows where the tests run under wine,
// every tool starts several times slower; the races looked for show in a
// smaller project as well.
#if defined(__SANITIZE_THREAD__) || defined(_WIN32)
constexpr int kManyFiles = 48;
#else
constexpr int kManyFiles = 240;
#endif
constexpr int kSomeFiles = 40;  // past the files the stop test stops at

// Hooks in front of the fake host's services, for one test at a time.
PluginInterface* g_table = nullptr;
void(C51_CDECL* g_output)(const char*, int) = nullptr;
int(C51_CDECL* g_run)(const char*, int, int, int, int*) = nullptr;
std::string g_stop_at;  // StopBuild once this line is shown
std::string g_objects;  // the object folder the commands look into
Strings g_seen_by_commands;

void C51_CDECL StopAtLine(const char* text, int kind) {
  g_output(text, kind);
  if (kind == 1 && std::strstr(text, g_stop_at.c_str()) != nullptr) g_table->StopBuild();
}

// Removes an object the walk has yet to come to, as a user command may.
std::string g_remove;
int C51_CDECL RemoveObject(const char* line, int a, int b, int c, int* exit_code) {
  RemoveFile(g_objects + g_remove);
  return g_run(line, a, b, c, exit_code);
}

// Which of a.obj, b.obj, c.obj a user command finds.
int C51_CDECL ListObjects(const char* line, int a, int b, int c, int* exit_code) {
  std::string seen;
  for (const char* name : {"a", "b", "c"}) {
    if (PathExists(g_objects + name + ".obj")) seen += name;
  }
  g_seen_by_commands.push_back(seen);
  return g_run(line, a, b, c, exit_code);
}

// What a build left: every host call in order, and the object folder's
// files but the command record (whose lines follow a hash table's order).
struct Outcome {
  int result = -1;
  Strings calls;
  std::map<std::string, std::string> files;
};

class ParallelBuildTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    g_table = table_;
    g_output = table_->HostOutput;
    g_run = table_->HostRunCommand;
    g_objects = project_ + "Debug/";
    g_seen_by_commands.clear();
  }

  Outcome BuildWith(int jobs, int rebuild_all = 0) {
    ScopedEnv setting(kBuildJobsVariable, std::to_string(jobs));
    Outcome outcome;
    outcome.result = Build(rebuild_all);
    for (const HostCall& call : host_.calls) {
      std::string text = call.service;
      for (const std::string& arg : call.args) text += "|" + arg;
      outcome.calls.push_back(text);
    }
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(FsPath(project_ + "Debug"), ec)) {
      const std::string name = entry.path().filename().string();
      // The records of commands and of objects' dependencies hold times.
      if (name != ".c51commands" && name != ".c51deps") outcome.files[name] = Read("Debug/" + name);
    }
    return outcome;
  }

  // Everything in the object folder, which the configuration made.
  void RemoveObjects() {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(FsPath(project_ + "Debug"), ec)) {
      std::filesystem::remove(entry.path(), ec);
    }
  }

  // The objects of C files compiled to assembly record when that assembly
  // was written, which differs from build to build: of them, only what
  // follows the record counts.
  //
  // With `objects_only` the other files are left out: a stopped build that
  // dropped a translation removes its object, but not the assembly or
  // listing it may have written on the way.
  void ExpectSame(const Outcome& one, const Outcome& many, bool objects_only = false) const {
    EXPECT_EQ(one.result, many.result);
    EXPECT_EQ(one.calls, many.calls);
    std::string names[2];
    for (int i = 0; i < 2; ++i) {
      for (const auto& [name, bytes] : (i == 0 ? one : many).files) {
        if (!objects_only || name.ends_with(".obj")) names[i] += name + " ";
      }
    }
    ASSERT_EQ(names[0], names[1]);
    for (const auto& [name, bytes] : one.files) {
      if (objects_only && !name.ends_with(".obj")) continue;
      SCOPED_TRACE(name);
      auto found = many.files.find(name);
      ASSERT_NE(found, many.files.end());
      if (generated_.count(name) != 0) {
        EXPECT_EQ(found->second.substr(found->second.find("SIMOBJ")),
                  bytes.substr(bytes.find("SIMOBJ")));
      } else {
        EXPECT_TRUE(found->second == bytes);
      }
    }
  }

  // Puts the sources back as they were written, times included, as the
  // objects record them.
  void RestoreSources() {
    for (const auto& [name, source] : sources_) {
      Write(name, source.text);
      std::filesystem::last_write_time(FsPath(project_ + name), source.time);
    }
  }

  // Adds an error to a source, which is then newer than its object.
  void AddError(const std::string& name) {
    Write(name, Read(name) + "int e = x; // SIM: ERROR C202 'x': undefined identifier\n");
    std::filesystem::last_write_time(FsPath(project_ + name), spoiled_time_);
  }

  struct Source {
    std::string text;
    std::filesystem::file_time_type time;
  };
  std::map<std::string, Source> sources_;
  std::filesystem::file_time_type spoiled_time_;
  std::set<std::string> generated_;  // objects made from compiler-made assembly

  // f000.c ... in three groups, one nested; assembly sources among them,
  // C files compiled to assembly and assembled, warnings spread over them.
  // Returns the C files' names.
  Strings WriteProject(int count) {
    ProjectNode* app = host_.Add(Files(), "Filter", "App");
    ProjectNode* drivers = host_.Add(Files(), "Filter", "Drivers");
    ProjectNode* uart = host_.Add(drivers, "Filter", "Uart");
    ProjectNode* groups[] = {app, drivers, uart};
    Strings c_files;
    for (int i = 0; i < count; ++i) {
      char title[16];
      std::snprintf(title, sizeof title, "f%03d", i);
      ProjectNode* group = groups[i * 3 / count];
      if (i % 9 == 4) {
        const std::string name = std::string(title) + ".a51";
        std::string text = "        NOP\n";
        if (i % 2 == 0) text += "; SIM: WARNING A41 MISSING 'END' STATEMENT\n";
        Write(name, text + "        END\n");
        AddFile(group, name);
        continue;
      }
      const std::string name = std::string(title) + ".c";
      std::string text = "int v" + std::to_string(i) + ";\n";
      if (i % 5 == 0) text += "// SIM: WARNING C280 'i': unreferenced local variable\n";
      if (i == 0) text += "void main(void) { }\n";
      Write(name, text);
      ProjectNode* file = AddFile(group, name);
      if (i % 11 == 3) {
        Configure(file, {{"GenAsm", "1"}, {"AsmAsm", "1"}});
        generated_.insert(std::string(title) + ".obj");
      }
      c_files.push_back(name);
    }
    // An hour back, so that a source given an error an hour ahead is newer
    // than every object; the same times for every run.
    const auto now = std::filesystem::file_time_type::clock::now();
    spoiled_time_ = std::chrono::floor<std::chrono::seconds>(now + std::chrono::hours(1));
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(FsPath(project_), ec)) {
      if (!entry.is_regular_file()) continue;
      const std::string name = entry.path().filename().string();
      sources_[name] =
          Source{Read(name), std::chrono::floor<std::chrono::seconds>(now - std::chrono::hours(1))};
    }
    RestoreSources();
    return c_files;
  }
};

TEST_F(ParallelBuildTest, ManyFilesGiveTheSameCallsAndFilesAsOneAfterAnother) {
  const Strings c_files = WriteProject(kManyFiles);
  Open();

  std::vector<Outcome> outcomes[2];
  const int jobs[2] = {1, 4};
  for (int run = 0; run < 2; ++run) {
    SCOPED_TRACE(jobs[run]);
    RestoreSources();
    RemoveObjects();
    // A full build with warnings, then errors in a few files, then all
    // files again with the errors.
    outcomes[run].push_back(BuildWith(jobs[run]));
    for (size_t i = 7; i < c_files.size(); i += 41) ASSERT_NO_FATAL_FAILURE(AddError(c_files[i]));
    outcomes[run].push_back(BuildWith(jobs[run]));
    outcomes[run].push_back(BuildWith(jobs[run], 1));
  }
  ASSERT_EQ(outcomes[0][0].result, 1);
  EXPECT_TRUE(outcomes[0][0].files.count("proj.hex"));
  EXPECT_EQ(outcomes[0][1].result, 0);
  for (size_t i = 0; i < outcomes[0].size(); ++i) {
    SCOPED_TRACE("build " + std::to_string(i));
    ExpectSame(outcomes[0][i], outcomes[1][i]);
  }
}

// Stopped at the boundary after a file: as the first file begins, and
// after a C file's and an assembly source's last line. (A stop that comes
// just as a file's first line is shown is no such boundary: one file after
// another, its tool would start only after the request and run to its
// end; started ahead, it is running and gets interrupted.)
TEST_F(ParallelBuildTest, AStopLandsWhereItLandsOneFileAfterAnother) {
  WriteProject(kSomeFiles);
  Open();
  for (const std::string& stop_at : {std::string("compiling f000.c..."),
                                     std::string("F030.C(2):C280:"), std::string("F022.A51(")}) {
    SCOPED_TRACE(stop_at);
    std::vector<Outcome> outcomes[2];
    const int jobs[2] = {1, 4};
    for (int run = 0; run < 2; ++run) {
      SCOPED_TRACE(jobs[run]);
      RemoveObjects();
      g_stop_at = stop_at;
      table_->HostOutput = StopAtLine;
      outcomes[run].push_back(BuildWith(jobs[run]));
      // The next build goes on from there.
      table_->HostOutput = g_output;
      outcomes[run].push_back(BuildWith(jobs[run]));
    }
    ASSERT_EQ(outcomes[0][0].result, 0);
    EXPECT_EQ(outcomes[0][0].calls.back(), "Output|Program build aborted.|1");
    EXPECT_EQ(outcomes[0][1].result, 1);
    for (size_t i = 0; i < outcomes[0].size(); ++i) {
      SCOPED_TRACE("build " + std::to_string(i));
      ExpectSame(outcomes[0][i], outcomes[1][i], i == 0);
    }
  }
}

TEST_F(ParallelBuildTest, UserCommandsBeforeACompileFindTheFilesBeforeItTranslated) {
  for (const char* name : {"a.c", "b.c", "c.c"}) {
    Write(name, "int x; // SIM: SLEEP 300\n");
    AddFile(Files(), name);
  }
  host_.Set(config_, "BeforeCmp", "1?cmd?0??");
  Open();
  table_->HostRunCommand = ListObjects;
  const Outcome one = BuildWith(1);
  EXPECT_EQ(g_seen_by_commands, (Strings{"", "a", "ab"}));
  RemoveObjects();
  g_seen_by_commands.clear();
  const Outcome many = BuildWith(4);
  EXPECT_EQ(g_seen_by_commands, (Strings{"", "a", "ab"}));
  ExpectSame(one, many);
}

// An up-to-date build asks about the objects ahead of the walk. Once a
// user command has run, what was asked before it does not count: the
// object it removed is made again, in one build as in the other.
TEST_F(ParallelBuildTest, AnObjectRemovedByACommandDuringTheWalkIsMadeAgain) {
  const Strings c_files = WriteProject(120);
  Open();
  ASSERT_EQ(BuildWith(1).result, 1);
  for (int jobs : {1, 4}) {
    SCOPED_TRACE(jobs);
    // Only f081.c is out of date; its command removes f110.obj.
    std::filesystem::last_write_time(FsPath(project_ + "f081.c"), spoiled_time_);
    host_.Set(config_, "BeforeCmp", "1?cmd?0??");
    table_->HostRunCommand = RemoveObject;
    g_remove = "f110.obj";
    const Outcome outcome = BuildWith(jobs);
    table_->HostRunCommand = g_run;
    host_.Set(config_, "BeforeCmp", "");
    Strings translated;
    for (const std::string& call : outcome.calls) {
      if (call.starts_with("Output|compiling ") || call.starts_with("Output|assembling ")) {
        translated.push_back(call.substr(0, call.rfind('|')));
      }
    }
    EXPECT_EQ(translated, (Strings{"Output|compiling f081.c...", "Output|compiling f110.c..."}));
    EXPECT_TRUE(outcome.files.count("f110.obj"));
    std::filesystem::last_write_time(FsPath(project_ + "f081.c"), sources_["f081.c"].time);
  }
}

// Both make Debug\x.obj: the later one must not start while the earlier
// one writes, and its object is the one kept, as one after another.
TEST_F(ParallelBuildTest, FilesSharingANameTranslateInTurn) {
  Write("one/x.c", "int one; // SIM: SLEEP 300\n");
  Write("two/x.c", "int two;\n");
  Write("main.c", "void main(void) { }\n");
  for (const char* name : {"one/x.c", "two/x.c", "main.c"}) AddFile(Files(), name);
  Open();
  const Outcome one = BuildWith(1);
  RemoveObjects();
  const Outcome many = BuildWith(4);
  ExpectSame(one, many);
  EXPECT_NE(many.files.at("x.obj").find("two"), std::string::npos);
}

#if defined(__linux__)
// The programs named `name` whose parent is this process.
int RunningChildren(const std::string& name) {
  int count = 0;
  DIR* proc = opendir("/proc");
  if (proc == nullptr) return 0;
  while (dirent* entry = readdir(proc)) {
    std::ifstream stat(std::string("/proc/") + entry->d_name + "/stat");
    std::string pid, comm, state;
    long parent = 0;
    if (stat >> pid >> comm >> state >> parent && parent == getpid() && comm == "(" + name + ")" &&
        state != "Z") {
      ++count;
    }
  }
  closedir(proc);
  return count;
}
#endif

TEST_F(ParallelBuildTest, AStopReachesEveryRunningTool) {
#if !defined(__linux__)
  GTEST_SKIP() << "counts the running tools in /proc";
#else
  for (const char* name : {"a.c", "b.c", "c.c", "d.c"}) {
    Write(name, "int x; // SIM: SLEEP 60000\n");
    AddFile(Files(), name);
  }
  Open();
  std::atomic<bool> built{false};
  Outcome outcome;
  std::thread build([&] {
    outcome = BuildWith(4);
    built = true;
  });
  // Polled, not timed: the four start at once.
  while (!built && RunningChildren("C51.exe") < 4) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  table_->StopBuild();
  build.join();
  // Every tool was interrupted, not left to sleep on: a.c shows it, and
  // the files after it are dropped unseen, as they would not have started.
  EXPECT_EQ(RunningChildren("C51.exe"), 0);
  EXPECT_EQ(outcome.result, 0);
  EXPECT_EQ(outcome.calls,
            (Strings{"Output|build target 'proj-Debug'|1", "Output|compiling a.c...|1",
                     "Output|*** ERROR: \"C51.exe\" was ended by signal 2|1",
                     "Output|Program build aborted.|1"}));
  for (const char* object : {"a.obj", "b.obj", "c.obj", "d.obj"}) {
    EXPECT_FALSE(outcome.files.count(object)) << object;
  }
#endif
}

TEST(BuildJobsTest, TheVariableReadsAsANumberOfJobs) {
  const struct {
    const char* text;
    int jobs;
  } cases[] = {
      {"4", 4},     {"1", 1},           {"", 1},
      {"0", 1},     {"-2", 1},          {"3x", 1},
      {" 2", 1},    {"64", 64},         {"65", 64},
      {"1000", 64}, {"0004", 4},        {"99999999999", 64},
      {"00000", 1}, {"abcdefghijk", 1}, {"999999999999x", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseBuildJobs(c.text), c.jobs);
  }
}

}  // namespace
}  // namespace c51::test
