// The backend the plug-in's settings entry uses when the host opens a
// dialog: windows where there are some, otherwise the headless backend,
// whose dialogs close at once as Cancel unless a script drives them.
#ifndef C51_SETTINGS_DEFAULT_BACKEND_H_
#define C51_SETTINGS_DEFAULT_BACKEND_H_

#include "settings/settings_backend.h"

namespace c51 {
struct PluginState;
}

namespace c51::settings {

class HeadlessBackend;

// The process's headless backend, answering message boxes through
// `state->ui` in the state's interface language.
HeadlessBackend* ProcessHeadlessBackend(PluginState* state);

SettingsBackend* DefaultSettingsBackend(PluginState* state);

}  // namespace c51::settings

#endif  // C51_SETTINGS_DEFAULT_BACKEND_H_
