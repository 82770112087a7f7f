#include "plugin/basic_entries.h"

#include <cstring>

#include "plugin/state.h"

namespace c51 {

int SetHostContext(PluginState* state, const HostContext* context) {
  if (context) state->context = *context;
  return 1;
}

void Notify(PluginState* state, int code, const char* text) {
  if (code == 2) state->configuration.name = text ? text : "";
}

int GetDebugRecord(PluginState* state, void* destination) {
  if (!destination) return 0;
  auto* record = static_cast<DebugOptionRecord*>(destination);
  if (state->context.debug_record) std::memcpy(record, state->context.debug_record, sizeof *record);
  const std::string path = state->output_dir + state->output_name;
  if (path.size() >= sizeof record->output_path) return 0;
  std::memcpy(record->output_path, path.c_str(), path.size() + 1);
  return 1;
}

void SetDriverSetting(PluginState* state, const char* key, const char* value) {
  if (!key) return;
  state->driver_settings[key] = value ? value : "";
}

void StopBuild(PluginState* state) {
  state->build_continue.store(0);
  state->tool_control.Stop();
}

}  // namespace c51
