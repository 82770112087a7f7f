#include "simulator.h"

#include "platform/codepage.h"
#include "platform/fs.h"
#include "sdcc/run_program.h"

namespace c51::sdcc::corpus {
namespace {

// Probe values are printed as this plus the byte, four digits, so they
// stand apart from the simulator's other output.
constexpr int kMarker = 1000;

std::vector<int> MarkedValues(const std::string& output) {
  std::vector<int> values;
  size_t pos = 0;
  while (pos < output.size()) {
    size_t end = output.find('\n', pos);
    if (end == std::string::npos) end = output.size();
    std::string line = output.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() != 4 || line.find_first_not_of("0123456789") != std::string::npos) continue;
    const int value = std::stoi(line) - kMarker;
    if (value >= 0 && value <= 0xFF) values.push_back(value);
  }
  return values;
}

}  // namespace

SimulatorResult Simulate(const std::string& s51, const std::string& hex, const std::string& work,
                         const SimulatorRun& run) {
  SimulatorResult result;
  std::string script = "file \"" + hex + "\"\n";
  for (int i = 0; i < run.samples; ++i) {
    script += "step " + std::to_string(run.steps) + "\n";
    for (const std::string& probe : run.probes)
      script += "expression " + std::to_string(kMarker) + "+" + probe + "\n";
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
  const std::vector<int> values = MarkedValues(sim.output);
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
