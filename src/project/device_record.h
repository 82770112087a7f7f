// The host's record of the selected device.
#ifndef C51_PROJECT_DEVICE_RECORD_H_
#define C51_PROJECT_DEVICE_RECORD_H_

#include <cstdint>
#include <string>
#include <vector>

namespace c51 {

struct DeviceRecord {
  const char* vendor;  // handed to the device-selection component
  const char* device;  // handed to the device-selection component
  uintptr_t reserved;
  // Null-terminated array of "key=value" texts, such as "CPU=..." and
  // "REGFILE=...".
  const char* const* properties;
};

// The first entry of the device's property list whose first characters
// equal `key` ignoring case, over the key's length, gives the text after
// its first "=" (entries without "=" are skipped). So "CPUX=1" answers
// "CPU" when it comes first. Null when the device, its list or a match is
// missing.
const char* FindDeviceProperty(const DeviceRecord* device, const char* key);

// A device record with its own copy of every text. The record a selection
// component answers lives in that component, which goes when the page that
// loaded it goes; the device chosen there is reported to the host later.
class DeviceRecordCopy {
 public:
  explicit DeviceRecordCopy(const DeviceRecord& from);
  // The record points into this object: it neither copies nor moves.
  DeviceRecordCopy(const DeviceRecordCopy&) = delete;
  DeviceRecordCopy& operator=(const DeviceRecordCopy&) = delete;

  DeviceRecord* record() { return &record_; }

 private:
  std::string vendor_;
  std::string device_;
  std::vector<std::string> properties_;
  std::vector<const char*> property_list_;  // into properties_, then a null
  DeviceRecord record_ = {};
};

}  // namespace c51

#endif  // C51_PROJECT_DEVICE_RECORD_H_
