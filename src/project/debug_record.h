// The host-owned record of debug switches, driver text and output path.
// Its fields are 32-bit on every platform.
#ifndef C51_PROJECT_DEBUG_RECORD_H_
#define C51_PROJECT_DEBUG_RECORD_H_

#include <cstddef>
#include <cstdint>
#include <string>

namespace c51 {

struct DebugOptionRecord {
  int32_t use_simulator;    // 1 software simulation, 0 hardware emulation
  int32_t driver_index;     // selected hardware driver in the driver list
  int32_t sim_load_app;     // simulation: load application at startup
  int32_t sim_run_to_main;  // simulation: run to main()
  int32_t hw_load_app;      // hardware: load application at startup
  int32_t hw_run_to_main;   // hardware: run to main()
  char driver_text[2048];   // NUL-terminated, at most 2047 characters
  char output_path[260];    // output directory + output name, NUL-terminated
  int32_t unused;
};

static_assert(sizeof(DebugOptionRecord) == 2336);
static_assert(offsetof(DebugOptionRecord, driver_text) == 24);
static_assert(offsetof(DebugOptionRecord, output_path) == 2072);
static_assert(offsetof(DebugOptionRecord, unused) == 2332);

// The driver text, read no further than its field even when the host left
// it unterminated.
std::string DriverText(const DebugOptionRecord& record);

// The record a new project starts with: simulation, no driver chosen, the
// application loaded and run to main() in the simulator, loaded but not
// run to main() on the hardware.
DebugOptionRecord InitialDebugRecord();

// "OPTDBG": "%d,%d,%d,%d,%d,%d,(%s)" with the first six words and the
// driver text.
std::string FormatDebugOptions(const DebugOptionRecord& record);

}  // namespace c51

#endif  // C51_PROJECT_DEBUG_RECORD_H_
