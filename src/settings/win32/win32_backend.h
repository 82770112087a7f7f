// The settings backend with real windows: property sheets and dialogs from
// the plug-in's dialog resources, the system's message box and choosers.
// Windows builds only.
#ifndef C51_SETTINGS_WIN32_WIN32_BACKEND_H_
#define C51_SETTINGS_WIN32_WIN32_BACKEND_H_

#include <string>

#include "settings/settings_backend.h"

namespace c51::settings {

class Win32Backend final : public SettingsBackend {
 public:
  explicit Win32Backend(Language language) : language_(language) {}

  int RunSheet(CArdelPropertySheet* sheet) override;
  int RunDialog(ModalDialog* dialog) override;
  MessageAnswer ShowMessage(const std::string& text, MessageIcon icon,
                            MessageButtons buttons) override;
  bool ChooseFolder(const std::string& title, std::string* folder) override;
  bool BrowseFolder(const std::string& initial, std::string* folder) override;
  bool ChooseFile(const std::string& title, const std::string& filter, const std::string& initial,
                  std::string* file) override;
  Language language() const override { return language_; }
  void set_language(Language language) { language_ = language; }
  // The system's interface language decides, not the plug-in's.
  Language resource_language() const override;
  void* PageWindow(CArdelPage* page) override;
  void EmbedWindow(CArdelPage* page, void* window) override;

 private:
  Language language_;
};

// The process's backend with windows, in `language`.
Win32Backend* ProcessWin32Backend(Language language);

// "Name|*.ext|Other|*.x;*.y|" => "Name\0*.ext\0Other\0*.x;*.y\0\0", the
// form of the file dialog's filter (a missing final "|" is supplied).
std::string FileDialogFilter(const std::string& filter);

}  // namespace c51::settings

#endif  // C51_SETTINGS_WIN32_WIN32_BACKEND_H_
