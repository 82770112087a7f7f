// One run of the plug-in's settings dialog without windows: the actions go
// to the plug-in in a file named by C51_SETTINGS_ACTIONS, and the plug-in
// writes what the user would have seen to the file named by
// C51_SETTINGS_REPORT. The settings command and the import's second step
// both drive the dialog this way, so that only the plug-in encodes keys.
#ifndef C51_HOST_SETTINGS_RUN_H_
#define C51_HOST_SETTINGS_RUN_H_

#include <string>

#include "host/session.h"
#include "host/settings_names.h"

namespace c51::host {

// Runs the dialog of `scope` on `actions` (tree text, one per line) with
// the plug-in loaded and a configuration open. False (reported) when the
// actions cannot be handed over or the plug-in showed no dialog.
bool RunSettingsScript(Session* session, ProjectNode* scope, const std::string& actions,
                       std::string* report);

// Opens the dialog, visits every page and cancels: what each page holds
// and which one the dialog opens on. Nothing is written.
bool SurveySettings(Session* session, ProjectNode* scope, DialogSurvey* survey);

// Whether the report says that the plug-in refused an action.
bool ReportHasRefusal(const std::string& report);

}  // namespace c51::host

#endif  // C51_HOST_SETTINGS_RUN_H_
