// Running one toolchain program with everything it writes captured.
#ifndef C51_BUILD_TOOL_RUNNER_H_
#define C51_BUILD_TOOL_RUNNER_H_

#include <string>
#include <string_view>

namespace c51 {

struct PluginState;

// The folder every tool runs in: the project folder with a trailing
// separator ("C:\P\" on Windows, "/p/" on POSIX); empty before a
// configuration was opened, which means the current folder.
std::string ToolWorkingDirectory(const PluginState& state);

// Runs `command_line` hidden in `working_dir` and returns everything it
// wrote: all of standard output, then all of standard error, however the
// writes were interleaved. A tool that cannot be started (or whose pipes
// cannot be made) gives "" after a message box with the system's error
// code, shown through `state->ui`. The exit code is not looked at: the
// output filters judge the run.
//
// The text lives in `state` until the next RunTool, which reuses its
// memory: tools run one after another, and a large output then costs no
// fresh memory the second time.
std::string_view RunTool(PluginState* state, const std::string& command_line,
                         const std::string& working_dir);

}  // namespace c51

#endif  // C51_BUILD_TOOL_RUNNER_H_
