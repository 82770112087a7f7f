// What the host asks about a build besides running it: removing the
// target's generated files, and two lists handed out one entry per call
// (the include files a source's object depends on, and the folders the
// compiler searches).
#ifndef C51_BUILD_BUILD_QUERIES_H_
#define C51_BUILD_BUILD_QUERIES_H_

namespace c51 {

struct PluginState;

// Deletes the command file, map, hex file and program of the target, the
// build's records (commands, dependency log), then the object of every project file (without a
// "Files" node: every ".OBJ",
// ".BIN", ".HEX" and ".M51" file of the object folder). Failures are
// ignored.
void CleanTarget(PluginState* state);

// With `first` set, reads the dependency record of the object of `source`
// (its title + ".obj" in the object folder); 0 when there is no object.
// Each call then copies the next include file into `buffer` (names inside
// the project folder lose the folder's text in front) and returns 1; 0
// when none is left. A name longer than `size` - 1 bytes is cut; the text
// always ends in a NUL.
int NextDependency(PluginState* state, const char* source, char* buffer, int size, int first);

// With `first` set, lists the toolchain's include folder, the device's
// register sub-folder and the project's "INCC5" pieces (an empty piece
// too). Each call then copies the next one into `buffer` as
// NextDependency does; 0 when none is left.
int NextIncludeDirectory(PluginState* state, char* buffer, int size, int first);

}  // namespace c51

#endif  // C51_BUILD_BUILD_QUERIES_H_
