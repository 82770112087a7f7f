// The "Folder Setup" dialog (template 208) in which the C51 and A51 pages
// edit their include path list, one folder per list item.
#ifndef C51_SETTINGS_FOLDER_SETUP_DIALOG_H_
#define C51_SETTINGS_FOLDER_SETUP_DIALOG_H_

#include <string>
#include <vector>

#include "settings/modal_dialog.h"

namespace c51::settings {

constexpr int kFolderSetupTemplate = 208;
constexpr int kIdFolderCaption = 3000;  // the list's header strip
constexpr int kIdFolderList = 3001;

// Cut at every ";": each piece is an item, empty pieces between two ";"
// included; a trailing ";" adds no empty last item. "" gives no items.
std::vector<std::string> SplitIncludePaths(const std::string& text);
// Each item given a final "\" when it lacks one, joined by ";". Empty
// items are left out: a bare "\" would name the root of the drive.
std::string JoinIncludePaths(const std::vector<std::string>& items);

class FolderSetupDialog : public ModalDialog {
 public:
  explicit FolderSetupDialog(std::string include_paths)
      : include_paths_(std::move(include_paths)) {}

  DialogTemplate Template(Language language) const override;
  bool OnInitDialog() override;
  bool OnOK() override;

  // The text: as given until OK rebuilt it from the list.
  const std::string& include_paths() const { return include_paths_; }

 private:
  std::string include_paths_;
};

// Runs the dialog over `text`; true, with `text` replaced, when it was
// closed with OK.
bool EditIncludeDirectories(SettingsBackend* backend, std::string* text);

}  // namespace c51::settings

#endif  // C51_SETTINGS_FOLDER_SETUP_DIALOG_H_
