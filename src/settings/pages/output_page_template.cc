// Template 172 in English and Chinese (GBK), with the same ids in both.
#include "settings/pages/output_page.h"

namespace c51::settings {
namespace {

struct OutputTexts {
  const char* caption;
  const char* folder_label;
  const char* browse;
  const char* name_label;
  const char* executable;  // replaced at run time once the folder is known
  const char* library;
};

constexpr OutputTexts kEnglish = {
    "Output",
    "Folder for Objects",
    "Browse...",
    "&Name of Executable",
    "Cre&ate Executable: <rel path>\\basename",
    "Create &Library: <rel path>\\basename",
};

constexpr OutputTexts kChinese = {
    "\xCA\xE4\xB3\xF6",                                      // 输出 (output)
    "\xC4\xBF\xB1\xEA\xCE\xC4\xBC\xFE\xBC\xD0",              // 目标文件夹 (folder for objects)
    "\xE4\xAF\xC0\xC0...",                                   // 浏览... (browse)
    "\xBF\xC9\xD6\xB4\xD0\xD0\xCE\xC4\xBC\xFE\xC3\xFB(&N)",  // 可执行文件名(&N) (name of
                                                             // executable)
    // 创建应用文件(&A): <相对路径>\basename (create executable: <rel path>\basename)
    "\xB4\xB4\xBD\xA8\xD3\xA6\xD3\xC3\xCE\xC4\xBC\xFE(&A): <\xCF\xE0\xB6\xD4\xC2\xB7\xBE\xB6>"
    "\\basename",
    // 创建库文件(&L): <相对路径>\basename (create library: <rel path>\basename)
    "\xB4\xB4\xBD\xA8\xBF\xE2\xCE\xC4\xBC\xFE(&L): <\xCF\xE0\xB6\xD4\xC2\xB7\xBE\xB6>\\basename",
};

}  // namespace

DialogTemplate OutputPageTemplate(Language language) {
  const OutputTexts& t = language == Language::kChinese ? kChinese : kEnglish;
  DialogTemplate d;
  d.id = IDD_OUTPUT_PAGE;
  d.caption = t.caption;
  d.controls = {
      {kNoId, ControlKind::kStatic, kStyleNone, t.folder_label, {}},
      {IDC_OUTPUT_FOLDER, ControlKind::kStatic, kStyleNone, "", {}},
      {IDC_OUTPUT_BROWSE, ControlKind::kPushButton, kStyleNone, t.browse, {}},
      {kNoId, ControlKind::kStatic, kStyleNone, t.name_label, {}},
      {IDC_OUTPUT_NAME, ControlKind::kEdit, kStyleNone, "", {}},
      // One group: exactly one of the two is on.
      {IDC_OUTPUT_CREATE_EXECUTABLE,
       ControlKind::kRadioButton,
       kAutomatic | kGroupStart,
       t.executable,
       {}},
      {IDC_OUTPUT_CREATE_LIBRARY, ControlKind::kRadioButton, kAutomatic, t.library, {}},
  };
  return d;
}

}  // namespace c51::settings
