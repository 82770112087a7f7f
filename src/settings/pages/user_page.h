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
#include "settings/settings_records.h"

namespace c51::settings {

constexpr int kUserPageTemplate = 1002;

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
    {{1009, 1017, 1016}, {1011, 1018, 1019}},
    {{1015, 1028, 1029}, {1030, 1031, 1032}},
    {{1033, 1034, 1035}, {1036, 1037, 1038}},
};

// The file-open dialog's filter for a program.
inline constexpr char kUserProgramFilter[] =
    "Executables (*.exe; *.bat)|*.exe;*.bat|All Files (*.*)|*.*||";

DialogTemplate UserPageTemplate(Language language);

class CUserPage : public CArdelPage {
 public:
  // `session` outlives the page.
  explicit CUserPage(SettingsSession* session) : CArdelPage(kUserPageTemplate), session_(session) {}

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
