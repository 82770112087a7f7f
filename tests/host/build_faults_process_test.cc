// corvane-c51 run as a process on a copy of the bundled blinky example with
// a toolchain of its own: version 1 built, main.c changed to version 2,
// then a build hit by a fault its tools' output does not tell of (the host
// or a tool killed, a tool that cannot start, a full disk) or by a changed
// command. The build after it must make the program of version 2; none may
// report success over the program of version 1.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "build_lines.h"
#include "host/host_platform.h"
#include "platform/fs.h"
#include "run_host.h"
#include "support/messages.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

#if !defined(_WIN32)
#include <signal.h>
#include <sys/types.h>

#include "host_process.h"
#endif

namespace c51::host {
namespace {

using test::FsPath;
using test::HasLine;
using test::HostRun;
using test::Lines;
using test::NameOf;

using Strings = std::vector<std::string>;

#if defined(_WIN32)
constexpr char kTools[] = "simtool\\C51\\BIN\\";
#else
constexpr char kTools[] = "simtool/C51/BIN/";
#endif

// What one build left: the program and the hex file made from it.
struct Made {
  std::string program;
  std::string hex;
};

// The names of the files a build translated, in order.
Strings Translated(const std::string& out) {
  Strings names;
  for (const std::string& line : Lines(out)) {
    if (!line.ends_with("...")) continue;
    for (const std::string verb : {"compiling ", "assembling "}) {
      const size_t at = line.find(verb);
      if (at != std::string::npos)
        names.push_back(NameOf(line.substr(at + verb.size(), line.size() - 3 - at - verb.size())));
    }
  }
  return names;
}

bool HasLineStartingWith(const std::string& text, const std::string& start) {
  for (const std::string& line : Lines(text))
    if (line.starts_with(start)) return true;
  return false;
}

// The build's summary line; empty when it wrote none.
std::string SummaryOf(const std::string& out) {
  std::string summary;
  for (const std::string& line : Lines(out))
    if (line.starts_with("\"imported\" - ")) summary = line;
  return summary;
}

std::string Summary(int errors, int warnings) {
  return "\"imported\" - " + std::to_string(errors) + " error(s), " + std::to_string(warnings) +
         " warning(s).";
}

class BuildFaultsProcessTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(dir_.path().empty());
    ASSERT_FALSE(tools_.path().empty());
    // mingw's std::filesystem::copy copies nothing into a folder named with
    // a trailing separator.
    std::string into = dir_.path();
    into.pop_back();
    std::error_code ec;
    std::filesystem::copy(FsPath(ExecutableDirectory() + "examples/blinky"), FsPath(into),
                          std::filesystem::copy_options::recursive, ec);
    ASSERT_FALSE(ec) << ec.message();
    // Real copies, not links: a test spoils some of the programs.
    std::filesystem::copy(FsPath(ExecutableDirectory() + "simtool/C51"),
                          FsPath(tools_.path() + "C51"), std::filesystem::copy_options::recursive,
                          ec);
    ASSERT_FALSE(ec) << ec.message();
    HostRun run = Run({"import", Path("blinky.uvproj"), "-o", Project()});
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    original_main_ = Read("src/main.c");

    ASSERT_NO_FATAL_FAILURE(WriteMain(1));
    HostRun first = Build();
    ASSERT_EQ(first.status, 0) << first.out << first.err;
    ASSERT_EQ(SummaryOf(first.out), Summary(0, 1)) << first.out;
    version1_ = ReadMade();
    ASSERT_FALSE(version1_.program.empty());
    ASSERT_FALSE(version1_.hex.empty());
  }

  std::string Path(const std::string& relative) const { return dir_.path() + relative; }
  std::string Project() const { return Path("imported.cvproj"); }
  std::string Tool(const std::string& name) const { return tools_.path() + "C51/BIN/" + name; }
  std::string Program() const { return Path("Debug/imported"); }
  std::string Hex() const { return Path("Debug/imported.hex"); }

  std::string Read(const std::string& relative) const {
    std::string text, err;
    EXPECT_EQ(ReadWholeFile(Path(relative), &text, &err), ReadStatus::kOkay) << err;
    return text;
  }
  // Empty when the file is missing.
  static std::string ReadIfThere(const std::string& path) {
    std::string text;
    ReadWholeFile(path, &text, nullptr);
    return text;
  }
  Made ReadMade() const { return Made{ReadIfThere(Program()), ReadIfThere(Hex())}; }

