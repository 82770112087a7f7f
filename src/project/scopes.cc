// Finding each scope's node for the current configuration, and resolving a
// file's per-file switches through its groups. Nothing is cached: the host
// may change the tree between any two calls.
#include "project/scopes.h"

#include <cstring>

#include "project/host_services.h"
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

// Takes the stored value of `key` when there is one; `*value` stays
// otherwise.
void ReadStoredSwitch(const ProjectNode* scope, const char* key, int* value) {
  int stored = 0;
  if (GetAttributeInt(scope, key, &stored) != nullptr) *value = stored;
}

// A value still at 2 (inherit) takes the group's stored one.
void InheritSwitch(const ProjectNode* group_config, const char* key, int* value) {
  if (*value == 2) ReadStoredSwitch(group_config, key, value);
}

}  // namespace

ProjectNode* FindCurrentConfiguration(ConfigurationRef* ref) {
  if (ref == nullptr || ref->root == nullptr) return nullptr;
  return FindForCurrentName(FirstChildNamed(ref->root, keys::kConfigurations), keys::kConfiguration,
                            ref);
}

ProjectNode* FindGroupConfiguration(const ProjectNode* group, ConfigurationRef* ref) {
  return FindForCurrentName(group, "FilterConfiguration", ref);
}

ProjectNode* FindFileConfiguration(const ProjectNode* file, ConfigurationRef* ref) {
  return FindForCurrentName(file, "FileConfiguration", ref);
}

ProjectNode* FindLocalConfiguration(const ProjectNode* file, ConfigurationRef* ref) {
  if (file == nullptr) return nullptr;
  if (ProjectNode* own = FindFileConfiguration(file, ref)) return own;
  for (const ProjectNode* up = file->parent; up != nullptr; up = up->parent) {
    if (ProjectNode* group = FindGroupConfiguration(up, ref)) return group;
  }
  return nullptr;
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

FileSwitches ResolveFileSwitches(const ProjectNode* file, ConfigurationRef* ref) {
  FileSwitches switches;
  const ProjectNode* own = FindFileConfiguration(file, ref);
  // Groups speak for a file only once the file has a scope of its own.
  if (own == nullptr) return switches;
  ReadStoredSwitch(own, keys::kIncludeInBuild, &switches.inc_bld);
  ReadStoredSwitch(own, keys::kGenerateAsm, &switches.gen_asm);
  ReadStoredSwitch(own, keys::kAssembleAsm, &switches.asm_asm);
  for (const ProjectNode* up = file->parent; up != nullptr; up = up->parent) {
    if (!TextEquals(up->name, keys::kFilter)) continue;
    const ProjectNode* group = FindGroupConfiguration(up, ref);
    if (group == nullptr) continue;
    InheritSwitch(group, keys::kIncludeInBuild, &switches.inc_bld);
    InheritSwitch(group, keys::kGenerateAsm, &switches.gen_asm);
    InheritSwitch(group, keys::kAssembleAsm, &switches.asm_asm);
  }
  return switches;
}

bool AppendStoredCodeBank(const ProjectNode* file, ConfigurationRef* ref, int bank_count,
                          std::string* out) {
  const ProjectNode* local = FindLocalConfiguration(file, ref);
  int bank = -1;
  if (GetAttributeInt(local, keys::kBankNumber, &bank) == nullptr) return false;
  // Any negative number means "no bank": "BANK-5 {" would break the
  // linker's command file.
  if (bank < 0 || bank >= bank_count) return false;
  if (out != nullptr) {
    *out += "BANK";
    *out += FormatInt(bank);
    *out += " {";
  }
  return true;
}

void SetOneAttribute(HostServices* host, ProjectNode* node, const char* name, const char* value) {
  if (host == nullptr || node == nullptr) return;
  NodePtr detached = CreateDetachedNode(node->name.data);
  if (detached == nullptr || !SetAttributeText(detached.get(), name, value)) return;
  host->UpdateNode(node, detached.get());
}

}  // namespace c51
