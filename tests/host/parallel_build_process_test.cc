// corvane-c51 build -j 1 against -j 4 on the bundled examples and on a
// generated project of three hundred files (sixty on Windows): the same
// output byte for byte and the same objects and hex file, for a build that
// succeeds, one that fails and one interrupted while a tool hangs; and the
// -j values refused.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <iterator>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "build_lines.h"
#include "platform/fs.h"
#include "run_host.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

#if !defined(_WIN32)
#include "host_process.h"
#endif

namespace c51::host {
namespace {

using test::FsPath;
using test::HostRun;

struct Project {
  const char* name;
  const char* folder;   // under examples/; null: generated
  const char* project;  // the uVision project in it
  const char* objects;  // the object folder
  // Sources given an error, and the one that hangs in the interrupted build
  // (in the middle of the walk).
  std::vector<std::string> failing;
  std::string hanging;
};

void PrintTo(const Project& project, std::ostream* os) {
  *os << project.name;
}

// Generated: g000.c ... in three groups, every ninth an assembly source;
// warnings on every fifth. Fewer on Windows, where these tests run under
// wine and each tool start costs ten times as much.
#if defined(_WIN32)
constexpr int kGenerated = 60;
#else
constexpr int kGenerated = 300;
#endif
std::string GeneratedName(int i) {
  char name[32];
  std::snprintf(name, sizeof name, "g%03d.%s", i, i % 9 == 4 ? "a51" : "c");
  return name;
}

const Project kProjects[] = {
    {"blinky", "blinky", "blinky.uvproj", "Debug", {"src/delay.c"}, "src/delay.c"},
    {"clock", "clock", "clock.uv2", "Objects", {"src/clock.c", "src/keys.c"}, "src/display.c"},
#if defined(_WIN32)
    {"generated", nullptr, nullptr, "Target 1", {"g/g007.c", "g/g029.c", "g/g053.c"}, "g/g033.c"},
#else
    {"generated", nullptr, nullptr, "Target 1", {"g/g007.c", "g/g101.c", "g/g233.c"}, "g/g151.c"},
#endif
};

// What one build showed and left.
struct Outcome {
  int status = -1;
  std::string out;
  std::map<std::string, std::string> files;  // the object folder's, but the command record
};

class ParallelHostTest : public testing::TestWithParam<Project> {
 protected:
  void SetUp() override {
    ASSERT_FALSE(dir_.path().empty());
    const Project& p = GetParam();
    if (p.folder != nullptr) {
      std::string into = dir_.path();
      into.pop_back();
      std::error_code ec;
      std::filesystem::copy(FsPath(ExecutableDirectory() + "examples/" + p.folder), FsPath(into),
                            std::filesystem::copy_options::recursive, ec);
      ASSERT_FALSE(ec) << ec.message();
      HostRun run = Run({"import", Path(p.project), "-o", ProjectFile()});
      ASSERT_EQ(run.status, 0) << run.out << run.err;
    } else {
      HostRun made = Run({"new", ProjectFile()});
      ASSERT_EQ(made.status, 0) << made.err;
      const char* groups[] = {"App", "Drivers", "Drivers/Uart"};
      for (int g = 0; g < 3; ++g) {
        std::vector<std::string> args = {"add", "-p", ProjectFile(), "--group", groups[g]};
        for (int i = g * kGenerated / 3; i < (g + 1) * kGenerated / 3; ++i) {
          const std::string name = "g/" + GeneratedName(i);
          std::string text = i % 9 == 4 ? "        NOP\n        END\n"
                                        : "void " + name.substr(2, 4) + "(void) { }\n";
          if (i % 5 == 0 && i % 9 != 4) text += "// SIM: WARNING C280 'v': unreferenced\n";
          if (i == 0) text += "void main(void) { }\n";
          Write(name, text);
          args.push_back(Path(name));
        }
        HostRun added = Run(args);
        ASSERT_EQ(added.status, 0) << added.err;
      }
    }
    // The objects record their sources' times: each run starts from the
    // same texts and times, an hour back, and a spoiled source is an hour
    // ahead, newer than any object a run makes.
    const auto now = std::filesystem::file_time_type::clock::now();
    const auto before = std::chrono::floor<std::chrono::seconds>(now - std::chrono::hours(1));
    spoiled_time_ = std::chrono::floor<std::chrono::seconds>(now + std::chrono::hours(1));
    std::error_code ec;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(FsPath(Path("")), ec)) {
      if (!entry.is_regular_file()) continue;
      const std::string name =
          std::filesystem::relative(entry.path(), FsPath(Path(""))).generic_string();
      sources_[name] = Source{Read(name), before};
    }
  }

