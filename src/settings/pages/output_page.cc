#include "settings/pages/output_page.h"

#include "platform/path.h"
#include "plugin/state.h"
#include "settings/folder_choosers.h"

namespace c51::settings {

namespace {

// An empty folder stays empty: it stands for the project folder, and a
// lone "\" would move the output to the root of the drive.
void EnsureFinalSeparator(std::string* folder) {
  if (!folder->empty() && !IsPathSeparator(folder->back())) *folder += '\\';
}

int CheckState(int value) {
  return value != 0 ? kChecked : kUnchecked;
}

}  // namespace

std::string ExecutableCaption(Language language, const std::string& folder,
                              const std::string& name) {
  return MessageText(MessageId::kCreateExecutable, language) + folder + name;
}

std::string LibraryCaption(Language language, const std::string& folder, const std::string& name) {
  return MessageText(MessageId::kCreateLibrary, language) + folder + name + ".lib";
}

OutputRecord& COutputPage::record() const {
  return session_->state->output;
}

bool COutputPage::OnInitDialog() {
  const OutputRecord& r = record();
  folder_ = r.output_directory;
  name_ = r.output_name;
  executable_caption_.clear();
  library_caption_.clear();
  if (!folder_.empty()) {
    EnsureFinalSeparator(&folder_);
    BuildCaptions();
  }
  DialogControls& c = controls();
  c.SetCheck(IDC_OUTPUT_CREATE_EXECUTABLE, CheckState(r.gen_app));
  c.SetCheck(IDC_OUTPUT_CREATE_LIBRARY, CheckState(r.gen_lib));
  WriteControls();
  return true;
}

void COutputPage::BuildCaptions() {
  executable_caption_ = ExecutableCaption(language(), folder_, name_);
  library_caption_ = LibraryCaption(language(), folder_, name_);
}

void COutputPage::ReadControls() {
  const DialogControls& c = controls();
  folder_ = c.GetText(IDC_OUTPUT_FOLDER);
  name_ = c.GetText(IDC_OUTPUT_NAME);
}

void COutputPage::WriteControls() {
  DialogControls& c = controls();
  writing_ = true;
  c.UpdateText(IDC_OUTPUT_FOLDER, folder_);
  c.UpdateText(IDC_OUTPUT_NAME, name_);
  if (!executable_caption_.empty()) c.UpdateText(IDC_OUTPUT_CREATE_EXECUTABLE, executable_caption_);
  if (!library_caption_.empty()) c.UpdateText(IDC_OUTPUT_CREATE_LIBRARY, library_caption_);
  writing_ = false;
}

void COutputPage::OnControl(int id, Notification code) {
  if (writing_ || !HasWindow()) return;
  // A chosen folder or a typed name: the radio captions show both.
  if (id == IDC_OUTPUT_BROWSE && code == Notification::kClicked) {
    ReadControls();
    if (!ChooseOutputFolder(backend(), language(), session_->state->context.project_path,
                            &folder_)) {
      return;
    }
  } else if (id == IDC_OUTPUT_NAME && code == Notification::kTextChanged) {
    ReadControls();
    EnsureFinalSeparator(&folder_);
  } else {
    return;
  }
  BuildCaptions();
  WriteControls();
}

bool COutputPage::OnKillActive() {
  if (!HasWindow()) return true;
  ReadControls();
  OutputRecord& r = record();
  r.output_directory = folder_;
  r.output_name = name_;
  const DialogControls& c = controls();
  r.gen_app = c.GetCheck(IDC_OUTPUT_CREATE_EXECUTABLE) == kChecked ? 1 : 0;
  r.gen_lib = c.GetCheck(IDC_OUTPUT_CREATE_LIBRARY) == kChecked ? 1 : 0;
  return true;
}

}  // namespace c51::settings
