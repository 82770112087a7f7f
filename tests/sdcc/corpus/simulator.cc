#include "simulator.h"

#include "platform/codepage.h"
#include "platform/fs.h"
#include "sdcc/run_program.h"
#include "support/simulator_output.h"

namespace c51::sdcc::corpus {
SimulatorResult Simulate(const std::string& s51, const std::string& hex, const std::string& work,
                         const SimulatorRun& run) {
  SimulatorResult result;
  std::string script = "file \"" + hex + "\"\n";
  for (int i = 0; i < run.samples; ++i) {
    script += "step " + std::to_string(run.steps) + "\n";
    for (const std::string& probe : run.probes)
      script += "expression " + std::to_string(test::kSimulatorMarker) + "+" + probe + "\n";
  }
  script += "kill\n";
  std::string err;
  const std::string command_file = work + "sim.cmd";
  const std::string serial_out = work + "serial.out";
  if (!WriteWholeFile(command_file, script, &err) || !WriteWholeFile(serial_out, "", &err)) {
    result.log = err;
    return result;
  }
  const ProgramRun sim =
      RunProgram(s51, {"-b", "-q", "-X", run.xtal, "-S", "out=" + LocalToSystemText(serial_out),
                       "-C", LocalToSystemText(command_file)});
  result.log = sim.output;
  const std::vector<int> values = test::MarkedBytes(sim.output);
  const size_t width = run.probes.size();
  if (!sim.started || values.size() != width * static_cast<size_t>(run.samples)) {
    result.log = "expected " + std::to_string(width * run.samples) + " values, got " +
                 std::to_string(values.size()) + "\n" + result.log;
    return result;
  }
  for (size_t i = 0; i < values.size(); i += width)
    result.samples.emplace_back(values.begin() + i, values.begin() + i + width);
  if (ReadWholeFile(serial_out, &result.serial, &err) != ReadStatus::kOkay) {
    result.log = err + "\n" + result.log;
    return result;
  }
  result.ran = true;
  return result;
}

}  // namespace c51::sdcc::corpus