  std::string Path(const std::string& relative) const { return dir_.path() + relative; }
  std::string ProjectFile() const { return Path("imported.cvproj"); }
  HostRun Run(const std::vector<std::string>& args) { return test::RunHost(args, dir_.path()); }

  std::string Read(const std::string& relative) const {
    std::string text;
    ReadWholeFile(Path(relative), &text, nullptr);
    return text;
  }
  void Write(const std::string& relative, const std::string& text) {
    const std::string path = Path(relative);
    CreateDirectories(path.substr(0, path.rfind('/')));
    ASSERT_TRUE(WriteWholeFile(path, text, nullptr)) << path;
  }

  // The sources as set up, and nothing the builds made.
  void Reset() {
    std::error_code ec;
    for (const auto& entry :
         std::filesystem::directory_iterator(FsPath(Path(GetParam().objects)), ec)) {
      std::filesystem::remove(entry.path(), ec);
    }
    for (const auto& [name, source] : sources_) {
      Write(name, source.text);
      std::filesystem::last_write_time(FsPath(Path(name)), source.time, ec);
    }
  }

  // A line that fails the compile or the assembly.
  void Spoil(const std::string& name) {
    const bool assembly = name.ends_with(".a51");
    Write(name, sources_.at(name).text + (assembly ? "; SIM: ERROR A45 UNDEFINED SYMBOL\n"
                                                   : "// SIM: ERROR C141 syntax error\n"));
    std::error_code ec;
    std::filesystem::last_write_time(FsPath(Path(name)), spoiled_time_, ec);
  }

  Outcome Collect(int status, const std::string& out) const {
    Outcome outcome{status, out, {}};
    std::error_code ec;
    for (const auto& entry :
         std::filesystem::directory_iterator(FsPath(Path(GetParam().objects)), ec)) {
      const std::string name = entry.path().filename().string();
      // The records of commands and of objects' dependencies hold times.
      if (name != ".c51commands" && name != ".c51deps") {
        outcome.files[name] = Read(std::string(GetParam().objects) + "/" + name);
      }
    }
    return outcome;
  }

  Outcome Build(int jobs) {
    HostRun run = Run({"build", "-p", ProjectFile(), "-j", std::to_string(jobs)});
    return Collect(run.status, run.out + run.err);
  }

