// One run of a hex file in ucsim's 8051 simulator (s51): the chosen
// memory cells are read every so many instructions, and what the program
// sent through its UART is kept. (s51 as packaged gives a program no
// serial input from a file, so there is none.)
#ifndef C51_TESTS_SDCC_CORPUS_SIMULATOR_H_
#define C51_TESTS_SDCC_CORPUS_SIMULATOR_H_

#include <string>
#include <vector>

namespace c51::sdcc::corpus {

struct SimulatorRun {
  std::string xtal = "12M";         // s51's -X
  int steps = 10000;                // instructions before each look
  int samples = 1;                  // how many looks
  std::vector<std::string> probes;  // s51 expressions of bytes: "sfr[0x90]", "xram[0x100]"
};

struct SimulatorResult {
  bool ran = false;  // false: `log` says why
  // samples[i][j]: probe j at look i.
  std::vector<std::vector<int>> samples;
  std::string serial;  // what the UART sent
  std::string log;     // the simulator's own output
};

// Runs `hex` (a system path) with the simulator `s51`; `work` is a folder
// (local path, ends in a separator) for the command and serial files.
SimulatorResult Simulate(const std::string& s51, const std::string& hex, const std::string& work,
                         const SimulatorRun& run);

}  // namespace c51::sdcc::corpus

#endif  // C51_TESTS_SDCC_CORPUS_SIMULATOR_H_
