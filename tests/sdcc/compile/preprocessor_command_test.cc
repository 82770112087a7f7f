// The compiler starts sdcc's preprocessor itself with the command line
// "sdcc -E -V" showed it once: reading that line, keeping it, using it, and
// falling back to "sdcc -E" whenever the kept line is of no use.
#include "sdcc/compile/preprocessor_command.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <optional>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/env.h"
#include "platform/fs.h"
#include "sdcc/run_program.h"
#include "sim/files.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"
#include "tools/tool_runner.h"

namespace c51::sdcc {
namespace {

namespace fs = std::filesystem;

TEST(SplitVerboseCommand, ReadsTheLineAsTheShellWould) {
  struct Row {
    const char* printed;
    bool ok;
    std::vector<std::string> words;
  };
  const Row rows[] = {
      {"+ /usr/bin/sdcpp -nostdinc  a.c a.i\n",
       true,
       {"/usr/bin/sdcpp", "-nostdinc", "a.c", "a.i"}},
      // sdcc puts "\" before each byte the shell would read otherwise.
      {"+ /p -I/a\\ b -DS=\\\"x\\\" -DQ=\\'y\\' -D\\$v\\=1 in.c\n",
       true,
       {"/p", "-I/a b", "-DS=\"x\"", "-DQ='y'", "-D$v=1", "in.c"}},
      // Bytes of a file name in UTF-8 are passed as they are.
      {"+ /p -I/\xe6\xba\x90 x\n", true, {"/p", "-I/\xe6\xba\x90", "x"}},
      {"/p a.c\n", false, {}},                // no "+ "
      {"+ /p a.c", false, {}},                // cut before the line's end
      {"+ /p a.c\nwarning: x\n", false, {}},  // more than the line
      {"+ /p \"a b\"\n", false, {}},          // quoting sdcc does not write
      {"+ /p a\\\n", false, {}},              // "\" before nothing
      {"+ /p\ta\n", false, {}},               // a blank sdcc would escape
      {"+  \n", false, {}},                   // no word
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.printed);
    std::vector<std::string> words;
    EXPECT_EQ(row.ok, SplitVerboseCommand(row.printed, &words));
    if (row.ok) {
      EXPECT_EQ(row.words, words);
    }
  }
}

// C51.exe run from a command line in a folder of its own, with its cache
// in `cache_`; each test sets C51_SDCC_CACHE as it needs.
class PreprocessorCacheTest : public testing::Test {
 protected:
  void SetUp() override {
    if (FindSdccProgram("sdcc").empty() || FindSdccProgram("sdcpp").empty()) {
      GTEST_SKIP() << "sdcc is not installed";
    }
    ASSERT_FALSE(dir_.path().empty());
    const std::string root = ExecutableDirectory() + "sdcctool/C51/";
    c51_ = root + "BIN/C51.exe";
    inc_.emplace("C51INC", root + "INC/");
    cache_ = dir_.path() + "cache/";
    Write("main.c",
          "#include <reg52.h>\n#include \"cfg.h\"\nunsigned char code tab[2][2] = {1, 2, 3, 4};\n"
          "void main(void) { P1 = tab[1][LIMIT]; }\n");
    Write("cfg.h", "#define LIMIT 1\n");
  }

  void Write(const std::string& rel, const std::string& text) {
    std::string err;
    ASSERT_TRUE(WriteWholeFile(dir_.path() + rel, text, &err)) << err;
  }
  std::string Read(const std::string& rel) {
    std::string text, err;
    ReadWholeFile(dir_.path() + rel, &text, &err);
    return text;
  }
  test::ToolRun Compile(const std::string& args) {
    test::ToolRun run;
    std::string err;
    EXPECT_TRUE(test::RunCommandLine("\"" + c51_ + "\" " + args, dir_.path(), &run, &err)) << err;
    return run;
  }
  // The kept commands: file name => contents.
  std::map<std::string, std::string> Kept() {
    std::map<std::string, std::string> files;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(cache_, ec)) {
      std::string text, err;
      ReadWholeFile(entry.path().string(), &text, &err);
      files[entry.path().filename().string()] = text;
    }
    return files;
  }
  // Compiles main.c without a cache (sdcc -E, as before) and returns what
  // it printed, its preprocessed text and its object.
  std::string Reference(const std::string& controls) {
    test::ScopedEnv off("C51_SDCC_CACHE", "");
    const test::ToolRun run = Compile(controls + " PREPRINT(ref.i) OBJECT(ref.obj)");
    return run.output + "\n--\n" + Read("ref.i") + "\n--\n" + Read("ref.obj");
  }
  std::string Ours(const std::string& controls) {
    const test::ToolRun run = Compile(controls + " PREPRINT(ref.i) OBJECT(ref.obj)");
    return run.output + "\n--\n" + Read("ref.i") + "\n--\n" + Read("ref.obj");
  }

  test::ScopedTempDir dir_{"sdcppcachetest"};
  std::string c51_, cache_;
  std::optional<test::ScopedEnv> inc_;
};

