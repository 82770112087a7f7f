#include "entry/import_entry.h"

#include "import/uv2_reader.h"
#include "import/uvproj_importer.h"
#include "platform/fs.h"
#include "plugin/state.h"
#include "support/messages.h"
#include "support/path_text.h"

namespace c51 {

const char* ImportProject(PluginState* state, ProjectNode* root, const char* path) {
  if (!path || !PathExists(path)) return nullptr;
  state->configuration.root = root;
  if (!root || !state->host) return nullptr;
  std::string extension = LowerExtension(path);
  if (extension == "uvproj") {
    UvprojImporter importer(state, root, path);
    std::string name;
    if (!importer.Import(&name)) {
      if (state->ui) {
        state->ui->ShowMessage(MessageText(importer.error(), state->language), "",
                               MessageIcon::kNone, MessageButtons::kOk);
      }
      return nullptr;
    }
    state->imported_name = name;
    return state->imported_name.c_str();
  }
  if (extension == "uv2") {
    if (!ImportUv2Project(state, root, path)) return nullptr;
    return state->configuration.name.c_str();
  }
  return nullptr;
}

}  // namespace c51
