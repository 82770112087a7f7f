// The sizes of variables placed with _at_, which the compiler asks sdcc for
// and records for the linker.
#include "sdcc/compile/absolute_variables.h"

#include <gtest/gtest.h>

#include "sdcc/run_program.h"
#include "sdcc/temp_folder.h"
#include "sim/files.h"

namespace c51::sdcc {
namespace {

// "D 0030 1 _keep; X ..." for short rows.
std::string Records(const std::vector<RelAbsolute>& absolutes) {
  std::string out;
  for (const RelAbsolute& a : absolutes) out += (out.empty() ? "" : "; ") + FormatRelAbsolute(a);
  return out;
}

TEST(AbsoluteVariables, ReadsEquatesOfTheDataSpacesThatAProbeSized) {
  const struct {
    const char* name;
    const char* assembly;
    const char* records;
    const char* kept;
  } kCases[] = {
      {"data and xdata",
       "\t.area DSEG    (DATA)\n_keep\t=\t0x0030\n_buf::\n\t.ds 48\n"
       "\t.area XSEG    (XDATA)\n_big\t=\t0x8000\n___c51_atsize_keep\t=\t0x0001\n"
       "___c51_atsize_big\t=\t0x0258\n",
       "D 0030 1 _keep; X 8000 600 _big",
       "\t.area DSEG    (DATA)\n_keep\t=\t0x0030\n_buf::\n\t.ds 48\n"
       "\t.area XSEG    (XDATA)\n_big\t=\t0x8000\n"},
      {"idata", "\t.area ISEG    (DATA)\n_ik = 0x00f0\n___c51_atsize_ik = 0x0010\n",
       "I 00F0 16 _ik", "\t.area ISEG    (DATA)\n_ik = 0x00f0\n"},
      {"registers and code are no variables",
       "\t.area RSEG    (ABS,DATA)\n_P1\t=\t0x0090\n\t.area CSEG    (CODE)\n_tab\t=\t0x1000\n"
       "___c51_atsize_P1\t=\t0x0001\n___c51_atsize_tab\t=\t0x0004\n",
       "", "\t.area RSEG    (ABS,DATA)\n_P1\t=\t0x0090\n\t.area CSEG    (CODE)\n_tab\t=\t0x1000\n"},
      {"no probe, no record", "\t.area DSEG    (DATA)\n_keep\t=\t0x0030\n", "",
       "\t.area DSEG    (DATA)\n_keep\t=\t0x0030\n"},
      {"a comment is no equate", "\t.area DSEG    (DATA)\n; _keep = 0x0030\n", "",
       "\t.area DSEG    (DATA)\n; _keep = 0x0030\n"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    std::string assembly = c.assembly;
    EXPECT_EQ(Records(TakeAbsoluteVariables(&assembly)), c.records);
    EXPECT_EQ(assembly, c.kept);
  }
}

// sdcc's real output for the probes: sizes of any type, and nothing of the
// probes left.
TEST(AbsoluteVariables, SdccTellsTheSizes) {
  const std::string sdcc = FindSdccProgram("sdcc");
  if (sdcc.empty()) GTEST_SKIP() << "sdcc is not installed";
  TempFolder dir;
  ASSERT_FALSE(dir.path().empty());
  const std::string c =
      "struct pair { unsigned char a; unsigned int b; };\n"
      "__data __at(0x30) unsigned char keep;\n"
      "__xdata __at(0x0002) struct pair pairs[4];\n"
      "__idata __at(0xF0) unsigned int words[3];\n"
      "static __xdata __at(0x8000) unsigned char lcd;\n"
      "void main(void) { keep = 1; pairs[0].b = 2; words[1] = 3; lcd = 4; }\n" +
      SizeProbes({"keep", "pairs", "words", "lcd"});
  std::string err;
  ASSERT_TRUE(sim::WriteFile(dir.path() + "m.c", c, &err)) << err;
  const ProgramRun run =
      RunProgram(sdcc, {"-mmcs51", "-S", dir.native() + "m.c", "-o", dir.native() + "m.asm"});
  ASSERT_EQ(run.exit_code, 0) << run.output;
  EXPECT_EQ(run.output.find("warning"), std::string::npos) << run.output;
  std::string assembly;
  ASSERT_EQ(sim::ReadFile(dir.path() + "m.asm", &assembly), sim::ReadResult::kOkay);
  EXPECT_EQ(Records(TakeAbsoluteVariables(&assembly)),
            "D 0030 1 _keep; I 00F0 6 _words; X 0002 12 _pairs; X 8000 1 _lcd");
  EXPECT_EQ(assembly.find("atsize"), std::string::npos) << assembly;
}

}  // namespace
}  // namespace c51::sdcc
