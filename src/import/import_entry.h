// The import entry: picks the reader by the file's extension and names the
// configuration the host should make current.
#ifndef C51_IMPORT_IMPORT_ENTRY_H_
#define C51_IMPORT_IMPORT_ENTRY_H_

#include <string>

namespace c51 {

struct PluginState;
struct ProjectNode;

// Imports the uVision project at `path` below `root`. The result is the
// name of the configuration to make current: for "uvproj" kept in
// `state->imported_name`, for "uv2" the current configuration name, both
// valid until the next import. Null when the file is missing, its
// extension is neither, or the import failed (a uVision 4 failure has been
// shown to the user; a uVision 2 one leaves what it made).
const char* ImportProject(PluginState* state, ProjectNode* root, const char* path);

}  // namespace c51

#endif  // C51_IMPORT_IMPORT_ENTRY_H_
