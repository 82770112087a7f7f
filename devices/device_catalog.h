// Looking devices up in the database: by exact name, by a pattern the user
// types, and the names close to one that is not there. Names compare
// ignoring ASCII case: users type "stc89c52rc" as often as "STC89C52RC".
#ifndef C51_DEVICES_DEVICE_CATALOG_H_
#define C51_DEVICES_DEVICE_CATALOG_H_

#include <string>
#include <string_view>
#include <vector>

#include "devices/device_table.h"

namespace c51::devices {

// The row named `name`, ignoring case; null when there is none.
const DeviceRow* FindDevice(std::string_view name);

// The rows `pattern` selects, in table order. A pattern with "*" or "?"
// is matched against the whole name ("*" any run, "?" one character);
// any other pattern selects the rows whose name or vendor holds it. Case
// is ignored; an empty pattern selects every row.
//   "stc8h*" => STC8H1K08, STC8H1K16, ...;  "atmel" => every Atmel part;
//   "C52" => 80C52, AT89C52, STC89C52RC
std::vector<const DeviceRow*> MatchDevices(std::string_view pattern);

// Up to `limit` names near `name`: those that start with it, then those
// within a third of its length plus two edits (ignoring case, a swap of
// neighbours counting as one), fewest edits first, then in table order.
// Empty when none is that close.
//   "AT89S25" => AT89S52, AT89C52, AT89S51;  "stc89c52" => STC89C52RC, ...
std::vector<std::string> CloseDeviceNames(std::string_view name, size_t limit = 3);

// The record's property texts: "CPU=<cpu>" and "REGFILE=<header>".
std::vector<std::string> DeviceProperties(const DeviceRow& row);

}  // namespace c51::devices

#endif  // C51_DEVICES_DEVICE_CATALOG_H_
