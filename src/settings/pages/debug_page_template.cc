// Template 309 in English and Chinese, the same ids and layout in both: the
// simulator's controls on the left of a vertical line, the emulator's on
// the right.
#include "settings/pages/debug_page.h"

namespace c51::settings {

DialogTemplate CDebugPage::Template(Language language) const {
  const bool zh = language == Language::kChinese;
  auto text = [zh](const char* english, const char* chinese) { return zh ? chinese : english; };

  DialogTemplate t;
  t.id = IDD_DEBUG_PAGE;
  t.caption = text("Debug", "\xB5\xF7\xCA\xD4");  // 调试
  auto& c = t.controls;

  // 软件仿真
  c.push_back({IDC_DEBUG_SIMULATOR,
               ControlKind::kRadioButton,
               kAutomatic | kGroupStart,
               text("Software Simulation", "\xC8\xED\xBC\xFE\xB7\xC2\xD5\xE6"),
               {}});
  // 硬件仿真
  c.push_back({IDC_DEBUG_EMULATOR,
               ControlKind::kRadioButton,
               kAutomatic,
               text("Hardware Emulation", "\xD3\xB2\xBC\xFE\xB7\xC2\xD5\xE6"),
               {}});
  // The dividing line ends the radio group.
  c.push_back({kNoId, ControlKind::kStatic, kGroupStart, "", {}});

  // 启动时加载应用程序 (load application at startup); the English text has
  // two blanks before "Startup" on this side.
  const char* load_zh = "\xC6\xF4\xB6\xAF\xCA\xB1\xBC\xD3\xD4\xD8\xD3\xA6\xD3\xC3\xB3\xCC\xD0\xF2";
  const char* run_to_main = text("Run to main()", "\xD4\xCB\xD0\xD0\xB5\xBD main()");  // 运行到
  c.push_back({IDC_DEBUG_SIM_LOAD_APP,
               ControlKind::kCheckBox,
               kAutomatic | kHidden,
               text("Load Application at  Startup", load_zh),
               {}});
  c.push_back({IDC_DEBUG_SIM_RUN_TO_MAIN, ControlKind::kCheckBox, kAutomatic, run_to_main, {}});

  c.push_back({IDC_DEBUG_DRIVER_LIST, ControlKind::kDropDownList, kStyleNone, "", {}});
  c.push_back({IDC_DEBUG_DRIVER_SETTINGS,
               ControlKind::kPushButton,
               kStyleNone,
               text("Settings", "\xC9\xE8\xD6\xC3"),  // 设置
               {}});
  c.push_back({IDC_DEBUG_HW_LOAD_APP,
               ControlKind::kCheckBox,
               kAutomatic,
               text("Load Application at Startup", load_zh),
               {}});
  c.push_back({IDC_DEBUG_HW_RUN_TO_MAIN, ControlKind::kCheckBox, kAutomatic, run_to_main, {}});
  return t;
}

}  // namespace c51::settings
