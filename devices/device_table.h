// The device database: one row per 8051 device, with what the plug-in
// reads from a device record (the "CPU" text and the register header).
// The rows live in device_table.cc so that a review sees them in one place.
#ifndef C51_DEVICES_DEVICE_TABLE_H_
#define C51_DEVICES_DEVICE_TABLE_H_

#include <span>

namespace c51::devices {

struct DeviceRow {
  const char* vendor;
  const char* name;
  // Blank-separated features: "IRAM(first-last)" the on-chip data RAM,
  // "XRAM(first-last)" on-chip external RAM (absent when there is none),
  // "IROM(first-last)" on-chip program memory (absent on ROM-less parts),
  // "CLOCK(hertz)".
  const char* cpu;
  // The register header a program of this device includes, as the
  // "REGFILE" property gives it.
  const char* header;
};

// Every row, in the order the selection window lists them (vendor, then
// family).
std::span<const DeviceRow> DeviceRows();

}  // namespace c51::devices

#endif  // C51_DEVICES_DEVICE_TABLE_H_
