// The debug drivers the host's device database ("Kelvadb.ini" in the
// host's folder) lists for the Debug page. In section "C51", each key
// longer than four characters whose first four are "TDRV" in any case
// names one driver; its value is the library path, "(" and more text, and
// somewhere a description between double quotes:
//   TDRV0=BIN\MON51.DLL ("Monitor-51 Driver")
#ifndef C51_SETTINGS_PAGES_DRIVER_DATABASE_H_
#define C51_SETTINGS_PAGES_DRIVER_DATABASE_H_

#include <string>
#include <string_view>
#include <vector>

namespace c51::settings {

struct DriverEntry {
  std::string description;   // shown in the driver list
  std::string library_path;  // as written, up to the "(", blanks kept
};

//   "TDRV0" => true;  "tdrv12" => true;  "TDRV" => false;  "XDRV0" => false
bool IsDriverKey(std::string_view key);

// False for a value without "(" or without a pair of double quotes.
//   "BIN\A.DLL (\"A driver\")" => {"A driver", "BIN\A.DLL "}
//   "x.dll(\"a\" \"b\")" => {"a", "x.dll"};  "x.dll \"a\"" => false
bool ParseDriverValue(std::string_view value, DriverEntry* entry);

// The drivers in file order; empty when the file or section is missing.
// Keys whose value does not parse are skipped.
std::vector<DriverEntry> ReadDriverDatabase(const std::string& file);

}  // namespace c51::settings

#endif  // C51_SETTINGS_PAGES_DRIVER_DATABASE_H_
