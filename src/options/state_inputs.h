// The builders' inputs taken from the plug-in's process-wide state, and
// thin overloads for callers that hold it (the build and the settings).
#ifndef C51_OPTIONS_STATE_INPUTS_H_
#define C51_OPTIONS_STATE_INPUTS_H_

#include <string>

#include "options/linker_control_string.h"
#include "options/option_inputs.h"

namespace c51 {

struct PluginState;
struct ProjectNode;

// The current configuration, the device, "OPTLT" and the relative folders
// derived when the configuration was opened. The result points into
// `state`.
BuildInputs BuildInputsFromState(PluginState* state);

// The settings dialog's records: target, listing switches, configured
// folders (the object folder trimmed) and output name.
DisplayInputs DisplayInputsFromState(const PluginState& state, OptionScope scope);

// The dialog's "RTOS", "CodeBank" and output name, and the device.
LinkerStringInputs LinkerInputsFromState(const PluginState& state);

std::string BuildC51ControlString(const ProjectNode* file, PluginState* state);
std::string BuildA51ControlString(const ProjectNode* file, PluginState* state);
std::string BuildGeneratedAsmControlString(PluginState* state);
std::string BuildLinkerControlString(PluginState* state);

}  // namespace c51

#endif  // C51_OPTIONS_STATE_INPUTS_H_