TEST_F(PreprocessorCacheTest, LearnsTheCommandOnceAndRunsTheSameText) {
  test::ScopedEnv cache("C51_SDCC_CACHE", cache_);
  const std::string reference = Reference("main.c DEBUG");
  ASSERT_NE(std::string::npos, reference.find("0 ERROR(S)")) << reference;
  EXPECT_TRUE(Kept().empty());

  EXPECT_EQ(reference, Ours("main.c DEBUG"));  // learned in this run
  const std::map<std::string, std::string> kept = Kept();
  ASSERT_EQ(1u, kept.size());
  const std::string& entry = kept.begin()->second;
  EXPECT_NE(std::string::npos, entry.find("\noption --model-small\n")) << entry;
  EXPECT_NE(std::string::npos, entry.find("\n=>\n/")) << entry;
  EXPECT_NE(std::string::npos, entry.find("\n-D__SDCC_MODEL_SMALL\n")) << entry;
  struct stat st;
  ASSERT_EQ(0, stat(cache_.c_str(), &st));
  EXPECT_EQ(0700u, st.st_mode & 0777);

  EXPECT_EQ(reference, Ours("main.c DEBUG"));  // from the cache
  EXPECT_EQ(kept, Kept());
  // Other options are another command: sdcc defines other macros.
  EXPECT_EQ(Reference("main.c LARGE"), Ours("main.c LARGE"));
  EXPECT_EQ(2u, Kept().size());
}

TEST_F(PreprocessorCacheTest, TheKeptCommandIsWhatRuns) {
  test::ScopedEnv cache("C51_SDCC_CACHE", cache_);
  const std::string reference = Reference("main.c");
  Compile("main.c");
  std::map<std::string, std::string> kept = Kept();
  ASSERT_EQ(1u, kept.size());
  // The kept program replaced by one that leaves a mark, then runs sdcpp.
  std::string entry = kept.begin()->second;
  const size_t program = entry.find("\n=>\n") + 4;
  const size_t end = entry.find('\n', program);
  const std::string sdcpp = entry.substr(program, end - program);
  Write("fake-sdcpp",
        "#!/bin/sh\necho ran >> '" + dir_.path() + "ran.txt'\nexec '" + sdcpp + "' \"$@\"\n");
  ASSERT_EQ(0, chmod((dir_.path() + "fake-sdcpp").c_str(), 0755));
  entry.replace(program, end - program, dir_.path() + "fake-sdcpp");
  std::string err;
  ASSERT_TRUE(WriteWholeFile(cache_ + kept.begin()->first, entry, &err)) << err;

  EXPECT_EQ(reference, Ours("main.c"));
  EXPECT_EQ("ran\n", Read("ran.txt"));
}

TEST_F(PreprocessorCacheTest, AProgramThatCannotStartIsForgottenAndLearnedAgain) {
  test::ScopedEnv cache("C51_SDCC_CACHE", cache_);
  const std::string reference = Reference("main.c");
  Compile("main.c");
  std::map<std::string, std::string> kept = Kept();
  ASSERT_EQ(1u, kept.size());
  std::string entry = kept.begin()->second;
  const size_t program = entry.find("\n=>\n") + 4;
  entry.replace(program, entry.find('\n', program) - program, "/nonexistent/sdcpp");
  std::string err;
  ASSERT_TRUE(WriteWholeFile(cache_ + kept.begin()->first, entry, &err)) << err;

  EXPECT_EQ(reference, Ours("main.c"));  // through "sdcc -E"
  EXPECT_TRUE(Kept().empty());
  EXPECT_EQ(reference, Ours("main.c"));
  EXPECT_EQ(kept, Kept());
}

// The preprocessor's messages read the same whichever way it was started.
TEST_F(PreprocessorCacheTest, MessagesAreTheSameAsThroughSdcc) {
  test::ScopedEnv cache("C51_SDCC_CACHE", cache_);
  const std::pair<const char*, const char*> sources[] = {
      {"#error stop here\nvoid main(void) {}\n", "an #error"},
      {"#warning look\nvoid main(void) {}\n", "a #warning"},
      {"#include \"cfg.h\"\n#define H <gone.h>\n#include H\nvoid main(void) {}\n",
       "a header only a macro names, missing"},
      {"#if 1\nvoid main(void) {}\n", "an unterminated #if"},
  };
  for (const auto& [text, what] : sources) {
    SCOPED_TRACE(what);
    Write("main.c", text);
    const std::string reference = Reference("main.c");
    EXPECT_EQ(reference, Ours("main.c"));  // learns
    EXPECT_EQ(reference, Ours("main.c"));  // kept
  }
}

// What the cache holds decides which program runs: a folder others may
// write to is not used.
TEST_F(PreprocessorCacheTest, AFolderOthersMayWriteToIsNotUsed) {
  ASSERT_TRUE(CreateDirectories(cache_));
  ASSERT_EQ(0, chmod(cache_.c_str(), 0777));
  test::ScopedEnv cache("C51_SDCC_CACHE", cache_);
  const std::string reference = Reference("main.c");
  EXPECT_EQ(reference, Ours("main.c"));
  EXPECT_TRUE(Kept().empty());
  // Nor a link to a folder of ours.
  const std::string link = dir_.path() + "link";
  ASSERT_EQ(0, chmod(cache_.c_str(), 0700));
  std::error_code ec;
  fs::create_directory_symlink(cache_, link, ec);
  ASSERT_FALSE(ec);
  test::ScopedEnv linked("C51_SDCC_CACHE", link);
  EXPECT_EQ(reference, Ours("main.c"));
  EXPECT_TRUE(Kept().empty());
}

}  // namespace
}  // namespace c51::sdcc