  struct Source {
    std::string text;
    std::filesystem::file_time_type time;
  };
  std::map<std::string, Source> sources_;
  std::filesystem::file_time_type spoiled_time_;
  test::ScopedTempDir dir_{"c51jobs"};
};

TEST_P(ParallelHostTest, TheSameOutputAndFilesAtOneAndFourJobs) {
  std::vector<Outcome> outcomes[2];
  const int jobs[2] = {1, 4};
  for (int run = 0; run < 2; ++run) {
    ASSERT_NO_FATAL_FAILURE(Reset());
    outcomes[run].push_back(Build(jobs[run]));
    for (const std::string& name : GetParam().failing) ASSERT_NO_FATAL_FAILURE(Spoil(name));
    outcomes[run].push_back(Build(jobs[run]));
  }
  EXPECT_EQ(outcomes[0][0].status, 0) << outcomes[0][0].out;
  EXPECT_EQ(outcomes[0][1].status, 1) << outcomes[0][1].out;
  for (size_t i = 0; i < 2; ++i) {
    SCOPED_TRACE(i == 0 ? "the build" : "the failing build");
    EXPECT_EQ(outcomes[0][i].out, outcomes[1][i].out);
    EXPECT_TRUE(outcomes[0][i].files == outcomes[1][i].files);
  }
  bool hex = false;
  for (const auto& [name, bytes] : outcomes[0][0].files) hex = hex || name.ends_with(".hex");
  EXPECT_TRUE(hex) << outcomes[0][0].out;
}

#if !defined(_WIN32)
// A tool hangs in the middle of the walk: the files before it are done
// and shown, it is interrupted, and nothing after it shows.
TEST_P(ParallelHostTest, AnInterruptedBuildShowsTheSameAtOneAndFourJobs) {
  const std::string pid_file = Path("tool.pid");
  test::ScopedEnv pid_env("C51_SIM_PID_FILE", pid_file.c_str());
  const std::string& hanging = GetParam().hanging;
  Outcome outcomes[2];
  const int jobs[2] = {1, 4};
  for (int run = 0; run < 2; ++run) {
    ASSERT_NO_FATAL_FAILURE(Reset());
    RemoveFile(pid_file);
    Write(hanging, sources_.at(hanging).text + "// SIM: HANG\n");
    std::error_code ec;
    std::filesystem::last_write_time(FsPath(Path(hanging)), sources_.at(hanging).time, ec);
    test::HostProcess host;
    std::string err;
    ASSERT_TRUE(host.Start({"build", "-p", ProjectFile(), "-j", std::to_string(jobs[run])}, &err))
        << err;
    ASSERT_TRUE(host.WaitForLine("compiling " + test::NameOf(hanging) + "...")) << host.output();
    // Polled, not timed: the tool writes its id once it hangs.
    for (int i = 0; i < 6000 && !PathExists(pid_file); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_TRUE(host.Interrupt());
    const int status = host.Wait();
    outcomes[run] = Collect(status, host.output());
    // The interrupted file's object is gone, and with it anything started
    // ahead of the walk.
    EXPECT_FALSE(outcomes[run].files.count(test::TitleOf(hanging) + ".obj"));
    for (auto file = outcomes[run].files.begin(); file != outcomes[run].files.end();) {
      file = file->first.ends_with(".obj") ? std::next(file) : outcomes[run].files.erase(file);
    }
  }
  EXPECT_EQ(outcomes[0].status, 1) << outcomes[0].out;
  EXPECT_TRUE(test::HasLine(outcomes[0].out, "Program build aborted.")) << outcomes[0].out;
  EXPECT_EQ(outcomes[0].out, outcomes[1].out);
  EXPECT_TRUE(outcomes[0].files == outcomes[1].files);
}
#endif

INSTANTIATE_TEST_SUITE_P(Projects, ParallelHostTest, testing::ValuesIn(kProjects),
                         [](const testing::TestParamInfo<Project>& info) {
                           return std::string(info.param.name);
                         });

TEST(ParallelHostOptionTest, JobsMustBeAPositiveNumber) {
  test::ScopedTempDir dir("c51jobs");
  const std::string project = dir.path() + "p.cvproj";
  ASSERT_EQ(test::RunHost({"new", project}, dir.path()).status, 0);
  for (const char* jobs : {"0", "x", "-2", "", "1.5"}) {
    SCOPED_TRACE(jobs);
    HostRun run = test::RunHost({"build", "-p", project, "-j", jobs}, dir.path());
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_NE(run.err.find("-j needs a positive number of jobs"), std::string::npos) << run.err;
  }
  // Accepted, and the build goes on (to fail: the project has no files).
  HostRun three = test::RunHost({"build", "-p", project, "--jobs=3"}, dir.path());
  EXPECT_EQ(three.status, 1) << three.err;
  EXPECT_NE(three.out.find("Target not created"), std::string::npos) << three.out;
}

}  // namespace
}  // namespace c51::host
