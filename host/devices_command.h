// The device database as the host uses it: the "devices" command's listing
// and "new --device NAME" filling in a device the user only named.
#ifndef C51_HOST_DEVICES_COMMAND_H_
#define C51_HOST_DEVICES_COMMAND_H_

#include <string>

#include "host/project_model.h"

namespace c51::host {

// The database's device `name` (any letter case) as the project keeps it:
// the database's spelling, its vendor, "CPU=..." and "REGFILE=...". False
// with `error` naming the closest devices when there is none.
bool DeviceFromDatabase(const std::string& name, DeviceInfo* device, std::string* error);

// One line of the listing: vendor, name, the sizes of IRAM, XRAM and IROM
// ("-" where the part has none), clock and header, in columns of the given
// widths for vendor and name.
//   Atmel  AT89C52   256     -    8K  24 MHz  AT89X52.H
std::string DeviceLine(const std::string& vendor, const std::string& name, const std::string& cpu,
                       const std::string& header, size_t vendor_width, size_t name_width);

}  // namespace c51::host

#endif  // C51_HOST_DEVICES_COMMAND_H_
