#include "settings/settings_entry.h"

#include <cstring>
#include <string>

#include "platform/ascii_case.h"
#include "project/key_names.h"
#include "project/node.h"

namespace c51::settings {

SettingsRecords& ProcessSettingsRecords() {
  static SettingsRecords records;
  return records;
}

ScopeDialog FileDialogFor(const char* relative_path) {
  std::string path = relative_path ? relative_path : "";
  // The extension of the file name: a "." in a folder name is not one.
  size_t name = path.find_last_of("\\/");
  name = name == std::string::npos ? 0 : name + 1;
  size_t dot = path.rfind('.');
  if (dot == std::string::npos || dot < name) return ScopeDialog::kPlainFile;
  const std::string extension = ToLowerAscii(std::string_view(path).substr(dot + 1));
  if (extension == "c") return ScopeDialog::kCFile;
  if (extension == "src" || (!extension.empty() && extension[0] == 'a')) {
    return ScopeDialog::kAssemblyFile;
  }
  return ScopeDialog::kPlainFile;
}

int ShowSettings(PluginState* state, ProjectNode* node, SettingsBackend* backend) {
  if (node == nullptr) return 2;
  const char* name = NodeName(node);
  if (name == nullptr) return 0;
  SettingsRecords* records = &ProcessSettingsRecords();
  if (std::strcmp(name, keys::kProjectRoot) == 0) {
    return RunProjectDialog(state, node, backend, records);
  }
  if (std::strcmp(name, keys::kFilter) == 0) {
    return RunScopeDialog(state, node, ScopeDialog::kGroup, backend, records);
  }
  if (std::strcmp(name, keys::kFile) == 0) {
    return RunScopeDialog(state, node, FileDialogFor(GetAttributeText(node, keys::kRelativePath)),
                          backend, records);
  }
  return 0;
}

}  // namespace c51::settings
