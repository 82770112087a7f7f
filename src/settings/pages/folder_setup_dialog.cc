#include "settings/pages/folder_setup_dialog.h"

#include "settings/folder_choosers.h"
#include "settings/input_messages.h"
#include "settings/settings_backend.h"

namespace c51::settings {
namespace {

// Include folders: "..." opens the folder dialog on the folder being
// edited and puts the choice into the edit, which keeps the focus so that
// Enter or leaving it commits the choice.
class IncludeDirList final : public CListBoxEx {
 public:
  IncludeDirList(DialogControls* controls, SettingsBackend* backend)
      : CListBoxEx(controls, IDC_FOLDER_LIST, kListStyleBrowseButton), backend_(backend) {}

  // The list is stored with ";" between folders: a folder holding one
  // would come back as two.
  bool OnItemEdited(int, const std::string& text, bool cancelled) override {
    if (cancelled || text.find(';') == std::string::npos) return true;
    if (backend_ != nullptr) {
      backend_->ShowMessage(
          InputMessageText(InputMessage::kSemicolonInIncludeItem, backend_->language()) + text,
          MessageIcon::kNone, MessageButtons::kOk);
    }
    return false;
  }

  void OnBrowseItem(int) override {
    std::string folder;
    if (!BrowseIncludeFolder(backend_, edit().text(), &folder)) return;
    if (!edit().visible()) return;
    edit().SetText(folder);
    input().SetFocus(edit().id());
  }

 private:
  SettingsBackend* backend_;
};

}  // namespace

std::vector<std::string> SplitIncludePaths(const std::string& text) {
  std::vector<std::string> items;
  size_t start = 0;
  for (size_t semicolon; (semicolon = text.find(';', start)) != std::string::npos;) {
    items.push_back(text.substr(start, semicolon - start));
    start = semicolon + 1;
  }
  if (start < text.size()) items.push_back(text.substr(start));
  return items;
}

std::string JoinIncludePaths(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) {
    if (item.empty()) continue;
    if (!text.empty()) text += ';';
    text += item;
    if (item.back() != '\\') text += '\\';
  }
  return text;
}

DialogTemplate FolderSetupDialog::Template(Language language) const {
  DialogTemplate t;
  t.id = IDD_FOLDER_SETUP;
  const bool chinese = language == Language::kChinese;
  t.caption = chinese ? "\xCE\xC4\xBC\xFE\xBC\xD0\xC9\xE8\xD6\xC3" : "Folder Setup";  // 文件夹设置
  t.controls = {
      {kIdOk,
       ControlKind::kPushButton,
       kStyleNone,
       chinese ? "\xC8\xB7\xB6\xA8" : "OK",
       {}},  // 确定
      {kIdCancel,
       ControlKind::kPushButton,
       kStyleNone,
       chinese ? "\xC8\xA1\xCF\xFB" : "Cancel",
       {}},  // 取消
      // "包含目录(&D):" (include directories)
      {IDC_FOLDER_CAPTION,
       ControlKind::kPushButton,
       kStyleNone,
       chinese ? "\xB0\xFC\xBA\xAC\xC4\xBF\xC2\xBC(&D):" : "Include &Directories:",
       {}},
      {IDC_FOLDER_LIST, ControlKind::kListBox, kStyleNone, "", {}},
  };
  return t;
}

FolderSetupDialog::FolderSetupDialog(std::string include_paths)
    : include_paths_(std::move(include_paths)) {}

FolderSetupDialog::~FolderSetupDialog() = default;

bool FolderSetupDialog::OnInitDialog() {
  DialogControls& c = controls();
  list_ = std::make_unique<IncludeDirList>(&c, backend());
  header_ = std::make_unique<CListHeader>(list_.get());
  c.ResetItems(IDC_FOLDER_LIST);
  for (const std::string& item : SplitIncludePaths(include_paths_))
    c.AddItem(IDC_FOLDER_LIST, item);
  return true;
}

bool FolderSetupDialog::OnOK() {
  DialogControls& c = controls();
  if (list_) list_->FinishEditing();
  std::vector<std::string> items;
  for (int i = 0; i < c.GetItemCount(IDC_FOLDER_LIST); ++i) {
    items.push_back(c.GetItemText(IDC_FOLDER_LIST, i));
  }
  include_paths_ = JoinIncludePaths(items);
  // The controls go with the window.
  header_.reset();
  list_.reset();
  return true;
}

void FolderSetupDialog::OnCancel() {
  header_.reset();
  list_.reset();
}

bool EditIncludeDirectories(SettingsBackend* backend, std::string* text) {
  FolderSetupDialog dialog(*text);
  if (dialog.DoModal(backend) != kResultOk) return false;
  *text = dialog.include_paths();
  return true;
}

}  // namespace c51::settings
