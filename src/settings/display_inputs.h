// What the compiler and assembler pages compose their control-string
// boxes from besides their own values: target models, listing switches,
// folders and output name.
#ifndef C51_SETTINGS_DISPLAY_INPUTS_H_
#define C51_SETTINGS_DISPLAY_INPUTS_H_

#include <string>

#include "options/option_inputs.h"
#include "settings/settings_records.h"

namespace c51 {
struct ProjectNode;
}

namespace c51::settings {

// Reads the configuration's target and output keys as stored (missing keys
// as a new configuration has them) and the absolute object folder they
// name, against the project folder of `state`.
StoredConfiguration ReadStoredConfiguration(const PluginState& state, const ProjectNode* config);

// The project dialog (no stored configuration in the session): the
// records its Target, Output and Listing pages edit, so the boxes follow
// those pages. A group or file dialog: the configuration it loaded.
DisplayInputs PageDisplayInputs(const SettingsSession& session, OptionScope scope);

}  // namespace c51::settings

#endif  // C51_SETTINGS_DISPLAY_INPUTS_H_
