// The "User" page of the project settings (template 1002): up to two
// programs to run before each C file is compiled, two before a build and
// two after it, each with an on/off switch and a command line. It edits
// the three stored texts of the user record (SettingsRecords::user) and
// writes them on Apply when bound to the configuration node.
#ifndef C51_SETTINGS_PAGES_USER_PAGE_H_
#define C51_SETTINGS_PAGES_USER_PAGE_H_

#include <array>

#include "project/config_keys.h"
#include "settings/ardel_page.h"
#include "settings/resources/control_ids.h"
#include "settings/settings_records.h"

namespace c51::settings {

// The controls of one program: switch, command edit, "..." button.
struct UserProgramIds {
  int run;
  int command;
  int browse;
};

// The three moments ("BeforeCmp", "BeforeBuild", "AfterBuild"), each with
// program #1 and program #2.
constexpr int kUserMoments = 3;
inline constexpr UserProgramIds kUserProgramIds[kUserMoments][2] = {
    {{IDC_USER_BEFORE_COMPILE_RUN_1, IDC_USER_BEFORE_COMPILE_COMMAND_1,
      IDC_USER_BEFORE_COMPILE_BROWSE_1},
     {IDC_USER_BEFORE_COMPILE_RUN_2, IDC_USER_BEFORE_COMPILE_COMMAND_2,
      IDC_USER_BEFORE_COMPILE_BROWSE_2}},
    {{IDC_USER_BEFORE_BUILD_RUN_1, IDC_USER_BEFORE_BUILD_COMMAND_1, IDC_USER_BEFORE_BUILD_BROWSE_1},
     {IDC_USER_BEFORE_BUILD_RUN_2, IDC_USER_BEFORE_BUILD_COMMAND_2,
      IDC_USER_BEFORE_BUILD_BROWSE_2}},
    {{IDC_USER_AFTER_BUILD_RUN_1, IDC_USER_AFTER_BUILD_COMMAND_1, IDC_USER_AFTER_BUILD_BROWSE_1},
     {IDC_USER_AFTER_BUILD_RUN_2, IDC_USER_AFTER_BUILD_COMMAND_2, IDC_USER_AFTER_BUILD_BROWSE_2}},
};

// The file-open dialog's filter for a program.
inline constexpr char kUserProgramFilter[] =
    "Executables (*.exe; *.bat)|*.exe;*.bat|All Files (*.*)|*.*||";

DialogTemplate UserPageTemplate(Language language);

class CUserPage : public CArdelPage {
 public:
  // `session` outlives the page.
  explicit CUserPage(SettingsSession* session) : CArdelPage(IDD_USER_PAGE), session_(session) {}

  DialogTemplate Template(Language language) const override { return UserPageTemplate(language); }
  bool OnInitDialog() override;
  // Encodes into the record; never refuses.
  bool OnKillActive() override;
  bool OnApply() override;
  void OnDefault() override;
  void OnControl(int id, Notification code) override;

 private:
  // Decodes the record's texts; a text that does not decode leaves that
  // moment's programs as they are.
  void Decode();
  void ReadControls();
  void WriteControls();
  void Browse(int moment, int program);

  SettingsSession* session_;
  std::array<UserCommands, kUserMoments> commands_{};
  // Set while the page writes its own controls: their notifications are
  // no change of the user's.
  bool writing_ = false;
};

}  // namespace c51::settings

#endif  // C51_SETTINGS_PAGES_USER_PAGE_H_
