#include "options/command_file.h"

#include "options/option_text.h"
#include "project/key_names.h"
#include "project/node.h"
#include "support/path_text.h"

namespace c51 {

void AppendObjectEntry(std::string* list, const ProjectNode* local_configuration, int bank_count,
                       std::string_view object_path) {
  int bank = -1;
  // Any negative number means "no bank": "BANK-5 {" would break the
  // linker's command file.
  const bool banked = GetAttributeInt(local_configuration, keys::kBankNumber, &bank) != nullptr &&
                      bank >= 0 && bank < bank_count;
  if (banked) {
    *list += "BANK";
    *list += FormatInt(bank);
    *list += " {";
  }
  *list += '"';
  *list += object_path;
  *list += banked ? "\"},\n" : "\",\n";
}

std::string BuildCommandFileText(const std::string& object_list, bool library,
                                 const CommandFileInputs& inputs) {
  std::string text;
  if (library) text += "TRANSFER \n";
  text += object_list;
  // The list ends in ",\n"; the linker takes no separator after the last
  // object. A list made some other way is left as it is.
  const size_t size = text.size();
  if (object_list.size() >= 2 && text[size - 1] == '\n' && text[size - 2] == ',') {
    text[size - 2] = ' ';
  }
  if (library) {
    text += "TO \"" + inputs.object_dir;
    text += FileTitle(inputs.output_name, PathBreak::kBackslashOrDrive);
    text += ".lib\"\n";
    return text;
  }
  text += "TO \"" + inputs.object_dir + inputs.output_name + "\"\n";
  text += inputs.linker_control_string;
  return text;
}

std::string CommandFilePath(const std::string& object_dir, const std::string& output_name) {
  return object_dir + std::string(FileTitle(output_name, PathBreak::kBackslashOrDrive)) + ".lnp";
}

}  // namespace c51
