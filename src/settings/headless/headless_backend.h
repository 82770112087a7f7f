// The settings backend without windows: sheets and dialogs are driven by
// scripts (test callbacks, or the host's list of actions), choosers are
// answered from queues, message boxes go to a recording interface. A run
// whose script leaves the sheet or dialog open ends as Cancel, as closing
// the window would.
#ifndef C51_SETTINGS_HEADLESS_HEADLESS_BACKEND_H_
#define C51_SETTINGS_HEADLESS_HEADLESS_BACKEND_H_

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "settings/ardel_property_sheet.h"
#include "settings/headless/headless_dialog.h"
#include "settings/modal_dialog.h"
#include "settings/settings_backend.h"

namespace c51::settings {

// A property sheet run by the platform's rules: a page is initialised on
// its first activation and then made active; leaving a page asks it first;
// Apply and OK ask the active page to be left, then apply every page
// initialised so far; Cancel resets them. Pages never shown neither load
// nor store.
class HeadlessSheet final : public SheetFrame {
 public:
  HeadlessSheet(CArdelPropertySheet* sheet, SettingsBackend* backend);
  ~HeadlessSheet();
  HeadlessSheet(const HeadlessSheet&) = delete;
  HeadlessSheet& operator=(const HeadlessSheet&) = delete;

  // Creates the first page and initialises the frame.
  void Start();

  const std::string& title() const { return sheet_->title(); }
  const std::string& caption_text() const { return sheet_->caption_text(); }
  int page_count() const { return sheet_->page_count(); }
  int active_index() const { return active_; }
  CArdelPage* page(int index) const { return sheet_->page(index); }
  CArdelPage* active_page() const { return sheet_->page(active_); }
  // A page's controls; null until the page was first activated.
  HeadlessDialog* controls(int index) const;
  HeadlessDialog& active() const { return *controls(active_); }

  // The user's actions; false when refused (a page kept itself active, a
  // button is disabled or missing, the sheet is closed).
  bool SelectPage(int index);
  bool Press(int id);
  bool PressApply() { return Press(kIdApply); }
  bool PressOk() { return Press(kIdOk); }
  bool PressCancel() { return Press(kIdCancel); }
  bool PressDefault() { return Press(kIdDefault); }

  // The frame's buttons: OK, Cancel, Apply and what the sheet added.
  bool HasButton(int id) const { return FindButton(id, nullptr); }
  bool IsButtonEnabled(int id) const;
  std::string ButtonText(int id) const;
  bool closed() const { return result_ != 0; }
  int result() const { return result_; }

  // SheetFrame
  bool FindButton(int id, Rect* client_rect) const override;
  void EnableButton(int id, bool enabled) override;
  void CreateButton(int id, const std::string& text, const Rect& client_rect) override;
  void PageModified(CArdelPage* page, bool changed) override;
  CArdelPage* ActivePage() const override;

 private:
  struct Button {
    int id;
    std::string text;
    Rect rect;
    bool enabled;
  };
  Button* FindButton(int id);
  const Button* FindButton(int id) const;
  bool Activate(int index);
  bool ApplyAll();
  bool AnyPageModified() const;

  CArdelPropertySheet* sheet_;
  SettingsBackend* backend_;
  std::vector<std::unique_ptr<HeadlessDialog>> controls_;
  std::vector<Button> buttons_;
  int active_ = -1;
  int result_ = 0;
};

// A plain dialog run: OK asks the dialog, Cancel closes.
class HeadlessDialogRun {
 public:
  HeadlessDialogRun(ModalDialog* dialog, SettingsBackend* backend);
  ~HeadlessDialogRun();
  HeadlessDialogRun(const HeadlessDialogRun&) = delete;
  HeadlessDialogRun& operator=(const HeadlessDialogRun&) = delete;

  ModalDialog* dialog() const { return dialog_; }
  HeadlessDialog& controls() { return controls_; }
  bool PressOk();
  bool PressCancel();
  bool closed() const { return result_ != 0; }
  int result() const { return result_; }

 private:
  ModalDialog* dialog_;
  HeadlessDialog controls_;
  int result_ = 0;
};

// A chooser request as the backend saw it.
struct ChooserRequest {
  enum Kind { kFolder, kBrowseFolder, kFile } kind;
  std::string title;
  std::string initial;
  std::string filter;
};

class HeadlessBackend final : public SettingsBackend {
 public:
  // Message boxes go to `ui` (recorded when it is a HeadlessInterface).
  HeadlessBackend(UserInterface* ui, Language language, Language resources = Language::kEnglish)
      : ui_(ui), language_(language), resource_language_(resources) {}

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
  Language resource_language() const override { return resource_language_; }
  // Records the window as embedded; there is no window to change.
  void EmbedWindow(CArdelPage* page, void* window) override {
    embedded_windows.push_back({page, window});
  }

  // The next sheet run's script; kept for every later run.
  std::function<void(HeadlessSheet&)> sheet_script;
  // One script per plain dialog run, first to last; none left: Cancel.
  std::deque<std::function<void(HeadlessDialogRun&)>> dialog_scripts;
  // Chooser answers, first to last; nullopt or none left: nothing chosen.
  std::deque<std::optional<std::string>> folder_answers;
  std::deque<std::optional<std::string>> file_answers;
  std::vector<ChooserRequest> chooser_requests;
  // Every EmbedWindow call, first to last.
  std::vector<std::pair<CArdelPage*, void*>> embedded_windows;

 private:
  bool Answer(std::deque<std::optional<std::string>>* answers, std::string* out);

  UserInterface* ui_;
  Language language_;
  Language resource_language_;
};

}  // namespace c51::settings

#endif  // C51_SETTINGS_HEADLESS_HEADLESS_BACKEND_H_
