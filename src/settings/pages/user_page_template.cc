// Template 1002 in English and Chinese (GBK), with the same ids in both.
#include "settings/pages/user_page.h"

namespace c51::settings {
namespace {

struct UserTexts {
  const char* caption;
  const char* groups[kUserMoments];
  const char* run[2];
};

constexpr UserTexts kEnglish = {
    "User",
    {"Before Compilation of a C/C++ File", "Before Build/Rebuild", "After Build/Rebuild"},
    {"Run Exe #1", "Run Exe #2"},
};

constexpr UserTexts kChinese = {
    "\xD3\xC3\xBB\xA7",  // 用户 (user)
    {
        // 编译 C/C++ 文件之前 (before compilation of a C/C++ file)
        "\xB1\xE0\xD2\xEB C/C++ \xCE\xC4\xBC\xFE\xD6\xAE\xC7\xB0",
        // 构建/重新构建之前 (before build/rebuild)
        "\xB9\xB9\xBD\xA8/\xD6\xD8\xD0\xC2\xB9\xB9\xBD\xA8\xD6\xAE\xC7\xB0",
        // 构建/重新构建之后 (after build/rebuild)
        "\xB9\xB9\xBD\xA8/\xD6\xD8\xD0\xC2\xB9\xB9\xBD\xA8\xD6\xAE\xBA\xF3",
    },
    {
        "\xD4\xCB\xD0\xD0\xB3\xCC\xD0\xF2 #1",  // 运行程序 #1 (run program #1)
        "\xD4\xCB\xD0\xD0\xB3\xCC\xD0\xF2 #2",  // 运行程序 #2 (run program #2)
    },
};

}  // namespace

DialogTemplate UserPageTemplate(Language language) {
  const UserTexts& t = language == Language::kChinese ? kChinese : kEnglish;
  DialogTemplate d;
  d.id = IDD_USER_PAGE;
  d.caption = t.caption;
  for (int m = 0; m < kUserMoments; ++m) {
    d.controls.push_back({kNoId, ControlKind::kGroupBox, kStyleNone, t.groups[m], {}});
    for (int p = 0; p < 2; ++p) {
      const UserProgramIds& ids = kUserProgramIds[m][p];
      d.controls.push_back({ids.run, ControlKind::kCheckBox, kAutomatic, t.run[p], {}});
      d.controls.push_back({ids.command, ControlKind::kEdit, kStyleNone, "", {}});
      d.controls.push_back({ids.browse, ControlKind::kPushButton, kStyleNone, "...", {}});
    }
  }
  return d;
}

}  // namespace c51::settings
