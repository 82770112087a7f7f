#include "settings/inherited_context.h"

#include <cstring>
#include <string>

#include "options/tool_scope.h"
#include "project/node.h"
#include "project/scopes.h"

namespace c51::settings {
namespace {

// Appends the key's text after `separator` when both sides have text.
void Join(const ProjectNode* tool, const char* key, char separator, std::string* out) {
  const char* text = GetAttributeText(tool, key);
  if (text == nullptr || *text == '\0') return;
  if (!out->empty()) *out += separator;
  *out += text;
}

std::string Text(const ProjectNode* tool, const char* key) {
  const char* text = GetAttributeText(tool, key);
  return text ? text : "";
}

}  // namespace

void CollectInherited(const ProjectNode* scope_node, ConfigurationRef* ref, C51Inherited* c51,
                      A51Inherited* a51) {
  *c51 = C51Inherited();
  *a51 = A51Inherited();
  bool have_gen_asm = false, have_c51 = false, have_a51 = false;
  for (const ProjectNode* up = scope_node ? scope_node->parent : nullptr; up; up = up->parent) {
    const char* name = NodeName(up);
    if (name == nullptr || std::strcmp(name, "Filter") != 0) continue;
    const ProjectNode* config = FindGroupConfiguration(up, ref);
    if (config == nullptr) continue;
    int value = 0;
    if (!have_gen_asm && GetAttributeInt(config, "GenAsm", &value) && value != 2) {
      c51->gen_asm = value;
      have_gen_asm = true;
    }
    if (const ProjectNode* tool = FindToolNode(config, kC51ToolName)) {
      if (!have_c51 && GetAttributeInt(tool, "C51FL", &value) && value != kC51InheritFlags) {
        c51->group_flags = value;
        have_c51 = true;
      }
      Join(tool, "C51DEF", ' ', &c51->group_define);
      Join(tool, "INCC5", ';', &c51->group_include);
      Join(tool, "C51MSC", ' ', &c51->group_misc);
    }
    if (const ProjectNode* tool = FindToolNode(config, kA51ToolName)) {
      if (!have_a51 && GetAttributeInt(tool, "A51FL", &value) && value != kA51InheritFlags) {
        a51->group_flags = value;
        have_a51 = true;
      }
      Join(tool, "A51SET", ' ', &a51->group_set);
      Join(tool, "INCA5", ';', &a51->group_include);
      Join(tool, "A51MSC", ' ', &a51->group_misc);
    }
  }
  const ProjectNode* config = FindCurrentConfiguration(ref);
  if (const ProjectNode* tool = FindToolNode(config, kC51ToolName)) {
    int value = 0;
    if (GetAttributeInt(tool, "C51FL", &value)) c51->project_flags = value;
    c51->project_define = Text(tool, "C51DEF");
    c51->project_include = Text(tool, "INCC5");
    c51->project_misc = Text(tool, "C51MSC");
  }
  if (const ProjectNode* tool = FindToolNode(config, kA51ToolName)) {
    int value = 0;
    if (GetAttributeInt(tool, "A51FL", &value)) a51->project_flags = value;
    a51->project_set = Text(tool, "A51SET");
    a51->project_include = Text(tool, "INCA5");
    a51->project_misc = Text(tool, "A51MSC");
  }
}

}  // namespace c51::settings
