// Finding each scope's node for the current configuration. Nothing is
// cached: the host may change the tree between any two calls.
#include "project/scopes.h"

#include "project/key_names.h"
#include "project/node.h"

namespace c51 {

namespace {

// Among `parent`'s children named `element`, the first whose "Name" is the
// current configuration name. While that name is empty the first child
// carrying a "Name" makes its name current, so every later lookup agrees
// on one configuration.
ProjectNode* FindForCurrentName(const ProjectNode* parent, const char* element,
                                ConfigurationRef* ref) {
  if (parent == nullptr || ref == nullptr) return nullptr;
  for (ProjectNode* child = FirstChildNamed(parent, element); child != nullptr;
       child = NextSiblingNamed(child, element)) {
    const char* name = GetAttributeText(child, keys::kName);
    if (name == nullptr) continue;
    if (ref->name.empty()) {
      ref->name = name;
      return child;
    }
    if (ref->name == name) return child;
  }
  return nullptr;
}

}  // namespace

ProjectNode* FindCurrentConfiguration(ConfigurationRef* ref) {
  if (ref == nullptr || ref->root == nullptr) return nullptr;
  return FindForCurrentName(FirstChildNamed(ref->root, keys::kConfigurations), keys::kConfiguration,
                            ref);
}

ProjectNode* FindGroupConfiguration(const ProjectNode* group, ConfigurationRef* ref) {
  return FindForCurrentName(group, keys::kFilterConfiguration, ref);
}

ProjectNode* FindFileConfiguration(const ProjectNode* file, ConfigurationRef* ref) {
  return FindForCurrentName(file, keys::kFileConfiguration, ref);
}

ProjectNode* FindToolNode(const ProjectNode* node, const char* tool) {
  if (node == nullptr || tool == nullptr) return nullptr;
  for (ProjectNode* child = FirstChildNamed(node, keys::kTool); child != nullptr;
       child = NextSiblingNamed(child, keys::kTool)) {
    const NodeAttribute* name = FindAttribute(child, keys::kName);
    if (name != nullptr && TextEquals(name->value, tool)) return child;
  }
  return nullptr;
}

}  // namespace c51
