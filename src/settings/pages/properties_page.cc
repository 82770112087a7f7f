#include "settings/pages/properties_page.h"

#include <cstdio>

#include "platform/fs.h"
#include "platform/shell_type.h"
#include "plugin/state.h"
#include "project/config_keys.h"
#include "project/scopes.h"

namespace c51::settings {
namespace {

struct PropertiesTexts {
  const char* caption;
  const char* path;
  const char* type;
  const char* size;
  const char* modified;
  const char* include_in_build;
  const char* generate_src;
  const char* assemble_src;
  const char* code_bank;
};

constexpr PropertiesTexts kEnglish = {
    "Property",
    "Path:",
    "Type:",
    "Size:",
    "Modify:",
    "Include when create project (target)",
    "Generate(&SRC)File",
    "Compile(S&RC)File",
    "Code Bank:",
};

constexpr PropertiesTexts kChinese = {
    "\xCA\xF4\xD0\xD4",                   // 属性 (property)
    "\xC2\xB7\xBE\xB6:",                  // 路径: (path)
    "\xC0\xE0\xD0\xCD:",                  // 类型: (type)
    "\xB4\xF3\xD0\xA1:",                  // 大小: (size)
    "\xD0\xDE\xB8\xC4\xCA\xB1\xBC\xE4:",  // 修改时间: (modified)
    // 创建工程(目标)时包含 (include when the project (target) is made)
    "\xB4\xB4\xBD\xA8\xB9\xA4\xB3\xCC(\xC4\xBF\xB1\xEA)\xCA\xB1\xB0\xFC\xBA\xAC",
    "\xC9\xFA\xB3\xC9(&SRC)\xCE\xC4\xBC\xFE",  // 生成(&SRC)文件 (generate SRC file)
    "\xB1\xE0\xD2\xEB(S&RC)\xCE\xC4\xBC\xFE",  // 编译(S&RC)文件 (compile SRC file)
    "\xB4\xFA\xC2\xEB\xB7\xD6\xD7\xE9:",       // 代码分组: (code bank)
};

// The bank list's entries, the same in both languages: the first from the
// dialog's initial data, the others added for the configuration's banks.
constexpr char kCommonBank[] = "COMMON";
constexpr char kBankPrefix[] = "Bank #";
constexpr char kDefaultBank[] = "default";

}  // namespace

std::string FormatByteCount(int64_t bytes) {
  const std::string digits = std::to_string(bytes < 0 ? 0 : bytes);
  std::string out;
  out.reserve(digits.size() + digits.size() / 3 + 6);
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i != 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  out += " Bytes";
  return out;
}

std::string FormatLocalTime(const CalendarTime& time) {
  // The full year: two digits after a fixed "20" would show a file of 1999
  // as 2099.
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", time.year, time.month, time.day,
                time.hour, time.minute, time.second);
  return text;
}

DialogTemplate PropertiesPageTemplate(Language language) {
  const PropertiesTexts& t = language == Language::kChinese ? kChinese : kEnglish;
  const uint32_t display = kReadOnly;
  const uint32_t three_state = kAutomatic | kThreeState;
  DialogTemplate d;
  d.id = IDD_PROPERTIES_PAGE;
  d.caption = t.caption;
  d.controls = {
      {kNoId, ControlKind::kStatic, kStyleNone, t.path, {}},
      {IDC_PROP_PATH, ControlKind::kEdit, display, "", {}},
      {kNoId, ControlKind::kStatic, kStyleNone, t.type, {}},
      {IDC_PROP_TYPE, ControlKind::kEdit, display, "", {}},
      {kNoId, ControlKind::kStatic, kStyleNone, t.size, {}},
      {IDC_PROP_SIZE, ControlKind::kEdit, display, "", {}},
      {IDC_PROP_MODIFIED_LABEL, ControlKind::kStatic, kStyleNone, t.modified, {}},
      {IDC_PROP_MODIFIED, ControlKind::kEdit, display, "", {}},
      {IDC_PROP_INCLUDE_IN_BUILD, ControlKind::kCheckBox, three_state, t.include_in_build, {}},
      {IDC_PROP_GENERATE_SRC, ControlKind::kCheckBox, three_state, t.generate_src, {}},
      {IDC_PROP_ASSEMBLE_SRC, ControlKind::kCheckBox, three_state, t.assemble_src, {}},
      {kNoId, ControlKind::kStatic, kStyleNone, t.code_bank, {}},
      {IDC_PROP_CODE_BANK, ControlKind::kDropDownList, kStyleNone, "", {kCommonBank}},
  };
  return d;
}

