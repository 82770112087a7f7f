#include "settings/pages/l51_misc_page.h"

#include "options/linker_control_string.h"
#include "options/state_inputs.h"
#include "plugin/state.h"

namespace c51::settings {

bool CL51MiscPage::OnInitDialog() {
  DialogControls& c = controls();
  const LinkerOptions& record = linker();
  c.UpdateText(IDC_LINKER_MISC_OVERLAY, record.overlay);
  c.UpdateText(IDC_LINKER_MISC_CONTROLS, record.misc);
  c.UpdateText(IDC_LINKER_MISC_DISABLE_WARNINGS, record.disable_warnings);
  RebuildControlString();
  return true;
}

LinkerOptions CL51MiscPage::PageValues() const {
  const DialogControls& c = controls();
  LinkerOptions values = linker();
  values.overlay = c.GetText(IDC_LINKER_MISC_OVERLAY);
  values.misc = c.GetText(IDC_LINKER_MISC_CONTROLS);
  values.disable_warnings = c.GetText(IDC_LINKER_MISC_DISABLE_WARNINGS);
  return values;
}

void CL51MiscPage::RebuildControlString() {
  SetModified();
  controls().UpdateText(
      IDC_LINKER_MISC_CONTROL_STRING,
      BuildLinkerDisplayString(PageValues(), LinkerInputsFromState(*session_->state)));
}

bool CL51MiscPage::OnKillActive() {
  const LinkerOptions values = PageValues();
  LinkerOptions& record = linker();
  record.overlay = values.overlay;
  record.misc = values.misc;
  record.disable_warnings = values.disable_warnings;
  return true;
}

bool CL51MiscPage::OnApply() {
  ProjectNode* node = bound_node();
  HostServices* host = session_->state->host;
  if (node != nullptr && store_flag() != 0 && host != nullptr) {
    WriteLinkerMiscKeys(host, node, linker());
  }
  return true;
}

void CL51MiscPage::OnDefault() {
  // The record follows when the page is next left, so Cancel keeps it.
  DialogControls& c = controls();
  c.UpdateText(IDC_LINKER_MISC_DISABLE_WARNINGS, "");
  c.UpdateText(IDC_LINKER_MISC_OVERLAY, "");
  c.UpdateText(IDC_LINKER_MISC_CONTROLS, "");
  RebuildControlString();
}

void CL51MiscPage::OnControl(int id, Notification code) {
  if (code != Notification::kTextChanged) return;
  if (id == IDC_LINKER_MISC_DISABLE_WARNINGS || id == IDC_LINKER_MISC_OVERLAY ||
      id == IDC_LINKER_MISC_CONTROLS) {
    RebuildControlString();
  }
}

DialogTemplate CL51MiscPage::Template(Language language) const {
  const bool zh = language == Language::kChinese;
  auto text = [zh](const char* english, const char* chinese) { return zh ? chinese : english; };
  auto label = [](const char* caption) -> ControlSpec {
    return {kNoId, ControlKind::kStatic, kStyleNone, caption, {}};
  };

  DialogTemplate t;
  t.id = IDD_LINKER_MISC_PAGE;
  t.caption = text("Linker Misc", "\xC1\xAC\xBD\xD3\xC6\xF7\xD4\xD3\xCF\xEE");  // 连接器杂项
  t.controls = {
      {kNoId,
       ControlKind::kGroupBox,
       kStyleNone,
       text("&Warnings", "\xBE\xAF\xB8\xE6(&W)"),
       {}},  // 警告(&W)
      // 禁止的警告编号(&D)
      label(text("&Disable Warning Number",
                 "\xBD\xFB\xD6\xB9\xB5\xC4\xBE\xAF\xB8\xE6\xB1\xE0\xBA\xC5(&D)")),
      {IDC_LINKER_MISC_DISABLE_WARNINGS, ControlKind::kEdit, kStyleNone, "", {}},
      label(text("Overlay", "\xB8\xB2\xB8\xC7")),  // 覆盖
      {IDC_LINKER_MISC_OVERLAY, ControlKind::kEdit, kMultiLine, "", {}},
      label(text("Misc Controls", "\xC6\xE4\xCB\xFB\xBF\xD8\xD6\xC6")),  // 其他控制
      {IDC_LINKER_MISC_CONTROLS, ControlKind::kEdit, kMultiLine, "", {}},
      // A three-line label in the resource: the text wraps.
      // 连接器控制字符串
      label(text("Linker Control String",
                 "\xC1\xAC\xBD\xD3\xC6\xF7\xBF\xD8\xD6\xC6\xD7\xD6\xB7\xFB\xB4\xAE")),
      {IDC_LINKER_MISC_CONTROL_STRING, ControlKind::kEdit, kMultiLine | kReadOnly, "", {}},
  };
  return t;
}

}  // namespace c51::settings
