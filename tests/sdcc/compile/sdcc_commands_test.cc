// The compiler starts sdcc's preprocessor and assembler itself with the
// command lines "sdcc -c -V" showed once: reading those lines, keeping
// them, using them, and falling back to sdcc's driver whenever a kept line
// is of no use.
#include "sdcc/compile/sdcc_commands.h"

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
class SdccCommandsTest : public testing::Test {
 protected:
  void SetUp() override {
    if (FindSdccProgram("sdcc").empty()) {
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
  // Compiles main.c without a cache (through sdcc's driver) and returns what
  // it printed and the files it wrote.
  std::string Reference(const std::string& controls) {
    test::ScopedEnv off("C51_SDCC_CACHE", "");
    return Ours(controls);
  }
  std::string Ours(const std::string& controls) {
    for (const char* name : {"out.i", "out.obj", "out.src"}) RemoveFile(dir_.path() + name);
    std::string text = Compile(controls + " PREPRINT(out.i)").output;
    for (const char* name : {"out.i", "out.obj", "out.src"}) text += "\n--\n" + Read(name);
    // Messages about sdcc's intermediate files name our temporary folder.
    for (size_t at = text.find("/c51sdcc-"); at != std::string::npos;
         at = text.find("/c51sdcc-", at + 1)) {
      text.replace(at + 9, 6, "XXXXXX");
    }
    return text;
  }

  test::ScopedTempDir dir_{"sdcccommandstest"};
  std::string c51_, cache_;
  std::optional<test::ScopedEnv> inc_;
};

// Where the program of kept command `which` (0 the preprocessor's, 1 the
// assembler's) starts in a cache file, and its length.
std::pair<size_t, size_t> ProgramOf(const std::string& entry, int which) {
  size_t pos = entry.find("\n=>\n") + 4;
  for (int i = 0; i <= which; ++i) {
    const size_t count_end = entry.find('\n', pos);
    const int count = std::stoi(entry.substr(pos, count_end - pos));
    pos = count_end + 1;
    if (i == which) return {pos, entry.find('\n', pos) - pos};
    for (int word = 0; word < count; ++word) pos = entry.find('\n', pos) + 1;
  }
  return {0, 0};
}

TEST_F(SdccCommandsTest, LearnsTheCommandsOnceAndTranslatesTheSame) {
  test::ScopedEnv cache("C51_SDCC_CACHE", cache_);
  const std::string reference = Reference("main.c DEBUG OBJECT(out.obj)");
  ASSERT_NE(std::string::npos, reference.find("0 ERROR(S)")) << reference;
  EXPECT_TRUE(Kept().empty());

  EXPECT_EQ(reference, Ours("main.c DEBUG OBJECT(out.obj)"));  // learned in this run
  const std::map<std::string, std::string> kept = Kept();
  ASSERT_EQ(1u, kept.size());
  const std::string& entry = kept.begin()->second;
  EXPECT_NE(std::string::npos, entry.find("\noption --model-small\n")) << entry;
  EXPECT_NE(std::string::npos, entry.find("/sdcpp\n-nostdinc\n")) << entry;
  EXPECT_NE(std::string::npos, entry.find("\n-D__SDCC_MODEL_SMALL\n")) << entry;
  EXPECT_NE(std::string::npos, entry.find("/sdas8051\n")) << entry;
  struct stat st;
  ASSERT_EQ(0, stat(cache_.c_str(), &st));
  EXPECT_EQ(0700u, st.st_mode & 0777);

  EXPECT_EQ(reference, Ours("main.c DEBUG OBJECT(out.obj)"));  // kept
  EXPECT_EQ(kept, Kept());
  // Other options are other commands: sdcc defines other macros.
  EXPECT_EQ(Reference("main.c LARGE OBJECT(out.obj)"), Ours("main.c LARGE OBJECT(out.obj)"));
  EXPECT_EQ(2u, Kept().size());
  // SRC stops before the assembler.
  EXPECT_EQ(Reference("main.c SRC(out.src)"), Ours("main.c SRC(out.src)"));
}

TEST_F(SdccCommandsTest, TheKeptCommandsAreWhatRuns) {
  test::ScopedEnv cache("C51_SDCC_CACHE", cache_);
  const std::string reference = Reference("main.c OBJECT(out.obj)");
  Compile("main.c");
  std::map<std::string, std::string> kept = Kept();
  ASSERT_EQ(1u, kept.size());
  // Each kept program replaced by one that leaves a mark, then runs it.
  std::string entry = kept.begin()->second;
  for (int which : {1, 0}) {
    const auto [at, length] = ProgramOf(entry, which);
    const std::string fake = dir_.path() + "fake" + std::to_string(which);
    Write("fake" + std::to_string(which), "#!/bin/sh\necho " + std::to_string(which) + " >> '" +
                                              dir_.path() + "ran.txt'\nexec '" +
                                              entry.substr(at, length) + "' \"$@\"\n");
    ASSERT_EQ(0, chmod(fake.c_str(), 0755));
    entry.replace(at, length, fake);
  }
  std::string err;
  ASSERT_TRUE(WriteWholeFile(cache_ + kept.begin()->first, entry, &err)) << err;

  EXPECT_EQ(reference, Ours("main.c OBJECT(out.obj)"));
  EXPECT_EQ("0\n1\n", Read("ran.txt"));
}

TEST_F(SdccCommandsTest, AProgramThatCannotStartIsForgottenAndLearnedAgain) {
  test::ScopedEnv cache("C51_SDCC_CACHE", cache_);
  const std::string reference = Reference("main.c OBJECT(out.obj)");
  Compile("main.c");
  const std::map<std::string, std::string> kept = Kept();
  ASSERT_EQ(1u, kept.size());
  for (int which : {0, 1}) {
    SCOPED_TRACE(which);
    std::string entry = kept.begin()->second;
    const auto [at, length] = ProgramOf(entry, which);
    entry.replace(at, length, "/nonexistent/program");
    std::string err;
    ASSERT_TRUE(WriteWholeFile(cache_ + kept.begin()->first, entry, &err)) << err;

    EXPECT_EQ(reference, Ours("main.c OBJECT(out.obj)"));  // through sdcc's driver
    EXPECT_TRUE(Kept().empty());
    EXPECT_EQ(reference, Ours("main.c OBJECT(out.obj)"));
    EXPECT_EQ(kept, Kept());
  }
}

// Messages read the same whichever way the programs were started.
TEST_F(SdccCommandsTest, MessagesAreTheSameAsThroughSdcc) {
  test::ScopedEnv cache("C51_SDCC_CACHE", cache_);
  const std::pair<const char*, const char*> sources[] = {
      {"#error stop here\nvoid main(void) {}\n", "an #error"},
      {"#warning look\nvoid main(void) {}\n", "a #warning"},
      {"#include \"cfg.h\"\n#define H <gone.h>\n#include H\nvoid main(void) {}\n",
       "a header only a macro names, missing"},
      {"#if 1\nvoid main(void) {}\n", "an unterminated #if"},
      {"void main(void) { undefined_x = 1; }\n", "a compiler error"},
      {"void main(void) { int v; }\n", "a compiler warning"},
      {"void main(void) { __asm__(\"mov a,@r9\"); }\n", "an assembler error"},
  };
  for (const auto& [text, what] : sources) {
    SCOPED_TRACE(what);
    Write("main.c", text);
    const std::string reference = Reference("main.c OBJECT(out.obj)");
    EXPECT_EQ(reference, Ours("main.c OBJECT(out.obj)"));  // learns
    EXPECT_EQ(reference, Ours("main.c OBJECT(out.obj)"));  // kept
  }
}

// An sdcc that says more than its two lines for these options (here a
// wrapper that warns when asked for them) is run as a driver; that is
// kept too, so later runs do not probe again.
TEST_F(SdccCommandsTest, LinesThatCannotBeUsedAreKeptAsSuch) {
  test::ScopedEnv cache("C51_SDCC_CACHE", cache_);
  const std::string reference = Reference("main.c OBJECT(out.obj)");
  ASSERT_TRUE(CreateDirectories(dir_.path() + "bin"));
  Write("bin/sdcc", "#!/bin/sh\ncase \" $* \" in *\" -V \"*) echo probed >> '" + dir_.path() +
                        "probes.txt'; echo 'warning: look' >&2;; esac\nexec '" +
                        FindSdccProgram("sdcc") + "' \"$@\"\n");
  ASSERT_EQ(0, chmod((dir_.path() + "bin/sdcc").c_str(), 0755));
  // The folder C51_SDCC_BIN names holds all of sdcc's programs.
  ASSERT_EQ(0,
            symlink(FindSdccProgram("sdas8051").c_str(), (dir_.path() + "bin/sdas8051").c_str()));
  test::ScopedEnv bin("C51_SDCC_BIN", dir_.path() + "bin");

  EXPECT_EQ(reference, Ours("main.c OBJECT(out.obj)"));
  EXPECT_EQ(reference, Ours("main.c OBJECT(out.obj)"));
  EXPECT_EQ("probed\n", Read("probes.txt"));
  const std::map<std::string, std::string> kept = Kept();
  ASSERT_EQ(1u, kept.size());
  EXPECT_EQ("=>\nnone\n", kept.begin()->second.substr(kept.begin()->second.size() - 8));
}

// What the cache holds decides which program runs: a folder others may
// write to is not used.
TEST_F(SdccCommandsTest, AFolderOthersMayWriteToIsNotUsed) {
  ASSERT_TRUE(CreateDirectories(cache_));
  ASSERT_EQ(0, chmod(cache_.c_str(), 0777));
  test::ScopedEnv cache("C51_SDCC_CACHE", cache_);
  const std::string reference = Reference("main.c OBJECT(out.obj)");
  EXPECT_EQ(reference, Ours("main.c OBJECT(out.obj)"));
  EXPECT_TRUE(Kept().empty());
  // Nor a link to a folder of ours.
  const std::string link = dir_.path() + "link";
  ASSERT_EQ(0, chmod(cache_.c_str(), 0700));
  std::error_code ec;
  fs::create_directory_symlink(cache_, link, ec);
  ASSERT_FALSE(ec);
  test::ScopedEnv linked("C51_SDCC_CACHE", link);
  EXPECT_EQ(reference, Ours("main.c OBJECT(out.obj)"));
  EXPECT_TRUE(Kept().empty());
}

}  // namespace
}  // namespace c51::sdcc
