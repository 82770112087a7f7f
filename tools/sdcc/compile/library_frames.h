// sdcc's formatted output (printf, sprintf and vprintf on the engine
// _print_format) keeps about 50 bytes of DATA for good in the small model,
// more than a third of what a program has, and its trigonometry and atof
// 16 to 27 bytes each; the original library shares that memory with the
// rest of the program. So the linker links these modules built from sdcc's
// own library sources the way the compiler builds the user's
// (frame_records.h): their locals become frames the linker overlays. Built
// once per sdcc, options and sources, and kept in the cache folder
// (sdcc/cache_folder.h).
//
// With `floats`, _print_format is built to format floats ("%f", "%e",
// "%g"), which sdcc's prebuilt library prints as "<NO FLOAT>".
#ifndef C51_TOOLS_SDCC_COMPILE_LIBRARY_FRAMES_H_
#define C51_TOOLS_SDCC_COMPILE_LIBRARY_FRAMES_H_

#include <set>
#include <string>
#include <vector>

#include "sdcc/rel_object.h"

namespace c51::sdcc {

// The modules for what the program `named` (the symbols its modules
// reference), each with its call graph. None when sdcc's library sources
// are not installed or the options make the library reentrant
// ("--stack-auto": it has no frames), and none of a group whose build
// fails: sdcc's own library then serves, as it always did.
// In the small model printf's engine keeps its own locals either as frames
// (`on_stack` false: DATA the overlay shares, and about 10 bytes of stack,
// as the original library), or on the stack (about 50 bytes of it, and
// some 25 bytes less DATA), for a program whose DATA is short.
std::vector<RelModule> FramedLibraryModules(const std::string& sdcc,
                                            const std::vector<std::string>& model_args, bool floats,
                                            const std::set<std::string>& named,
                                            bool on_stack = false);

// Functions of those modules that sdcc's prebuilt library calls when the
// program `named` what calls them (assert's printf, asctime's sprintf):
// the linker's plan must count them as called from outside its graphs.
std::vector<std::string> CalledBySdccLibrary(const std::set<std::string>& named);

// The folder of sdcc's library sources ("/usr/share/sdcc/lib/src/", system
// text), found from the program's folder; empty when there is none.
std::string SdccLibrarySources(const std::string& sdcc);

// Where sdcc's header folders for this port are, the port's first
// ("<root>/share/sdcc/include/mcs51/", then ".../include/"), in our text,
// for both installation layouts. Nothing is read here: every compile asks,
// and only an include found nowhere else looks into them.
std::vector<std::string> SdccHeaderFolders(const std::string& sdcc);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_LIBRARY_FRAMES_H_
