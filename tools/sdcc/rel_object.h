// What the SDCC-backed compiler and assembler put into an object file after
// the dependency record, what its library manager collects and what its
// linker reads back: one block per module, the SDCC relocatable kept whole.
//
//   SDCCOBJ 1
//   MODULE MAIN
//   SOURCE /p/main.c
//   TOOL C51
//   MODEL SMALL
//   REL 1234
//   <1234 bytes: the relocatable sdcc or sdas8051 wrote>
//   END
//
// A library is "SDCCLIB 1" and a line end followed by module blocks. The
// relocatable goes in with its byte count, not line by line, so nothing in
// it can end the block early.
#ifndef C51_TOOLS_SDCC_REL_OBJECT_H_
#define C51_TOOLS_SDCC_REL_OBJECT_H_

#include <string>
#include <string_view>
#include <vector>

namespace c51::sdcc {

struct RelModule {
  std::string name;    // the source's title, upper-cased
  std::string source;  // the source file as named on the command line
  std::string tool;    // "C51" or "A51"
  std::string model;   // "SMALL", "COMPACT" or "LARGE"
  std::string rel;     // the relocatable's bytes
};

constexpr std::string_view kRelLibraryHeader = "SDCCLIB 1\n";

std::string FormatRelModule(const RelModule& module);

// Every module of an object or library file, a leading dependency record
// skipped. False with `err` when the bytes are not one of ours or are cut.
bool ParseRelModules(std::string_view bytes, std::vector<RelModule>* modules, std::string* err);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_REL_OBJECT_H_
