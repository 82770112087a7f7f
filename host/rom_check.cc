#include "host/rom_check.h"

#include <cstdlib>

namespace c51::host {

namespace {

// "0x1FFF" or "8191"; -1 when `text` is no number.
int64_t Number(std::string_view text) {
  if (text.empty()) return -1;
  const std::string digits(text);
  char* end = nullptr;
  const long long value = std::strtoll(digits.c_str(), &end, 0);
  return end == digits.c_str() + digits.size() && value >= 0 ? value : -1;
}

}  // namespace

int64_t ProgramCodeBytes(std::string_view line) {
  constexpr std::string_view kSize = "Program Size:";
  constexpr std::string_view kCode = "code=";
  const size_t size = line.find(kSize);
  if (size == std::string_view::npos) return -1;
  const size_t code = line.find(kCode, size + kSize.size());
  if (code == std::string_view::npos) return -1;
  const size_t start = code + kCode.size();
  size_t end = start;
  while (end < line.size() && line[end] >= '0' && line[end] <= '9') ++end;
  return end > start ? Number(line.substr(start, end - start)) : -1;
}

std::string RomOverflowWarning(const DeviceInfo& device, int64_t code_bytes) {
  std::string_view cpu;
  for (const std::string& property : device.properties) {
    if (property.compare(0, 4, "CPU=") == 0) cpu = std::string_view(property).substr(4);
  }
  const size_t irom = cpu.find("IROM(");
  if (irom == std::string_view::npos || code_bytes < 0) return std::string();
  const size_t open = irom + 5;
  const size_t close = cpu.find(')', open);
  const size_t dash = cpu.find('-', open);
  if (close == std::string_view::npos || dash == std::string_view::npos || dash > close) {
    return std::string();
  }
  const int64_t first = Number(cpu.substr(open, dash - open));
  const int64_t last = Number(cpu.substr(dash + 1, close - dash - 1));
  if (first < 0 || last < first) return std::string();
  const int64_t size = last - first + 1;
  if (code_bytes <= size) return std::string();
  const std::string part = device.name.empty() ? std::string("the part") : device.name;
  return "the program's " + std::to_string(code_bytes) + " bytes of code do not fit " + part +
         "'s " + std::to_string(size) + " bytes of program memory (" +
         std::string(cpu.substr(irom, close + 1 - irom)) +
         "): a programmer would refuse the hex or cut it off, unless the board adds code memory";
}

}  // namespace c51::host
