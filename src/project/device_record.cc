// The property lookup on the host's selected device.
#include "project/device_record.h"
#include "platform/ascii_case.h"

#include <cstring>

namespace c51 {

const char* FindDeviceProperty(const DeviceRecord* device, const char* key) {
  if (device == nullptr || device->properties == nullptr || key == nullptr) return nullptr;
  for (const char* const* entry = device->properties; *entry != nullptr; ++entry) {
    const char* equals = std::strchr(*entry, '=');
    if (equals == nullptr) continue;
    if (StartsWithIgnoringCase(*entry, key)) return equals + 1;
  }
  return nullptr;
}

DeviceRecordCopy::DeviceRecordCopy(const DeviceRecord& from)
    : vendor_(from.vendor != nullptr ? from.vendor : ""),
      device_(from.device != nullptr ? from.device : "") {
  if (from.properties != nullptr) {
    for (const char* const* entry = from.properties; *entry != nullptr; ++entry) {
      properties_.emplace_back(*entry);
    }
  }
  for (const std::string& property : properties_) property_list_.push_back(property.c_str());
  property_list_.push_back(nullptr);
  record_.vendor = from.vendor != nullptr ? vendor_.c_str() : nullptr;
  record_.device = from.device != nullptr ? device_.c_str() : nullptr;
  record_.reserved = from.reserved;
  record_.properties = from.properties != nullptr ? property_list_.data() : nullptr;
}

}  // namespace c51
