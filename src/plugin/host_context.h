// The record the host hands over before any other entry: nine words, each
// pointer-sized.
#ifndef C51_PLUGIN_HOST_CONTEXT_H_
#define C51_PLUGIN_HOST_CONTEXT_H_

#include <cstddef>
#include <cstdint>

#include "project/abi.h"
#include "project/debug_record.h"
#include "project/device_record.h"

namespace c51 {

struct HostContext {
  uintptr_t unused;                 // never read
  const char* install_dir;          // the host's installation folder
  const char* project_path;         // full path of the project file
  const char* debug_driver;         // debug driver text in force when the Debug page opens
  DebugOptionRecord* debug_record;  // host-owned; written through by the settings
  double* default_clock;            // MHz; overwritten with the project's clock by the settings
  DeviceRecord* device;             // the selected device
  void* device_host_record;         // its 32-bit word at byte 264 goes to the device library
  const char* toolchain_name;       // picks the toolchain entry in the host's preferences
};

#if C51_ABI_32
static_assert(sizeof(HostContext) == 36 && offsetof(HostContext, toolchain_name) == 32);
static_assert(sizeof(DeviceRecord) == 16 && offsetof(DeviceRecord, properties) == 12);
#else
static_assert(sizeof(HostContext) == 72 && offsetof(HostContext, toolchain_name) == 64);
static_assert(sizeof(DeviceRecord) == 32 && offsetof(DeviceRecord, properties) == 24);
#endif
static_assert(offsetof(HostContext, install_dir) == 1 * sizeof(void*) &&
              offsetof(HostContext, project_path) == 2 * sizeof(void*) &&
              offsetof(HostContext, debug_driver) == 3 * sizeof(void*) &&
              offsetof(HostContext, debug_record) == 4 * sizeof(void*) &&
              offsetof(HostContext, default_clock) == 5 * sizeof(void*) &&
              offsetof(HostContext, device) == 6 * sizeof(void*) &&
              offsetof(HostContext, device_host_record) == 7 * sizeof(void*));

}  // namespace c51

#endif  // C51_PLUGIN_HOST_CONTEXT_H_
