// The plug-in's process-wide state: one project, one current
// configuration, the folders derived from it, the located toolchain, the
// build flags and counters. Entries receive it as a pointer so that the
// logic below the entry table can be tested on a state of its own.
#ifndef C51_PLUGIN_STATE_H_
#define C51_PLUGIN_STATE_H_

#include <atomic>
#include <map>
#include <string>

#include "plugin/host_context.h"
#include "plugin/preference_store.h"
#include "project/config_keys.h"
#include "project/debug_record.h"
#include "project/scopes.h"
#include "support/messages.h"
#include "ui/user_interface.h"

namespace c51 {

class HostServices;

struct ToolchainPaths {
  std::string program_dir;      // ends in a separator, or empty
  std::string library_dir;      // "C51LIB"
  std::string include_dir;      // "C51INC" and the include enumeration
  std::string compiler;         // program_dir + "C51.exe"
  std::string assembler;        // + "A51.exe"
  std::string library_manager;  // + "Lib51.exe"
  std::string linker;           // + "BL51.exe"
  std::string hex_converter;    // + "OH51.exe"
  // Set only by an answer of the host's preference store that names an
  // existing compiler; never cleared, so that location is kept for the
  // rest of the process.
  bool located = false;
};

struct PluginState {
  // A byte copy of the host's record; all zero until SetHostContext.
  HostContext context{};
  // Null until the entry table installs its implementation.
  HostServices* host = nullptr;
  // Message boxes: the system's, or a recorder where there is none.
  UserInterface* ui = SystemInterface();

  // Root and current configuration name (OpenConfiguration, Notify).
  ConfigurationRef configuration;

  // Folders derived by OpenConfiguration. Absolute forms end in a separator.
  std::string project_dir;           // short form, no trailing separator
  std::string output_dir;            // absolute, short
  std::string output_dir_relative;   // relative to project_dir, "" for the project folder
  std::string listing_dir;           // absolute, short
  std::string listing_dir_relative;  // relative; ".\" for the project folder
  std::string output_name;           // without extension
  ListingSwitches listing{};         // "OPTLT" of the current configuration

  ToolchainPaths toolchain;
  PreferenceStore preferences;

  // Cleared by StopBuild, possibly while a build runs on another thread.
  std::atomic<int> build_continue{0};
  int error_count = 0;  // of the current translation run
  int warning_count = 0;

  // Debug driver file path => the settings text the driver returned.
  std::map<std::string, std::string> driver_settings;

  // Records the settings dialog loads and the default configuration resets.
  TargetRecord target;
  OutputRecord output;
  DebugOptionRecord debug{};  // the plug-in's copy of the host's record

  // Chinese at load; nothing the host can call changes it.
  Language language = Language::kChinese;
};

// The one instance, created at library load.
PluginState& State();

}  // namespace c51

#endif  // C51_PLUGIN_STATE_H_
