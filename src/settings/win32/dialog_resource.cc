#include "settings/win32/dialog_resource.h"

#include <algorithm>
#include <string>

namespace c51::settings {
namespace {

// Layout of built templates, in dialog units.
constexpr int kMargin = 7;
constexpr int kCellWidth = 84;
constexpr int kCellGap = 4;
constexpr int kColumns = 3;
constexpr int kRowHeight = 12;
constexpr int kControlHeight = 10;
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;

// Predefined window class atoms of a dialog item.
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;
constexpr WORD kListBoxClass = 0x0083;
constexpr WORD kComboBoxClass = 0x0085;

// Appends 16-bit words; DWORD alignment is asked for where the format needs it.
class TemplateWriter {
 public:
  void Word(WORD w) { words_.push_back(w); }
  void Dword(DWORD d) {
    Word(LOWORD(d));
    Word(HIWORD(d));
  }
  void Text(const std::string& text, UINT code_page) {
    if (!text.empty()) {
      int n =
          MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
      if (n > 0) {
        std::wstring wide(n, L'\0');
        MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                            n);
        for (wchar_t c : wide) Word(static_cast<WORD>(c));
      }
    }
    Word(0);
  }
  void AlignDword() {
    if (words_.size() % 2 != 0) Word(0);
  }
  // Patches a word written earlier (the item count).
  void Set(size_t at, WORD w) { words_[at] = w; }
  size_t size() const { return words_.size(); }
  std::vector<DWORD> Finish() {
    AlignDword();
    std::vector<DWORD> out(words_.size() / 2);
    std::copy(words_.begin(), words_.end(), reinterpret_cast<WORD*>(out.data()));
    return out;
  }

 private:
  std::vector<WORD> words_;
};

struct Item {
  DWORD style;
  WORD window_class;
  int rows;    // cell height in rows
  int height;  // control height in dialog units (a drop-down's includes its list)
};

Item ItemFor(const ControlSpec& entry) {
  DWORD style = WS_CHILD;
  if (!(entry.style & kHidden)) style |= WS_VISIBLE;
  if (entry.style & kDisabled) style |= WS_DISABLED;
  if (entry.style & kGroupStart) style |= WS_GROUP;
  const bool automatic = entry.style & kAutomatic;
  switch (entry.kind) {
    case ControlKind::kStatic:
      return {style | SS_LEFT, kStaticClass, 1, kControlHeight};
    case ControlKind::kGroupBox:
      return {style | BS_GROUPBOX, kButtonClass, 1, kControlHeight};
    case ControlKind::kEdit:
      style |= WS_BORDER | WS_TABSTOP;
      if (entry.style & kReadOnly) style |= ES_READONLY;
      if (entry.style & kMultiLine) {
        return {style | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL, kEditClass, 3,
                3 * kRowHeight - 2};
      }
      return {style | ES_AUTOHSCROLL, kEditClass, 1, kControlHeight};
    case ControlKind::kCheckBox:
      if (entry.style & kThreeState) {
        style |= automatic ? BS_AUTO3STATE : BS_3STATE;
      } else {
        style |= automatic ? BS_AUTOCHECKBOX : BS_CHECKBOX;
      }
      return {style | WS_TABSTOP, kButtonClass, 1, kControlHeight};
    case ControlKind::kRadioButton:
      return {style | (automatic ? BS_AUTORADIOBUTTON : BS_RADIOBUTTON), kButtonClass, 1,
              kControlHeight};
    case ControlKind::kPushButton:
      return {style | WS_TABSTOP | (entry.id == kIdOk ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
              kButtonClass, 1, kControlHeight + 1};
    case ControlKind::kDropDownList:
      return {style | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kComboBoxClass, 1, 80};
    case ControlKind::kListBox:
      return {style | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_BORDER | WS_VSCROLL | WS_TABSTOP,
              kListBoxClass, 5, 5 * kRowHeight - 2};
  }
  return {style, kStaticClass, 1, kControlHeight};
}

void WriteItem(TemplateWriter* out, DWORD style, WORD window_class, int id, int x, int y, int cx,
               int cy, const std::string& text, UINT code_page) {
  out->AlignDword();
  out->Dword(style);
  out->Dword(0);
  out->Word(static_cast<WORD>(x));
  out->Word(static_cast<WORD>(y));
  out->Word(static_cast<WORD>(cx));
  out->Word(static_cast<WORD>(cy));
  out->Word(static_cast<WORD>(id));  // kNoId becomes 0xFFFF, the usual label id
  out->Word(0xFFFF);
  out->Word(window_class);
  out->Text(text, code_page);
  out->Word(0);  // no creation data
}

bool HasControl(const DialogTemplate& layout, int id) {
  for (const ControlSpec& control : layout.controls) {
    if (control.id == id) return true;
  }
  return false;
}

}  // namespace

HMODULE SettingsModule() {
  HMODULE module = nullptr;
  GetModuleHandleExA(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCSTR>(&SettingsModule), &module);
  return module;
}

Language SystemResourceLanguage() {
  return GetUserDefaultUILanguage() == MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED)
             ? Language::kChinese
             : Language::kEnglish;
}

