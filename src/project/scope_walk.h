// How a file inherits its settings: from its own "FileConfiguration", then
// from the "FilterConfiguration" of each enclosing group ("Filter"), nearest
// first, then from the project's current "Configuration". The per-file
// switches, the compiler's and the assembler's options all follow this one
// walk, either climbing from one file (ForEachGroupScope) or kept on a stack
// while the build goes down the whole tree (ScopeStack).
#ifndef C51_PROJECT_SCOPE_WALK_H_
#define C51_PROJECT_SCOPE_WALK_H_

#include <vector>

#include "project/key_names.h"
#include "project/node.h"
#include "project/scopes.h"

namespace c51 {

// Calls `visit(const ProjectNode* group_configuration)` for each enclosing
// group of `node` that has a configuration for the current one, nearest
// first. Each group is looked up as it is reached.
template <typename Visit>
void ForEachGroupScope(const ProjectNode* node, ConfigurationRef* ref, Visit&& visit) {
  for (const ProjectNode* up = node != nullptr ? node->parent : nullptr; up != nullptr;
       up = up->parent) {
    if (!TextEquals(up->name, keys::kFilter)) continue;
    if (const ProjectNode* config = FindGroupConfiguration(up, ref)) visit(config);
  }
}

// The scopes enclosing the place a walk down the tree has reached. Each node
// entered is looked up once, not once per file below it, which would scan a
// group's children again for every file it holds.
class ScopeStack {
 public:
  explicit ScopeStack(ConfigurationRef* ref) : ref_(ref) {}

  // Enters every node from the root down to `node`, outermost first.
  void EnterPath(const ProjectNode* node);
  // Enters `node` below the current place; its configuration is looked up
  // now.
  void Enter(const ProjectNode* node);
  void Leave() { levels_.pop_back(); }

  // The configuration of the nearest level that has one, whatever the node
  // (FindLocalConfiguration's rule for the groups); null when none has.
  const ProjectNode* nearest() const { return levels_.empty() ? nullptr : levels_.back().nearest; }

  // ForEachGroupScope for a file at the current place.
  template <typename Visit>
  void ForEachGroupScope(Visit&& visit) const {
    for (auto level = levels_.rbegin(); level != levels_.rend(); ++level) {
      if (level->config != nullptr && TextEquals(level->node->name, keys::kFilter)) {
        visit(level->config);
      }
    }
  }

 private:
  struct Level {
    const ProjectNode* node;
    const ProjectNode* config;   // its configuration for the current one, or null
    const ProjectNode* nearest;  // `config`, or the nearest outer level's
  };
  ConfigurationRef* ref_;
  std::vector<Level> levels_;
};

// Effective per-file switches: 0 no, 1 yes, 2 inherit (other stored values
// are kept as they are).
struct FileSwitches {
  int inc_bld = 2;
  int gen_asm = 2;
  int asm_asm = 2;

  // The file is built unless "IncBld" is 0; the other two act only when 1.
  bool included() const { return inc_bld != 0; }
  bool generates_asm() const { return gen_asm == 1; }
  bool assembles_asm() const { return asm_asm == 1; }
};

// The file's own stored values, then for each still at 2 the nearest
// enclosing group's stored value, outward. Without a file configuration the
// group walk is not made and all three stay 2.
FileSwitches ResolveFileSwitches(const ProjectNode* file, ConfigurationRef* ref);
// The same for a file whose own configuration is `own` (null: none) at the
// place `groups` has reached.
FileSwitches ResolveFileSwitches(const ProjectNode* own, const ScopeStack& groups);

// The file configuration when there is one; otherwise the first group
// configuration found on any ancestor, nearest first.
ProjectNode* FindLocalConfiguration(const ProjectNode* file, ConfigurationRef* ref);

}  // namespace c51

#endif  // C51_PROJECT_SCOPE_WALK_H_
