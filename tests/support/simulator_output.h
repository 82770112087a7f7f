// Values a test has sdcc's 8051 simulator print as 1000 + a byte
// ("expression 1000+xram[0x100]"), so that they stand apart from the
// simulator's other output: the bytes, in order.
#ifndef C51_TESTS_SUPPORT_SIMULATOR_OUTPUT_H_
#define C51_TESTS_SUPPORT_SIMULATOR_OUTPUT_H_

#include <string>
#include <vector>

namespace c51::test {

inline constexpr int kSimulatorMarker = 1000;

inline std::vector<int> MarkedBytes(const std::string& output) {
  std::vector<int> bytes;
  size_t pos = 0;
  while (pos < output.size()) {
    size_t end = output.find('\n', pos);
    if (end == std::string::npos) end = output.size();
    std::string line = output.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() != 4 || line.find_first_not_of("0123456789") != std::string::npos) continue;
    const int value = std::stoi(line) - kSimulatorMarker;
    if (value >= 0 && value <= 0xFF) bytes.push_back(value);
  }
  return bytes;
}

}  // namespace c51::test

#endif  // C51_TESTS_SUPPORT_SIMULATOR_OUTPUT_H_
