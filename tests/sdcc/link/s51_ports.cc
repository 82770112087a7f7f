#include "s51_ports.h"

#include "platform/fs.h"
#include "sdcc/run_program.h"
#include "support/simulator_output.h"

namespace c51::sdcc {

std::vector<int> SampleP1(const std::string& s51, const std::string& hex, const std::string& folder,
                          int samples, int steps, std::string* output) {
  std::string script = "file \"" + hex + "\"\n";
  for (int i = 0; i < samples; ++i) {
    script += "step " + std::to_string(steps) + "\n";
    script += "expression " + std::to_string(test::kSimulatorMarker) + "+sfr[0x90]\n";
  }
  script += "kill\n";
  std::string err;
  if (!WriteWholeFile(folder + "run.cmd", script, &err)) {
    *output = err;
    return {};
  }
  const ProgramRun sim = RunProgram(s51, {"-b", "-q", "-X", "12M", "-C", folder + "run.cmd"});
  *output = sim.output;
  return test::MarkedBytes(sim.output);
}

std::vector<int> P1Changes(const std::vector<int>& samples, int bit) {
  std::vector<int> changes;
  for (size_t i = 1; i < samples.size(); ++i) {
    if ((samples[i] ^ samples[i - 1]) & (1 << bit)) changes.push_back(static_cast<int>(i));
  }
  return changes;
}

}  // namespace c51::sdcc
