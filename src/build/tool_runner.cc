#include "build/tool_runner.h"

#include <cstdio>

#include "platform/path.h"
#include "platform/process.h"
#include "plugin/state.h"

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

}  // namespace

std::string ToolWorkingDirectory(const PluginState& state) {
  std::string dir = state.project_dir;
  if (!dir.empty() && !IsPathSeparator(dir.back())) {
    dir.push_back(NativePathStyle() == PathStyle::kWindows ? '\\' : '/');
  }
  return dir;
}

std::string_view RunTool(PluginState* state, const std::string& command_line,
                         const std::string& working_dir) {
  ProcessResult& capture = state->tool_capture;
  capture = RunProcess(command_line, working_dir, StreamOrder::kErrAfterOut, &capture);
  switch (capture.status) {
    case ProcessStatus::kPipeFailed:
      ShowFailure(state, MessageId::kCreatePipeFailed, capture.system_error);
      capture.out.clear();
      break;
    case ProcessStatus::kStartFailed:
      ShowFailure(state, MessageId::kCreateProcessFailed, capture.system_error);
      capture.out.clear();
      break;
    case ProcessStatus::kExited:
    case ProcessStatus::kCrashed:
      break;
  }
  return capture.out;
}

}  // namespace c51
