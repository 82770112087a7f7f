// Actions that drive a headless settings dialog as a user would, one per
// line, and the report of what the user saw. The command-line host hands
// such a list to the plug-in for its "settings" command:
//   page <index or caption>    select a page
//   type <id> <text>           set an edit's text (the rest of the line)
//   click <id>                 click a check box, radio button or button
//   choose <id> <index>        select a list entry; "choose <id> =<text>" by text
//   apply | ok | cancel | default
//   show                       report the active page's controls now
//   folder <path> | no-folder  the next folder chooser's answer
//   file <path> | no-file      the next file chooser's answer
//   answer ok|cancel|yes|no    the next message box's answer
// Blank lines and lines starting with "#" are skipped.
#ifndef C51_SETTINGS_SETTINGS_SCRIPT_H_
#define C51_SETTINGS_SETTINGS_SCRIPT_H_

#include <string>
#include <vector>

#include "settings/headless_backend.h"

namespace c51::settings {

struct SettingsAction {
  enum Kind {
    kPage,
    kType,
    kClick,
    kChoose,
    kApply,
    kOk,
    kCancel,
    kDefault,
    kShow,
    kFolder,
    kNoFolder,
    kFile,
    kNoFile,
    kAnswer,
  };
  Kind kind = kShow;
  int id = 0;
  int index = -1;    // page or list index; -1: by `text`
  std::string text;  // typed text, page caption, list entry, path
  MessageAnswer answer = MessageAnswer::kOk;
  std::string line;  // as written, for the report
};

// False, with the line and what is wrong in `error`, for an action it does
// not know or one missing its arguments.
bool ParseSettingsActions(const std::string& text, std::vector<SettingsAction>* actions,
                          std::string* error);

// The controls of a page as lines: "  <id> <kind> <state> \"<text>\"".
std::string DescribeControls(const HeadlessDialog& controls);

// Runs the actions on an open sheet and appends to `report` each action,
// what was refused, every message box shown (recorded by `ui`), and at the
// end every page that was shown with its controls and how the sheet ended.
void RunSettingsActions(const std::vector<SettingsAction>& actions, HeadlessSheet* sheet,
                        HeadlessBackend* backend, HeadlessInterface* ui, std::string* report);

}  // namespace c51::settings

#endif  // C51_SETTINGS_SETTINGS_SCRIPT_H_
