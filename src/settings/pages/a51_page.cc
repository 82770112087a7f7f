#include "settings/pages/a51_page.h"

#include <cstdint>

#include "plugin/state.h"
#include "settings/display_inputs.h"
#include "settings/pages/folder_setup_dialog.h"

namespace c51::settings {
namespace {

constexpr int kCheckBoxes[] = {IDC_A51_STANDARD, IDC_A51_MPL, IDC_A51_SFR_NAMES};

// A switch of "A51FL": four bits from `shift`, modulo 3.
int Switch(int flags, int shift) {
  return static_cast<int>(((static_cast<uint32_t>(flags) >> shift) & 0xFu) % 3u);
}

}  // namespace

CA51Page::CA51Page(SettingsSession* session) : CArdelPage(IDD_A51_PAGE), session_(session) {}

bool CA51Page::OnInitDialog() {
  Load();
  return true;
}

void CA51Page::Load() {
  DialogControls& c = controls();
  if (scope() == OptionScope::kProject) {
    c.Enable(IDC_A51_RESET, false);
  } else {
    for (int id : kCheckBoxes) c.SetThreeState(id, true);
    c.Enable(IDC_A51_RESET, true);
  }
  const A51Record& r = record();
  set_ = r.set;
  reset_ = r.reset;
  misc_ = r.misc;
  include_ = r.include;
  writing_ = true;
  WriteControls();
  // At every scope, the project's included, each switch is a field read
  // modulo 3; only the MPL field is two bits wide.
  c.SetCheck(IDC_A51_STANDARD, Switch(r.flags, 2));
  c.SetCheck(IDC_A51_MPL, static_cast<int>((static_cast<uint32_t>(r.flags) & 3u) % 3u));
  c.SetCheck(IDC_A51_SFR_NAMES, Switch(r.flags, 6));
  writing_ = false;
  Rebuild();
}

void CA51Page::Rebuild() {
  ReadControls();
  const DialogControls& c = controls();
  A51PageValues values;
  values.options.useStandardMacros = c.GetCheck(IDC_A51_STANDARD);
  values.options.useMpl = c.GetCheck(IDC_A51_MPL);
  values.options.defineSfrNames = c.GetCheck(IDC_A51_SFR_NAMES);
  values.set = set_;
  values.reset = reset_;
  values.misc = misc_;
  values.include = include_;
  control_string_ = BuildA51DisplayString(values, session_->records->a51_inherited,
                                          PageDisplayInputs(*session_, scope()));
  writing_ = true;
  controls().UpdateText(IDC_A51_CONTROL_STRING, control_string_);
  writing_ = false;
}

void CA51Page::ReadControls() {
  const DialogControls& c = controls();
  set_ = c.GetText(IDC_A51_SET);
  reset_ = c.GetText(IDC_A51_RESET);
  misc_ = c.GetText(IDC_A51_MISC);
  include_ = c.GetText(IDC_A51_INCLUDE);
}

void CA51Page::WriteControls() {
  DialogControls& c = controls();
  c.UpdateText(IDC_A51_SET, set_);
  c.UpdateText(IDC_A51_RESET, reset_);
  c.UpdateText(IDC_A51_MISC, misc_);
  c.UpdateText(IDC_A51_INCLUDE, include_);
  c.UpdateText(IDC_A51_CONTROL_STRING, control_string_);
}

void CA51Page::EditIncludes() {
  ReadControls();
  std::string text = include_;
  if (!EditIncludeDirectories(backend(), &text)) return;
  include_ = text;
  // Not marked as the page's own writing: the include edit's change
  // notification marks the page modified and rebuilds the string.
  WriteControls();
}

bool CA51Page::OnSetActive() {
  if (HasWindow()) Rebuild();
  return true;
}

void CA51Page::OnControl(int id, Notification code) {
  if (writing_ || !HasWindow()) return;
  switch (id) {
    case IDC_A51_SET:
    case IDC_A51_RESET:
    case IDC_A51_MISC:
    case IDC_A51_INCLUDE:
      if (code != Notification::kTextChanged) return;
      break;
    case IDC_A51_STANDARD:
    case IDC_A51_MPL:
    case IDC_A51_SFR_NAMES:
      if (code != Notification::kClicked) return;
      break;
    case IDC_A51_INCLUDE_BROWSE:
      if (code == Notification::kClicked) EditIncludes();
      return;
    default:
      return;
  }
  SetModified();
  Rebuild();
}

bool CA51Page::OnKillActive() {
  if (!HasWindow()) return true;
  const DialogControls& c = controls();
  A51Record& r = record();
  // Every bit outside the three fields is dropped.
  r.flags = 4 * c.GetCheck(IDC_A51_STANDARD) + c.GetCheck(IDC_A51_MPL) +
            64 * c.GetCheck(IDC_A51_SFR_NAMES);
  ReadControls();
  r.set = set_;
  // As on the compiler page: only the project's set text is kept for the
  // pages below; the enclosing groups' texts come from the entry.
  if (scope() == OptionScope::kProject) session_->records->a51_inherited.project_set = set_;
  r.reset = reset_;
  r.misc = misc_;
  r.include = include_;
  return true;
}

bool CA51Page::OnApply() {
  if (bound_node() != nullptr && store_flag() != 0) {
    WriteA51Record(session_->state->host, bound_node(), record());
  }
  return true;
}

void CA51Page::OnDefault() {
  if (!HasWindow()) return;
  A51Record& r = record();
  r.flags = scope() == OptionScope::kProject ? kA51ProjectFlags : kA51InheritFlags;
  r.set.clear();
  r.reset.clear();
  r.misc.clear();
  r.include.clear();
  Load();
  SetModified();
}

}  // namespace c51::settings
