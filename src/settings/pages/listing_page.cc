#include "settings/pages/listing_page.h"

#include "platform/path.h"
#include "plugin/state.h"
#include "settings/folder_choosers.h"
#include "support/path_text.h"

namespace c51::settings {

namespace {

bool IsMainBox(int index) {
  return index == kLstCompiler || index == kLstPreprocessor || index == kLstAssembler ||
         index == kLstLinker;
}

void EnsureFinalSeparator(std::string* folder) {
  if (!folder->empty() && !IsPathSeparator(folder->back())) *folder += '\\';
}

int CheckState(int value) {
  return value != 0 ? kChecked : kUnchecked;
}

// The options a main box switches on and off: the "OPTLT" indexes after it
// up to the next main box. The linker's options are always usable.
struct OptionRange {
  int main;
  int first;
  int last;
};
constexpr OptionRange kCompilerOptions = {kLstCompiler, kLstCompilerConditional,
                                          kLstCompilerAssembly};
constexpr OptionRange kAssemblerOptions = {kLstAssembler, kLstAssemblerConditional,
                                           kLstAssemblerXref};

}  // namespace

ListingCaptions MakeListingCaptions(Language language, const std::string& folder,
                                    const std::string& project) {
  ListingCaptions c;
  c.compiler = MessageText(MessageId::kCompilerListing, language) + folder + "*.lst";
  c.preprocessor = MessageText(MessageId::kPreprocessorListing, language) + folder + "*.i";
  c.assembler = MessageText(MessageId::kAssemblerListing, language) + folder + "*.lst";
  c.linker = MessageText(MessageId::kLinkerListing, language) + folder + project + ".m51";
  return c;
}

OutputRecord& CListingPage::record() const {
  return session_->state->output;
}

bool CListingPage::OnInitDialog() {
  const OutputRecord& r = record();
  DialogControls& c = controls();
  folder_ = r.listing_directory;
  for (int i = 0; i < kListingSwitchCount; ++i) {
    if (IsMainBox(i)) {
      c.SetCheck(kListingSwitchIds[i], CheckState(r.listing[i]));
    } else {
      options_[i] = r.listing[i];
    }
  }
  // Without a folder there is nothing to caption: the resource's texts
  // and enabled states stay.
  if (folder_.empty()) {
    WriteControls();
    return true;
  }
  EnsureFinalSeparator(&folder_);
  WriteControls();
  ShowCaptions();
  EnableOptions(kLstCompiler);
  EnableOptions(kLstAssembler);
  return true;
}

void CListingPage::ShowCaptions() {
  const char* project = session_->state->context.project_path;
  const ListingCaptions t = MakeListingCaptions(
      language(), folder_, std::string(FileTitle(project ? project : "", PathBreak::kSlash)));
  DialogControls& c = controls();
  c.SetText(kListingSwitchIds[kLstCompiler], t.compiler);
  c.SetText(kListingSwitchIds[kLstPreprocessor], t.preprocessor);
  c.SetText(kListingSwitchIds[kLstAssembler], t.assembler);
  c.SetText(kListingSwitchIds[kLstLinker], t.linker);
}

void CListingPage::EnableOptions(int main_index) {
  const OptionRange& range = main_index == kLstCompiler ? kCompilerOptions : kAssemblerOptions;
  DialogControls& c = controls();
  const bool on = c.GetCheck(kListingSwitchIds[range.main]) == kChecked;
  for (int i = range.first; i <= range.last; ++i) c.Enable(kListingSwitchIds[i], on);
}

void CListingPage::ReadControls() {
  const DialogControls& c = controls();
  folder_ = c.GetText(IDC_LISTING_FOLDER);
  for (int i = 0; i < kListingSwitchCount; ++i) {
    if (IsMainBox(i)) continue;
    if (i == kLstAssemblerMacros) {
      // A list without a selection (a stored index the list does not
      // have) keeps the stored value rather than storing -1.
      const int index = c.GetSelection(IDC_LISTING_ASSEMBLER_MACROS);
      if (index >= 0) options_[i] = index;
    } else {
      options_[i] = c.GetCheck(kListingSwitchIds[i]) == kChecked ? 1 : 0;
    }
  }
}

void CListingPage::WriteControls() {
  DialogControls& c = controls();
  c.UpdateText(IDC_LISTING_FOLDER, folder_);
  for (int i = 0; i < kListingSwitchCount; ++i) {
    if (IsMainBox(i)) continue;
    if (i == kLstAssemblerMacros) {
      c.SetSelection(IDC_LISTING_ASSEMBLER_MACROS, options_[i]);
    } else {
      c.SetCheck(kListingSwitchIds[i], CheckState(options_[i]));
    }
  }
}

void CListingPage::Browse() {
  // The options are read first: redisplaying the page's copies must not
  // undo what the user clicked since the page was loaded.
  ReadControls();
  if (!ChooseOutputFolder(backend(), language(), session_->state->context.project_path, &folder_)) {
    return;
  }
  WriteControls();
  ShowCaptions();
}

void CListingPage::OnControl(int id, Notification code) {
  if (!HasWindow() || code != Notification::kClicked) return;
  if (id == IDC_LISTING_BROWSE) {
    Browse();
  } else if (id == kListingSwitchIds[kLstCompiler]) {
    EnableOptions(kLstCompiler);
  } else if (id == kListingSwitchIds[kLstAssembler]) {
    EnableOptions(kLstAssembler);
  }
}

bool CListingPage::OnKillActive() {
  if (!HasWindow()) return true;
  ReadControls();
  OutputRecord& r = record();
  r.listing_directory = folder_;
  const DialogControls& c = controls();
  for (int i = 0; i < kListingSwitchCount; ++i) {
    r.listing[i] =
        IsMainBox(i) ? (c.GetCheck(kListingSwitchIds[i]) == kChecked ? 1 : 0) : options_[i];
  }
  return true;
}

}  // namespace c51::settings
