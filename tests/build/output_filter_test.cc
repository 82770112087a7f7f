#include "build/output_filter.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "build/build_test_support.h"
#include "build/tool_runner.h"
#include "plugin/state.h"
#include "support/temp_dir.h"
#include "ui/user_interface.h"

namespace c51 {
namespace {

using Lines = std::vector<std::string>;

TEST(SplitToolLinesTest, CutsAtCrLfOnly) {
  struct Row {
    std::string captured;
    Lines lines;
  };
  const Row rows[] = {
      {"", {}},
      {"no line end", {}},
      {"a\r\nlast without end", {"a"}},
      {"a\r\n\r\nb\r\r\nc", {"a", "b "}},
      {"\r\r\n", {" "}},
      {"x\r\r\r\n", {"x\r "}},
      {"a\nb\rc\r\n", {"a\nb\rc"}},
      {"\r\n\r\n\r\n", {}},
      {std::string("a\0b\r\nc\r\n", 8), {"a", "c"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.captured));
    EXPECT_EQ(row.lines, SplitToolLines(row.captured));
  }
}

// The expected outcome of a filter run: "errors/warnings ok|fail".
std::string Outcome(const FilterResult& result) {
  return std::to_string(result.errors) + "/" + std::to_string(result.warnings) +
         (result.success ? " ok" : " fail");
}

struct FilterRow {
  const char* outcome;
  std::string captured;
  Lines lines;
};

void ExpectRows(const std::vector<FilterRow>& rows, MessageLayout layout, bool linker) {
  for (const FilterRow& row : rows) {
    SCOPED_TRACE(row.captured);
    FilterResult result = linker ? FilterLinkerOutput(row.captured)
                                 : FilterCompilerOutput(row.captured, layout, "C:\\P\\");
    EXPECT_EQ(row.lines, result.lines);
    EXPECT_EQ(row.outcome, Outcome(result));
  }
}

TEST(FilterCompilerOutputTest, RewritesC51Diagnostics) {
  ExpectRows(
      {
          {"1/0 fail",
           "compiler banner\r\n*** ERROR C202 IN LINE 12 OF MAIN.C: 'x': undefined "
           "identifier\r\n"
           "DONE.  0 WARNING(S),  1 ERROR(S)\r\n",
           {"C:\\P\\MAIN.C(12):C202: 'X': UNDEFINED IDENTIFIER"}},
          {"1/2 fail",
           "*** WARNING C11 IN LINE 7 OF src\\util.c: 'i': unused\r\n"
           "***ERROR C12 IN LINE 9 OF src\\util.c: no ';' before '}'\r\n"
           "*** WARNING C13 IN LINE 20 OF\tmain.c: 'f': no prototype\r\n",
           {"C:\\P\\SRC\\UTIL.C(7):C11: 'I': UNUSED",
            "C:\\P\\SRC\\UTIL.C(9):C12: NO ';' BEFORE '}'",
            "C:\\P\\MAIN.C(20):C13: 'F': NO PROTOTYPE"}},
          // Without "***" nothing counts; a last line without line end is
          // not read.
          {"0/0 ok", "MAIN.C(3): ERROR near here\r\n\r\n*** ERROR C1 IN LINE 4 OF A.C: T", {}},
          // Counted, but dropped without a line number of at least 1.
          {"3/0 fail",
           "*** ERROR C12 IN LINE 0 OF A.C: T\r\n*** ERROR C14: NO LINE HERE\r\n"
           "   *** ERROR C1 IN LINE 4 OF A.C: indented\r\n",
           {}},
          {"0/0 ok", "ERROR *** C1 IN LINE 4 OF A.C: T\r\n", {}},
          {"1/1 fail",
           "*** WARNING C1 IN LINE 2 OF A.C: ERROR HANDLER UNUSED\r\n",
           {"C:\\P\\A.C(2):C1: ERROR HANDLER UNUSED"}},
          // Neither word followed by a blank: the severity of the line before
          // (error at first) picks the format.
          {"0/0 ok", "*** ERROR\tC1 IN LINE 5 OF A.C: X\r\n", {"C:\\P\\A.C(5):C1: X"}},
          {"0/1 ok",
           "*** WARNING C2 IN LINE 1 OF A.C: W\r\n*** ERROR\tC1 IN LINE 5 OF A.C: X\r\n",
           {"C:\\P\\A.C(1):C2: W"}},
          // Fields the scan does not reach stay empty; the file stops at the
          // first colon, so of a drive path only the letter is left, while a
          // POSIX absolute path is kept.
          {"4/1 fail",
           "*** ERROR C1 IN LINE 4 OF A.C\r\n*** ERROR C2 IN LINE 6\r\n"
           "*** ERROR C202 IN LINE 3 OF D:\\LIB\\X.C: Y\r\n"
           "*** WARNING C11 IN LINE 9 OF /home/p/a.c: 'i': unused\r\n"
           "*** ERROR C1 IN LINE 99999999999999 OF A.C: T\r\n",
           {"C:\\P\\A.C(4):C1:", "C:\\P\\(6):C2:", "C:\\P\\D(3):C202:\\LIB\\X.C: Y",
            "/HOME/P/A.C(9):C11: 'I': UNUSED", "C:\\P\\A.C(2147483647):C1: T"}},
          // From a fatal error on, every line passes as written.
          {"0/1 fail",
           "*** WARNING C1 IN LINE 2 OF A.C: before\r\n"
           "*** fatal-error 9 in main.c: gave up\r\n  more about it\r\n"
           "*** ERROR C202 IN LINE 12 OF MAIN.C: 'x': undefined\r\nrun ends\r\n",
           {"C:\\P\\A.C(2):C1: BEFORE", "*** fatal-error 9 in main.c: gave up", "  more about it",
            "*** ERROR C202 IN LINE 12 OF MAIN.C: 'x': undefined", "run ends"}},
      },
      MessageLayout::kC51, false);
}

TEST(FilterCompilerOutputTest, RewritesA51Diagnostics) {
  ExpectRows(
      {
          {"1/1 fail",
           "assembler banner\r\n"
           "*** ERROR #A45 IN 3 (C:\\P\\X.A51, LINE 3): UNDEFINED SYMBOL\r\n"
           "*** WARNING #A7 IN 7 (.\\src\\start.a51, LINE 7): no end\r\n",
           {"C:\\P\\X.A51(3):#A45: UNDEFINED SYMBOL", "C:\\P\\.\\SRC\\START.A51(7):#A7: NO END"}},
          {"1/0 fail", "*** ERROR C202 IN LINE 12 OF MAIN.C: 'x': undefined\r\n", {}},
      },
      MessageLayout::kA51, false);
}

TEST(FilterLinkerOutputTest, ShowsMessagesAndCountsTheSummary) {
  ExpectRows(
      {
          {"0/2 ok",
           "\r\nlinker banner\r\ninvoked for main.obj\r\n"
           "*** WARNING L3: SEGMENT NOT CALLED\r\n"
           "    NAME: UNUSED\r\nProgram Size: 20 bytes\r\n"
           "RUN COMPLETE.  2 WARNING(S),  0 ERROR(S)\r\n",
           {"*** WARNING L3: SEGMENT NOT CALLED", "    NAME: UNUSED", "Program Size: 20 bytes"}},
          // The program size shows inside the banner; a summary there is not read.
          {"0/0 ok",
           "linker banner\r\nProgram Size: 3 bytes\r\n"
           "RUN COMPLETE.  3 WARNING(S),  1 ERROR(S)\r\n",
           {"Program Size: 3 bytes"}},
          {"1/0 fail",
           "linker banner\r\n*** error L4: defined twice\r\n    NAME:  X\r\n"
           "RUN COMPLETE.  0 WARNING(S),  1 ERROR(S)\r\n",
           {"*** error L4: defined twice", "    NAME:  X"}},
          // The summary is counted, never judged; at the line's start the
          // phrase is no summary.
          {"4/2147483647 ok",
           "*** WARNING L1\r\nDONE. 99999999999 WARNING(S),\t4 ERROR(S)\r\n"
           "DONE. NO WARNING(S), NO ERROR(S)\r\n ERROR(S) 5\r\n",
           {"*** WARNING L1", " ERROR(S) 5"}},
      },
      MessageLayout::kC51, true);
}

class ReportTest : public testing::Test {
 protected:
  void SetUp() override {
    state_.host = &host_;
    state_.ui = &ui_;
  }
  PluginState state_;
  test::FakeHostServices host_;
  HeadlessInterface ui_;
};

TEST_F(ReportTest, SendsLinesAndAFailureCountsAtLeastOneError) {
  FilterResult result;
  result.lines = {"first", "second"};
  result.success = false;
  result.warnings = 2;
  EXPECT_FALSE(ReportFilterResult(&state_, result));
  EXPECT_EQ((std::vector<std::pair<std::string, int>>{{"first", 1}, {"second", 1}}), host_.outputs);
  EXPECT_EQ(1, state_.error_count);
  EXPECT_EQ(2, state_.warning_count);

  // Each failed run counts, whatever earlier runs counted.
  state_.error_count = 3;
  EXPECT_FALSE(ReportFilterResult(&state_, result));
  EXPECT_EQ(4, state_.error_count);
  result.errors = 2;
  EXPECT_FALSE(ReportFilterResult(&state_, result));
  EXPECT_EQ(6, state_.error_count);

  FilterResult counted;
  counted.errors = INT_MAX;
  EXPECT_TRUE(ReportFilterResult(&state_, counted));
  EXPECT_EQ(INT_MAX, state_.error_count);
}

TEST_F(ReportTest, ACutOutputIsAWarningShownBeforeTheFailure) {
  ToolRun run;
  run.notice = "*** WARNING: output of \"C51.exe\" cut at 64 bytes per stream; 9 bytes dropped";
  EXPECT_TRUE(ReportToolFailure(&state_, run));
  EXPECT_EQ((std::vector<std::pair<std::string, int>>{{run.notice, 1}}), host_.outputs);
  EXPECT_EQ(0, state_.error_count);
  EXPECT_EQ(1, state_.warning_count);

  host_.outputs.clear();
  run.failure = "*** ERROR: \"C51.exe\" was ended by signal 9";
  EXPECT_FALSE(ReportToolFailure(&state_, run));
  EXPECT_EQ((std::vector<std::pair<std::string, int>>{{run.notice, 1}, {run.failure, 1}}),
            host_.outputs);
  EXPECT_EQ(1, state_.error_count);
  EXPECT_EQ(2, state_.warning_count);
}

TEST_F(ReportTest, RunsToolsInTheProjectFolder) {
  test::ScopedTempDir dir("c51filter");
  ASSERT_FALSE(dir.path().empty());
  state_.project_dir = dir.path().substr(0, dir.path().size() - 1);
  const std::string folder = ToolWorkingDirectory(state_);

  EXPECT_FALSE(RunCompilerTool(
      &state_,
      test::ChildCommand("say-out \"banner~*** ERROR C202 IN LINE 12 OF MAIN.C: 'x': bad~\" "
                         "say-err \"*** WARNING C11 IN LINE 3 OF MAIN.C: 'i': unused~\""),
      "MAIN.C", MessageLayout::kC51));
  EXPECT_EQ((std::vector<std::pair<std::string, int>>{{folder + "MAIN.C(12):C202: 'X': BAD", 1},
                                                      {folder + "MAIN.C(3):C11: 'I': UNUSED", 1}}),
            host_.outputs);
  EXPECT_EQ(1, state_.error_count);
  EXPECT_EQ(1, state_.warning_count);

  host_.outputs.clear();
  EXPECT_FALSE(
      RunLinkerTool(&state_, test::ChildCommand("say-out \"banner~*** ERROR L4: TWICE~DONE.  0 "
                                                "WARNING(S),  1 ERROR(S)~\"")));
  EXPECT_EQ((std::vector<std::pair<std::string, int>>{{"*** ERROR L4: TWICE", 1}}), host_.outputs);
  EXPECT_EQ(2, state_.error_count);
  EXPECT_TRUE(ui_.messages.empty());

  // A tool that cannot start made nothing: an error of its step, shown and
  // counted besides the message box, never a success.
  host_.outputs.clear();
  EXPECT_FALSE(RunCompilerTool(&state_, test::Quoted(folder + "C51.exe") + " MAIN.C", "MAIN.C",
                               MessageLayout::kC51));
  EXPECT_EQ((std::vector<std::pair<std::string, int>>{
                {"*** ERROR: \"C51.exe\" could not be started (system error 2)", 1}}),
            host_.outputs);
  EXPECT_EQ(3, state_.error_count);
  EXPECT_EQ(1u, ui_.messages.size());
#if !defined(_WIN32)
  // Nor one that something ended (a signal; Windows' C runtime turns a
  // raised one into exit code 3).
  host_.outputs.clear();
  EXPECT_FALSE(RunLinkerTool(&state_, test::ChildCommand("say-out \"banner~\" crash")));
  ASSERT_EQ(1u, host_.outputs.size());
  EXPECT_NE(std::string::npos, host_.outputs[0].first.find("\" was ended by "));
  EXPECT_EQ(4, state_.error_count);
#endif
}

}  // namespace
}  // namespace c51
