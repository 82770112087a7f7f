// What a group or file scope inherits from the scopes around it, for the
// compiler and assembler pages' control strings.
#ifndef C51_SETTINGS_INHERITED_CONTEXT_H_
#define C51_SETTINGS_INHERITED_CONTEXT_H_

#include "options/a51_control_string.h"
#include "options/c51_control_string.h"

namespace c51 {
struct ConfigurationRef;
struct ProjectNode;
}  // namespace c51

namespace c51::settings {

// Walks the ancestors of `scope_node` outward: of the groups with a group
// configuration, the first "GenAsm" other than 2, the first "C51FL" other
// than the inherit word and the first "A51FL" other than 138, and their
// define, include and misc texts joined nearest first; then the current
// configuration's project values.
void CollectInherited(const ProjectNode* scope_node, ConfigurationRef* ref, C51Inherited* c51,
                      A51Inherited* a51);

}  // namespace c51::settings

#endif  // C51_SETTINGS_INHERITED_CONTEXT_H_
