// The settings dialogs the host opens for the project, a file group or a
// single file: which sheet and pages, what they load, and what is written
// back after OK.
#ifndef C51_SETTINGS_SETTINGS_ENTRY_H_
#define C51_SETTINGS_SETTINGS_ENTRY_H_

#include "settings/settings_records.h"

namespace c51 {
struct PluginState;
struct ProjectNode;
}  // namespace c51

namespace c51::settings {

class SettingsBackend;

// 2 for a null node. The project root ("CorvaneProject"): 1 when the
// dialog ended with OK and another device was chosen, else 0. A "Filter"
// or "File": 0. Anything else shows nothing and gives 0.
int ShowSettings(PluginState* state, ProjectNode* node, SettingsBackend* backend);

// The records of the process's dialogs; they keep their last values.
SettingsRecords& ProcessSettingsRecords();

// The dialog kinds below the project, and their runs (scope_dialog.cc).
enum class ScopeDialog { kGroup, kCFile, kAssemblyFile, kPlainFile };
// The file dialog for `relative_path`'s extension, lower-cased: "c", one
// starting with "a", or "src"; anything else is a plain file.
ScopeDialog FileDialogFor(const char* relative_path);
int RunProjectDialog(PluginState* state, ProjectNode* root, SettingsBackend* backend,
                     SettingsRecords* records);
int RunScopeDialog(PluginState* state, ProjectNode* node, ScopeDialog kind,
                   SettingsBackend* backend, SettingsRecords* records);

}  // namespace c51::settings

#endif  // C51_SETTINGS_SETTINGS_ENTRY_H_
