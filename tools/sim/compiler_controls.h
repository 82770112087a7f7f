// The controls the compiler takes and whether each wants an argument:
// shared by the simulated compiler and the one that translates with sdcc,
// which read the same control strings.
#ifndef C51_TOOLS_SIM_COMPILER_CONTROLS_H_
#define C51_TOOLS_SIM_COMPILER_CONTROLS_H_

#include <span>

#include "sim/controls.h"

namespace c51::sim {

std::span<const ControlRule> CompilerControlRules();

}  // namespace c51::sim

#endif  // C51_TOOLS_SIM_COMPILER_CONTROLS_H_
