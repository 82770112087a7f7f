#include "build/tool_runner.h"

#include <gtest/gtest.h>

#include "build/build_test_support.h"
#include "plugin/state.h"
#include "support/messages.h"
#include "support/temp_dir.h"
#include "ui/user_interface.h"

namespace c51 {
namespace {

using test::ChildCommand;
using test::Quoted;

class ToolRunnerTest : public testing::Test {
 protected:
  void SetUp() override { state_.ui = &ui_; }

  // The message text with its "%d" filled in.
  static std::string Filled(MessageId id, Language language, const std::string& code) {
    std::string text = MessageText(id, language);
    size_t at = text.find("%d");
    return at == std::string::npos ? text : text.replace(at, 2, code);
  }

  PluginState state_;
  HeadlessInterface ui_;
};

TEST_F(ToolRunnerTest, GivesStandardOutputFirstHoweverTheWritesInterleave) {
  const ToolRun run =
      RunTool(&state_, ChildCommand("say-err e1 say-out o1 say-err e2 say-out o2"), "");
  EXPECT_EQ("o1o2e1e2", run.output);
  EXPECT_EQ("", run.failure);
  EXPECT_EQ("only error", RunTool(&state_, ChildCommand("say-err \"only error\""), "").output);
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(ToolRunnerTest, DrainsLargeOutputOnBothStreamsWithoutStalling) {
  // Far more than any pipe holds, on both streams at once, in pieces that
  // are not a multiple of the reader's chunk.
  constexpr size_t kPerStream = 64u << 20;
  std::string_view text =
      RunTool(&state_, ChildCommand("interleave " + std::to_string(kPerStream) + " 100003"), "")
          .output;
  ASSERT_EQ(2 * kPerStream, text.size());
  EXPECT_EQ(kPerStream, text.find_first_not_of('o'));
  EXPECT_EQ(std::string::npos, text.find_first_not_of('e', kPerStream));
}

// Each run reuses the memory of the one before: a shorter text must not
// show what the longer one left there.
TEST_F(ToolRunnerTest, AShorterRunShowsNothingOfTheLongerOneBefore) {
  EXPECT_EQ("long output text",
            RunTool(&state_, ChildCommand("say-out \"long output\" say-err \" text\""), "").output);
  EXPECT_EQ("ab", RunTool(&state_, ChildCommand("say-out a say-err b"), "").output);
  EXPECT_EQ("", RunTool(&state_, ChildCommand("say-out \"\""), "").output);
}

TEST_F(ToolRunnerTest, PassesBinaryBytesAndTheOutputOfACrashedTool) {
  std::string_view text = RunTool(&state_, ChildCommand("bytes"), "").output;
  ASSERT_EQ(255u, text.size());
  EXPECT_EQ('\0', text[0]);
  EXPECT_EQ('\x0B', text[10]);
  EXPECT_EQ('\xFF', text[254]);

  // The crash is the run's failure, whatever was written before it.
  const ToolRun crashed =
      RunTool(&state_, ChildCommand("say-out written say-err \" before\" crash"), "");
  EXPECT_EQ("written before", crashed.output);
#if !defined(_WIN32)
  // (Windows' C runtime ends a program that raises a signal with exit code
  // 3, not by an exception.)
  EXPECT_EQ(0u, crashed.failure.find("*** ERROR: \"" C51_CHILD_TOOL_NAME)) << crashed.failure;
  EXPECT_NE(std::string::npos, crashed.failure.find("\" was ended by ")) << crashed.failure;
#endif
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(ToolRunnerTest, ACutOutputEndsAtALineAndSaysHowMuchWasDropped) {
  const std::string cut = "\" cut at 25 bytes per stream; ";
  // 100 bytes of standard output and 30 of standard error, 10 to a line:
  // two lines of each are kept.
  ToolRun run = RunTool(&state_, ChildCommand("out-lines 10 10 err-lines 3 10"), "", 25);
  EXPECT_EQ("llllllll\r\nllllllll\r\nllllllll\r\nllllllll\r\n", run.output);
  EXPECT_EQ("*** WARNING: output of \"" C51_CHILD_TOOL_NAME + cut + "90 bytes dropped", run.notice);
  EXPECT_EQ("", run.failure);

  // The next run, in the same memory, is whole and says nothing.
  run = RunTool(&state_, ChildCommand("say-out ok"), "", 25);
  EXPECT_EQ("ok", run.output);
  EXPECT_EQ("", run.notice);

  // Exactly the limit is no cut.
  EXPECT_EQ("", RunTool(&state_, ChildCommand("out 25 err 25"), "", 25).notice);
#if !defined(_WIN32)
  // A tool that was cut and then killed has both said.
  run = RunTool(&state_, ChildCommand("out-lines 10 10 crash"), "", 25);
  EXPECT_EQ("*** WARNING: output of \"" C51_CHILD_TOOL_NAME + cut + "80 bytes dropped", run.notice);
  EXPECT_NE(std::string::npos, run.failure.find("\" was ended by ")) << run.failure;
#endif
}

TEST_F(ToolRunnerTest, AMissingProgramShowsTheProcessMessageAndGivesNothing) {
  test::ScopedTempDir dir("c51run");
  const std::string missing = Quoted(dir.path() + "C51.exe") + " main.c";
  const ToolRun run = RunTool(&state_, missing, dir.path());
  EXPECT_EQ("", run.output);
  EXPECT_EQ("*** ERROR: \"C51.exe\" could not be started (system error 2)", run.failure);
  ASSERT_EQ(1u, ui_.messages.size());
  // ENOENT and ERROR_FILE_NOT_FOUND are both 2.
  EXPECT_EQ(Filled(MessageId::kCreateProcessFailed, Language::kChinese, "2"), ui_.messages[0].text);
  EXPECT_EQ(MessageButtons::kOk, ui_.messages[0].buttons);

  state_.language = Language::kEnglish;
  EXPECT_EQ("", RunTool(&state_, missing, "").output);
  ASSERT_EQ(2u, ui_.messages.size());
  EXPECT_EQ("Can not create new process, err code = 2", ui_.messages[1].text);
}

}  // namespace
}  // namespace c51
