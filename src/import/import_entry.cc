#include "import/import_entry.h"

#include "import/uv2_reader.h"
#include "import/uvproj_importer.h"
#include "platform/ascii_case.h"
#include "platform/fs.h"
#include "plugin/state.h"

namespace c51 {

std::string LowerExtension(const std::string& path) {
  size_t dot = path.rfind('.');
  size_t separator = path.find_last_of("\\/:");
  if (dot == std::string::npos || (separator != std::string::npos && dot < separator)) return "";
  std::string extension = path.substr(dot + 1);
  return ToLowerAscii(extension);
}

const char* ImportProject(PluginState* state, ProjectNode* root, const char* path) {
  if (!path || !PathExists(path)) return nullptr;
  state->configuration.root = root;
  if (!root || !state->host) return nullptr;
  std::string extension = LowerExtension(path);
  if (extension == "uvproj") {
    UvprojImporter importer(state, root, path);
    std::string name;
    if (!importer.Import(&name)) return nullptr;
    state->imported_name = name;
    return state->imported_name.c_str();
  }
  if (extension == "uv2") {
    if (!ImportUv2Project(state, root, path)) return nullptr;
    return state->configuration.name.c_str();
  }
  return nullptr;
}

}  // namespace c51
