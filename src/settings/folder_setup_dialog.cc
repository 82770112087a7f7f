#include "settings/folder_setup_dialog.h"

#include "settings/settings_backend.h"

namespace c51::settings {

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
  t.id = kFolderSetupTemplate;
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
      {kIdFolderCaption,
       ControlKind::kPushButton,
       kStyleNone,
       chinese ? "\xB0\xFC\xBA\xAC\xC4\xBF\xC2\xBC(&D):" : "Include &Directories:",
       {}},
      {kIdFolderList, ControlKind::kListBox, kStyleNone, "", {}},
  };
  return t;
}

bool FolderSetupDialog::OnInitDialog() {
  DialogControls& c = controls();
  c.ResetItems(kIdFolderList);
  for (const std::string& item : SplitIncludePaths(include_paths_)) c.AddItem(kIdFolderList, item);
  return true;
}

bool FolderSetupDialog::OnOK() {
  DialogControls& c = controls();
  std::vector<std::string> items;
  for (int i = 0; i < c.GetItemCount(kIdFolderList); ++i) {
    items.push_back(c.GetItemText(kIdFolderList, i));
  }
  include_paths_ = JoinIncludePaths(items);
  return true;
}

bool EditIncludeDirectories(SettingsBackend* backend, std::string* text) {
  FolderSetupDialog dialog(*text);
  if (dialog.DoModal(backend) != kResultOk) return false;
  *text = dialog.include_paths();
  return true;
}

}  // namespace c51::settings
