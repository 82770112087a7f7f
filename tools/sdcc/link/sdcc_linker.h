// The linker's work with sdcc: read the objects and libraries of a link
// command, refuse what sdcc cannot link, put each module's relocatable into
// a private scratch folder (a library becomes a list file there that sdld
// searches, so only the modules that resolve something are linked), link
// with the sdcc driver for the objects' memory model so the matching
// run-time library comes in (the long long one too, which the driver leaves
// out), and turn sdld's output into the linker's messages, the program, the
// sizes and the map. Modules of the linker's own go in beside the user's:
// the interrupt vector table where sdcc's cannot serve (vector_table.h),
// room for the variables placed at fixed addresses (absolute_variables.h)
// and jumps that give sdcc's float functions their plain names
// (library_names.h). The original run-time libraries a project names are
// left out for sdcc's (runtime_library.h). Every byte of the image must have one owner
// (code_overlap.h).
//
// The program (the TO file) is the simulated toolchain's absolute program
// text, which the hex converter reads: one SEGMENT line per run of adjacent
// code bytes, all in the common area.
//   SIMABS 1
//   SEGMENT -1 0000 02001132 BLINKY
//   END
#ifndef C51_TOOLS_SDCC_LINK_SDCC_LINKER_H_
#define C51_TOOLS_SDCC_LINK_SDCC_LINKER_H_

#include <string_view>

#include "sim/files.h"
#include "sim/link_command.h"
#include "sim/linker.h"

namespace c51::sdcc {

constexpr std::string_view kLinkerBanner = "BL51 LINKER/LOCATER FOR SDCC V1.00";

c51::sim::LinkOutcome LinkWithSdcc(const c51::sim::LinkCommand& command,
                                   c51::sim::FileSource* files);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_LINK_SDCC_LINKER_H_
