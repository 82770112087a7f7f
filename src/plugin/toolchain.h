// Finding the toolchain: the host's preference store first, then the
// uVision file association.
#ifndef C51_PLUGIN_TOOLCHAIN_H_
#define C51_PLUGIN_TOOLCHAIN_H_

#include <array>
#include <string>

namespace c51 {

struct PluginState;

// The six "|"-separated fields of one toolchain entry.
using ToolchainEntry = std::array<std::string, 6>;

// Picks from a "KC51" value (entries each ended by "*"; a last piece
// without "*" counts too) the first entry named `name`, or the first entry
// when `name` is empty. False when nothing matches.
bool ChooseToolchainEntry(const std::string& kc51, const std::string& name, ToolchainEntry* entry);

// The installation root from the uVision start command: the folder above
// the program's folder, ending in "\":
//   "\"C:\Keil\UV4\Uv4.exe\" \"%1\"" => "C:\Keil\"
// False when either "\" sits at position 2 or before.
bool InstallRootFromCommand(const std::string& command, std::string* root);

// Fills state->toolchain unless an earlier call located it for good.
void LocateToolchain(PluginState* state);

}  // namespace c51

#endif  // C51_PLUGIN_TOOLCHAIN_H_
