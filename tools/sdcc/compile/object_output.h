// What the compiler and the assembler on sdcc both write: the object (the
// dependency record, then the module), the sizes the listing shows, the
// module names sdcc accepts, and the markers of an assembly source the
// compiler wrote for the assembler.
#ifndef C51_TOOLS_SDCC_COMPILE_OBJECT_OUTPUT_H_
#define C51_TOOLS_SDCC_COMPILE_OBJECT_OUTPUT_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sdcc/rel_object.h"
#include "sim/console.h"
#include "sim/translation_end.h"

namespace c51::sdcc {

// Assembly sources the compiler writes for SRC carry the headers they came
// from on lines like this, so the assembler's object names them too.
constexpr std::string_view kDependsMarker = "; C51-DEPENDS: ";
// ...and the interrupt routines they define ("; C51-INTERRUPT: 1 _t0"), so
// the assembler's object tells the linker which vectors to lay down.
constexpr std::string_view kInterruptMarker = "; C51-INTERRUPT: ";

// A variable placed at a fixed address (rel_object.h):
// "; C51-ABSOLUTE: X 0100 2 _mark".
constexpr std::string_view kAbsoluteMarker = "; C51-ABSOLUTE: ";

// One line of the call graph record (rel_object.h): "; C51-GRAPH: CALL _f".
constexpr std::string_view kCallGraphMarker = "; C51-GRAPH: ";

// Adds up the areas ("A CSEG size 1A flags 0 addr 0") of an sdcc
// relocatable; bits count as bytes, rounded up.
sim::ModuleSizes ReadModuleSizes(std::string_view rel);

// A module name sdcc and sdas8051 accept, from the source's title:
// "main" => "main"; "my file-2" => "my_file_2"; "1st" => "m1st". Bytes of
// other characters become their two hex digits, so that two Chinese names
// of one length keep distinct modules (their debug symbols are public):
// "\xCF\xD4\xCA\xBE" => "CFD4CABE".
std::string ModuleFileTitle(std::string_view source);

// The dependency record: the source, then each header, with their times;
// names (texts of ours) made absolute against the current folder.
std::string DependencyRecordFor(std::string_view tool, const std::string& source,
                                const std::vector<std::string>& headers, int* dropped);

// Writes the object of a translation of `source`: its dependency record
// (the source, then `headers`), then `module`, named after the source and
// made by `tool`. False after the fatal block (WRITING OUTPUT-FILE) when
// the file cannot be written.
bool WriteObjectFile(const std::string& path, std::string_view tool, const std::string& source,
                     const std::vector<std::string>& headers, RelModule module,
                     sim::Console* console);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_OBJECT_OUTPUT_H_
