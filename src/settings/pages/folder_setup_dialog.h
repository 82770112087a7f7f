// The "Folder Setup" dialog (template 208) in which the C51 and A51 pages
// edit their include path list, one folder per list item, in a list
// editor whose "..." button opens the folder dialog.
#ifndef C51_SETTINGS_PAGES_FOLDER_SETUP_DIALOG_H_
#define C51_SETTINGS_PAGES_FOLDER_SETUP_DIALOG_H_

#include <memory>
#include <string>
#include <vector>

#include "settings/modal_dialog.h"
#include "settings/resources/control_ids.h"
#include "settings/widgets/list_box_ex.h"
#include "settings/widgets/list_header.h"

namespace c51::settings {

// Cut at every ";": each piece is an item, empty pieces between two ";"
// included; a trailing ";" adds no empty last item. "" gives no items.
std::vector<std::string> SplitIncludePaths(const std::string& text);
// Each item given a final "\" when it lacks one, joined by ";". Empty
// items are left out: a bare "\" would name the root of the drive.
std::string JoinIncludePaths(const std::vector<std::string>& items);

class FolderSetupDialog : public ModalDialog {
 public:
  explicit FolderSetupDialog(std::string include_paths);
  ~FolderSetupDialog() override;

  DialogTemplate Template(Language language) const override;
  bool OnInitDialog() override;
  // An edit still open counts, as the focus moving to OK would commit it.
  bool OnOK() override;
  void OnCancel() override;

  // The text: as given until OK rebuilt it from the list.
  const std::string& include_paths() const { return include_paths_; }

  // The list editor (3001) and its header strip (3000) while the dialog
  // runs; null before and after.
  CListBoxEx* list() const { return list_.get(); }
  CListHeader* header() const { return header_.get(); }
  ListEditorParts list_editor() const override {
    return {list_.get(), header_.get(), IDC_FOLDER_CAPTION};
  }

 private:
  std::string include_paths_;
  std::unique_ptr<CListBoxEx> list_;
  std::unique_ptr<CListHeader> header_;
};

// Runs the dialog over `text`; true, with `text` replaced, when it was
// closed with OK.
bool EditIncludeDirectories(SettingsBackend* backend, std::string* text);

}  // namespace c51::settings

#endif  // C51_SETTINGS_PAGES_FOLDER_SETUP_DIALOG_H_
