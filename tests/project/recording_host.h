// A HostServices double for the project tests: records every UpdateNode
// and applies it itself, the way the host changes its own nodes, so the
// code under test never has to write to a node it does not own.
#ifndef C51_TESTS_PROJECT_RECORDING_HOST_H_
#define C51_TESTS_PROJECT_RECORDING_HOST_H_

#include <string>
#include <utility>
#include <vector>

#include "project/host_services.h"
#include "project/node.h"

namespace c51::test {

// The attributes of a node in ring order, as "name=value" ("<null>" for a
// null value).
inline std::vector<std::string> AttributeList(const ProjectNode* node) {
  std::vector<std::string> list;
  const NodeAttribute* head = &node->attributes;
  for (const NodeAttribute* entry = head->next; entry != head; entry = entry->next) {
    std::string name = entry->name.data ? entry->name.data : "<null>";
    std::string value = entry->value.data ? entry->value.data : "<null>";
    list.push_back(name + "=" + value);
  }
  return list;
}

struct RecordedUpdate {
  const ProjectNode* target;
  std::string element;  // the detached node's element name
  std::vector<std::string> attributes;
};

class RecordingHost : public HostServices {
 public:
  void UpdateNode(ProjectNode* target, ProjectNode* detached) override {
    updates.push_back({target, NodeName(detached), AttributeList(detached)});
    const NodeAttribute* head = &detached->attributes;
    for (const NodeAttribute* entry = head->next; entry != head; entry = entry->next) {
      SetAttributeText(target, entry->name.data, entry->value.data);
    }
  }
  ProjectNode* AddChild(ProjectNode*, const char*, const char*) override { return nullptr; }
  bool RunCommand(const char*, int*) override { return false; }
  void Output(const char*, int) override {}
  void TranslationDone() override {}
  void SetDriverSetting(const char*, const char*) override {}
  void DeviceChanged(void*) override {}

  std::vector<RecordedUpdate> updates;
};

// Builds `element` with "Name" = `name` (when not null) under `parent` and
// returns it; the parent owns it.
inline ProjectNode* AddNode(ProjectNode* parent, const char* element, const char* name = nullptr) {
  NodePtr node = CreateDetachedNode(element);
  ProjectNode* raw = node.get();
  if (name != nullptr) SetAttributeText(raw, "Name", name);
  AdoptChild(parent, std::move(node));
  return raw;
}

}  // namespace c51::test

#endif  // C51_TESTS_PROJECT_RECORDING_HOST_H_
