#include "host/plugin_host.h"

#include <atomic>
#include <cstdint>

#include "host/debug_options.h"
#include "host/host_platform.h"
#include "host/store/preference_store.h"
#include "platform/fs.h"
#include "project/boundary.h"
#include "support/path_text.h"

namespace c51::host {
namespace {

// The PluginHost whose table the plug-in calls back through.
PluginHost* g_active = nullptr;
// Read from the interrupt handler: a plain pointer load. The plug-in's
// StopBuild is the host's only way to the running tool, whose process
// group only the plug-in knows.
std::atomic<PluginInterface*> g_interrupt_table{nullptr};

void C51_CDECL StopFromInterrupt() {
  if (PluginInterface* table = g_interrupt_table.load())
    if (table->StopBuild) table->StopBuild();
}

template <typename F>
F FunctionFrom(void* address) {
  return reinterpret_cast<F>(reinterpret_cast<uintptr_t>(address));
}

std::string WithoutTrailingSeparator(std::string folder) {
  while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
  return folder;
}

}  // namespace

const char* PluginFileName() {
#if defined(_WIN32)
  return "c51plugin.dll";
#else
  return "libc51plugin.so";
#endif
}

PluginHost::PluginHost(HostTree* tree, BuildOutput* output)
    : tree_(tree),
      output_(output),
      install_dir_(WithoutTrailingSeparator(ExecutableDirectory())),
      toolchain_name_(kToolchainName),
      debug_(InitialDebugRecord()) {}

PluginHost::~PluginHost() {
  EndStopOnInterrupt();
  if (g_active == this) g_active = nullptr;
}

bool PluginHost::Load(const std::string& library_path, std::string* err) {
  std::string why;
  if (!library_.Open(library_path, &why)) {
    *err = "cannot load the plug-in: " + why;
    return false;
  }
  auto get_interface = FunctionFrom<GetInterfaceFunction>(library_.Symbol("GetInterface"));
  if (!get_interface) {
    library_.Close();
    *err = library_path + " is not a plug-in: it exports no GetInterface";
    return false;
  }
  table_ = get_interface();
  if (!table_) {
    *err = library_path + ": GetInterface returned no table";
    return false;
  }
  g_active = this;
  table_->HostSetDriverSetting = ServiceSetDriverSetting;
  table_->HostUpdateNode = ServiceUpdateNode;
  table_->HostAddChild = ServiceAddChild;
  table_->host_word15 = 0;
  table_->HostRunCommand = ServiceRunCommand;
  table_->HostOutput = ServiceOutput;
  table_->host_word18 = 0;
  table_->HostTranslationDone = ServiceTranslationDone;
  table_->HostDeviceChanged = ServiceDeviceChanged;
  return true;
}

bool PluginHost::SetToolchainFolder(const std::string& folder, std::string* err) {
  // The very text the plug-in loads the store by, so that both get the one
  // instance of the library (and with it the folder set here).
  const std::string path = install_dir_ + "\\opt\\Mirelsk.dll";
  std::string why;
  if (!store_.is_open() && !store_.Open(path, &why)) {
    *err = "cannot load the preference store: " + why;
    return false;
  }
  auto set_folder =
      FunctionFrom<SetToolchainFolderFunction>(store_.Symbol(kSetToolchainFolderSymbol));
  if (!set_folder) {
    *err = path + " exports no " + kSetToolchainFolderSymbol;
    return false;
  }
  set_folder(folder.c_str());
  return true;
}

std::string PluginHost::ProjectFolder() const {
  return ParentFolder(project_path_);
}

void PluginHost::set_device(const DeviceInfo& device) {
  device_ = device;
  double clock = DeviceClockMhz(device_);
  clock_ = clock > 0 ? clock : kDefaultClockMhz;
}

void PluginHost::SendContext() {
  if (device_changed_) device_ = pending_device_;
  property_pointers_.clear();
  for (const std::string& p : device_.properties) property_pointers_.push_back(p.c_str());
  property_pointers_.push_back(nullptr);
  device_record_ =
      DeviceRecord{device_.vendor.c_str(), device_.name.c_str(), 0, property_pointers_.data()};
  context_ = HostContext{};
  context_.install_dir = install_dir_.c_str();
  context_.project_path = project_path_.c_str();
  context_.debug_driver = debug_driver_.c_str();
  context_.debug_record = &debug_;
  context_.default_clock = &clock_;
  context_.device = &device_record_;
  context_.device_host_record = device_host_record_;
  context_.toolchain_name = toolchain_name_.c_str();
  device_changed_ = false;
  if (table_ && table_->SetHostContext) table_->SetHostContext(&context_);
}

void PluginHost::RestoreDriverSettings() {
  if (!table_ || !table_->SetDriverSetting || !tree_->root()) return;
  for (const auto& [key, value] : ReadDriverSettings(tree_->root()))
    table_->SetDriverSetting(key.c_str(), value.c_str());
}

void PluginHost::StopOnInterrupt() {
  g_interrupt_table = table_;
  InstallInterruptHandler(StopFromInterrupt);
}

void PluginHost::EndStopOnInterrupt() {
  if (!g_interrupt_table.load()) return;
  RemoveInterruptHandler();
  g_interrupt_table = nullptr;
}

void PluginHost::ServiceSetDriverSetting(const char* key, const char* value) {
  if (!g_active || !key || !g_active->tree_->root()) return;
  Guarded(0, [&] {
    StoreDriverSetting(g_active->tree_, key, value ? value : "");
    return 0;
  });
}

void PluginHost::ServiceUpdateNode(ProjectNode* target, ProjectNode* detached) {
  if (!g_active) return;
  Guarded(0, [&] {
    g_active->tree_->UpdateFrom(target, detached);
    return 0;
  });
}

ProjectNode* PluginHost::ServiceAddChild(ProjectNode* parent, const char* element,
                                         const char* name) {
  if (!g_active) return nullptr;
  return Guarded<ProjectNode*>(nullptr,
                               [&] { return g_active->tree_->AddChild(parent, element, name); });
}

int PluginHost::ServiceRunCommand(const char* command_line, int, int, int, int* exit_code) {
  int code = -1;
  int ok = 0;
  if (g_active && command_line) {
    ok = Guarded(0, [&] {
      return RunShellCommand(command_line, g_active->ProjectFolder(), &code) && code == 0 ? 1 : 0;
    });
  }
  if (exit_code) *exit_code = code;
  return ok;
}

void PluginHost::ServiceOutput(const char* text, int kind) {
  if (!g_active || !text) return;
  Guarded(0, [&] {
    g_active->output_->Write(text, kind);
    return 0;
  });
}

void PluginHost::ServiceTranslationDone() {
  if (g_active) ++g_active->translation_done_calls_;
}

void PluginHost::ServiceDeviceChanged(void* device_record) {
  if (!g_active || !device_record) return;
  Guarded(0, [&] {
    const auto* record = static_cast<const DeviceRecord*>(device_record);
    DeviceInfo device;
    device.vendor = record->vendor ? record->vendor : "";
    device.name = record->device ? record->device : "";
    // The list is null-terminated; a bound keeps a broken one from running on.
    for (size_t i = 0; record->properties && i < 4096 && record->properties[i]; ++i)
      device.properties.push_back(record->properties[i]);
    // The plug-in's copy of the context points into device_, so the new
    // device takes its place only when SendContext runs again, after the
    // entry has returned.
    if (g_active->tree_->root()) WriteDevice(g_active->tree_, device);
    g_active->pending_device_ = std::move(device);
    g_active->device_changed_ = true;
    return 0;
  });
}

}  // namespace c51::host
