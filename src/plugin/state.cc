#include "plugin/state.h"

#include "plugin/build_cache.h"

namespace c51 {

PluginState::PluginState() : caches_(std::make_unique<BuildCaches>()) {}

PluginState::~PluginState() = default;

PluginState& State() {
  static PluginState state;
  return state;
}

}  // namespace c51
