#include "options/tool_scope.h"

#include "project/host_services.h"
#include "project/key_names.h"
#include "project/scopes.h"

namespace c51 {

OptionScope ScopeOfNode(const ProjectNode* node) {
  if (node == nullptr) return OptionScope::kProject;
  if (TextEquals(node->name, keys::kFilter)) return OptionScope::kGroup;
  if (TextEquals(node->name, keys::kFile)) return OptionScope::kFile;
  return OptionScope::kProject;
}

ProjectNode* FindScopeConfiguration(const ProjectNode* node, ConfigurationRef* ref) {
  switch (ScopeOfNode(node)) {
    case OptionScope::kGroup:
      return FindGroupConfiguration(node, ref);
    case OptionScope::kFile:
      return FindFileConfiguration(node, ref);
    case OptionScope::kProject:
      break;
  }
  // A page bound to the configuration itself hands that node in.
  if (node != nullptr && TextEquals(node->name, keys::kConfiguration)) {
    return const_cast<ProjectNode*>(node);
  }
  return FindCurrentConfiguration(ref);
}

ProjectNode* FindOrAddScopeTool(HostServices* host, ProjectNode* node, ConfigurationRef* ref,
                                const char* tool) {
  if (host == nullptr || ref == nullptr) return nullptr;
  ProjectNode* config = FindScopeConfiguration(node, ref);
  const OptionScope scope = ScopeOfNode(node);
  if (config == nullptr && scope != OptionScope::kProject) {
    // While no name is current the project's first configuration decides,
    // so the new scope node is named after a configuration that exists.
    if (ref->name.empty()) FindCurrentConfiguration(ref);
    if (ref->name.empty()) return nullptr;
    const char* element =
        scope == OptionScope::kGroup ? keys::kFilterConfiguration : keys::kFileConfiguration;
    config = host->AddChild(node, element, ref->name.c_str());
  }
  if (config == nullptr) return nullptr;
  if (ProjectNode* existing = FindToolNode(config, tool)) return existing;
  return host->AddChild(config, keys::kTool, tool);
}

}  // namespace c51
