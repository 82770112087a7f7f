// The original toolchain's linker overlays the locals of functions that are
// never active at once; real small-model projects need it to fit into 128
// bytes of DATA. sdcc allocates each function's locals for good (only a
// leaf function's share one area), so the compiler hands them to the
// linker instead: every automatic local and memory-passed parameter sdcc
// laid into DSEG or OSEG leaves the assembly source, the code names it as an
// external, and the module records each function's frame, the functions it
// calls and the functions whose address it takes (rel_object.h). The linker
// defines the frames from the whole program's call graph.
//
//   .area DSEG    (DATA)                .area DSEG    (DATA)
//   _show_buf_65536_12:           =>        .globl _show_buf_65536_12$5a1f03c2
//       .ds 6
//   ...                                 ...
//       mov  r0,#_show_buf_65536_12         mov  r0,#_show_buf_65536_12$5a1f03c2
//
// A frame symbol gets the module's tag unless it is already public (the
// parameters of a public function, which other modules write by name).
// Static locals are no frames, and neither is anything of a function whose
// body the C text did not show (static_locals.h).
//
// What stays in DSEG (globals, the file's and the functions' statics) goes
// to the linker too, as variables with bytes of their own: sdld lays all
// modules' DSEG as one block, which no longer fits once bits split DATA at
// 20H. Each leaves the source with its debug label, a static tagged as a
// frame is; the module records them in their order:
//
//   G$buf$0_0$0==.
//   _buf::                      =>      .globl _buf
//       .ds 80
//   _hits:                              .globl _hits$5a1f03c2
//       .ds 2
//
// OSEG, ISEG, bits and variables at fixed addresses stay as sdcc wrote them.
#ifndef C51_TOOLS_SDCC_COMPILE_FRAME_RECORDS_H_
#define C51_TOOLS_SDCC_COMPILE_FRAME_RECORDS_H_

#include <string>
#include <string_view>

#include "sdcc/compile/static_locals.h"
#include "sdcc/rel_object.h"

namespace c51::sdcc {

// Rewrites sdcc's assembly source `assembly` into `out` and fills the call
// graph fields of `module`. `tag` makes the module's own names unique in
// the program (letters and digits).
void ExternalizeFrames(std::string_view assembly, const FunctionLocals& locals,
                       std::string_view tag, std::string* out, RelModule* module);

// A tag for the module compiled from `source` (an absolute path): eight hex
// digits of its hash.
std::string ModuleTag(std::string_view source);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_FRAME_RECORDS_H_