  // main.c as the example has it, plus a function whose code tells the
  // versions apart, plus `markers` ("SLEEP 1500") in comments.
  void WriteMain(int version, const Strings& markers = {}) {
    std::string text = original_main_ + "\nunsigned char program_version(void) {\n  return " +
                       std::to_string(version) + ";\n}\n";
    for (const std::string& marker : markers) text += "// SIM: " + marker + "\n";
    // Written again until its time is later than the object's, whatever
    // the file system's time resolution: a user's edit comes later.
    const int64_t object_time = ModificationTime(Path("Debug/main.obj"));
    for (int i = 0; i < 1000; ++i) {
      std::string err;
      ASSERT_TRUE(WriteWholeFile(Path("src/main.c"), text, &err)) << err;
      if (ModificationTime(Path("src/main.c")) > object_time) return;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    FAIL() << "main.c stays older than its object";
  }

  HostRun Run(const Strings& args) { return test::RunHost(args, dir_.path()); }
  // The host's arguments for `command`, with this test's toolchain.
  Strings Args(const Strings& command) const {
    Strings args = {"--toolchain", tools_.path() + "C51"};
    args.insert(args.end(), command.begin(), command.end());
    args.insert(args.end(), {"-p", Project()});
    return args;
  }
  HostRun Build(const Strings& options = {}) {
    Strings command = {"build"};
    command.insert(command.end(), options.begin(), options.end());
    return Run(Args(command));
  }

  // Puts the bundled program `name` back in this test's toolchain.
  void MendTool(const std::string& name) {
    const std::filesystem::path from = FsPath(ExecutableDirectory() + kTools + name);
    const std::filesystem::path to = FsPath(Tool(name));
    std::error_code ec;
    std::filesystem::remove(to, ec);
    std::filesystem::copy_file(from, to, ec);
    ASSERT_FALSE(ec) << ec.message();
    const std::filesystem::perms perms = std::filesystem::status(from, ec).permissions();
    ASSERT_FALSE(ec) << ec.message();
    std::filesystem::permissions(to, perms, ec);
    ASSERT_FALSE(ec) << ec.message();
  }

  // The program and hex file are there, are not version 1's, and are what
  // a build of every file from the sources as they are now makes of them.
  void ExpectVersion2() {
    const Made made = ReadMade();
    ASSERT_FALSE(made.program.empty()) << "no program";
    ASSERT_FALSE(made.hex.empty()) << "no hex file";
    EXPECT_NE(made.program, version1_.program);
    EXPECT_NE(made.hex, version1_.hex);
    ExpectWhatARebuildMakes(made);
  }
  void ExpectWhatARebuildMakes(const Made& made) {
    HostRun rebuild = Build({"--rebuild"});
    ASSERT_EQ(rebuild.status, 0) << rebuild.out << rebuild.err;
    const Made fresh = ReadMade();
    EXPECT_EQ(made.program, fresh.program);
    EXPECT_EQ(made.hex, fresh.hex);
  }

  test::ScopedTempDir dir_{"c51fault"};
  test::ScopedTempDir tools_{"c51tools"};
  // Under wine the plug-in would otherwise show a tool that cannot start
  // in a message box, and wait for a click.
  test::ScopedEnv headless_{"C51_HEADLESS", "1"};
  std::string original_main_;
  Made version1_;
};

// --- A single file translated on its own ---

TEST_F(BuildFaultsProcessTest, AFileTranslatedOnItsOwnIsLinkedByTheNextBuild) {
  ASSERT_NO_FATAL_FAILURE(WriteMain(2));
  HostRun translate = Run(Args({"translate", Path("src/main.c")}));
  ASSERT_EQ(translate.status, 0) << translate.out << translate.err;
  EXPECT_EQ(Translated(translate.out), Strings{"main.c"}) << translate.out;
  // The object is new, the program still version 1's.
  EXPECT_EQ(ReadMade().program, version1_.program);

  HostRun build = Build();
  EXPECT_EQ(build.status, 0) << build.out << build.err;
  EXPECT_EQ(Translated(build.out), Strings{}) << build.out;
  EXPECT_TRUE(HasLine(build.out, "linking...")) << build.out;
  EXPECT_EQ(SummaryOf(build.out), Summary(0, 0)) << build.out;
  ExpectVersion2();
}

// --- A compiler that cannot be started ---

enum class Spoil { kNotAProgram, kMissing, kNotExecutable, kMissingInterpreter };

struct UnstartableCompiler {
  const char* what;
  Spoil spoil;
};

// The plug-in's message `id` in either language, as the host writes it to
// a file (UTF-8 on POSIX, the ANSI code page on Windows).
bool IsMessage(const std::string& line, MessageId id) {
  const std::unique_ptr<FILE, int (*)(FILE*)> file(std::tmpfile(), &std::fclose);
  if (!file) return false;
  for (Language language : {Language::kChinese, Language::kEnglish}) {
    if (line == ToStreamEncoding(MessageText(id, language), file.get())) return true;
  }
  return false;
}

void PrintTo(const UnstartableCompiler& c, std::ostream* os) {
  *os << c.what;
}

class UnstartableCompilerTest : public BuildFaultsProcessTest,
                                public testing::WithParamInterface<UnstartableCompiler> {};

TEST_P(UnstartableCompilerTest, FailsTheBuildUntilTheCompilerIsMended) {
  const UnstartableCompiler& c = GetParam();
  const std::string compiler = Tool("C51.exe");
  std::error_code ec;
  switch (c.spoil) {
    case Spoil::kNotAProgram:
      // The file keeps its permissions.
      ASSERT_TRUE(WriteWholeFile(compiler, "not a program\n", nullptr));
      break;
    case Spoil::kMissing:
      ASSERT_TRUE(std::filesystem::remove(FsPath(compiler), ec)) << ec.message();
      break;
    case Spoil::kNotExecutable:
      std::filesystem::permissions(
          FsPath(compiler),
          std::filesystem::perms::owner_read | std::filesystem::perms::owner_write, ec);
      ASSERT_FALSE(ec) << ec.message();
      break;
    case Spoil::kMissingInterpreter:
      ASSERT_TRUE(WriteWholeFile(compiler, "#!/nonexistent/interp\n", nullptr));
      break;
  }
  ASSERT_NO_FATAL_FAILURE(WriteMain(2));

  HostRun failed = Build();
  EXPECT_EQ(failed.status, 1) << failed.out << failed.err;
  if (c.spoil == Spoil::kMissing) {
    // Found missing before any tool runs: its message is all the build
    // says, with no summary.
    const Strings lines = Lines(failed.out);
    ASSERT_EQ(lines.size(), 1u) << failed.out;
    EXPECT_TRUE(IsMessage(lines[0], MessageId::kNoCompiler)) << failed.out;
  } else {
    EXPECT_TRUE(HasLineStartingWith(failed.out,
                                    "*** ERROR: \"C51.exe\" could not be started (system error "))
        << failed.out;
    EXPECT_EQ(SummaryOf(failed.out), Summary(1, 0)) << failed.out;
  }
  EXPECT_FALSE(HasLine(failed.out, "linking...")) << failed.out;
  EXPECT_EQ(ReadMade().program, version1_.program);

  ASSERT_NO_FATAL_FAILURE(MendTool("C51.exe"));
  HostRun mended = Build();
  EXPECT_EQ(mended.status, 0) << mended.out << mended.err;
  EXPECT_EQ(Translated(mended.out), Strings{"main.c"}) << mended.out;
  EXPECT_TRUE(HasLine(mended.out, "linking...")) << mended.out;
  EXPECT_EQ(SummaryOf(mended.out), Summary(0, 1)) << mended.out;
  ExpectVersion2();
}

INSTANTIATE_TEST_SUITE_P(
    Compilers, UnstartableCompilerTest,
    testing::Values(UnstartableCompiler{"NotAProgram", Spoil::kNotAProgram},
                    UnstartableCompiler{"Missing", Spoil::kMissing}
#if !defined(_WIN32)
                    ,
                    UnstartableCompiler{"NotExecutable", Spoil::kNotExecutable},
                    UnstartableCompiler{"MissingInterpreter", Spoil::kMissingInterpreter}
#endif
                    ),
    [](const testing::TestParamInfo<UnstartableCompiler>& info) {
      return std::string(info.param.what);
    });

// --- Command changes ---

TEST_F(BuildFaultsProcessTest, ADefineOrTheMemoryModelChangedInTheSettingsRetranslates) {
  HostRun same = Build();
  ASSERT_EQ(same.status, 0) << same.out << same.err;
  ASSERT_EQ(Translated(same.out), Strings{}) << same.out;

  struct Step {
    const char* what;
    Strings actions;
    Strings translated;
    const char* in_objects;  // what the objects' controls now hold
  };
  const Step steps[] = {
      {"a define",
       {"page C51", "type 1591 RELEASE_BUILD", "ok"},
       {"main.c", "delay.c"},
       "RELEASE_BUILD"},
      {"the memory model",
       {"page Target", "choose 1564 2", "ok"},
       {"main.c", "delay.c", "startup.a51"},
       "LARGE"},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    Strings settings = {"settings", "-p", Project()};
    settings.insert(settings.end(), step.actions.begin(), step.actions.end());
    HostRun set = Run(settings);
    ASSERT_EQ(set.status, 0) << set.out << set.err;

    HostRun build = Build();
    EXPECT_EQ(build.status, 0) << build.out << build.err;
    EXPECT_EQ(Translated(build.out), step.translated) << build.out;
    EXPECT_TRUE(HasLine(build.out, "linking...")) << build.out;
    for (const char* object : {"Debug/main.obj", "Debug/delay.obj"})
      EXPECT_NE(Read(object).find(step.in_objects), std::string::npos) << object;

    HostRun again = Build();
    EXPECT_EQ(again.status, 0) << again.out << again.err;
    EXPECT_EQ(Translated(again.out), Strings{}) << again.out;
    EXPECT_FALSE(HasLine(again.out, "linking...")) << again.out;
  }
  ASSERT_NO_FATAL_FAILURE(ExpectWhatARebuildMakes(ReadMade()));
}

TEST_F(BuildFaultsProcessTest, AnAddedObjectFileIsLinkedIn) {
  // An object the simulated compiler made from a source outside the project.
  std::string err;
  ASSERT_TRUE(CreateDirectories(Path("lib")));
  ASSERT_TRUE(WriteWholeFile(Path("lib/extra.c"),
                             "unsigned char extra_value(void) {\n  return 42;\n}\n", &err))
      << err;
  HostRun compiled = test::RunProgram(ExecutableDirectory() + kTools + "C51.exe",
                                      {Path("lib/extra.c")}, dir_.path());
  ASSERT_EQ(compiled.status, 0) << compiled.out << compiled.err;
  const std::string object = Read("lib/extra.obj");
  const size_t code_at = object.find("\nCODE ");
  ASSERT_NE(code_at, std::string::npos) << object;
  const std::string code = object.substr(code_at + 6, object.find('\n', code_at + 1) - code_at - 6);
  ASSERT_FALSE(code.empty());

  HostRun add = Run({"add", "-p", Project(), Path("lib/extra.obj")});
  ASSERT_EQ(add.status, 0) << add.out << add.err;
  HostRun build = Build();
  EXPECT_EQ(build.status, 0) << build.out << build.err;
  EXPECT_EQ(Translated(build.out), Strings{}) << build.out;
  EXPECT_TRUE(HasLine(build.out, "linking...")) << build.out;
  EXPECT_EQ(SummaryOf(build.out), Summary(0, 0)) << build.out;

  // The program holds the object's code as the module EXTRA.
  const Made made = ReadMade();
  bool linked = false;
  for (const std::string& line : Lines(made.program))
    linked = linked || (line.starts_with("SEGMENT ") && line.ends_with(" " + code + " EXTRA"));
  EXPECT_TRUE(linked) << made.program;
  EXPECT_NE(made.hex, version1_.hex);
  ExpectWhatARebuildMakes(made);
}

// --- Faults only POSIX can stage: signals, permissions, file size limits ---

#if !defined(_WIN32)

// The script a spoiled tool is: it ends itself by SIGKILL.
constexpr char kKillsItself[] = "#!/bin/sh\nkill -KILL $$\n";

void SpoilTool(const std::string& path, const std::string& text) {
  ASSERT_TRUE(WriteWholeFile(path, text, nullptr));
  std::error_code ec;
  std::filesystem::permissions(FsPath(path),
                               std::filesystem::perms::owner_all |
                                   std::filesystem::perms::group_read |
                                   std::filesystem::perms::group_exec,
                               ec);
  ASSERT_FALSE(ec) << ec.message();
}

// How the build with version 2 is ended while it compiles main.c.
enum class Stop {
  kInterrupt,       // one SIGINT to the host, as Ctrl-C
  kKillHost,        // SIGKILL to the host alone: its compiler runs on and finishes
  kKillEverything,  // SIGKILL to the host and to the compiler's process group
};

struct StoppedBuild {
  const char* what;
  Stop stop;
};

void PrintTo(const StoppedBuild& s, std::ostream* os) {
  *os << s.what;
}

class StoppedBuildTest : public BuildFaultsProcessTest,
                         public testing::WithParamInterface<StoppedBuild> {};

TEST_P(StoppedBuildTest, TheNextBuildMakesTheNewProgram) {
  // Long enough to be sure the compiler is still at it when the signal
  // comes.
  ASSERT_NO_FATAL_FAILURE(WriteMain(2, {"SLEEP 1500"}));
  test::HostProcess host;
  std::string err;
  ASSERT_TRUE(host.Start(Args({"build"}), &err)) << err;
  ASSERT_TRUE(host.WaitForLine("compiling ")) << host.output();
  const int compiler = test::WaitForChild(host.pid(), "C51.exe");
  ASSERT_GT(compiler, 0) << host.output();

  switch (GetParam().stop) {
    case Stop::kInterrupt:
      ASSERT_TRUE(host.Interrupt());
      EXPECT_EQ(host.Wait(), 1) << host.output();
      EXPECT_TRUE(HasLine(host.output(), "Program build aborted.")) << host.output();
      EXPECT_EQ(host.output().find(" error(s), "), std::string::npos) << host.output();
      break;
    case Stop::kKillHost:
      ASSERT_TRUE(host.Signal(SIGKILL));
      EXPECT_EQ(host.Wait(), -1) << host.output();
      break;
    case Stop::kKillEverything:
      ASSERT_TRUE(host.Signal(SIGKILL));
      // The compiler leads a process group of its own.
      EXPECT_EQ(kill(-static_cast<pid_t>(compiler), SIGKILL), 0);
      EXPECT_EQ(host.Wait(), -1) << host.output();
      break;
  }
  EXPECT_FALSE(HasLine(host.output(), "linking...")) << host.output();
  EXPECT_EQ(ReadMade().program, version1_.program);
  // What a compiler left running does, it has done before the next build.
  ASSERT_TRUE(test::WaitForProcessEnd(compiler));

  // Whether main.c is compiled again depends on how far the compiler got.
  HostRun next = Build();
  EXPECT_EQ(next.status, 0) << next.out << next.err;
  EXPECT_TRUE(HasLine(next.out, "linking...")) << next.out;
  EXPECT_EQ(next.out.find("ERROR"), std::string::npos) << next.out;
  EXPECT_TRUE(SummaryOf(next.out).starts_with("\"imported\" - 0 error(s), ")) << next.out;
  ExpectVersion2();
}

INSTANTIATE_TEST_SUITE_P(Stops, StoppedBuildTest,
                         testing::Values(StoppedBuild{"Interrupt", Stop::kInterrupt},
                                         StoppedBuild{"KillHost", Stop::kKillHost},
                                         StoppedBuild{"KillEverything", Stop::kKillEverything}),
                         [](const testing::TestParamInfo<StoppedBuild>& info) {
                           return std::string(info.param.what);
                         });

TEST_F(BuildFaultsProcessTest, ACompilerKilledWhileWritingIsRunAgainOnceItCan) {
  ASSERT_NO_FATAL_FAILURE(WriteMain(2, {"CRASH"}));
  HostRun crashed = Build();
  EXPECT_EQ(crashed.status, 1) << crashed.out << crashed.err;
  EXPECT_TRUE(
      HasLine(crashed.out, "*** ERROR: \"C51.exe\" was ended by signal " + std::to_string(SIGSEGV)))
      << crashed.out;
  EXPECT_EQ(SummaryOf(crashed.out), Summary(1, 1)) << crashed.out;
  EXPECT_FALSE(HasLine(crashed.out, "linking...")) << crashed.out;
  EXPECT_EQ(ReadMade().program, version1_.program);

  ASSERT_NO_FATAL_FAILURE(WriteMain(2));
  HostRun next = Build();
  EXPECT_EQ(next.status, 0) << next.out << next.err;
  EXPECT_EQ(Translated(next.out), Strings{"main.c"}) << next.out;
  EXPECT_TRUE(HasLine(next.out, "linking...")) << next.out;
  EXPECT_EQ(SummaryOf(next.out), Summary(0, 1)) << next.out;
  ExpectVersion2();
}

// A tool ended in the middle of writing its output, with the host: by
// SIGTERM to the host, which ends the tool and quits at once, or by
// SIGKILL to both. The stand-in writes the first half of what the real
// tool made for version 1, then waits to be ended.
struct EndedWhileWriting {
  const char* what;
  const char* tool;
  const char* output;  // what it writes, under the project folder
  bool kill_everything;
};

void PrintTo(const EndedWhileWriting& e, std::ostream* os) {
  *os << e.what;
}

class EndedWhileWritingTest : public BuildFaultsProcessTest,
                              public testing::WithParamInterface<EndedWhileWriting> {};

TEST_P(EndedWhileWritingTest, TheNextBuildTakesTheStepAgain) {
  const EndedWhileWriting& e = GetParam();
  const std::string whole = Read(e.output);
  const std::string cut = tools_.path() + "cut";
  const std::string pid_file = tools_.path() + "tool.pid";
  ASSERT_TRUE(WriteWholeFile(cut, whole.substr(0, whole.size() / 2), nullptr));
  ASSERT_NO_FATAL_FAILURE(SpoilTool(Tool(e.tool), "#!/bin/sh\ncat '" + cut + "' >'" +
                                                      Path(e.output) + "'\necho $$ >'" + pid_file +
                                                      "'\nwhile :; do sleep 1; done\n"));
  ASSERT_NO_FATAL_FAILURE(WriteMain(2));

  test::HostProcess host;
  std::string err;
  ASSERT_TRUE(host.Start(Args({"build"}), &err)) << err;
  int tool = 0;
  for (int i = 0; i < 6000 && tool == 0; ++i) {
    std::string text;
    if (ReadWholeFile(pid_file, &text, nullptr) == ReadStatus::kOkay && text.ends_with("\n"))
      tool = std::atoi(text.c_str());
    else
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_GT(tool, 0) << host.output();
  if (e.kill_everything) {
    ASSERT_TRUE(host.Signal(SIGKILL));
    EXPECT_EQ(kill(-static_cast<pid_t>(tool), SIGKILL), 0);
    EXPECT_EQ(host.Wait(), -1) << host.output();
  } else {
    ASSERT_TRUE(host.Signal(SIGTERM));
    EXPECT_EQ(host.Wait(), 128 + SIGTERM) << host.output();
  }
  ASSERT_TRUE(test::WaitForProcessEnd(tool));

  ASSERT_NO_FATAL_FAILURE(MendTool(e.tool));
  HostRun next = Build();
  EXPECT_EQ(next.status, 0) << next.out << next.err;
  EXPECT_TRUE(HasLine(next.out, "linking...")) << next.out;
  EXPECT_EQ(next.out.find("ERROR"), std::string::npos) << next.out;
  ExpectVersion2();
}

INSTANTIATE_TEST_SUITE_P(
    Tools, EndedWhileWritingTest,
    testing::Values(EndedWhileWriting{"CompilerByTerm", "C51.exe", "Debug/main.obj", false},
                    EndedWhileWriting{"CompilerByKill", "C51.exe", "Debug/main.obj", true},
                    EndedWhileWriting{"LinkerByTerm", "BL51.exe", "Debug/imported", false},
                    EndedWhileWriting{"LinkerByKill", "BL51.exe", "Debug/imported", true}),
    [](const testing::TestParamInfo<EndedWhileWriting>& info) {
      return std::string(info.param.what);
    });

// A linker or hex converter that kills itself: the step fails, and with the
// real tool back the next build takes that step again, and only that.
struct KilledStep {
  const char* tool;
  bool links_again;  // else only the hex file is made again
};

void PrintTo(const KilledStep& s, std::ostream* os) {
  *os << s.tool;
}

class KilledStepTest : public BuildFaultsProcessTest,
                       public testing::WithParamInterface<KilledStep> {};

TEST_P(KilledStepTest, IsTakenAgainWhenTheToolIsBack) {
  const KilledStep& step = GetParam();
  ASSERT_NO_FATAL_FAILURE(SpoilTool(Tool(step.tool), kKillsItself));
  ASSERT_NO_FATAL_FAILURE(WriteMain(2));
  HostRun killed = Build();
  EXPECT_EQ(killed.status, 1) << killed.out << killed.err;
  EXPECT_TRUE(HasLine(killed.out, "*** ERROR: \"" + std::string(step.tool) +
                                      "\" was ended by signal " + std::to_string(SIGKILL)))
      << killed.out;
  EXPECT_EQ(SummaryOf(killed.out), Summary(1, 1)) << killed.out;
  // A failed step leaves nothing that looks made by it.
  EXPECT_FALSE(PathExists(step.links_again ? Program() : Hex()));

  ASSERT_NO_FATAL_FAILURE(MendTool(step.tool));
  HostRun next = Build();
  EXPECT_EQ(next.status, 0) << next.out << next.err;
  EXPECT_EQ(Translated(next.out), Strings{}) << next.out;
  EXPECT_EQ(HasLine(next.out, "linking..."), step.links_again) << next.out;
  EXPECT_TRUE(HasLineStartingWith(next.out, "creating hex file from ")) << next.out;
  EXPECT_EQ(SummaryOf(next.out), Summary(0, 0)) << next.out;
  ExpectVersion2();
}

INSTANTIATE_TEST_SUITE_P(Tools, KilledStepTest,
                         testing::Values(KilledStep{"BL51.exe", true},
                                         KilledStep{"OH51.exe", false}),
                         [](const testing::TestParamInfo<KilledStep>& info) {
                           return std::string(info.param.tool).substr(0, 4);
                         });

// A full disk, as a file size limit on the host and its tools: version 2's
// object does not fit, or its object and program fit and its hex file,
// the largest, does not.
enum class Fills { kObject, kHexFile };

struct FullDisk {
  const char* what;
  Fills fills;
  bool ignore_signal;  // the write fails, else SIGXFSZ ends the tool
  std::string line;    // what the build shows for it; empty: not checked
  int warnings;        // a compiler that reports its failure reports its warning too
  const char* skip;    // why the case is skipped, or null
};

void PrintTo(const FullDisk& d, std::ostream* os) {
  *os << d.what;
}

class FullDiskTest : public BuildFaultsProcessTest, public testing::WithParamInterface<FullDisk> {};

TEST_P(FullDiskTest, FailsTheStepAndTheNextBuildTakesItAgain) {
  const FullDisk& disk = GetParam();
  if (disk.skip) GTEST_SKIP() << disk.skip;
  // 4000 bytes of code: about 8.5 KB of object, 8 KB of program and 11 KB
  // of hex file. What the host itself writes stays far under either limit.
  const long long limit = disk.fills == Fills::kObject ? 4096 : 10000;
  std::string body;
  for (int i = 0; i < 2000; ++i) body += "  P1 = " + std::to_string(i % 256) + ";\n";
  original_main_ += "\nvoid bulk(void) {\n" + body + "}\n";
  ASSERT_NO_FATAL_FAILURE(WriteMain(2));

  test::HostProcess host;
  host.set_file_size_limit(limit);
  host.set_ignore_file_size_signal(disk.ignore_signal);
  std::string err;
  ASSERT_TRUE(host.Start(Args({"build"}), &err)) << err;
  EXPECT_EQ(host.Wait(), 1) << host.output();
  const std::string& out = host.output();
  if (!disk.line.empty()) {
    EXPECT_TRUE(test::HasLineWith(out, {disk.line})) << out;
  }
  EXPECT_EQ(SummaryOf(out), Summary(1, disk.warnings)) << out;
  if (disk.fills == Fills::kObject) {
    EXPECT_FALSE(HasLine(out, "linking...")) << out;
    EXPECT_EQ(ReadMade().program, version1_.program);
  } else {
    // No hex file cut at the limit is left to pass for made.
    EXPECT_FALSE(PathExists(Hex()));
  }

  HostRun next = Build();
  EXPECT_EQ(next.status, 0) << next.out << next.err;
  if (disk.fills == Fills::kObject) {
    EXPECT_EQ(Translated(next.out), Strings{"main.c"}) << next.out;
    EXPECT_TRUE(HasLine(next.out, "linking...")) << next.out;
    EXPECT_EQ(SummaryOf(next.out), Summary(0, 1)) << next.out;
  } else {
    EXPECT_EQ(Translated(next.out), Strings{}) << next.out;
    EXPECT_FALSE(HasLine(next.out, "linking...")) << next.out;
    EXPECT_TRUE(HasLineStartingWith(next.out, "creating hex file from ")) << next.out;
    EXPECT_EQ(SummaryOf(next.out), Summary(0, 0)) << next.out;
  }
  // The premise: what was to fail does not fit under the limit, and what
  // came before it does.
  const auto size = [&](const std::string& path) {
    std::error_code ec;
    const auto bytes = std::filesystem::file_size(FsPath(path), ec);
    return ec ? -1 : static_cast<long long>(bytes);
  };
  const auto fits = [&](const std::string& path) {
    const long long bytes = size(path);
    return bytes >= 0 && bytes <= limit;
  };
  if (disk.fills == Fills::kObject) {
    EXPECT_GT(size(Path("Debug/main.obj")), limit);
  } else {
    EXPECT_TRUE(fits(Path("Debug/main.obj")));
    EXPECT_TRUE(fits(Program()));
    EXPECT_GT(size(Hex()), limit);
  }
  ExpectVersion2();
}

INSTANTIATE_TEST_SUITE_P(
    Disks, FullDiskTest,
    testing::Values(
        FullDisk{"ObjectSignal", Fills::kObject, false,
                 "*** ERROR: \"C51.exe\" was ended by signal " + std::to_string(SIGXFSZ), 0,
                 nullptr},
        FullDisk{"ObjectWriteError", Fills::kObject, true, "WRITE ERROR ON FILE", 1, nullptr},
        FullDisk{"HexFileSignal", Fills::kHexFile, false,
                 "*** ERROR: \"OH51.exe\" was ended by signal " + std::to_string(SIGXFSZ), 1,
                 nullptr},
        FullDisk{"HexFileWriteError", Fills::kHexFile, true,
                 "*** ERROR: \"OH51.exe\" ended with exit code 3", 1, nullptr}),
    [](const testing::TestParamInfo<FullDisk>& info) { return std::string(info.param.what); });

#endif

// --- A hex converter missing in one build ---

TEST_F(BuildFaultsProcessTest, AHexConverterMissingOnceMakesTheHexFileWhenItIsBack) {
  std::error_code ec;
  ASSERT_TRUE(std::filesystem::remove(FsPath(Tool("OH51.exe")), ec)) << ec.message();
  ASSERT_NO_FATAL_FAILURE(WriteMain(2));
  HostRun without = Build();
  EXPECT_EQ(without.status, 0) << without.out << without.err;
  EXPECT_TRUE(HasLine(without.out, "linking...")) << without.out;

  ASSERT_NO_FATAL_FAILURE(MendTool("OH51.exe"));
  HostRun next = Build();
  EXPECT_EQ(next.status, 0) << next.out << next.err;
  EXPECT_EQ(Translated(next.out), Strings{}) << next.out;
  EXPECT_FALSE(HasLine(next.out, "linking...")) << next.out;
  EXPECT_TRUE(HasLineStartingWith(next.out, "creating hex file from ")) << next.out;
  ExpectVersion2();
}

TEST_F(BuildFaultsProcessTest, ABuildWithoutTheHexConverterLeavesNoOldHexFile) {
  std::error_code ec;
  ASSERT_TRUE(std::filesystem::remove(FsPath(Tool("OH51.exe")), ec)) << ec.message();
  ASSERT_NO_FATAL_FAILURE(WriteMain(2));
  HostRun without = Build();
  EXPECT_EQ(without.status, 0) << without.out << without.err;
  // A build that reports success leaves no hex file of version 1 beside
  // the program of version 2.
  const Made made = ReadMade();
  EXPECT_NE(made.program, version1_.program);
  EXPECT_NE(made.hex, version1_.hex) << without.out;
}

}  // namespace
}  // namespace c51::host
