// Where each scope's options live in the tree, and how a file's effective
// per-file switches resolve through its groups.
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

class HostServices;
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

// The file configuration when there is one; otherwise the first group
// configuration found on any ancestor, nearest first.
ProjectNode* FindLocalConfiguration(const ProjectNode* file, ConfigurationRef* ref);

// Among the node's "Tool" children, the first whose "Name" equals `tool`;
// null for a null node or when none matches.
ProjectNode* FindToolNode(const ProjectNode* node, const char* tool);

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

// "BANK%d {" appended to `out` and true when the file's local configuration
// stores a "BankNum" from 0 to `bank_count` - 1; otherwise false and
// nothing appended. A file configuration without "BankNum" does not look
// further out.
bool AppendStoredCodeBank(const ProjectNode* file, ConfigurationRef* ref, int bank_count,
                          std::string* out);

// Writes one attribute on `node` through a detached node named like it.
void SetOneAttribute(HostServices* host, ProjectNode* node, const char* name, const char* value);

}  // namespace c51

#endif  // C51_PROJECT_SCOPES_H_
