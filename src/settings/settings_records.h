// The records one settings dialog works on. The entry loads them from the
// tree before the sheet is shown and compares them afterwards; the pages
// load from them when first shown and store into them when left. They are
// process-wide and keep their last values between dialogs.
#ifndef C51_SETTINGS_SETTINGS_RECORDS_H_
#define C51_SETTINGS_SETTINGS_RECORDS_H_

#include <memory>
#include <string>

#include "options/a51_control_string.h"
#include "options/a51_options.h"
#include "options/c51_control_string.h"
#include "options/c51_options.h"
#include "options/linker_options.h"
#include "options/option_inputs.h"
#include "options/tool_scope.h"
#include "project/config_keys.h"
#include "project/device_record.h"

namespace c51 {
struct PluginState;
}

namespace c51::settings {

// "IncBld", "GenAsm", "AsmAsm", "BankNum" of a group or file scope, and the
// file's full path (empty for a group).
struct FileRecord {
  int include_in_build = 2;
  int gen_asm = 2;
  int asm_asm = 2;
  int bank = -1;
  std::string full_path;
};

// The user commands' three keys as stored texts.
struct UserRecord {
  std::string before_compile;  // "BeforeCmp"
  std::string before_build;    // "BeforeBuild"
  std::string after_build;     // "AfterBuild"
};

// The target, output (with the listing switches) and debug records live in
// the plug-in's state (PluginState::target, ::output, ::debug), where the
// control-string builders and the default configuration read them.
struct SettingsRecords {
  // The target record as loaded: the entry writes the eight keys when
  // what the Target page stored differs from it.
  TargetRecord target_loaded;
  UserRecord user;

  C51Record compiler;
  OptionScope compiler_scope = OptionScope::kProject;
  C51Inherited c51_inherited;
  A51Record assembler;
  OptionScope assembler_scope = OptionScope::kProject;
  A51Inherited a51_inherited;
  LinkerOptions linker;

  FileRecord file;

  // Set by the Device page when the user chose another device: the host's
  // record to report through HostDeviceChanged after OK; null otherwise.
  // It points into `chosen_device_copy`, which outlives the page and the
  // selection component the record came from.
  void* chosen_device = nullptr;
  std::shared_ptr<DeviceRecordCopy> chosen_device_copy;
};

// The current configuration's target and output keys as a group or file
// dialog finds them stored. Its compiler and assembler boxes are composed
// from these: the plug-in's own target and output records are what the
// last project dialog left (empty before the first one, edits kept after
// a Cancel).
struct StoredConfiguration {
  TargetRecord target;
  OutputRecord output;
  std::string object_dir_absolute;  // the output folder, absolute, ending in a separator
};

// What the pages of one dialog share: the plug-in's state (host services,
// context, device, folders) and the records.
struct SettingsSession {
  PluginState* state = nullptr;
  SettingsRecords* records = nullptr;
  // Where the Target page's Apply copies the clock (the host's default
  // clock); null: nowhere.
  double* clock = nullptr;
  // The configuration as stored, for the dialogs below the project; null in
  // the project dialog, whose boxes follow its own pages' records.
  const StoredConfiguration* stored = nullptr;
};

}  // namespace c51::settings

#endif  // C51_SETTINGS_SETTINGS_RECORDS_H_
