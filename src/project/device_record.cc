// The property lookup on the host's selected device.
#include "project/device_record.h"

#include <cstring>

namespace c51 {

namespace {

// Device keys are ASCII; ignoring case the "C" locale way keeps GBK bytes
// (>= 0x80) out of any locale's case mapping.
unsigned char FoldCase(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return (u >= 'a' && u <= 'z') ? static_cast<unsigned char>(u - 'a' + 'A') : u;
}

// True when `entry` starts with `key`, ignoring case. Stops at the entry's
// end, which differs from every key character.
bool StartsWithIgnoringCase(const char* entry, const char* key) {
  for (; *key != '\0'; ++entry, ++key) {
    if (*entry == '\0' || FoldCase(*entry) != FoldCase(*key)) return false;
  }
  return true;
}

}  // namespace

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