const DLGTEMPLATE* FindDialogResource(HMODULE module, int id, Language language) {
  if (module == nullptr) return nullptr;
  const WORD chinese[] = {MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED)};
  const WORD english[] = {MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US),
                          MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL)};
  const bool zh = language == Language::kChinese;
  const WORD* languages = zh ? chinese : english;
  const size_t count = zh ? std::size(chinese) : std::size(english);
  for (size_t i = 0; i < count; ++i) {
    HRSRC found = FindResourceExA(module, MAKEINTRESOURCEA(5) /* RT_DIALOG */, MAKEINTRESOURCEA(id),
                                  languages[i]);
    if (found == nullptr) continue;
    HGLOBAL loaded = LoadResource(module, found);
    if (loaded != nullptr) return static_cast<const DLGTEMPLATE*>(LockResource(loaded));
  }
  return nullptr;
}

std::vector<DWORD> BuildDialogTemplate(const DialogTemplate& layout, Language language,
                                       DialogUse use) {
  const bool zh = language == Language::kChinese;
  const UINT code_page = zh ? 936 : 1252;
  const bool add_buttons =
      use == DialogUse::kModal && !HasControl(layout, kIdOk) && !HasControl(layout, kIdCancel);

  // Row-major flow: a cell per control, a row as high as its tallest cell.
  struct Placed {
    const ControlSpec* control;
    Item item;
    int x, y;
  };
  std::vector<Placed> placed;
  int column = 0, y = kMargin, row_rows = 1;
  for (const ControlSpec& control : layout.controls) {
    Item item = ItemFor(control);
    if (column == kColumns) {
      column = 0;
      y += row_rows * kRowHeight;
      row_rows = 1;
    }
    placed.push_back({&control, item, kMargin + column * (kCellWidth + kCellGap), y});
    row_rows = std::max(row_rows, item.rows);
    ++column;
  }
  int bottom = y + row_rows * kRowHeight;
  const int width = 2 * kMargin + kColumns * kCellWidth + (kColumns - 1) * kCellGap;
  if (add_buttons) bottom += kButtonHeight + 4;
  const int height = std::max(bottom + kMargin, 120);

  TemplateWriter out;
  DWORD style = DS_SETFONT | WS_CAPTION;
  style |= use == DialogUse::kPage ? (WS_CHILD | DS_3DLOOK)
                                   : (WS_POPUP | WS_SYSMENU | DS_MODALFRAME | DS_CENTER);
  out.Dword(style);
  out.Dword(0);
  const size_t count_at = out.size();
  out.Word(0);
  out.Word(0);
  out.Word(0);
  out.Word(static_cast<WORD>(width));
  out.Word(static_cast<WORD>(height));
  out.Word(0);  // no menu
  out.Word(0);  // the dialog class
  out.Text(layout.caption, code_page);
  // The Chinese face is replaced by a CJK font where the system lacks it.
  out.Word(zh ? 9 : 8);
  out.Text(zh ? "SimSun" : "MS Shell Dlg", CP_ACP);

  int items = 0;
  for (const Placed& p : placed) {
    WriteItem(&out, p.item.style, p.item.window_class, p.control->id, p.x, p.y, kCellWidth,
              p.item.height, p.control->text, code_page);
    ++items;
  }
  if (add_buttons) {
    const int top = height - kMargin - kButtonHeight;
    const int right = width - kMargin;
    WriteItem(&out, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, kButtonClass, kIdOk,
              right - 2 * kButtonWidth - 4, top, kButtonWidth, kButtonHeight,
              zh ? "\xC8\xB7\xB6\xA8" : "OK", code_page);  // 确定
    WriteItem(&out, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, kButtonClass, kIdCancel,
              right - kButtonWidth, top, kButtonWidth, kButtonHeight,
              zh ? "\xC8\xA1\xCF\xFB" : "Cancel", code_page);  // 取消
    items += 2;
  }
  out.Set(count_at, static_cast<WORD>(items));
  return out.Finish();
}

DialogSource::DialogSource(HMODULE module, const DialogTemplate& layout, Language language,
                           DialogUse use)
    : resource_(FindDialogResource(module, layout.id, language)) {
  if (resource_ == nullptr) built_ = BuildDialogTemplate(layout, language, use);
}

}  // namespace c51::settings
