// The plug-in as the host sees it: the library loaded through its one
// export, the table with the host's services filled in, and the context
// record with everything it points to.
//
// The services are plain functions in the table, so they reach the host
// through the one active PluginHost of the process (a host runs one
// project at a time, as the plug-in does).
#ifndef C51_HOST_PLUGIN_HOST_H_
#define C51_HOST_PLUGIN_HOST_H_

#include <string>
#include <vector>

#include "entry/plugin_interface.h"
#include "host/build_output.h"
#include "host/host_tree.h"
#include "host/project_model.h"
#include "platform/dynamic_library.h"
#include "plugin/host_context.h"

namespace c51::host {

// The host's default clock in MHz when the device names none.
constexpr double kDefaultClockMhz = 24.0;

// The plug-in library's file name beside the executable.
const char* PluginFileName();

class PluginHost {
 public:
  // `tree` receives what the services change; `output` what HostOutput
  // sends. Both outlive this object.
  PluginHost(HostTree* tree, BuildOutput* output);
  ~PluginHost();
  PluginHost(const PluginHost&) = delete;
  PluginHost& operator=(const PluginHost&) = delete;

  // Loads the library, calls GetInterface and fills words 12-19 and 23.
  // False with `err` when the file cannot be loaded or lacks GetInterface.
  bool Load(const std::string& library_path, std::string* err);
  PluginInterface* table() const { return table_; }

  // Hands `folder` to the preference store (opt/Mirelsk.dll in the install
  // folder), which then answers with it. False with `err` when the store
  // cannot be loaded.
  bool SetToolchainFolder(const std::string& folder, std::string* err);

  // ---- The context record ----
  // Absolute path of the project file (word 2).
  const std::string& project_path() const { return project_path_; }
  void set_project_path(const std::string& path) { project_path_ = path; }
  // The project file's folder.
  std::string ProjectFolder() const;
  // The device (word 6); the default clock (word 5) follows its CLOCK, or
  // kDefaultClockMhz without one.
  void set_device(const DeviceInfo& device);
  const DeviceInfo& device() const { return device_; }
  // Calls SetHostContext with a record pointing at this object's fields.
  void SendContext();

  // The debug option record (word 4). The plug-in writes into it when the
  // Debug page's settings are applied; the project file keeps it.
  const DebugOptionRecord& debug_record() const { return debug_; }
  void set_debug_record(const DebugOptionRecord& record) { debug_ = record; }

  // Hands the driver settings stored in the project to the plug-in.
  void RestoreDriverSettings();

  // ---- What the services observed ----
  // HostTranslationDone calls since the last reset.
  int translation_done_calls() const { return translation_done_calls_; }
  void reset_translation_done_calls() { translation_done_calls_ = 0; }
  // Set by HostDeviceChanged; SendContext then takes the new device over
  // and clears it.
  bool device_changed() const { return device_changed_; }

  // While an entry runs, Ctrl-C calls StopBuild: the first stops the build
  // before its next file and interrupts the running tool; a second one, or
  // SIGTERM or SIGHUP, ends the tool and the host (InstallInterruptHandler).
  void StopOnInterrupt();
  void EndStopOnInterrupt();

 private:
  static void C51_CDECL ServiceSetDriverSetting(const char* key, const char* value);
  static void C51_CDECL ServiceUpdateNode(ProjectNode* target, ProjectNode* detached);
  static ProjectNode* C51_CDECL ServiceAddChild(ProjectNode* parent, const char* element,
                                                const char* name);
  static int C51_CDECL ServiceRunCommand(const char* command_line, int, int, int, int* exit_code);
  static void C51_CDECL ServiceOutput(const char* text, int kind);
  static void C51_CDECL ServiceTranslationDone();
  static void C51_CDECL ServiceDeviceChanged(void* device_record);

  HostTree* tree_;
  BuildOutput* output_;
  DynamicLibrary store_;    // held so that the folder set in it stays
  DynamicLibrary library_;  // the plug-in
  PluginInterface* table_ = nullptr;

  std::string install_dir_;  // the executable's folder, no trailing separator (word 1)
  std::string project_path_;
  std::string debug_driver_;
  std::string toolchain_name_;
  DebugOptionRecord debug_{};
  double clock_ = kDefaultClockMhz;
  DeviceInfo device_;
  std::vector<const char*> property_pointers_;
  DeviceRecord device_record_{};
  // Word 7: a record whose 32-bit word at byte 264 goes to the device
  // library; the host has nothing to say there, so it is zero.
  unsigned char device_host_record_[512] = {};
  HostContext context_{};

  int translation_done_calls_ = 0;
  bool device_changed_ = false;
  DeviceInfo pending_device_;  // from HostDeviceChanged, until SendContext
};

}  // namespace c51::host

#endif  // C51_HOST_PLUGIN_HOST_H_
