// Template 174 in English and Chinese.
#include <cstdint>

#include "settings/pages/a51_page.h"

namespace c51::settings {
namespace {

struct A51Texts {
  const char* symbols_group;
  const char* set;
  const char* reset;
  const char* macro_group;
  const char* standard;
  const char* mpl;
  const char* sfr_group;
  const char* sfr_names;
  const char* include;
  const char* misc;
  const char* control_string;  // wraps to three lines beside the box
};

constexpr A51Texts kEnglish = {
    "Conditional Assembly Control Symbols",
    "Set",
    "Reset",
    "Macro Processor",
    "S&tandard",
    "M&PL",
    "Special Function Registers",
    "&Define 8051 SFR Name",
    "Include Path",
    "Misc Controls",
    "Assembler Control String",
};

constexpr A51Texts kChinese = {
    // 条件汇编控制符号 (conditional assembly control symbols)
    "\xCC\xF5\xBC\xFE\xBB\xE3\xB1\xE0\xBF\xD8\xD6\xC6\xB7\xFB\xBA\xC5",
    "\xC9\xE8\xD6\xC3",                  // 设置 (set)
    "\xB8\xB4\xCE\xBB",                  // 复位 (reset)
    "\xBA\xEA\xB4\xA6\xC0\xED\xC6\xF7",  // 宏处理器 (macro processor)
    "\xB1\xEA\xD7\xBC(&T)",              // 标准(&T) (standard)
    "M&PL",
    // 特殊功能寄存器 (special function registers)
    "\xCC\xD8\xCA\xE2\xB9\xA6\xC4\xDC\xBC\xC4\xB4\xE6\xC6\xF7",
    // 定义 8051 SFR 名称(&D) (define 8051 SFR names)
    "\xB6\xA8\xD2\xE5 8051 SFR \xC3\xFB\xB3\xC6(&D)",
    "\xB0\xFC\xBA\xAC\xC2\xB7\xBE\xB6",  // 包含路径 (include path)
    "\xC6\xE4\xCB\xFB\xBF\xD8\xD6\xC6",  // 其他控制 (misc controls)
    // 汇编器控制字符串 (assembler control string)
    "\xBB\xE3\xB1\xE0\xC6\xF7\xBF\xD8\xD6\xC6\xD7\xD6\xB7\xFB\xB4\xAE",
};

}  // namespace

DialogTemplate A51PageTemplate(Language language) {
  const A51Texts& t = language == Language::kChinese ? kChinese : kEnglish;
  const uint32_t check = kAutomatic;
  DialogTemplate d;
  d.id = IDD_A51_PAGE;
  d.caption = "A51";
  d.controls = {
      {kNoId, ControlKind::kGroupBox, kStyleNone, t.symbols_group, {}},
      {kNoId, ControlKind::kStatic, kStyleNone, t.set, {}},
      {IDC_A51_SET, ControlKind::kEdit, kStyleNone, "", {}},
      {kNoId, ControlKind::kStatic, kStyleNone, t.reset, {}},
      {IDC_A51_RESET, ControlKind::kEdit, kStyleNone, "", {}},
      {kNoId, ControlKind::kGroupBox, kStyleNone, t.macro_group, {}},
      {IDC_A51_STANDARD, ControlKind::kCheckBox, check, t.standard, {}},
      {IDC_A51_MPL, ControlKind::kCheckBox, check, t.mpl, {}},
      {kNoId, ControlKind::kGroupBox, kStyleNone, t.sfr_group, {}},
      {IDC_A51_SFR_NAMES, ControlKind::kCheckBox, check, t.sfr_names, {}},
      {kNoId, ControlKind::kStatic, kStyleNone, t.include, {}},
      {IDC_A51_INCLUDE, ControlKind::kEdit, kStyleNone, "", {}},
      {IDC_A51_INCLUDE_BROWSE, ControlKind::kPushButton, kStyleNone, "...", {}},
      {kNoId, ControlKind::kStatic, kStyleNone, t.misc, {}},
      {IDC_A51_MISC, ControlKind::kEdit, kStyleNone, "", {}},
      {kNoId, ControlKind::kStatic, kStyleNone, t.control_string, {}},
      {IDC_A51_CONTROL_STRING, ControlKind::kEdit, kMultiLine | kReadOnly, "", {}},
  };
  return d;
}

}  // namespace c51::settings
