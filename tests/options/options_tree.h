// Project trees for the option tests, built from detached nodes, and a
// HostServices double that records every write and applies it the way the
// host would, so the code under test never writes a node itself.
#ifndef C51_TESTS_OPTIONS_OPTIONS_TREE_H_
#define C51_TESTS_OPTIONS_OPTIONS_TREE_H_

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "project/host_services.h"
#include "project/node.h"
#include "project/scopes.h"

namespace c51::test {

using Keys = std::initializer_list<std::pair<const char*, const char*>>;

inline ProjectNode* AddNode(ProjectNode* parent, const char* element, const char* name = nullptr,
                            Keys keys = {}) {
  NodePtr node = CreateDetachedNode(element);
  ProjectNode* raw = node.get();
  if (name != nullptr) SetAttributeText(raw, "Name", name);
  for (const auto& [key, value] : keys) SetAttributeText(raw, key, value);
  AdoptChild(parent, std::move(node));
  return raw;
}

// "CorvaneProject" / "Configurations" / "Configuration" Debug (current),
// and "Files".
struct ProjectTree {
  ProjectTree() : root(CreateDetachedNode("CorvaneProject")) {
    config = AddNode(AddNode(root.get(), "Configurations"), "Configuration", "Debug");
    files = AddNode(root.get(), "Files");
    ref = {root.get(), "Debug"};
  }
  ProjectNode* File(ProjectNode* parent, const char* path) {
    return AddNode(parent, "File", nullptr, {{"RelativePath", path}});
  }
  // The group's or file's configuration for Debug, made on first use.
  ProjectNode* ScopeConfig(ProjectNode* owner, Keys keys = {}) {
    const char* element =
        TextEquals(owner->name, "Filter") ? "FilterConfiguration" : "FileConfiguration";
    ProjectNode* scope = FirstChildNamed(owner, element);
    if (scope == nullptr) scope = AddNode(owner, element, "Debug");
    for (const auto& [key, value] : keys) SetAttributeText(scope, key, value);
    return scope;
  }
  // A "Tool" named `tool` with `keys` under the project's configuration
  // (owner null) or the owner's scope configuration.
  ProjectNode* Tool(ProjectNode* owner, const char* tool, Keys keys) {
    return AddNode(owner == nullptr ? config : ScopeConfig(owner), "Tool", tool, keys);
  }

  NodePtr root;
  ProjectNode* config;
  ProjectNode* files;
  ConfigurationRef ref;
};

class RecordingServices : public HostServices {
 public:
  // "UpdateNode <element>: name=value ..." or "AddChild <element> <Name>".
  std::vector<std::string> calls;
  std::vector<const ProjectNode*> targets;
  bool fail_add_child = false;

  void UpdateNode(ProjectNode* target, ProjectNode* detached) override {
    std::string call = std::string("UpdateNode ") + NodeName(detached) + ":";
    const NodeAttribute* head = &detached->attributes;
    for (const NodeAttribute* entry = head->next; entry != head; entry = entry->next) {
      call += std::string(" ") + entry->name.data + "=" + entry->value.data;
      SetAttributeText(target, entry->name.data, entry->value.data);
    }
    calls.push_back(call);
    targets.push_back(target);
  }
  ProjectNode* AddChild(ProjectNode* parent, const char* element, const char* name) override {
    calls.push_back(std::string("AddChild ") + element + " " + (name ? name : "<null>"));
    targets.push_back(parent);
    return fail_add_child ? nullptr : AddNode(parent, element, name);
  }
  bool RunCommand(const char*, int*) override { return false; }
  void Output(const char*, int) override {}
  void TranslationDone() override {}
  void SetDriverSetting(const char*, const char*) override {}
  void DeviceChanged(void*) override {}
};

}  // namespace c51::test

#endif  // C51_TESTS_OPTIONS_OPTIONS_TREE_H_
