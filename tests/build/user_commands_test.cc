#include "build/user_commands.h"

#include <gtest/gtest.h>

#include "build/build_test_support.h"
#include "plugin/state.h"

namespace c51 {
namespace {

using Outputs = std::vector<std::pair<std::string, int>>;
using Answer = test::FakeHostServices::Answer;

TEST(RunUserCommandsTest, RunsWhatTheValueEnables) {
  struct Row {
    const char* value;
    std::vector<Answer> answers;
    std::vector<std::string> commands;
    Outputs outputs;
  };
  const Row rows[] = {
      {nullptr, {}, {}, {}},
      {"", {}, {}, {}},
      {"0??0??", {}, {}, {}},
      {"1?make.bat?0?post.bat?", {}, {"make.bat"}, {{"User Command #1:make.bat\r\n", 0}}},
      {"0?make.bat?1?post.bat?ignored after the fourth",
       {},
       {"post.bat"},
       {{"User Command #2:post.bat\r\n", 0}}},
      // Only exactly "0" is off.
      {"00?a?0?b?", {}, {"a"}, {{"User Command #1:a\r\n", 0}}},
      {"?a??b?", {}, {"a", "b"}, {{"User Command #1:a\r\n", 0}, {"User Command #2:b\r\n", 0}}},
      // Enabled but empty runs nothing.
      {"1??1?b?", {}, {"b"}, {{"User Command #2:b\r\n", 0}}},
      {"1?a?1?b", {}, {}, {}},
      {"1?a?1?b??", {}, {}, {}},
      // A failing first command is reported and the second still runs.
      {"1?copy %1 x?1?b?",
       {{false, 3}, {true, 0}},
       {"copy %1 x", "b"},
       {{"User Command #1:copy %1 x\r\n", 0},
        {"--- Error: User command terminated,Exit code = 3\r\n", 0},
        {"User Command #2:b\r\n", 0}}},
      {"0?a?1?b?",
       {{false, -1}},
       {"b"},
       {{"User Command #2:b\r\n", 0},
        {"--- Error: User command terminated,Exit code = -1\r\n", 0}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.value ? row.value : "(null)");
    test::FakeHostServices host;
    host.run_answers.assign(row.answers.begin(), row.answers.end());
    PluginState state;
    state.host = &host;
    RunUserCommands(&state, row.value);
    EXPECT_EQ(row.commands, host.commands);
    EXPECT_EQ(row.outputs, host.outputs);
  }
}

}  // namespace
}  // namespace c51
