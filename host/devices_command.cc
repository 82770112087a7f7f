// The "devices" command and the look-up behind "new --device": both read
// the device database the device-selection library is built from, so a
// name the listing shows is one the Device page selects.
#include "host/devices_command.h"

#include <algorithm>
#include <cstdio>

#include "devices/device_catalog.h"
#include "host/commands.h"
#include "host/host_platform.h"
#include "options/cpu_text.h"

namespace c51::host {
namespace {

// Bytes as a size a datasheet would print: whole kilobytes as "8K", the
// rest in bytes. "-" when the entry is missing.
std::string SizeText(const std::string& cpu, const char* key) {
  int64_t start = 0, last = 0;
  if (!ReadCpuRange(cpu, key, &start, &last) || last < start) return "-";
  const int64_t bytes = last - start + 1;
  if (bytes >= 1024 && bytes % 1024 == 0) return std::to_string(bytes / 1024) + "K";
  return std::to_string(bytes);
}

// "24 MHz", "11.0592 MHz"; "-" without a clock.
std::string ClockText(const std::string& cpu) {
  const double mhz = DeviceClockMhz(DeviceInfo{"", "", {"CPU=" + cpu}});
  if (mhz <= 0) return "-";
  char digits[32];
  std::snprintf(digits, sizeof digits, "%.6f", mhz);
  std::string text = digits;
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  return text + " MHz";
}

std::string LeftAligned(std::string text, size_t width) {
  if (text.size() < width) text.resize(width, ' ');
  return text;
}

std::string RightAligned(const std::string& text, size_t width) {
  return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

// "; did you mean A, B?" with the database's names closest to `name`;
// empty when none is close.
std::string CloseNamesHint(const std::string& name) {
  const std::vector<std::string> close = devices::CloseDeviceNames(name);
  std::string hint;
  for (size_t i = 0; i < close.size(); ++i) hint += (i == 0 ? "; did you mean " : ", ") + close[i];
  return close.empty() ? hint : hint + "?";
}

}  // namespace

std::string DeviceLine(const std::string& vendor, const std::string& name, const std::string& cpu,
                       const std::string& header, size_t vendor_width, size_t name_width) {
  return LeftAligned(vendor, vendor_width) + "  " + LeftAligned(name, name_width) + "  " +
         RightAligned(SizeText(cpu, "IRAM"), 4) + "  " + RightAligned(SizeText(cpu, "XRAM"), 4) +
         "  " + RightAligned(SizeText(cpu, "IROM"), 4) + "  " + LeftAligned(ClockText(cpu), 11) +
         "  " + header;
}

bool DeviceFromDatabase(const std::string& name, DeviceInfo* device, std::string* error) {
  const devices::DeviceRow* row = devices::FindDevice(name);
  if (row == nullptr) {
    *error = "no device \"" + name + "\" in the device database" + CloseNamesHint(name) +
             " (\"corvane-c51 devices\" lists them)";
    return false;
  }
  device->vendor = row->vendor;
  device->name = row->name;
  device->properties = devices::DeviceProperties(*row);
  return true;
}

int CommandDevices(Session* session) {
  const ParsedCommand& command = session->command();
  const std::string pattern = command.arguments.empty() ? "" : command.arguments.front();
  const std::vector<const devices::DeviceRow*> rows = devices::MatchDevices(pattern);
  if (rows.empty()) {
    session->Error("no device matches \"" + pattern + "\"" + CloseNamesHint(pattern));
    return kExitUsage;
  }
  size_t vendor_width = 6, name_width = 4;
  for (const devices::DeviceRow* row : rows) {
    vendor_width = std::max(vendor_width, std::string(row->vendor).size());
    name_width = std::max(name_width, std::string(row->name).size());
  }
  std::string text = LeftAligned("Vendor", vendor_width) + "  " + LeftAligned("Name", name_width) +
                     "  IRAM  XRAM  IROM  Clock        Header\n";
  for (const devices::DeviceRow* row : rows)
    text +=
        DeviceLine(row->vendor, row->name, row->cpu, row->header, vendor_width, name_width) + "\n";
  text += std::to_string(rows.size()) + (rows.size() == 1 ? " device\n" : " devices\n");
  PrintText(stdout, text);
  return kExitSuccess;
}

}  // namespace c51::host
