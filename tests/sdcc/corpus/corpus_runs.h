// The corpus projects that also run in the simulator: how each is run and
// what its ports, memory or UART must show, as the firmware on a real chip
// would.
#ifndef C51_TESTS_SDCC_CORPUS_CORPUS_RUNS_H_
#define C51_TESTS_SDCC_CORPUS_CORPUS_RUNS_H_

#include <string>
#include <vector>

#include "simulator.h"

namespace c51::sdcc::corpus {

struct CorpusRun {
  const char* project;  // folder name
  SimulatorRun run;
  // Checks the run with EXPECT_*/ADD_FAILURE.
  void (*check)(const SimulatorResult& result);
};

const std::vector<CorpusRun>& CorpusRuns();

// The run of `project`, or null when it is only built.
const CorpusRun* FindCorpusRun(const std::string& project);

}  // namespace c51::sdcc::corpus

#endif  // C51_TESTS_SDCC_CORPUS_CORPUS_RUNS_H_
