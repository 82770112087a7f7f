#include "build/tool_environment.h"

#include <cstring>
#include <string_view>

#include "options/option_text.h"
#include "platform/ascii_case.h"
#include "platform/env.h"
#include "platform/tool_paths.h"
#include "plugin/state.h"

namespace c51 {

std::string IncludeSubdirectory(const char* text) {
  if (text == nullptr) return std::string();
  const char* open = std::strchr(text, '(');
  if (open == nullptr) return std::string();
  const char* close = std::strchr(open + 1, ')');
  if (close == nullptr || close - open <= 3) return std::string();
  // Between "(<" and ">)": from the second byte after "(" to the second
  // before ")".
  return std::string(TrimBlanks(std::string_view(open + 2, static_cast<size_t>(close - open - 3))));
}

std::string CompilerIncludeVariable(const std::string& include_dir,
                                    const std::string& subdirectory) {
  if (subdirectory.empty()) return include_dir;
  return include_dir + ";" + include_dir + subdirectory + "\\";
}

namespace {

// Each folder of a ";" list as the tool names it (tool_paths.h).
std::string FoldersForProgram(const std::string& program, const std::string& list) {
  std::string out;
  size_t start = 0;
  for (;;) {
    const size_t end = list.find(';', start);
    out += PathForProgram(program, list.substr(start, end - start));
    if (end == std::string::npos) return out;
    out += ';';
    start = end + 1;
  }
}

}  // namespace

std::string ControlsForProgram(const std::string& program, const std::string& controls) {
  if (!RunsThroughWine(program)) return controls;
  static constexpr std::string_view kKeyword = "INCDIR";
  std::string out;
  size_t copied = 0;
  for (size_t at = 0; at + kKeyword.size() <= controls.size(); ++at) {
    if (!EqualsIgnoringCase(std::string_view(controls).substr(at, kKeyword.size()), kKeyword)) {
      continue;
    }
    size_t open = at + kKeyword.size();
    while (open < controls.size() && controls[open] == ' ') ++open;
    if (open >= controls.size() || controls[open] != '(') continue;
    const size_t close = controls.find(')', open + 1);
    if (close == std::string::npos) break;
    out.append(controls, copied, open + 1 - copied);
    out += FoldersForProgram(program, controls.substr(open + 1, close - open - 1));
    copied = close;
    at = close;
  }
  out.append(controls, copied, std::string::npos);
  return out;
}

ToolEnvironment::ToolEnvironment(const PluginState& state, const std::string& compiler_include) {
  // Every tool of an installation is built alike: the compiler speaks for
  // them all.
  const std::string& program = state.toolchain.compiler;
  SetEnv("C51LIB", PathForProgram(program, state.toolchain.library_dir));
  SetEnv("C51INC", FoldersForProgram(program, compiler_include));
  had_path_ = GetEnvBytes("PATH", &saved_path_);
  SetEnvBytes("PATH", ToolSearchPath(state.project_dir, had_path_ ? saved_path_ : std::string()));
  const std::string wine_folder = PathForProgram(program, state.project_dir);
  if (wine_folder != state.project_dir) {
    set_wine_path_ = true;
    had_wine_path_ = GetEnvBytes("WINEPATH", &saved_wine_path_);
    SetEnv("WINEPATH", wine_folder);
  }
}

ToolEnvironment::~ToolEnvironment() {
  Restore();
}

void ToolEnvironment::Restore() {
  if (restored_) return;
  restored_ = true;
  if (had_path_) {
    SetEnvBytes("PATH", saved_path_);
  } else {
    UnsetEnv("PATH");
  }
  if (!set_wine_path_) return;
  if (had_wine_path_) {
    SetEnvBytes("WINEPATH", saved_wine_path_);
  } else {
    UnsetEnv("WINEPATH");
  }
}

}  // namespace c51
