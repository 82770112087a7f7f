// Where a tool's keys live for one scope, and how the scope's tool node is
// made when it is missing: the project's "Configuration", a group's
// "FilterConfiguration" or a file's "FileConfiguration", each with "Tool"
// children named after the tool ("C51Tool", "A51Tool", "Lx51Tool").
#ifndef C51_OPTIONS_TOOL_SCOPE_H_
#define C51_OPTIONS_TOOL_SCOPE_H_

#include "project/key_names.h"
#include "project/node.h"

namespace c51 {

class HostServices;
struct ConfigurationRef;

// The scope marker the settings pages share: the values are stored in the
// dialog's records, so they are fixed.
enum class OptionScope : int {
  kProject = 1,
  kGroup = 2,
  kFile = 3,
};

// The scope `node` stands for: the project root ("CorvaneProject" or any
// node that is neither a group nor a file), a "Filter" or a "File".
OptionScope ScopeOfNode(const ProjectNode* node);

// The configuration-like node holding `node`'s keys for the current
// configuration: the current "Configuration" for the project root, the
// group's or file's own configuration otherwise. Null when missing.
ProjectNode* FindScopeConfiguration(const ProjectNode* node, ConfigurationRef* ref);

// The tool node of `tool` at `node`'s scope, creating what is missing
// through the host: the group's "FilterConfiguration" or the file's "FileConfiguration" named
// after the current configuration, then the "Tool" node. A project
// without a current configuration is not given one. Null when the host
// answers null; nothing further is created then.
ProjectNode* FindOrAddScopeTool(HostServices* host, ProjectNode* node, ConfigurationRef* ref,
                                const char* tool);

}  // namespace c51

#endif  // C51_OPTIONS_TOOL_SCOPE_H_
