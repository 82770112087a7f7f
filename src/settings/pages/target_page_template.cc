// The Target page's dialog resource in English and Chinese (GBK), with the
// same ids and lists in both. The list indexes are what the page stores,
// so the lists keep one order in both languages.
#include "settings/pages/target_page.h"

namespace c51::settings {

namespace {

ControlSpec Label(const char* text) {
  return {kNoId, ControlKind::kStatic, kStyleNone, text, {}};
}

ControlSpec Group(const char* text) {
  return {kNoId, ControlKind::kGroupBox, kStyleNone, text, {}};
}

ControlSpec Edit(int id) {
  return {id, ControlKind::kEdit, kStyleNone, "", {}};
}

ControlSpec Check(int id, const char* text) {
  return {id, ControlKind::kCheckBox, kAutomatic, text, {}};
}

ControlSpec List(int id, std::vector<std::string> items) {
  return {id, ControlKind::kDropDownList, kStyleNone, "", std::move(items)};
}

}  // namespace

DialogTemplate CTargetPage::Template(Language language) const {
  const bool zh = language == Language::kChinese;
  auto text = [zh](const char* english, const char* chinese) { return zh ? chinese : english; };

  DialogTemplate t;
  t.id = IDD_TARGET_PAGE;
  t.caption = text("Target", "\xC4\xBF\xB1\xEA");  // 目标
  auto& c = t.controls;

  // 目标器件:
  c.push_back(Label(text("Target Device:", "\xC4\xBF\xB1\xEA\xC6\xF7\xBC\xFE:")));
  c.push_back({IDC_TARGET_DEVICE, ControlKind::kStatic, kStyleNone, "Philips 89c58", {}});
  c.push_back(Label(text("Xtal(MHz):", "\xBE\xA7\xD5\xF1(MHz):")));  // 晶振(MHz):
  c.push_back(Edit(IDC_TARGET_XTAL));

  c.push_back(
      Label(text("Memory Model", "\xB4\xE6\xB4\xA2\xC6\xF7\xC4\xA3\xCA\xBD")));  // 存储器模式
  if (zh) {
    // Small: 变量位于 DATA 区 / Compact: 变量位于 PDATA 区 / Large: 变量位于 XDATA 区
    c.push_back(
        List(IDC_TARGET_MEMORY_MODEL, {"Small: \xB1\xE4\xC1\xBF\xCE\xBB\xD3\xDA DATA \xC7\xF8",
                                       "Compact: \xB1\xE4\xC1\xBF\xCE\xBB\xD3\xDA PDATA \xC7\xF8",
                                       "Large: \xB1\xE4\xC1\xBF\xCE\xBB\xD3\xDA XDATA \xC7\xF8"}));
  } else {
    c.push_back(List(
        IDC_TARGET_MEMORY_MODEL,
        {"Small: variables in DATA", "Compact: variables in PDATA", "Large: variables in XDATA"}));
  }

  c.push_back(Label(text("Code Rom Size", "\xB4\xFA\xC2\xEBROM\xB4\xF3\xD0\xA1")));  // 代码ROM大小
  if (zh) {
    // Small:  程序不超过 2K / Compact:  函数 2K;程序 64K / Large:  程序 64K
    c.push_back(List(
        IDC_TARGET_CODE_ROM_SIZE,
        {"Small:  \xB3\xCC\xD0\xF2\xB2\xBB\xB3\xAC\xB9\xFD 2K",
         "Compact:  \xBA\xAF\xCA\xFD 2K;\xB3\xCC\xD0\xF2 64K", "Large:  \xB3\xCC\xD0\xF2 64K"}));
  } else {
    c.push_back(List(IDC_TARGET_CODE_ROM_SIZE,
                     {"Small:  program 2K or less", "Compact:  2K function;64K program",
                      "Large:  64K program"}));
  }

  // A three-line label in the resource: the text wraps.
  c.push_back(Label(text("Operating System (RTOS)",
                         "\xB2\xD9\xD7\xF7\xCF\xB5\xCD\xB3 (RTOS)")));  // 操作系统 (RTOS)
  c.push_back(List(IDC_TARGET_OPERATING_SYSTEM,
                   {text("None", "\xCE\xDE"), "RTX-51 Tiny", "RTX-51 Full"}));  // 无

  // The on-chip captions are replaced at run time by what the device offers.
  // 使用片内ROM(0X0-0X3F)
  c.push_back(Check(IDC_TARGET_ON_CHIP_ROM, text("Use On-chip ROM(0X0-0X3F)",
                                                 "\xCA\xB9\xD3\xC3\xC6\xAC\xC4\xDAROM(0X0-0X3F)")));
  // 使用多个DPTR寄存器
  c.push_back(Check(IDC_TARGET_MULTIPLE_DPTR, text("Use multiplue DPTR registers",
                                                   "\xCA\xB9\xD3\xC3\xB6\xE0\xB8\xF6"
                                                   "DPTR\xBC\xC4\xB4\xE6\xC6\xF7")));
  // 使用片内XRAM(0X0-0X1FFF)
  c.push_back(Check(
      IDC_TARGET_ON_CHIP_XRAM,
      text("Use On-chip XRAM(0X0-0X1FFF)", "\xCA\xB9\xD3\xC3\xC6\xAC\xC4\xDAXRAM(0X0-0X1FFF)")));

  c.push_back(Check(IDC_TARGET_CODE_BANKING,
                    text("Code Banking", "\xB4\xFA\xC2\xEB\xB7\xD6\xD7\xE9")));  // 代码分组
  c.push_back(Label(text("Bank:", "\xB7\xD6\xD7\xE9\xCA\xFD:")));                // 分组数:
  c.push_back(List(IDC_TARGET_BANK_COUNT, {"2", "4", "8", "16", "32", "64"}));
  c.push_back(Label(text("Bank Area", "\xB7\xD6\xD7\xE9\xC7\xF8\xD3\xF2")));  // 分组区域
  const char* start = text("Start:", "\xC6\xF0\xCA\xBC:");                    // 起始:
  c.push_back(Label(start));
  c.push_back(Label(text("End:", "\xBD\xE1\xCA\xF8:")));  // 结束:
  c.push_back(Edit(IDC_TARGET_BANK_START));
  c.push_back(Edit(IDC_TARGET_BANK_END));

  const char* size = text("Size:", "\xB4\xF3\xD0\xA1:");  // 大小:
  // 代码存储器, 代码存储器#0: ...
  c.push_back(Group(text("Code Memory", "\xB4\xFA\xC2\xEB\xB4\xE6\xB4\xA2\xC6\xF7")));
  c.push_back(Label(start));
  c.push_back(Label(size));
  const char* code_rows[3][2] = {
      {"Code Memory#0:", "\xB4\xFA\xC2\xEB\xB4\xE6\xB4\xA2\xC6\xF7#0:"},
      {"Code Memory#1:", "\xB4\xFA\xC2\xEB\xB4\xE6\xB4\xA2\xC6\xF7#1:"},
      {"Code Memory#2:", "\xB4\xFA\xC2\xEB\xB4\xE6\xB4\xA2\xC6\xF7#2:"},
  };
  for (int r = 0; r < 3; ++r) {
    c.push_back(Label(text(code_rows[r][0], code_rows[r][1])));
    c.push_back(Edit(kIdCodeStart[r]));
    c.push_back(Edit(kIdCodeSize[r]));
  }

  // Xdata 存储器, Xdata 存储器#0: ...
  c.push_back(Group(text("Xdata Memory", "Xdata \xB4\xE6\xB4\xA2\xC6\xF7")));
  c.push_back(Label(start));
  c.push_back(Label(size));
  const char* xdata_rows[3][2] = {
      {"Xdata Memory#0:", "Xdata \xB4\xE6\xB4\xA2\xC6\xF7#0:"},
      {"Xdata Memory#1:", "Xdata \xB4\xE6\xB4\xA2\xC6\xF7#1:"},
      {"Xdata Memory#2:", "Xdata \xB4\xE6\xB4\xA2\xC6\xF7#2:"},
  };
  for (int r = 0; r < 3; ++r) {
    c.push_back(Label(text(xdata_rows[r][0], xdata_rows[r][1])));
    c.push_back(Edit(kIdXdataStart[r]));
    c.push_back(Edit(kIdXdataSize[r]));
  }
  return t;
}

}  // namespace c51::settings
