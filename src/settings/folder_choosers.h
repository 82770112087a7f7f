// The two folder choosers of the settings pages. The simple one (Output
// and Listing pages) lets the user pick a file-system folder under a title
// of the caller's; the folder dialog (include directories) opens on an
// initial folder and shows the selection's path in a status line. The
// backend shows them; what they answer is decided here.
#ifndef C51_SETTINGS_FOLDER_CHOOSERS_H_
#define C51_SETTINGS_FOLDER_CHOOSERS_H_

#include <string>

#include "support/messages.h"

namespace c51::settings {

class SettingsBackend;

// The folder dialog's title.
inline constexpr char kFolderDialogTitle[] = "\nPlease Select Folder:";

// The folder dialog's status line for the selected item: its file-system
// path, or its display name when it has none (a virtual folder).
std::string FolderStatusText(const std::string& path, const std::string& display_name);

// The folder dialog's answer for the item selected when it closed with OK:
// its path. An item without a file-system path (a virtual folder, shown by
// its display name only) is no folder to use: false.
bool FolderDialogResult(const std::string& path, std::string* folder);

// The simple chooser for a project folder: false when the user chose
// nothing; otherwise `folder` is the choice made relative to the project
// file's folder, ending in "\" (ProjectRelativeFolder).
bool ChooseProjectFolder(SettingsBackend* backend, const std::string& title,
                         const std::string& project_path, std::string* folder);

// The Output and Listing pages' "Browse": ChooseProjectFolder under the
// title "choose the output directory" in `language`; `project_path` is
// null while the project has no file.
bool ChooseOutputFolder(SettingsBackend* backend, Language language, const char* project_path,
                        std::string* folder);

// The folder dialog for one include directory, opening on `initial` (may be
// empty or relative; a dialog that cannot find it opens at its root).
bool BrowseIncludeFolder(SettingsBackend* backend, const std::string& initial, std::string* folder);

}  // namespace c51::settings

#endif  // C51_SETTINGS_FOLDER_CHOOSERS_H_
