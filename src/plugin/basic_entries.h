// The small entries: host context, configuration rename, debug record,
// driver settings, stop request.
#ifndef C51_PLUGIN_BASIC_ENTRIES_H_
#define C51_PLUGIN_BASIC_ENTRIES_H_

namespace c51 {

struct HostContext;
struct PluginState;

// Replaces the plug-in's copy of the host's record. Always 1.
int SetHostContext(PluginState* state, const HostContext* context);

// Code 2: `text` becomes the current configuration name (the derived
// folders stay). Other codes change nothing.
void Notify(PluginState* state, int code, const char* text);

// Copies the host's debug record to `destination` (2336 bytes) and puts
// the output directory + output name at byte 2072. 0 when that path has
// 260 characters or more (the record bytes are copied all the same).
int GetDebugRecord(PluginState* state, void* destination);

// Stores or replaces the pair in the driver settings map.
void SetDriverSetting(PluginState* state, const char* key, const char* value);

// Asks a running build to stop before its next file or step, and the tool
// it is running to end: the first request during that tool's run
// interrupts it (POSIX: SIGINT to its process group), a second one ends it
// with everything it started (see ProcessControl::Stop). Only atomics and
// kill/write: the host calls this from its signal handler.
void StopBuild(PluginState* state);

}  // namespace c51

#endif  // C51_PLUGIN_BASIC_ENTRIES_H_
