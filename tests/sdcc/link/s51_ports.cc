#include "s51_ports.h"

#include "platform/fs.h"
#include "sdcc/run_program.h"

namespace c51::sdcc {

namespace {

// Values printed as 1000 + P1, so they stand out from the simulator's
// other output.
constexpr int kMarker = 1000;

// The port 1 values the simulator printed, in order.
std::vector<int> PortSamples(const std::string& output) {
  std::vector<int> samples;
  size_t pos = 0;
  while (pos < output.size()) {
    size_t end = output.find('\n', pos);
    if (end == std::string::npos) end = output.size();
    std::string line = output.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() != 4 || line.find_first_not_of("0123456789") != std::string::npos) continue;
    const int value = std::stoi(line) - kMarker;
    if (value >= 0 && value <= 0xFF) samples.push_back(value);
  }
  return samples;
}

}  // namespace

std::vector<int> SampleP1(const std::string& s51, const std::string& hex, const std::string& folder,
                          int samples, int steps, std::string* output) {
  std::string script = "file \"" + hex + "\"\n";
  for (int i = 0; i < samples; ++i) {
    script += "step " + std::to_string(steps) + "\n";
    script += "expression " + std::to_string(kMarker) + "+sfr[0x90]\n";
  }
  script += "kill\n";
  std::string err;
  if (!WriteWholeFile(folder + "run.cmd", script, &err)) {
    *output = err;
    return {};
  }
  const ProgramRun sim = RunProgram(s51, {"-b", "-q", "-X", "12M", "-C", folder + "run.cmd"});
  *output = sim.output;
  return PortSamples(sim.output);
}

std::vector<int> P1Changes(const std::vector<int>& samples, int bit) {
  std::vector<int> changes;
  for (size_t i = 1; i < samples.size(); ++i) {
    if ((samples[i] ^ samples[i - 1]) & (1 << bit)) changes.push_back(static_cast<int>(i));
  }
  return changes;
}

}  // namespace c51::sdcc
