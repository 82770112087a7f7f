// The complete settings of a new configuration.
#ifndef C51_PLUGIN_DEFAULT_CONFIGURATION_H_
#define C51_PLUGIN_DEFAULT_CONFIGURATION_H_

namespace c51 {

struct PluginState;
struct ProjectNode;

// Writes the project-scope defaults on a "Configuration" node that carries
// "Name", then the "C51Tool", "A51Tool" and "Lx51Tool" children with their
// defaults (created through the host when missing). Any other node, or a
// missing "Name", is left alone; a tool node the host cannot create ends
// the writing there.
void CreateDefaultConfiguration(PluginState* state, ProjectNode* config);

}  // namespace c51

#endif  // C51_PLUGIN_DEFAULT_CONFIGURATION_H_
