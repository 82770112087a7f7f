#include "settings/pages/device_library.h"

#include <cstring>

#include "project/abi.h"

namespace c51::settings {
namespace {

using GetInterfaceFn = void(C51_CDECL*)(uintptr_t* table);
using CreateSelectionWindowFn = void*(C51_CDECL*)(const char* vendor, const char* device,
                                                  uintptr_t host_value, const char* toolchain,
                                                  void* parent);
using SelectionFn = DeviceRecord*(C51_CDECL*)();

constexpr int kCreateWindowEntry = 5;
constexpr int kSelectionEntry = 6;
constexpr size_t kHostValueOffset = 264;

}  // namespace

std::string HostFile(const std::string& folder, const char* name) {
  std::string path = folder;
  if (path.empty() || (path.back() != '\\' && path.back() != '/')) path += '\\';
  return path + name;
}

uint32_t DeviceHostValue(const void* host_record) {
  if (host_record == nullptr) return 0;
  uint32_t value;
  std::memcpy(&value, static_cast<const unsigned char*>(host_record) + kHostValueOffset,
              sizeof value);
  return value;
}

bool DeviceLibrary::Load(const std::string& host_folder) {
  std::memset(table_, 0, sizeof table_);
  library_.Close();
  if (host_folder.empty()) return false;
  if (!library_.Open(HostFile(host_folder, "Dravn.dll"), nullptr)) return false;
  auto get_interface = reinterpret_cast<GetInterfaceFn>(library_.Symbol("GetInterface"));
  if (get_interface == nullptr) {
    library_.Close();
    return false;
  }
  get_interface(table_);
  return true;
}

void* DeviceLibrary::CreateSelectionWindow(const char* vendor, const char* device,
                                           uintptr_t host_value, const char* toolchain,
                                           void* parent) {
  if (!loaded() || table_[kCreateWindowEntry] == 0) return nullptr;
  auto create = reinterpret_cast<CreateSelectionWindowFn>(table_[kCreateWindowEntry]);
  return create(vendor, device, host_value, toolchain, parent);
}

DeviceRecord* DeviceLibrary::Selection() {
  if (!loaded() || table_[kSelectionEntry] == 0) return nullptr;
  return reinterpret_cast<SelectionFn>(table_[kSelectionEntry])();
}

}  // namespace c51::settings
