// The import entry: picks the reader by the file's extension, shows the
// user why a uVision 4 import failed (the readers below only report it)
// and names the configuration the host should make current.
#ifndef C51_ENTRY_IMPORT_ENTRY_H_
#define C51_ENTRY_IMPORT_ENTRY_H_

#include <string>

namespace c51 {

struct PluginState;
struct ProjectNode;

// Imports the uVision project at `path` below `root`. The result is the
// name of the configuration to make current: for "uvproj" kept in
// `state->imported_name`, for "uv2" the current configuration name, both
// valid until the next import. Null when the file is missing, its
// extension is neither, or the import failed (a uVision 4 failure is shown
// in one message box; a uVision 2 one leaves what it made).
const char* ImportProject(PluginState* state, ProjectNode* root, const char* path);

}  // namespace c51

#endif  // C51_ENTRY_IMPORT_ENTRY_H_
