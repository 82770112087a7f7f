// A scripted user's hands on a plain dialog that a page opened: its list
// editor's items and its OK and Cancel (settings_script.h lists the
// actions).
#ifndef C51_SETTINGS_SCRIPT_DIALOG_ACTIONS_H_
#define C51_SETTINGS_SCRIPT_DIALOG_ACTIONS_H_

#include "settings/headless/headless_backend.h"
#include "settings/settings_script.h"

namespace c51::settings {

// Performs one of the dialog actions (IsDialogAction) on `run`. False when
// refused: the dialog has no list editor, the item is not there, a move
// past either end, or the list did not take the text (it holds a
// character the stored form cannot, and said so).
bool RunDialogAction(const SettingsAction& action, HeadlessDialogRun* run);

}  // namespace c51::settings

#endif  // C51_SETTINGS_SCRIPT_DIALOG_ACTIONS_H_
