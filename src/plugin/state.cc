#include "plugin/state.h"

namespace c51 {

PluginState& State() {
  static PluginState state;
  return state;
}

}  // namespace c51
