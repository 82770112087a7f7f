#include "host/project_model.h"

#include <cstdlib>

#include "platform/ascii_case.h"
#include "platform/path.h"
#include "project/key_names.h"

namespace c51::host {
namespace {

std::string Attribute(const ProjectNode* node, std::string_view name) {
  std::string_view value;
  return FindAttributeView(node, name, &value) ? std::string(value) : std::string();
}

bool HasAttribute(const ProjectNode* node, std::string_view name) {
  std::string_view value;
  return FindAttributeView(node, name, &value);
}

bool IsNamed(const ProjectNode* node, std::string_view name) {
  return node->name.data && TextView(node->name) == name;
}

}  // namespace

double DeviceClockMhz(const DeviceInfo& device) {
  for (const std::string& property : device.properties) {
    if (!StartsWithIgnoringCase(property, "CPU=")) continue;
    size_t clock = property.find("CLOCK");
    if (clock == std::string::npos) return 0;
    size_t open = property.find('(', clock);
    size_t close = open == std::string::npos ? open : property.find(')', open);
    if (close == std::string::npos) return 0;
    std::string digits = property.substr(open + 1, close - open - 1);
    return static_cast<double>(std::strtoll(digits.c_str(), nullptr, 0)) / 1000000.0;
  }
  return 0;
}

DeviceInfo ReadDevice(const ProjectNode* root) {
  DeviceInfo device;
  const ProjectNode* node = root ? ChildNamed(root, keys::kDevice) : nullptr;
  if (!node) return device;
  device.vendor = Attribute(node, keys::kVendor);
  device.name = Attribute(node, keys::kName);
  for (const ProjectNode* p = node->first_child; p; p = p->next_sibling)
    if (IsNamed(p, keys::kProperty) && HasAttribute(p, keys::kText))
      device.properties.push_back(Attribute(p, keys::kText));
  return device;
}

void WriteDevice(HostTree* tree, const DeviceInfo& device) {
  ProjectNode* node = ChildNamed(tree->root(), keys::kDevice);
  if (!node) node = tree->AppendChild(tree->root(), keys::kDevice);
  if (!node) return;
  while (node->first_child) tree->Remove(node->first_child);
  tree->SetAttribute(node, keys::kVendor, device.vendor);
  tree->SetAttribute(node, keys::kName, device.name);
  for (const std::string& property : device.properties) {
    ProjectNode* p = tree->AppendChild(node, keys::kProperty);
    if (p) tree->SetAttribute(p, keys::kText, property);
  }
}

std::string ActiveConfiguration(const ProjectNode* root) {
  return Attribute(root, keys::kActiveConfiguration);
}

void SetActiveConfiguration(HostTree* tree, const std::string& name) {
  std::string_view old;
  if (FindAttributeView(tree->root(), keys::kActiveConfiguration, &old) && old == name) return;
  tree->SetAttribute(tree->root(), keys::kActiveConfiguration, name);
}

std::vector<std::string> ConfigurationNames(const ProjectNode* root) {
  std::vector<std::string> names;
  const ProjectNode* configurations = ChildNamed(root, keys::kConfigurations);
  if (!configurations) return names;
  for (const ProjectNode* c = configurations->first_child; c; c = c->next_sibling)
    if (IsNamed(c, keys::kConfiguration) && HasAttribute(c, keys::kName))
      names.push_back(Attribute(c, keys::kName));
  return names;
}

bool ChooseConfiguration(const ProjectNode* root, const std::string& requested, std::string* name,
                         std::string* err) {
  std::vector<std::string> names = ConfigurationNames(root);
  auto exists = [&](const std::string& n) {
    for (const std::string& each : names)
      if (each == n) return true;
    return false;
  };
  if (!requested.empty()) {
    if (exists(requested)) {
      *name = requested;
      return true;
    }
    *err = "no configuration named \"" + requested + "\"";
    if (!names.empty()) {
      *err += " (the project has";
      for (size_t i = 0; i < names.size(); ++i) *err += (i ? ", \"" : " \"") + names[i] + "\"";
      *err += ")";
    }
    return false;
  }
  if (names.empty()) {
    *err = "the project has no configuration";
    return false;
  }
  std::string active = ActiveConfiguration(root);
  *name = exists(active) ? active : names.front();
  return true;
}

std::vector<std::pair<std::string, std::string>> ReadDriverSettings(const ProjectNode* root) {
  std::vector<std::pair<std::string, std::string>> settings;
  const ProjectNode* node = ChildNamed(root, keys::kDriverSettings);
  if (!node) return settings;
  for (const ProjectNode* s = node->first_child; s; s = s->next_sibling)
    if (IsNamed(s, keys::kSetting) && HasAttribute(s, keys::kKey))
      settings.emplace_back(Attribute(s, keys::kKey), Attribute(s, keys::kValue));
  return settings;
}

void StoreDriverSetting(HostTree* tree, const std::string& key, const std::string& value) {
  ProjectNode* node = ChildNamed(tree->root(), keys::kDriverSettings);
  if (!node) node = tree->AppendChild(tree->root(), keys::kDriverSettings);
  if (!node) return;
  for (ProjectNode* s = node->first_child; s; s = s->next_sibling) {
    std::string_view stored;
    if (IsNamed(s, keys::kSetting) && FindAttributeView(s, keys::kKey, &stored) && stored == key) {
      tree->SetAttribute(s, keys::kValue, value);
      return;
    }
  }
  ProjectNode* setting = tree->AppendChild(node, keys::kSetting);
  if (!setting) return;
  tree->SetAttribute(setting, keys::kKey, key);
  tree->SetAttribute(setting, keys::kValue, value);
}

std::vector<ProjectNode*> ProjectFiles(const ProjectNode* root) {
  std::vector<ProjectNode*> files;
  const ProjectNode* top = ChildNamed(root, keys::kFiles);
  if (!top) return files;
  // Depth-first in document order with an explicit stack of next siblings.
  std::vector<ProjectNode*> pending;
  for (ProjectNode* node = top->first_child; node || !pending.empty();) {
    if (!node) {
      node = pending.back();
      pending.pop_back();
      continue;
    }
    if (IsNamed(node, keys::kFile)) files.push_back(node);
    if (IsNamed(node, keys::kFilter) && HasAttribute(node, keys::kName) && node->first_child) {
      pending.push_back(node->next_sibling);
      node = node->first_child;
      continue;
    }
    node = node->next_sibling;
  }
  return files;
}

ProjectNode* FilesNode(HostTree* tree) {
  ProjectNode* files = ChildNamed(tree->root(), keys::kFiles);
  return files ? files : tree->AppendChild(tree->root(), keys::kFiles);
}

namespace {

ProjectNode* WalkGroups(HostTree* tree, const std::string& path, bool add) {
  ProjectNode* parent = add ? FilesNode(tree) : ChildNamed(tree->root(), keys::kFiles);
  size_t start = 0;
  while (parent && start <= path.size()) {
    size_t slash = path.find('/', start);
    if (slash == std::string::npos) slash = path.size();
    std::string name = path.substr(start, slash - start);
    start = slash + 1;
    if (name.empty()) continue;
    ProjectNode* found = nullptr;
    for (ProjectNode* c = parent->first_child; c && !found; c = c->next_sibling) {
      std::string_view stored;
      if (IsNamed(c, keys::kFilter) && FindAttributeView(c, keys::kName, &stored) && stored == name)
        found = c;
    }
    parent = found || !add ? found : tree->AddChild(parent, keys::kFilter, name.c_str());
  }
  return parent;
}

}  // namespace

ProjectNode* FindOrAddGroup(HostTree* tree, const std::string& path) {
  return WalkGroups(tree, path, true);
}

ProjectNode* FindGroup(HostTree* tree, const std::string& path) {
  return WalkGroups(tree, path, false);
}

void LeaveOutOfBuild(HostTree* tree, ProjectNode* node, const char* scope,
                     const std::string& config) {
  ProjectNode* own = FirstChildNamed(node, scope);
  for (; own; own = NextSiblingNamed(own, scope)) {
    const char* name = GetAttributeText(own, keys::kName);
    if (name && config == name) break;
  }
  if (!own) own = tree->AddChild(node, scope, config.c_str());
  if (own) tree->SetAttribute(own, keys::kIncludeInBuild, std::string_view("0"));
}

std::string AbsoluteFilePath(const ProjectNode* file, const std::string& project_folder) {
  std::string_view relative;
  if (!FindAttributeView(file, keys::kRelativePath, &relative)) return std::string();
  return LexicalFullPath(std::string(relative), project_folder, NativePathStyle());
}

}  // namespace c51::host
