// Runs a hex file in ucsim's 8051 simulator (s51) and samples port 1 at
// even steps, for the tests that check firmware by what its pins do.
#ifndef C51_TESTS_SDCC_LINK_S51_PORTS_H_
#define C51_TESTS_SDCC_LINK_S51_PORTS_H_

#include <string>
#include <vector>

namespace c51::sdcc {

// Port 1 after every `steps` simulated instructions, `samples` times, the
// simulator at 12 MHz; the command script goes into `folder` (ending in
// "/"). Fewer values than asked when the simulator failed; `output` keeps
// what it printed.
std::vector<int> SampleP1(const std::string& s51, const std::string& hex, const std::string& folder,
                          int samples, int steps, std::string* output);

// The sample indexes where `bit` of port 1 differs from the sample before.
std::vector<int> P1Changes(const std::vector<int>& samples, int bit);

}  // namespace c51::sdcc

#endif  // C51_TESTS_SDCC_LINK_S51_PORTS_H_
