// The scope-inheritance walk. Nothing is cached beyond one ScopeStack: the
// host may change the tree between any two calls.
#include "project/scope_walk.h"

namespace c51 {

namespace {

// A value still at 2 (inherit) takes the one `scope` stores, if any.
void InheritSwitch(const ProjectNode* scope, const char* key, int* value) {
  int stored = 0;
  if (*value == 2 && GetAttributeInt(scope, key, &stored) != nullptr) *value = stored;
}

void InheritSwitches(const ProjectNode* scope, FileSwitches* switches) {
  InheritSwitch(scope, keys::kIncludeInBuild, &switches->inc_bld);
  InheritSwitch(scope, keys::kGenerateAsm, &switches->gen_asm);
  InheritSwitch(scope, keys::kAssembleAsm, &switches->asm_asm);
}

// The file's own values first (all three start at 2), then the groups'
// that `for_each_group` hands out.
template <typename ForEachGroup>
FileSwitches ResolveSwitches(const ProjectNode* own, ForEachGroup&& for_each_group) {
  FileSwitches switches;
  // Groups speak for a file only once the file has a scope of its own.
  if (own == nullptr) return switches;
  InheritSwitches(own, &switches);
  for_each_group([&](const ProjectNode* group) { InheritSwitches(group, &switches); });
  return switches;
}

}  // namespace

void ScopeStack::EnterPath(const ProjectNode* node) {
  std::vector<const ProjectNode*> above;
  for (const ProjectNode* up = node; up != nullptr; up = up->parent) above.push_back(up);
  for (auto up = above.rbegin(); up != above.rend(); ++up) Enter(*up);
}

void ScopeStack::Enter(const ProjectNode* node) {
  const ProjectNode* config = FindGroupConfiguration(node, ref_);
  levels_.push_back(Level{node, config, config != nullptr ? config : nearest()});
}

FileSwitches ResolveFileSwitches(const ProjectNode* file, ConfigurationRef* ref) {
  return ResolveSwitches(FindFileConfiguration(file, ref),
                         [&](auto visit) { ForEachGroupScope(file, ref, visit); });
}

FileSwitches ResolveFileSwitches(const ProjectNode* own, const ScopeStack& groups) {
  return ResolveSwitches(own, [&](auto visit) { groups.ForEachGroupScope(visit); });
}

ProjectNode* FindLocalConfiguration(const ProjectNode* file, ConfigurationRef* ref) {
  if (file == nullptr) return nullptr;
  if (ProjectNode* own = FindFileConfiguration(file, ref)) return own;
  for (const ProjectNode* up = file->parent; up != nullptr; up = up->parent) {
    if (ProjectNode* group = FindGroupConfiguration(up, ref)) return group;
  }
  return nullptr;
}

}  // namespace c51
