// The corpus of real-style projects (tests/data/sdcc_corpus), one test
// each: a copy is imported and built by corvane-c51 with the sdcc
// toolchain as a user would; the build must succeed without unresolved
// externals, and the hex must hold a long jump to each interrupt routine
// the sources declare at its vector. The projects listed in corpus_runs.cc
// also run in the simulator. Skipped without sdcc or the toolchain's
// compiler; the run alone is skipped without the simulator.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "corpus_project.h"
#include "corpus_runs.h"
#include "platform/codepage.h"
#include "platform/fs.h"
#include "sdcc/run_program.h"
#include "support/temp_dir.h"

namespace c51::sdcc::corpus {
namespace {

// The projects' folder: C51_CORPUS_DIR in the environment (to try another
// set of projects), else the repository's.
std::string CorpusRoot() {
  const char* dir = std::getenv("C51_CORPUS_DIR");
  return dir && *dir ? std::string(dir) + "/" : std::string(C51_CORPUS_DIR);
}

constexpr uint8_t kLjmp = 0x02;
constexpr uint8_t kLcall = 0x12;
constexpr uint8_t kPush = 0xC0;

class CorpusTest : public testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    ASSERT_FALSE(dir_.path().empty());
    toolchain_ = ExecutableDirectory() + "sdcctool/C51";
    if (FindSdccProgram("sdcc").empty()) GTEST_SKIP() << "sdcc is not installed";
    if (!PathExists(toolchain_ + "/BIN/C51.exe")) GTEST_SKIP() << "no C51.exe in " << toolchain_;
  }

  ProgramRun Host(const std::vector<std::string>& args) {
    return RunProgram(LocalToSystemText(ExecutableDirectory() + "corvane-c51"), args);
  }

  test::ScopedTempDir dir_{"c51corpus"};
  std::string toolchain_;
};

TEST_P(CorpusTest, ImportsBuildsAndRuns) {
  const std::string name = GetParam();
  // System paths: the projects' own names may be Chinese.
  const std::string work = LocalToSystemText(dir_.path());
  const std::string copy = work + name;
  std::error_code ec;
  std::filesystem::copy(CorpusRoot() + name, copy, std::filesystem::copy_options::recursive, ec);
  ASSERT_FALSE(ec) << ec.message();
  const std::string project_file = ProjectFile(copy);
  ASSERT_FALSE(project_file.empty()) << "no single .uvproj or .uv2 in " << name;

  const std::string cvproj = copy + "/" + name + ".cvproj";
  const ProgramRun import = Host({"import", project_file, "-o", cvproj});
  ASSERT_EQ(import.exit_code, 0) << import.output;
  const ProgramRun build =
      Host({"--toolchain", LocalToSystemText(toolchain_), "build", "-p", cvproj});
  ASSERT_EQ(build.exit_code, 0) << build.output;
  ASSERT_NE(build.output.find("\" - 0 error(s)"), std::string::npos) << build.output;
  // A call into nothing jumps to the reset vector on the chip.
  EXPECT_EQ(build.output.find("UNRESOLVED EXTERNAL"), std::string::npos) << build.output;
  const std::string hex = HexFileOfBuild(build.output);
  ASSERT_FALSE(hex.empty()) << build.output;
  std::string text, err;
  ASSERT_EQ(ReadWholeFile(hex, &text, &err), ReadStatus::kOkay) << err << "\n" << build.output;
  std::map<uint32_t, uint8_t> image;
  ASSERT_TRUE(ReadHexImage(text, &image, &err)) << err;

  // The reset vector: a long jump, or a start-up file's short one.
  ASSERT_TRUE(image.count(0)) << "nothing at address 0";
  EXPECT_TRUE(image[0] == kLjmp || (image[0] & 0x1F) == 0x01) << "no jump at the reset vector";
  // Each declared interrupt: a long jump to its routine, as the map places it.
  const std::map<int, std::string> routines = InterruptRoutinesBelow(copy);
  std::string map_text;
  if (!routines.empty()) {
    const std::string map = hex.substr(0, hex.size() - 4) + ".M51";
    ASSERT_EQ(ReadWholeFile(map, &map_text, &err), ReadStatus::kOkay) << err;
  }
  const std::map<std::string, uint32_t> symbols = CodeSymbols(map_text);
  for (const auto& [n, routine] : routines) {
    const uint32_t vector = 3 + 8 * static_cast<uint32_t>(n);
    auto symbol = symbols.find(routine);
    if (symbol == symbols.end()) symbol = symbols.find("_" + routine);
    EXPECT_NE(symbol, symbols.end()) << routine << " is not in the map";
    const bool ljmp = image.count(vector) && image.count(vector + 2) && image[vector] == kLjmp;
    const uint32_t target = ljmp ? image[vector + 1] * 256u + image[vector + 2] : 0;
    // A routine that uses the arithmetic other code uses is entered through
    // the linker's keeper: pushes, then a call of the routine.
    uint32_t call = target;
    while (image.count(call) && image[call] == kPush) call += 2;
    const bool kept = symbol != symbols.end() && image.count(call + 2) && image[call] == kLcall &&
                      image[call + 1] * 256u + image[call + 2] == symbol->second;
    EXPECT_TRUE(ljmp && symbol != symbols.end() && (target == symbol->second || kept))
        << "interrupt " << n << ": no LJMP " << routine << " at vector 0x" << std::hex << vector;
  }

  const CorpusRun* run = FindCorpusRun(name);
  if (!run || testing::Test::HasFailure()) return;
  const std::string s51 = FindSdccProgram("s51");
  if (s51.empty()) GTEST_SKIP() << "built; the simulator s51 (sdcc-ucsim) is not installed";
  const SimulatorResult result = Simulate(s51, LocalToSystemText(hex), dir_.path(), run->run);
  ASSERT_TRUE(result.ran) << result.log;
  run->check(result);
}

// Test names take letters, digits and '_' only.
std::string ProjectName(const testing::TestParamInfo<std::string>& info) {
  std::string name = info.param;
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(Corpus, CorpusTest, testing::ValuesIn(ProjectFolders(CorpusRoot())),
                         ProjectName);

// A run whose project was renamed would silently stop running.
TEST(CorpusRunsTest, NameProjectsOfTheCorpus) {
  const std::vector<std::string> folders = ProjectFolders(C51_CORPUS_DIR);
  for (const CorpusRun& run : CorpusRuns()) {
    EXPECT_NE(std::find(folders.begin(), folders.end(), run.project), folders.end()) << run.project;
  }
}

}  // namespace
}  // namespace c51::sdcc::corpus
