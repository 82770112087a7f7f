// Making a configuration current: the derived folders, the listing
// switches and the toolchain.
#ifndef C51_PLUGIN_OPEN_CONFIGURATION_H_
#define C51_PLUGIN_OPEN_CONFIGURATION_H_

namespace c51 {

struct PluginState;
struct ProjectNode;

// Records `root` and `name`, then, when the configuration exists, derives
// the absolute and relative output and listing folders (creating them),
// the output name and the listing switches, and locates the toolchain.
// Changes the current directory to the project folder.
void OpenConfiguration(PluginState* state, ProjectNode* root, const char* name);

}  // namespace c51

#endif  // C51_PLUGIN_OPEN_CONFIGURATION_H_
