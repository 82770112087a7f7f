#include "settings/headless/headless_backend.h"

#include "settings/folder_choosers.h"

namespace c51::settings {
namespace {

// The platform's button row, in client pixels: OK, Cancel, Apply from the
// left, over the bottom edge, below the tab control that starts at x 7.
constexpr Rect kOkRect{174, 380, 249, 403};
constexpr Rect kCancelRect{255, 380, 330, 403};
constexpr Rect kApplyRect{336, 380, 411, 403};

}  // namespace

HeadlessSheet::HeadlessSheet(CArdelPropertySheet* sheet, SettingsBackend* backend)
    : sheet_(sheet), backend_(backend), controls_(sheet->page_count()) {
  buttons_.push_back({kIdOk, "OK", kOkRect, true});
  buttons_.push_back({kIdCancel, "Cancel", kCancelRect, true});
  // The platform shows Apply disabled until a page reports a change.
  buttons_.push_back({kIdApply, "&Apply", kApplyRect, false});
}

HeadlessSheet::~HeadlessSheet() {
  for (int i = 0; i < sheet_->page_count(); ++i) sheet_->page(i)->Attach(sheet_, nullptr);
  sheet_->set_frame(nullptr);
}

void HeadlessSheet::Start() {
  sheet_->set_frame(this);
  for (int i = 0; i < sheet_->page_count(); ++i) sheet_->page(i)->Attach(sheet_, nullptr);
  int first = sheet_->start_page();
  if (first < 0 || first >= sheet_->page_count()) first = 0;
  Activate(first);
  sheet_->OnInitDialog(this);
}

HeadlessDialog* HeadlessSheet::controls(int index) const {
  if (index < 0 || index >= static_cast<int>(controls_.size())) return nullptr;
  return controls_[index].get();
}

bool HeadlessSheet::Activate(int index) {
  if (index < 0 || index >= sheet_->page_count()) return false;
  CArdelPage* page = sheet_->page(index);
  int previous = active_;
  active_ = index;
  if (!controls_[index]) {
    controls_[index] =
        std::make_unique<HeadlessDialog>(page->Template(backend_->resource_language()), page);
    page->Attach(sheet_, controls_[index].get());
    page->OnInitDialog();
  }
  if (!page->OnSetActive()) {
    active_ = previous;
    return false;
  }
  return true;
}

bool HeadlessSheet::SelectPage(int index) {
  if (closed() || index < 0 || index >= sheet_->page_count()) return false;
  if (index == active_) return true;
  if (active_ >= 0 && !active_page()->OnKillActive()) return false;
  return Activate(index);
}

bool HeadlessSheet::AnyPageModified() const {
  for (int i = 0; i < sheet_->page_count(); ++i) {
    if (controls_[i] && sheet_->page(i)->modified()) return true;
  }
  return false;
}

bool HeadlessSheet::ApplyAll() {
  if (active_ >= 0 && !active_page()->OnKillActive()) return false;
  for (int i = 0; i < sheet_->page_count(); ++i) {
    if (controls_[i] && !sheet_->page(i)->OnApply()) return false;
  }
  for (int i = 0; i < sheet_->page_count(); ++i) sheet_->page(i)->ClearModified();
  EnableButton(kIdApply, false);
  return true;
}

bool HeadlessSheet::Press(int id) {
  if (closed()) return false;
  const Button* button = FindButton(id);
  if (button == nullptr || !button->enabled) return false;
  if (sheet_->OnCommand(id)) return true;
  switch (id) {
    case kIdApply:
      if (!ApplyAll()) return false;
      // The platform tells the page it is active again after an Apply.
      if (active_ >= 0) active_page()->OnSetActive();
      return true;
    case kIdOk:
      if (!ApplyAll()) return false;
      result_ = kResultOk;
      return true;
    case kIdCancel:
      for (int i = 0; i < sheet_->page_count(); ++i) {
        if (controls_[i]) sheet_->page(i)->OnReset();
      }
      result_ = kResultCancel;
      return true;
    default:
      return true;
  }
}

HeadlessSheet::Button* HeadlessSheet::FindButton(int id) {
  for (Button& button : buttons_) {
    if (button.id == id) return &button;
  }
  return nullptr;
}

const HeadlessSheet::Button* HeadlessSheet::FindButton(int id) const {
  for (const Button& button : buttons_) {
    if (button.id == id) return &button;
  }
  return nullptr;
}

bool HeadlessSheet::FindButton(int id, Rect* client_rect) const {
  const Button* button = FindButton(id);
  if (button == nullptr) return false;
  if (client_rect != nullptr) *client_rect = button->rect;
  return true;
}

bool HeadlessSheet::IsButtonEnabled(int id) const {
  const Button* button = FindButton(id);
  return button != nullptr && button->enabled;
}

std::string HeadlessSheet::ButtonText(int id) const {
  const Button* button = FindButton(id);
  return button ? button->text : std::string();
}

void HeadlessSheet::EnableButton(int id, bool enabled) {
  if (Button* button = FindButton(id)) button->enabled = enabled;
}

void HeadlessSheet::CreateButton(int id, const std::string& text, const Rect& client_rect) {
  if (Button* button = FindButton(id)) {
    button->text = text;
    button->rect = client_rect;
    return;
  }
  buttons_.push_back({id, text, client_rect, true});
}

void HeadlessSheet::PageModified(CArdelPage*, bool changed) {
  if (changed) {
    EnableButton(kIdApply, true);
  } else if (!AnyPageModified()) {
    EnableButton(kIdApply, false);
  }
}

CArdelPage* HeadlessSheet::ActivePage() const {
  return active_ >= 0 ? sheet_->page(active_) : nullptr;
}

HeadlessDialogRun::HeadlessDialogRun(ModalDialog* dialog, SettingsBackend* backend)
    : dialog_(dialog), controls_(dialog->Template(backend->resource_language()), dialog) {
  dialog_->Attach(&controls_);
  dialog_->OnInitDialog();
}

HeadlessDialogRun::~HeadlessDialogRun() {
  dialog_->Attach(nullptr);
}

bool HeadlessDialogRun::PressOk() {
  if (closed() || !dialog_->OnOK()) return false;
  result_ = kResultOk;
  return true;
}

bool HeadlessDialogRun::PressCancel() {
  if (closed()) return false;
  dialog_->OnCancel();
  result_ = kResultCancel;
  return true;
}

int HeadlessBackend::RunSheet(CArdelPropertySheet* sheet) {
  HeadlessSheet run(sheet, this);
  run.Start();
  if (sheet_script) sheet_script(run);
  if (!run.closed()) run.PressCancel();
  return run.result();
}

int HeadlessBackend::RunDialog(ModalDialog* dialog) {
  HeadlessDialogRun run(dialog, this);
  if (!dialog_scripts.empty()) {
    std::function<void(HeadlessDialogRun&)> script = std::move(dialog_scripts.front());
    dialog_scripts.pop_front();
    if (script) script(run);
  }
  if (!run.closed()) run.PressCancel();
  return run.result();
}

MessageAnswer HeadlessBackend::ShowMessage(const std::string& text, MessageIcon icon,
                                           MessageButtons buttons) {
  return ui_ ? ui_->ShowMessage(text, std::string(), icon, buttons) : MessageAnswer::kOk;
}

bool HeadlessBackend::Answer(std::deque<std::optional<std::string>>* answers, std::string* out) {
  if (answers->empty()) return false;
  std::optional<std::string> answer = std::move(answers->front());
  answers->pop_front();
  if (!answer) return false;
  *out = *answer;
  return true;
}

bool HeadlessBackend::ChooseFolder(const std::string& title, std::string* folder) {
  chooser_requests.push_back({ChooserRequest::kFolder, title, std::string(), std::string()});
  return Answer(&folder_answers, folder);
}

bool HeadlessBackend::BrowseFolder(const std::string& initial, std::string* folder) {
  chooser_requests.push_back(
      {ChooserRequest::kBrowseFolder, kFolderDialogTitle, initial, std::string()});
  return Answer(&folder_answers, folder);
}

bool HeadlessBackend::ChooseFile(const std::string& title, const std::string& filter,
                                 const std::string& initial, std::string* file) {
  chooser_requests.push_back({ChooserRequest::kFile, title, initial, filter});
  return Answer(&file_answers, file);
}

}  // namespace c51::settings
