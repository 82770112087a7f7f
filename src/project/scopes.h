// Where each scope's options live in the tree. How a file inherits them
// through its groups is scope_walk.h.
//
// Tree shape:
//   "CorvaneProject"
//     "Configurations" / "Configuration" (Name, target keys)
//        / "Tool" (Name = "C51Tool" | "A51Tool" | "Lx51Tool")
//     "Files" / "Filter" (a group; nests) / "File" (RelativePath)
//   Groups hold "FilterConfiguration", files "FileConfiguration", one per
//   configuration name, each with "IncBld", "GenAsm", "AsmAsm", "BankNum"
//   and "Tool" children.
#ifndef C51_PROJECT_SCOPES_H_
#define C51_PROJECT_SCOPES_H_

#include <string>

namespace c51 {

struct ProjectNode;

// The project root and the name of the current configuration. The plug-in
// holds the one instance; the lookups below read it and, while the name is
// empty, adopt the first name they meet into it.
struct ConfigurationRef {
  ProjectNode* root = nullptr;
  std::string name;
};

// The root's first "Configurations" child; among its "Configuration"
// children the first whose "Name" equals the current name. Null when the
// root is unset, "Configurations" is missing or nothing matches.
ProjectNode* FindCurrentConfiguration(ConfigurationRef* ref);

// Among the group's "FilterConfiguration" children, the one for the
// current configuration; null when none (or `group` is null).
ProjectNode* FindGroupConfiguration(const ProjectNode* group, ConfigurationRef* ref);

// Among the file's "FileConfiguration" children, the one for the current
// configuration; null when none (or `file` is null).
ProjectNode* FindFileConfiguration(const ProjectNode* file, ConfigurationRef* ref);

// Among the node's "Tool" children, the first whose "Name" equals `tool`;
// null for a null node or when none matches.
ProjectNode* FindToolNode(const ProjectNode* node, const char* tool);

}  // namespace c51

#endif  // C51_PROJECT_SCOPES_H_
