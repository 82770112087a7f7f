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
// A button that opens a dialog with a list editor (the C51 and A51 pages'
// "..." for the include folders) runs the actions that follow inside it,
// until the dialog is closed:
//   item new <text>            a new item with that text ("New", typed, Enter)
//   item edit <index> <text>   the item's text replaced (double click, typed, Enter)
//   item browse <index>        the item's "..." (the next folder answer), Enter
//   item delete <index>        the item clicked, then "Delete"
//   item up <index> | item down <index>   the item clicked, then "Move Up"/"Move Down"
//   dialog ok | dialog cancel  closes the dialog
//   show                       reports the dialog's controls now
// Any other action closes the dialog as Cancel first.
// Blank lines and lines starting with "#" are skipped.
#ifndef C51_SETTINGS_SETTINGS_SCRIPT_H_
#define C51_SETTINGS_SETTINGS_SCRIPT_H_

#include <string>
#include <vector>

#include "settings/headless/headless_backend.h"

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
    kItemNew,
    kItemEdit,
    kItemBrowse,
    kItemDelete,
    kItemUp,
    kItemDown,
    kDialogOk,
    kDialogCancel,
  };
  Kind kind = kShow;
  int id = 0;
  int index = -1;    // page, list or item index; -1: by `text`
  std::string text;  // typed text, page caption, list entry, path, item text
  MessageAnswer answer = MessageAnswer::kOk;
  std::string line;  // as written, for the report
};

// False, with the line and what is wrong in `error`, for an action it does
// not know or one missing its arguments.
bool ParseSettingsActions(const std::string& text, std::vector<SettingsAction>* actions,
                          std::string* error);

// The controls of a page as lines: "  <id> <kind> <state> \"<text>\"";
// a label without an id as "  -1 label \"<text>\"".
std::string DescribeControls(const HeadlessDialog& controls);

// Whether the action works on an open dialog rather than on the sheet.
bool IsDialogAction(SettingsAction::Kind kind);

// Runs the actions on an open sheet and appends to `report` the sheet's
// title, painted caption and "Default" button text, then each action,
// what was refused, every message box shown (recorded by `ui`), each
// dialog opened with its controls when it opened and when it closed, and
// at the end every page that was shown with its controls and how the sheet
// ended.
void RunSettingsActions(const std::vector<SettingsAction>& actions, HeadlessSheet* sheet,
                        HeadlessBackend* backend, HeadlessInterface* ui, std::string* report);

}  // namespace c51::settings

#endif  // C51_SETTINGS_SETTINGS_SCRIPT_H_
