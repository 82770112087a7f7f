#include "settings/folder_choosers.h"

#include "settings/settings_backend.h"
#include "settings/settings_paths.h"

namespace c51::settings {

std::string FolderStatusText(const std::string& path, const std::string& display_name) {
  return path.empty() ? display_name : path;
}

bool FolderDialogResult(const std::string& path, std::string* folder) {
  if (path.empty()) return false;
  *folder = path;
  return true;
}

bool ChooseProjectFolder(SettingsBackend* backend, const std::string& title,
                         const std::string& project_path, std::string* folder) {
  std::string chosen;
  if (backend == nullptr || !backend->ChooseFolder(title, &chosen) || chosen.empty()) return false;
  *folder = ProjectRelativeFolder(project_path, chosen);
  return true;
}

bool ChooseOutputFolder(SettingsBackend* backend, Language language, const char* project_path,
                        std::string* folder) {
  return ChooseProjectFolder(backend, MessageText(MessageId::kChooseOutputDirectory, language),
                             project_path ? project_path : "", folder);
}

bool BrowseIncludeFolder(SettingsBackend* backend, const std::string& initial,
                         std::string* folder) {
  std::string chosen;
  if (backend == nullptr || !backend->BrowseFolder(initial, &chosen) || chosen.empty()) {
    return false;
  }
  *folder = chosen;
  return true;
}

}  // namespace c51::settings
