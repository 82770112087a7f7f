#include "options/option_inputs.h"

#include "project/device_record.h"

namespace c51 {

std::string DeviceCpuText(const DeviceRecord* device) {
  const char* cpu = FindDeviceProperty(device, "CPU");
  return cpu != nullptr ? std::string(cpu) : std::string();
}

}  // namespace c51
