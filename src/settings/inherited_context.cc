#include "settings/inherited_context.h"

#include <string>

#include "options/tool_scope.h"
#include "project/key_names.h"
#include "project/node.h"
#include "project/scope_walk.h"
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
  ForEachGroupScope(scope_node, ref, [&](const ProjectNode* config) {
    int value = 0;
    if (!have_gen_asm && GetAttributeInt(config, keys::kGenerateAsm, &value) && value != 2) {
      c51->gen_asm = value;
      have_gen_asm = true;
    }
    if (const ProjectNode* tool = FindToolNode(config, keys::kC51Tool)) {
      if (!have_c51 && GetAttributeInt(tool, keys::kC51Flags, &value) &&
          value != kC51InheritFlags) {
        c51->group_flags = value;
        have_c51 = true;
      }
      Join(tool, keys::kC51Define, ' ', &c51->group_define);
      Join(tool, keys::kC51Include, ';', &c51->group_include);
      Join(tool, keys::kC51Misc, ' ', &c51->group_misc);
    }
    if (const ProjectNode* tool = FindToolNode(config, keys::kA51Tool)) {
      if (!have_a51 && GetAttributeInt(tool, keys::kA51Flags, &value) &&
          value != kA51InheritFlags) {
        a51->group_flags = value;
        have_a51 = true;
      }
      Join(tool, keys::kA51Set, ' ', &a51->group_set);
      Join(tool, keys::kA51Include, ';', &a51->group_include);
      Join(tool, keys::kA51Misc, ' ', &a51->group_misc);
    }
  });
  const ProjectNode* config = FindCurrentConfiguration(ref);
  if (const ProjectNode* tool = FindToolNode(config, keys::kC51Tool)) {
    int value = 0;
    if (GetAttributeInt(tool, keys::kC51Flags, &value)) c51->project_flags = value;
    c51->project_define = Text(tool, keys::kC51Define);
    c51->project_include = Text(tool, keys::kC51Include);
    c51->project_misc = Text(tool, keys::kC51Misc);
  }
  if (const ProjectNode* tool = FindToolNode(config, keys::kA51Tool)) {
    int value = 0;
    if (GetAttributeInt(tool, keys::kA51Flags, &value)) a51->project_flags = value;
    a51->project_set = Text(tool, keys::kA51Set);
    a51->project_include = Text(tool, keys::kA51Include);
    a51->project_misc = Text(tool, keys::kA51Misc);
  }
}

}  // namespace c51::settings
