// The one exported function and the table behind it. Every entry catches
// whatever the code below throws (memory exhaustion is the only source):
// nothing may unwind into the host.
#include <cstdint>
#include <exception>

#include "build/build_driver.h"
#include "build/build_queries.h"
#include "build/translation.h"
#include "entry/import_entry.h"
#include "entry/plugin_interface.h"
#include "plugin/basic_entries.h"
#include "plugin/default_configuration.h"
#include "plugin/open_configuration.h"
#include "plugin/state.h"
#include "project/boundary.h"
#include "project/host_services.h"
#include "settings/default_backend.h"
#include "settings/settings_entry.h"

#if defined(_WIN32)
#define C51_EXPORT __declspec(dllexport)
#else
#define C51_EXPORT __attribute__((visibility("default")))
#endif

namespace c51 {
namespace {

PluginInterface g_table;

// The host's services, read from the table at each call: the host may fill
// or change its words at any time after GetInterface.
class TableHostServices final : public HostServices {
 public:
  void UpdateNode(ProjectNode* target, ProjectNode* detached) override {
    if (g_table.HostUpdateNode) g_table.HostUpdateNode(target, detached);
  }
  ProjectNode* AddChild(ProjectNode* parent, const char* element, const char* name) override {
    return g_table.HostAddChild ? g_table.HostAddChild(parent, element, name) : nullptr;
  }
  bool RunCommand(const char* command_line, int* exit_code) override {
    *exit_code = 0;
    if (!g_table.HostRunCommand) return false;
    return g_table.HostRunCommand(command_line, 0, 0, 0, exit_code) != 0;
  }
  void Output(const char* text, int kind) override {
    if (g_table.HostOutput) g_table.HostOutput(text, kind);
  }
  void TranslationDone() override {
    if (g_table.HostTranslationDone) g_table.HostTranslationDone();
  }
  void SetDriverSetting(const char* key, const char* value) override {
    if (g_table.HostSetDriverSetting) g_table.HostSetDriverSetting(key, value);
  }
  void DeviceChanged(void* device_record) override {
    if (g_table.HostDeviceChanged) g_table.HostDeviceChanged(device_record);
  }
};

TableHostServices g_host_services;

PluginState* Ready() {
  PluginState* state = &State();
  state->host = &g_host_services;
  return state;
}

int C51_CDECL EntrySetHostContext(const HostContext* context) {
  return Guarded(1, [&] { return SetHostContext(Ready(), context); });
}

void C51_CDECL EntryCreateDefaultConfiguration(ProjectNode* configuration) {
  Guarded([&] { CreateDefaultConfiguration(Ready(), configuration); });
}

void C51_CDECL EntryOpenConfiguration(ProjectNode* root, const char* name) {
  Guarded([&] { OpenConfiguration(Ready(), root, name); });
}

int C51_CDECL EntryBuildTarget(int mode) {
  return Guarded(0, [&] { return BuildTarget(Ready(), mode); });
}

int C51_CDECL EntryTranslateFile(ProjectNode* file) {
  return Guarded(0, [&] { return TranslateFile(Ready(), file); });
}

void C51_CDECL EntryStopBuild() {
  StopBuild(Ready());
}

void C51_CDECL EntryNotify(int code, const char* text) {
  Guarded([&] { Notify(Ready(), code, text); });
}

int C51_CDECL EntryGetDebugRecord(void* destination) {
  return Guarded(0, [&] { return GetDebugRecord(Ready(), destination); });
}

void C51_CDECL EntrySetDriverSetting(const char* key, const char* value) {
  Guarded([&] { SetDriverSetting(Ready(), key, value); });
}

void C51_CDECL EntryCleanTarget() {
  Guarded([&] { CleanTarget(Ready()); });
}

int C51_CDECL EntryNextDependency(const char* source, char* buffer, int size, int restart) {
  return Guarded(0, [&] { return NextDependency(Ready(), source, buffer, size, restart); });
}

int C51_CDECL EntryNextIncludeDirectory(char* buffer, int size, int restart) {
  return Guarded(0, [&] { return NextIncludeDirectory(Ready(), buffer, size, restart); });
}

intptr_t C51_CDECL EntryImportProject(ProjectNode* root, const char* path) {
  return Guarded(intptr_t{0},
                 [&] { return reinterpret_cast<intptr_t>(ImportProject(Ready(), root, path)); });
}

int C51_CDECL EntryReserved() {
  return 0;
}

int C51_CDECL EntryShowSettings(ProjectNode* node) {
  return Guarded(0, [&] {
    PluginState* state = Ready();
    return settings::ShowSettings(state, node, settings::DefaultSettingsBackend(state));
  });
}

}  // namespace
}  // namespace c51

extern "C" C51_EXPORT c51::PluginInterface* C51_CDECL GetInterface() {
  using namespace c51;
  // Only the plug-in's words are written; the host's stay as it set them.
  g_table.SetHostContext = EntrySetHostContext;
  g_table.CreateDefaultConfiguration = EntryCreateDefaultConfiguration;
  g_table.OpenConfiguration = EntryOpenConfiguration;
  g_table.ShowSettings = EntryShowSettings;
  g_table.ImportProject = EntryImportProject;
  g_table.BuildTarget = EntryBuildTarget;
  g_table.TranslateFile = EntryTranslateFile;
  g_table.StopBuild = EntryStopBuild;
  g_table.CleanTarget = EntryCleanTarget;
  g_table.Notify = EntryNotify;
  g_table.GetDebugRecord = EntryGetDebugRecord;
  g_table.SetDriverSetting = EntrySetDriverSetting;
  g_table.NextDependency = EntryNextDependency;
  g_table.NextIncludeDirectory = EntryNextIncludeDirectory;
  g_table.ReservedEntry = EntryReserved;
  return &g_table;
}
