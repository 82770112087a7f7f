#include "settings/pages/driver_database.h"

#include "platform/ascii_case.h"
#include "platform/fs.h"
#include "platform/profile.h"

namespace c51::settings {
bool IsDriverKey(std::string_view key) {
  if (key.size() <= 4) return false;
  static constexpr char kLead[] = "TDRV";
  for (size_t i = 0; i < 4; ++i) {
    if (ToUpperAscii(key[i]) != kLead[i]) return false;
  }
  return true;
}

bool ParseDriverValue(std::string_view value, DriverEntry* entry) {
  const size_t open = value.find('(');
  const size_t first_quote = value.find('"');
  if (open == std::string_view::npos || first_quote == std::string_view::npos) return false;
  const size_t second_quote = value.find('"', first_quote + 1);
  if (second_quote == std::string_view::npos) return false;
  entry->library_path = std::string(value.substr(0, open));
  entry->description = std::string(value.substr(first_quote + 1, second_quote - first_quote - 1));
  return true;
}

std::vector<DriverEntry> ReadDriverDatabase(const std::string& file) {
  std::vector<DriverEntry> drivers;
  if (!PathExists(file)) return drivers;
  for (const std::string& key : ReadProfileKeys(file, "C51")) {
    if (!IsDriverKey(key)) continue;
    DriverEntry entry;
    if (ParseDriverValue(ReadProfileString(file, "C51", key, ""), &entry)) {
      drivers.push_back(std::move(entry));
    }
  }
  return drivers;
}

}  // namespace c51::settings
