// The property lookup on the host's selected device.
#include "project/device_record.h"
#include "platform/ascii_case.h"

#include <cstring>

namespace c51 {

namespace {}  // namespace

const char* FindDeviceProperty(const DeviceRecord* device, const char* key) {
  if (device == nullptr || device->properties == nullptr || key == nullptr) return nullptr;
  for (const char* const* entry = device->properties; *entry != nullptr; ++entry) {
    const char* equals = std::strchr(*entry, '=');
    if (equals == nullptr) continue;
    if (StartsWithIgnoringCase(*entry, key)) return equals + 1;
  }
  return nullptr;
}

}  // namespace c51
