// What the settings dialogs need of a windowing system: modal runs of a
// sheet and of a plain dialog, message boxes and the choosers. The
// headless backend answers from a script; the Windows one shows windows.
#ifndef C51_SETTINGS_SETTINGS_BACKEND_H_
#define C51_SETTINGS_SETTINGS_BACKEND_H_

#include <string>

#include "support/messages.h"
#include "ui/user_interface.h"

namespace c51::settings {

class CArdelPage;
class CArdelPropertySheet;
class ModalDialog;

// The two answers of a modal run.
constexpr int kResultOk = 1;
constexpr int kResultCancel = 2;

class SettingsBackend {
 public:
  // kResultOk or kResultCancel.
  virtual int RunSheet(CArdelPropertySheet* sheet) = 0;
  virtual int RunDialog(ModalDialog* dialog) = 0;

  virtual MessageAnswer ShowMessage(const std::string& text, MessageIcon icon,
                                    MessageButtons buttons) = 0;
  // The simple folder chooser: rooted at the desktop, file-system folders
  // only. False when the user chose nothing.
  virtual bool ChooseFolder(const std::string& title, std::string* folder) = 0;
  // The folder dialog with a status line: `initial` (may be empty) is
  // selected when it opens. False when nothing usable was chosen.
  virtual bool BrowseFolder(const std::string& initial, std::string* folder) = 0;
  // A file-open dialog. `filter` uses the platform's "Name|*.ext|" form.
  virtual bool ChooseFile(const std::string& title, const std::string& filter,
                          const std::string& initial, std::string* file) = 0;

  // The language of the texts the code composes (messages, captions set
  // at run time): the plug-in's interface language.
  virtual Language language() const = 0;
  // The language of the dialog templates, which the window system picks
  // by its own rules, independently of the interface language.
  virtual Language resource_language() const = 0;

  // A page's native window, for outside libraries that create windows in
  // it; null without windows.
  virtual void* PageWindow(CArdelPage*) { return nullptr; }
  // Makes `window`, a top-level window an outside library created, the
  // page's only content: a child of the page without pop-up, caption and
  // system-menu styles, with child, border and transparent styles, filling
  // the client area of the page's parent from (0, 0), shown, the focus on
  // the page. The page keeps the handle; the window goes with the page's.
  // Without windows the handle is opaque and nothing happens.
  virtual void EmbedWindow(CArdelPage*, void*) {}

 protected:
  ~SettingsBackend() = default;
};

}  // namespace c51::settings

#endif  // C51_SETTINGS_SETTINGS_BACKEND_H_