CPropertiesPage::CPropertiesPage(SettingsSession* session)
    : CArdelPage(IDD_PROPERTIES_PAGE), session_(session) {}

bool CPropertiesPage::OnInitDialog() {
  Load();
  return true;
}

void CPropertiesPage::Load() {
  DialogControls& c = controls();
  const FileRecord& file = session_->records->file;
  c.SetCheck(IDC_PROP_INCLUDE_IN_BUILD, file.include_in_build);
  c.SetCheck(IDC_PROP_GENERATE_SRC, file.gen_asm);
  c.SetCheck(IDC_PROP_ASSEMBLE_SRC, file.asm_asm);
  LoadBanks();
  LoadFileFacts();
  c.UpdateText(IDC_PROP_PATH, path_);
  c.UpdateText(IDC_PROP_TYPE, type_);
  c.UpdateText(IDC_PROP_SIZE, size_);
  c.UpdateText(IDC_PROP_MODIFIED, modified_);
}

void CPropertiesPage::LoadBanks() {
  DialogControls& c = controls();
  const int banks =
      ConfigurationBankCount(FindCurrentConfiguration(&session_->state->configuration));
  if (banks <= 0) {
    c.SetSelection(IDC_PROP_CODE_BANK, 0);
    c.Enable(IDC_PROP_CODE_BANK, false);
    return;
  }
  for (int k = 0; k < banks; ++k) {
    char entry[32];
    std::snprintf(entry, sizeof entry, "%s%d", kBankPrefix, k);
    c.AddItem(IDC_PROP_CODE_BANK, entry);
  }
  c.AddItem(IDC_PROP_CODE_BANK, kDefaultBank);
  c.Enable(IDC_PROP_CODE_BANK, true);
  // Compared before adding 1, so that a stored number near the top of the
  // range cannot overflow: -1 to `banks` (default) are in the list.
  const int bank = session_->records->file.bank;
  c.SetSelection(IDC_PROP_CODE_BANK, bank < -1 || bank > banks ? 0 : bank + 1);
}

void CPropertiesPage::LoadFileFacts() {
  path_ = session_->records->file.full_path;
  type_.clear();
  size_.clear();
  modified_.clear();
  if (path_.empty()) return;
  type_ = ShellTypeName(path_);

  // Each look-up answers "missing" on its own, so a file that goes away
  // between them shows fewer facts, never wrong ones.
  int64_t time = 0;
  const FileStamp stamp = StampOf(path_);
  if (stamp.time != 0) {
    time = stamp.time;
    size_ = FormatByteCount(stamp.size);
  } else if (IsDirectory(path_)) {
    time = ModificationTime(path_);
  }
  CalendarTime local;
  if (time != 0 && LocalTimeOf(time, &local)) modified_ = FormatLocalTime(local);
}

bool CPropertiesPage::OnKillActive() {
  if (!HasWindow()) return true;
  const DialogControls& c = controls();
  FileRecord& file = session_->records->file;
  file.include_in_build = c.GetCheck(IDC_PROP_INCLUDE_IN_BUILD);
  file.gen_asm = c.GetCheck(IDC_PROP_GENERATE_SRC);
  file.asm_asm = c.GetCheck(IDC_PROP_ASSEMBLE_SRC);
  // The list always has a selection once loaded; none would mean COMMON.
  const int selection = c.GetSelection(IDC_PROP_CODE_BANK);
  file.bank = (selection < 0 ? 0 : selection) - 1;
  return true;
}

}  // namespace c51::settings
