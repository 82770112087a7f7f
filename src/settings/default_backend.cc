#include "settings/default_backend.h"

#include "plugin/state.h"
#include "settings/headless_backend.h"

namespace c51::settings {

HeadlessBackend* ProcessHeadlessBackend(PluginState* state) {
  static HeadlessBackend backend(state->ui, state->language);
  backend.set_language(state->language);
  return &backend;
}

SettingsBackend* DefaultSettingsBackend(PluginState* state) {
  return ProcessHeadlessBackend(state);
}

}  // namespace c51::settings
