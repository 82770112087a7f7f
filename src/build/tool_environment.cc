#include "build/tool_environment.h"

#include <cstring>

#include "options/option_text.h"
#include "platform/env.h"
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

ToolEnvironment::ToolEnvironment(const PluginState& state, const std::string& compiler_include) {
  SetEnv("C51LIB", state.toolchain.library_dir);
  SetEnv("C51INC", compiler_include);
  had_path_ = GetEnvBytes("PATH", &saved_path_);
  SetEnvBytes("PATH", ToolSearchPath(state.project_dir, had_path_ ? saved_path_ : std::string()));
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
}

}  // namespace c51
