// Running one toolchain program with everything it writes captured.
#ifndef C51_BUILD_TOOL_RUNNER_H_
#define C51_BUILD_TOOL_RUNNER_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/process.h"

namespace c51 {

struct PluginState;

// The folder every tool runs in: the project folder with a trailing
// separator ("C:\P\" on Windows, "/p/" on POSIX); empty before a
// configuration was opened, which means the current folder.
std::string ToolWorkingDirectory(const PluginState& state);

struct ToolRun {
  // Everything the tool wrote: all of standard output, then all of
  // standard error, however the writes were interleaved.
  std::string_view output;
  // Empty when the tool ran and ended by itself, whatever its exit code
  // (the output filters judge such a run). Otherwise the line that says
  // why it did not: it could not be started, or something ended it.
  std::string failure;
  // Empty unless the tool wrote more than is kept: then the line that says
  // how much of it `output` lacks, e.g.
  //   *** WARNING: output of "C51.exe" cut at 67108864 bytes per stream; 1234 bytes dropped
  std::string notice;
  // The program's file name ("OH51.exe"), and the code it exited with
  // when it ran and ended by itself (0 otherwise).
  std::string program;
  int exit_code = 0;
  // kPipeFailed or kStartFailed: the system's error code, for the message
  // box such a run shows (ShowToolFailure). kExited or kCrashed otherwise.
  ProcessStatus status = ProcessStatus::kExited;
  int system_error = 0;
};

// What a tool run needs for itself when several run at once: the memory of
// its last capture and the control a stop reaches it through.
struct ToolSlot {
  ProcessResult capture;
  ProcessControl control;
};

// Runs `command_line` hidden in `working_dir`. A tool that cannot be
// started (or whose pipes cannot be made) also shows a message box with
// the system's error code, through `state->ui`. While it runs, StopBuild
// reaches it through `state->tool_control`. Of each of its streams at most
// `keep` bytes are kept (see ProcessOptions::keep).
//
// The output lives in `state` until the next RunTool, which reuses its
// memory: tools run one after another, and a large output then costs no
// fresh memory the second time.
ToolRun RunTool(PluginState* state, const std::string& command_line, const std::string& working_dir,
                size_t keep = kKeptStreamBytes);

// RunTool on a thread of its own: `slot` stands in for the state's capture
// and control, and the message box of a tool that cannot start is left to
// ShowToolFailure, so that a build running tools side by side shows it
// in the order of its files. Touches nothing shared.
ToolRun RunToolInSlot(ToolSlot* slot, const std::string& command_line,
                      const std::string& working_dir, size_t keep = kKeptStreamBytes);

// The message box of a run that could not start or capture, if it was one.
void ShowToolFailure(PluginState* state, const ToolRun& run);

}  // namespace c51

#endif  // C51_BUILD_TOOL_RUNNER_H_
