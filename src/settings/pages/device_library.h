// The host maker's device-selection library, "Dravn.dll" in the host's
// folder, as the Device page uses it. Its "GetInterface" fills a table of
// seven pointer-sized entries; entry 5 creates the selection window and
// entry 6 answers the device selected in it. Nothing else of the library
// is relied on.
#ifndef C51_SETTINGS_PAGES_DEVICE_LIBRARY_H_
#define C51_SETTINGS_PAGES_DEVICE_LIBRARY_H_

#include <cstdint>
#include <string>

#include "platform/dynamic_library.h"
#include "project/device_record.h"

namespace c51::settings {

// The folder's file name joined with one separator, whether or not the
// folder text ends in one (the host hands its folder over without):
//   ("C:\host", "Dravn.dll") => "C:\host\Dravn.dll";
//   ("C:\host\", "Kelvadb.ini") => "C:\host\Kelvadb.ini"
std::string HostFile(const std::string& folder, const char* name);

// What the host context offers the library besides the current device: the
// 32-bit word at byte 264 of the record behind context word 7 (0 without a
// record).
uint32_t DeviceHostValue(const void* host_record);

class DeviceLibrary {
 public:
  DeviceLibrary() = default;
  DeviceLibrary(const DeviceLibrary&) = delete;
  DeviceLibrary& operator=(const DeviceLibrary&) = delete;

  // Loads "Dravn.dll" from `host_folder` and lets it fill the table. False,
  // with nothing held, when the folder is empty, the library cannot be
  // loaded or it lacks "GetInterface".
  bool Load(const std::string& host_folder);
  bool loaded() const { return library_.is_open(); }

  // Entry 5: the library's top-level selection window, opened on the
  // current device; null without the entry or a window.
  void* CreateSelectionWindow(const char* vendor, const char* device, uintptr_t host_value,
                              const char* toolchain, void* parent);
  // Entry 6: the selected device, owned by the library and valid while it
  // is loaded; null for no selection or without the entry.
  DeviceRecord* Selection();

 private:
  DynamicLibrary library_;
  // Pointer-sized on every platform, as every word the host's components
  // exchange; zero where the library left an entry empty.
  uintptr_t table_[7] = {};
};

}  // namespace c51::settings

#endif  // C51_SETTINGS_PAGES_DEVICE_LIBRARY_H_
