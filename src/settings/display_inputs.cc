#include "settings/display_inputs.h"

#include "options/option_text.h"
#include "options/state_inputs.h"
#include "platform/path.h"
#include "plugin/state.h"
#include "project/key_names.h"
#include "project/node.h"
#include "support/path_text.h"

namespace c51::settings {
namespace {

// As the configuration's opening derives the output folder: absolute,
// short, ending in the platform's separator.
std::string AbsoluteFolder(const std::string& project_dir, const std::string& folder) {
  std::string full = ShortPath(LexicalFullPath(folder, project_dir, NativePathStyle()));
  if (full.empty() || !IsPathSeparator(full.back())) {
    full.push_back(NativePathStyle() == PathStyle::kWindows ? '\\' : '/');
  }
  return full;
}

std::string Text(const ProjectNode* node, const char* key) {
  const char* text = GetAttributeText(node, key);
  return text ? text : "";
}

}  // namespace

StoredConfiguration ReadStoredConfiguration(const PluginState& state, const ProjectNode* config) {
  StoredConfiguration stored;
  const double clock = state.context.default_clock ? *state.context.default_clock : 0.0;
  ReadTargetRecord(config, clock, &stored.target);
  const std::string project_path = state.context.project_path ? state.context.project_path : "";
  ReadOutputRecord(config, Text(config, keys::kName),
                   std::string(FileTitle(project_path, PathBreak::kSlash)), &stored.output);
  // Without a project folder (nothing opened) the derived one is all there is.
  stored.object_dir_absolute =
      state.project_dir.empty()
          ? state.output_dir
          : AbsoluteFolder(state.project_dir,
                           std::string(TrimBlanks(stored.output.output_directory)));
  return stored;
}

DisplayInputs PageDisplayInputs(const SettingsSession& session, OptionScope scope) {
  const PluginState& state = *session.state;
  const StoredConfiguration* stored = session.stored;
  if (stored == nullptr) return DisplayInputsFromState(state, scope);
  DisplayInputs inputs;
  inputs.scope = scope;
  inputs.target = stored->target;
  inputs.cpu = DeviceCpuText(state.context.device);
  inputs.listing = stored->output.listing;
  inputs.listing_dir = stored->output.listing_directory;
  inputs.object_dir = std::string(TrimBlanks(stored->output.output_directory));
  inputs.object_dir_absolute = stored->object_dir_absolute;
  inputs.output_name = stored->output.output_name;
  return inputs;
}

}  // namespace c51::settings
