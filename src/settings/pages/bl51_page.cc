#include "settings/pages/bl51_page.h"

#include <iterator>

#include "options/linker_control_string.h"
#include "options/memory_layout.h"
#include "options/state_inputs.h"
#include "plugin/state.h"

namespace c51::settings {

namespace {

// The page's thirteen edits and the record texts they hold. The first two
// are the ranges the target layout can fill.
struct LocateField {
  int id;
  std::string LinkerOptions::*text;
};

constexpr LocateField kLocateFields[] = {
    {IDC_LOCATE_CODE_RANGE, &LinkerOptions::code_base},
    {IDC_LOCATE_XDATA_RANGE, &LinkerOptions::xdata_base},
    {IDC_LOCATE_PDATA_BASE, &LinkerOptions::pdata_base},
    {IDC_LOCATE_BIT_BASE, &LinkerOptions::bit_base},
    {IDC_LOCATE_DATA_BASE, &LinkerOptions::data_base},
    {IDC_LOCATE_IDATA_BASE, &LinkerOptions::idata_base},
    {IDC_LOCATE_PRECEDE, &LinkerOptions::precede},
    {IDC_LOCATE_STACK, &LinkerOptions::stack},
    {IDC_LOCATE_CODE_SEGMENTS, &LinkerOptions::code_segments},
    {IDC_LOCATE_XDATA_SEGMENTS, &LinkerOptions::xdata_segments},
    {IDC_LOCATE_BIT_SEGMENTS, &LinkerOptions::bit_segments},
    {IDC_LOCATE_DATA_SEGMENTS, &LinkerOptions::data_segments},
    {IDC_LOCATE_IDATA_SEGMENTS, &LinkerOptions::idata_segments},
};
constexpr int kRangeFields = 2;

bool IsLocateEdit(int id) {
  for (const LocateField& field : kLocateFields) {
    if (field.id == id) return true;
  }
  return false;
}

}  // namespace

bool CBL51Page::OnInitDialog() {
  DialogControls& c = controls();
  const LinkerOptions& record = linker();
  for (const LocateField& field : kLocateFields) c.UpdateText(field.id, record.*field.text);
  const bool use_layout = (record.flags & kLinkerUseTargetLayout) != 0;
  c.SetCheck(IDC_LOCATE_USE_TARGET_LAYOUT, use_layout ? kChecked : kUnchecked);
  c.Enable(IDC_LOCATE_CODE_RANGE, !use_layout);
  c.Enable(IDC_LOCATE_XDATA_RANGE, !use_layout);
  if (use_layout) FillLayoutRanges();
  RebuildControlString();
  return true;
}

LinkerOptions CBL51Page::PageValues() const {
  const DialogControls& c = controls();
  LinkerOptions values = linker();
  values.flags = c.GetCheck(IDC_LOCATE_USE_TARGET_LAYOUT) == kChecked ? kLinkerUseTargetLayout : 0;
  for (const LocateField& field : kLocateFields) values.*field.text = c.GetText(field.id);
  return values;
}

void CBL51Page::FillLayoutRanges() {
  const PluginState& state = *session_->state;
  const MemoryLayout layout =
      ComputeMemoryLayout(state.target, DeviceCpuText(state.context.device));
  // Set even when unchanged: the page counts it as a change of both edits.
  controls().SetText(IDC_LOCATE_CODE_RANGE, layout.code);
  controls().SetText(IDC_LOCATE_XDATA_RANGE, layout.xdata);
}

void CBL51Page::RebuildControlString() {
  controls().UpdateText(
      IDC_LOCATE_CONTROL_STRING,
      BuildLinkerDisplayString(PageValues(), LinkerInputsFromState(*session_->state)));
}

bool CBL51Page::OnKillActive() {
  // Every bit but the layout switch is cleared; nothing is rejected.
  linker() = PageValues();
  return true;
}

bool CBL51Page::OnApply() {
  ProjectNode* node = bound_node();
  HostServices* host = session_->state->host;
  if (node != nullptr && store_flag() != 0 && host != nullptr) {
    WriteLinkerLocateKeys(host, node, linker());
  }
  return true;
}

void CBL51Page::OnDefault() {
  // The record follows when the page is next left, so Cancel keeps it.
  DialogControls& c = controls();
  for (int i = kRangeFields; i < static_cast<int>(std::size(kLocateFields)); ++i) {
    c.UpdateText(kLocateFields[i].id, "");
  }
  c.SetCheck(IDC_LOCATE_USE_TARGET_LAYOUT, kChecked);
  c.Enable(IDC_LOCATE_CODE_RANGE, false);
  c.Enable(IDC_LOCATE_XDATA_RANGE, false);
  FillLayoutRanges();
}

void CBL51Page::OnControl(int id, Notification code) {
  if (id == IDC_LOCATE_USE_TARGET_LAYOUT && code == Notification::kClicked) {
    const bool use_layout = controls().GetCheck(IDC_LOCATE_USE_TARGET_LAYOUT) == kChecked;
    controls().Enable(IDC_LOCATE_CODE_RANGE, !use_layout);
    controls().Enable(IDC_LOCATE_XDATA_RANGE, !use_layout);
    if (use_layout) FillLayoutRanges();
    return;
  }
  if (code == Notification::kTextChanged && IsLocateEdit(id)) {
    SetModified();
    RebuildControlString();
  }
}

DialogTemplate CBL51Page::Template(Language language) const {
  const bool zh = language == Language::kChinese;
  auto text = [zh](const char* english, const char* chinese) { return zh ? chinese : english; };
  auto label = [](const char* caption) -> ControlSpec {
    return {kNoId, ControlKind::kStatic, kStyleNone, caption, {}};
  };
  auto edit = [](int id) -> ControlSpec { return {id, ControlKind::kEdit, kStyleNone, "", {}}; };

  DialogTemplate t;
  t.id = IDD_LINKER_LOCATE_PAGE;
  t.caption = text("Linker Locate", "\xC1\xAC\xBD\xD3\xC6\xF7\xB6\xA8\xCE\xBB");  // 连接器定位
  t.controls = {
      // 使用目标对话框中的存储器布局 (use the memory layout of the Target dialog)
      {IDC_LOCATE_USE_TARGET_LAYOUT,
       ControlKind::kCheckBox,
       kAutomatic,
       text("Use Memory Layout from Target  Dlg",
            "\xCA\xB9\xD3\xC3\xC4\xBF\xB1\xEA\xB6\xD4\xBB\xB0\xBF\xF2\xD6\xD0\xB5\xC4\xB4\xE6\xB4"
            "\xA2\xC6\xF7\xB2\xBC\xBE\xD6"),
       {}},
      label(text("CODE Range", "CODE \xB7\xB6\xCE\xA7")),  // CODE 范围
      edit(IDC_LOCATE_CODE_RANGE),
      label(text("XDATA Range", "XDATA \xB7\xB6\xCE\xA7")),  // XDATA 范围
      edit(IDC_LOCATE_XDATA_RANGE),
      label(text("Space", "\xBF\xD5\xBC\xE4")),        // 空间
      label(text("Base", "\xBB\xF9\xD6\xB7")),         // 基址
      label(text("Segments", "\xB6\xCE")),             // 段
      label(text("&Code:", "\xB4\xFA\xC2\xEB(&C):")),  // 代码(&C):
      edit(IDC_LOCATE_CODE_SEGMENTS),
      label(text("&Xdata:", "\xCD\xE2\xB2\xBF\xCA\xFD\xBE\xDD(&X):")),  // 外部数据(&X):
      edit(IDC_LOCATE_XDATA_SEGMENTS),
      label(text("&Pdata:", "\xB7\xD6\xD2\xB3\xCA\xFD\xBE\xDD(&P):")),  // 分页数据(&P):
      edit(IDC_LOCATE_PDATA_BASE),
      label(text("P&recede:", "\xC7\xB0\xD6\xC3(&R):")),  // 前置(&R):
      edit(IDC_LOCATE_PRECEDE),
      label(text("&Bit:", "\xCE\xBB(&B):")),  // 位(&B):
      edit(IDC_LOCATE_BIT_BASE),
      edit(IDC_LOCATE_BIT_SEGMENTS),
      label(text("&Data:", "\xCA\xFD\xBE\xDD(&D):")),  // 数据(&D):
      edit(IDC_LOCATE_DATA_BASE),
      edit(IDC_LOCATE_DATA_SEGMENTS),
      label(text("&Idata:", "\xBC\xE4\xBD\xD3\xCA\xFD\xBE\xDD(&I):")),  // 间接数据(&I):
      edit(IDC_LOCATE_IDATA_BASE),
      edit(IDC_LOCATE_IDATA_SEGMENTS),
      label(text("&Stack:", "\xB6\xD1\xD5\xBB(&S):")),  // 堆栈(&S):
      edit(IDC_LOCATE_STACK),
      // 连接器控制字符串
      label(text("Linker Control String",
                 "\xC1\xAC\xBD\xD3\xC6\xF7\xBF\xD8\xD6\xC6\xD7\xD6\xB7\xFB\xB4\xAE")),
      {IDC_LOCATE_CONTROL_STRING, ControlKind::kEdit, kMultiLine | kReadOnly, "", {}},
  };
  return t;
}

}  // namespace c51::settings
