#include "build/tool_runner.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/path.h"
#include "platform/process.h"
#include "plugin/build_cache.h"
#include "plugin/state.h"
#include "support/path_text.h"

namespace c51 {
namespace {

// `pattern` holds one "%d"; our own table texts, never user input.
std::string FormatCode(const char* pattern, int code) {
  char buffer[256];
  int n = std::snprintf(buffer, sizeof(buffer), pattern, code);
  if (n < 0) return pattern;
  return std::string(buffer, static_cast<size_t>(n) < sizeof(buffer) ? n : sizeof(buffer) - 1);
}

void ShowFailure(PluginState* state, MessageId id, int code) {
  if (state->ui == nullptr) return;
  // The state's own language, so that a test's state decides the wording.
  std::string text = FormatCode(MessageText(id, state->language), code);
  state->ui->ShowMessage(text, "", MessageIcon::kError, MessageButtons::kOk);
}

// The program's file name, from the first argument of the command line:
//   "C:\K\BIN\C51.exe" main.c => C51.exe
std::string ProgramName(const std::string& command_line) {
  const std::vector<std::string> args = SplitWindowsCommandLine(command_line);
  if (args.empty()) return std::string();
  return std::string(NamePart(args.front(), PathBreak::kSlash));
}

// A signal's number, or a Windows exception code (on Windows, and from a
// Windows program under wine); the codes have their top bit set.
std::string CrashCause(int code) {
  if (code > 0) return "signal " + std::to_string(code);
  char hex[16];
  std::snprintf(hex, sizeof hex, "%08X", static_cast<unsigned>(code));
  return std::string("exception 0x") + hex;
}

ToolRun RunIn(ProcessResult* capture_into, ProcessControl* control, const std::string& command_line,
              const std::string& working_dir, size_t keep) {
  ProcessResult& capture = *capture_into;
  ProcessOptions options;
  options.order = StreamOrder::kErrAfterOut;
  options.recycled = &capture;
  options.keep = keep;
  options.control = control;
  capture = RunProcess(command_line, working_dir, options);
  ToolRun run;
  const std::string program = ProgramName(command_line);
  const uint64_t dropped = capture.out_dropped + capture.err_dropped;
  if (dropped > 0) {
    run.notice = "*** WARNING: output of \"" + program + "\" cut at " + std::to_string(keep) +
                 " bytes per stream; " + std::to_string(dropped) + " bytes dropped";
  }
  run.status = capture.status;
  switch (capture.status) {
    case ProcessStatus::kPipeFailed:
      run.system_error = capture.system_error;
      capture.out.clear();
      run.failure = "*** ERROR: cannot capture the output of \"" + program + "\" (system error " +
                    std::to_string(capture.system_error) + ")";
      break;
    case ProcessStatus::kStartFailed:
      run.system_error = capture.system_error;
      capture.out.clear();
      run.failure = "*** ERROR: \"" + program + "\" could not be started (system error " +
                    std::to_string(capture.system_error) + ")";
      if (!capture.start_problem.empty()) run.failure += ": " + capture.start_problem;
      break;
    case ProcessStatus::kCrashed:
      // Whatever it wrote before may be cut anywhere: it made nothing.
      run.failure = "*** ERROR: \"" + program + "\" was ended by " + CrashCause(capture.exit_code);
      break;
    case ProcessStatus::kExited:
      run.exit_code = capture.exit_code;
      break;
  }
  run.program = program;
  run.output = capture.out;
  return run;
}

}  // namespace

std::string ToolWorkingDirectory(const PluginState& state) {
  std::string dir = state.project_dir;
  if (!dir.empty() && !IsPathSeparator(dir.back())) {
    dir.push_back(NativePathStyle() == PathStyle::kWindows ? '\\' : '/');
  }
  return dir;
}

ToolRun RunTool(PluginState* state, const std::string& command_line, const std::string& working_dir,
                size_t keep) {
  ToolRun run =
      RunIn(&state->caches().tool_capture, &state->tool_control, command_line, working_dir, keep);
  ShowToolFailure(state, run);
  return run;
}

ToolRun RunToolInSlot(ToolSlot* slot, const std::string& command_line,
                      const std::string& working_dir, size_t keep) {
  return RunIn(&slot->capture, &slot->control, command_line, working_dir, keep);
}

void ShowToolFailure(PluginState* state, const ToolRun& run) {
  if (run.status == ProcessStatus::kPipeFailed) {
    ShowFailure(state, MessageId::kCreatePipeFailed, run.system_error);
  } else if (run.status == ProcessStatus::kStartFailed) {
    ShowFailure(state, MessageId::kCreateProcessFailed, run.system_error);
  }
}

}  // namespace c51
