#include "sdcc/compile/a51_names.h"

#include "sim/controls.h"

namespace c51::sdcc {

std::string MangleClassicName(std::string_view name) {
  // Classic names ignore letter case.
  if (sim::ToUpper(name) == "?C_START") return std::string(kSdccStartup);
  std::string out(name);
  for (char& c : out) {
    if (c == '?') c = '$';
  }
  return out;
}

std::string ClassicDisplayName(std::string_view name) {
  std::string out(name);
  if (out.empty() || out[0] != '$') return out;
  for (char& c : out) {
    if (c == '$') c = '?';
  }
  return out;
}

}  // namespace c51::sdcc
