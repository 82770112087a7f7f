#include "plugin/open_configuration.h"

#include "platform/fs.h"
#include "platform/path.h"
#include "plugin/state.h"
#include "plugin/toolchain.h"
#include "project/key_names.h"
#include "project/node.h"
#include "project/scopes.h"
#include "support/path_text.h"

namespace c51 {
namespace {

bool EndsWithSeparator(const std::string& path) {
  return !path.empty() && IsPathSeparator(path.back());
}

// Absolute paths are the OS's own; their separator follows the platform.
void EnsureNativeTrailingSeparator(std::string* path) {
  if (!EndsWithSeparator(*path))
    path->push_back(NativePathStyle() == PathStyle::kWindows ? '\\' : '/');
}

// Makes `folder` absolute against the current directory (the project
// folder), creates it, and gives its short form and the form relative to
// `short_project`.
void DeriveFolder(const std::string& folder, const std::string& short_project,
                  std::string* absolute, std::string* relative) {
  std::string full = FullPath(folder);
  CreateDirectories(full);
  *absolute = ShortPath(full);
  if (!RelativePath(short_project, *absolute, relative)) *relative = *absolute;
  if (!EndsWithSeparator(*relative)) relative->push_back('\\');
  EnsureNativeTrailingSeparator(absolute);
}

// A folder of the configuration as the build may use it: `text` when it is
// absolute (only the user types one) or stays inside the project folder,
// else `fallback`, with a note for the next build to show.
std::string SafeFolder(PluginState* state, const char* key, const std::string& text,
                       const std::string& fallback) {
  if (IsAbsolutePath(text) || StaysInside(text)) return text;
  state->refused_names.push_back(std::string("\"") + key + "\" \"" + text + "\"");
  return StaysInside(fallback) ? fallback : ".\\";
}

}  // namespace

void OpenConfiguration(PluginState* state, ProjectNode* root, const char* name) {
  if (!root) return;
  state->configuration.root = root;
  state->configuration.name = name ? name : "";

  ProjectNode* config = FindCurrentConfiguration(&state->configuration);
  if (!config) return;
  const char* config_name = GetAttributeText(config, keys::kName);
  if (!config_name) return;

  const std::string project_path = state->context.project_path ? state->context.project_path : "";
  state->output_dir_relative.clear();
  state->refused_names.clear();
  // A configuration name such as "..\x" would lead the default folder out.
  const std::string default_dir =
      SafeFolder(state, keys::kName, DefaultConfigFolder(config_name), ".\\");
  std::string output_dir = default_dir;
  std::string listing_dir = output_dir;
  state->output_name = FileTitle(project_path, PathBreak::kSlash);
  if (const char* text = GetAttributeText(config, keys::kOutputDirectory)) {
    output_dir = SafeFolder(state, keys::kOutputDirectory, text, default_dir);
  }

  std::string project_long = ParentFolder(project_path);
  if (!PathExists(project_long)) CreateDirectories(project_long);
  // A project path without a folder still gets an absolute project folder,
  // so that the relative forms below have a common root to work from.
  state->project_dir = ShortPath(FullPath(project_long));
  // Relative folders in the tree are relative to the project folder.
  ChangeCurrentDirectory(project_long);

  DeriveFolder(output_dir, state->project_dir, &state->output_dir, &state->output_dir_relative);
  // Objects beside the project file need no folder in front of their names.
  if (state->output_dir_relative == ".\\") state->output_dir_relative.clear();

  if (const char* text = GetAttributeText(config, keys::kListingDirectory)) {
    listing_dir = SafeFolder(state, keys::kListingDirectory, text, default_dir);
  }
  DeriveFolder(listing_dir, state->project_dir, &state->listing_dir, &state->listing_dir_relative);

  // A name, inside the output folder whatever that is.
  if (const char* text = GetAttributeText(config, keys::kOutputName)) {
    if (StaysInside(text)) {
      state->output_name = text;
    } else {
      state->refused_names.push_back(std::string("\"OutputName\" \"") + text + "\"");
    }
  }

  ParseListingSwitches(GetAttributeText(config, keys::kListingSwitches), &state->listing);

  LocateToolchain(state);
}

}  // namespace c51
