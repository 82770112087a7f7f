#include "settings/pages/user_page.h"

#include <string>

#include "plugin/state.h"
#include "settings/input_messages.h"
#include "settings/settings_backend.h"

namespace c51::settings {

namespace {

// The record's text of each moment, in the order of kUserProgramIds.
constexpr std::string UserRecord::*kTexts[kUserMoments] = {
    &UserRecord::before_compile,
    &UserRecord::before_build,
    &UserRecord::after_build,
};

bool& Run(UserCommands& commands, int program) {
  return program == 0 ? commands.run1 : commands.run2;
}

std::string& Command(UserCommands& commands, int program) {
  return program == 0 ? commands.command1 : commands.command2;
}

}  // namespace

void CUserPage::Decode() {
  const UserRecord& record = session_->records->user;
  for (int m = 0; m < kUserMoments; ++m) {
    UserCommands decoded;
    if (DecodeUserCommands((record.*kTexts[m]).c_str(), &decoded)) commands_[m] = decoded;
  }
}

bool CUserPage::OnInitDialog() {
  // A text that does not decode shows the initial values, also when the
  // page is shown in a second run.
  commands_ = {};
  Decode();
  WriteControls();
  return true;
}

void CUserPage::ReadControls() {
  const DialogControls& c = controls();
  for (int m = 0; m < kUserMoments; ++m) {
    for (int p = 0; p < 2; ++p) {
      const UserProgramIds& ids = kUserProgramIds[m][p];
      Run(commands_[m], p) = c.GetCheck(ids.run) == kChecked;
      Command(commands_[m], p) = c.GetText(ids.command);
    }
  }
}

void CUserPage::WriteControls() {
  DialogControls& c = controls();
  writing_ = true;
  for (int m = 0; m < kUserMoments; ++m) {
    for (int p = 0; p < 2; ++p) {
      const UserProgramIds& ids = kUserProgramIds[m][p];
      c.SetCheck(ids.run, Run(commands_[m], p) ? kChecked : kUnchecked);
      c.UpdateText(ids.command, Command(commands_[m], p));
    }
  }
  writing_ = false;
}

void CUserPage::Browse(int moment, int program) {
  ReadControls();
  std::string& command = Command(commands_[moment], program);
  std::string file;
  SettingsBackend* b = backend();
  if (b != nullptr && b->ChooseFile("", kUserProgramFilter, command, &file) && !file.empty()) {
    command = file;
  }
  WriteControls();
  SetModified();
}

void CUserPage::OnControl(int id, Notification code) {
  if (writing_ || !HasWindow()) return;
  for (int m = 0; m < kUserMoments; ++m) {
    for (int p = 0; p < 2; ++p) {
      const UserProgramIds& ids = kUserProgramIds[m][p];
      if (id == ids.browse && code == Notification::kClicked) {
        Browse(m, p);
        return;
      }
      if ((id == ids.run && code == Notification::kClicked) ||
          (id == ids.command && code == Notification::kTextChanged)) {
        SetModified();
        return;
      }
    }
  }
}

bool CUserPage::OnKillActive() {
  if (!HasWindow()) return true;
  ReadControls();
  // The stored text ends each field with "?": a command holding one would
  // not decode, and the next OK would store the setting as all off.
  for (int m = 0; m < kUserMoments; ++m) {
    for (int p = 0; p < 2; ++p) {
      const std::string& command = Command(commands_[m], p);
      if (command.find('?') == std::string::npos) continue;
      MessageBox(InputMessageText(InputMessage::kQuestionMarkInCommand, language()) + command,
                 MessageIcon::kNone, MessageButtons::kOk);
      return false;
    }
  }
  UserRecord& record = session_->records->user;
  for (int m = 0; m < kUserMoments; ++m) record.*kTexts[m] = EncodeUserCommands(commands_[m]);
  return true;
}

bool CUserPage::OnApply() {
  if (bound_node() != nullptr && store_flag() != 0) {
    // The page's values are what it stored: Apply leaves the page first.
    WriteUserCommandKeys(session_->state->host, bound_node(), commands_[0], commands_[1],
                         commands_[2]);
  }
  return true;
}

void CUserPage::OnDefault() {
  if (!HasWindow()) return;
  UserRecord& record = session_->records->user;
  for (int m = 0; m < kUserMoments; ++m) record.*kTexts[m] = EncodeUserCommands(UserCommands());
  Decode();
  WriteControls();
  SetModified();
}

}  // namespace c51::settings
