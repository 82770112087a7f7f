#include "options/state_inputs.h"

#include "options/a51_control_string.h"
#include "options/c51_control_string.h"
#include "options/option_text.h"
#include "plugin/state.h"

namespace c51 {

BuildInputs BuildInputsFromState(PluginState* state) {
  BuildInputs inputs;
  inputs.configuration = &state->configuration;
  inputs.device = state->context.device;
  inputs.listing = state->listing;
  inputs.object_dir = state->output_dir_relative;
  inputs.listing_dir = state->listing_dir_relative;
  inputs.output_name = state->output_name;
  return inputs;
}

DisplayInputs DisplayInputsFromState(const PluginState& state, OptionScope scope) {
  DisplayInputs inputs;
  inputs.scope = scope;
  inputs.target = state.target;
  inputs.cpu = DeviceCpuText(state.context.device);
  inputs.listing = state.output.listing;
  inputs.listing_dir = state.output.listing_directory;
  inputs.object_dir = std::string(TrimBlanks(state.output.output_directory));
  inputs.object_dir_absolute = state.output_dir;
  inputs.output_name = state.output.output_name;
  return inputs;
}

LinkerStringInputs LinkerInputsFromState(const PluginState& state) {
  LinkerStringInputs inputs;
  inputs.rtos = state.target.rtos;
  inputs.code_bank = state.target.code_bank;
  inputs.cpu = DeviceCpuText(state.context.device);
  inputs.output_name = state.output.output_name;
  return inputs;
}

std::string BuildC51ControlString(const ProjectNode* file, PluginState* state) {
  return BuildC51ControlString(file, BuildInputsFromState(state));
}

std::string BuildA51ControlString(const ProjectNode* file, PluginState* state) {
  return BuildA51ControlString(file, BuildInputsFromState(state));
}

std::string BuildGeneratedAsmControlString(PluginState* state) {
  return BuildGeneratedAsmControlString(&state->configuration);
}

std::string BuildLinkerControlString(PluginState* state) {
  return BuildLinkerControlString(&state->configuration, state->context.device);
}

}  // namespace c51
