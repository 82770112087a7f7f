// Building the current target: tool checks, the tools' environment, the
// walk over the project's files, the link or library run through the
// command file, the hex file and the summary.
#ifndef C51_BUILD_BUILD_DRIVER_H_
#define C51_BUILD_BUILD_DRIVER_H_

namespace c51 {

struct PluginState;

// The host's build entry (slot 5). `rebuild_all` nonzero translates every
// file whatever its times. 1 when the target was built or is up to date;
// 0 for a missing tool, project or configuration name, a stop request or
// a failed build. Returns 0 at once, sending nothing, while no
// configuration has been opened.
int BuildTarget(PluginState* state, int rebuild_all);

}  // namespace c51

#endif  // C51_BUILD_BUILD_DRIVER_H_
