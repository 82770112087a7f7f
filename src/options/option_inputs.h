// What the control-string builders take besides the option records: the
// folders and listing switches the plug-in derived for the current
// configuration, and the selected device. Plain values, so the builders run
// without the process-wide state (state_inputs.h fills them from it).
#ifndef C51_OPTIONS_OPTION_INPUTS_H_
#define C51_OPTIONS_OPTION_INPUTS_H_

#include <string>

#include "options/tool_scope.h"
#include "project/config_keys.h"

namespace c51 {

struct ConfigurationRef;
struct DeviceRecord;

// The build's view: the tree is read through `configuration`.
struct BuildInputs {
  // Root and current configuration name; the lookups may adopt a name
  // into it while it is empty. Not owned.
  ConfigurationRef* configuration = nullptr;
  const DeviceRecord* device = nullptr;  // its "CPU" text; null when none
  ListingSwitches listing{};             // "OPTLT" of the current configuration
  // Relative to the project folder (the tools run there), ending in "\";
  // empty for the project folder itself.
  std::string object_dir;
  // Relative to the project folder, ending in "\" (".\" for the folder
  // itself); empty means no PRINT directive.
  std::string listing_dir;
  std::string output_name;  // without extension
};

// The settings pages' view: the dialog's records rather than the tree.
struct DisplayInputs {
  OptionScope scope = OptionScope::kProject;
  TargetRecord target;  // "MemMode", "CodeMode", "T51FL", "RTOS", "CodeBank"
  std::string cpu;      // the device's "CPU" text; empty when none
  ListingSwitches listing{};
  // As configured, or ".\" + configuration name + "\" when not stored.
  std::string listing_dir;
  std::string object_dir;           // likewise, trimmed
  std::string object_dir_absolute;  // the derived absolute output folder
  std::string output_name;
};

// The device's "CPU" text; "" when there is no device or no entry.
std::string DeviceCpuText(const DeviceRecord* device);

}  // namespace c51

#endif  // C51_OPTIONS_OPTION_INPUTS_H_
