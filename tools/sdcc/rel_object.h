// What the SDCC-backed compiler and assembler put into an object file after
// the dependency record, what its library manager collects and what its
// linker reads back: one block per module, the SDCC relocatable kept whole.
//
//   SDCCOBJ 1
//   MODULE MAIN
//   SOURCE /p/main.c
//   TOOL C51
//   MODEL SMALL
//   INTERRUPT 1 _t0             one line per interrupt routine defined here
//   REL 1234
//   <1234 bytes: the relocatable sdcc or sdas8051 wrote>
//   END
//
// A library is "SDCCLIB 1" and a line end followed by module blocks. The
// relocatable goes in with its byte count, not line by line, so nothing in
// it can end the block early. The INTERRUPT lines tell the linker which
// vectors to lay down; objects written before them have none and still load.
#ifndef C51_TOOLS_SDCC_REL_OBJECT_H_
#define C51_TOOLS_SDCC_REL_OBJECT_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace c51::sdcc {

// An interrupt routine: its number (the vector is at 3 + 8 * number) and its
// symbol in the relocatable ("_t0").
struct RelInterrupt {
  uint32_t number = 0;
  std::string symbol;
};

struct RelModule {
  std::string name;    // the source's title, upper-cased
  std::string source;  // the source file as named on the command line
  std::string tool;    // "C51" or "A51"
  std::string model;   // "SMALL", "COMPACT" or "LARGE"
  std::string rel;     // the relocatable's bytes
  std::vector<RelInterrupt> interrupts = {};  // defaulted: older initialisers stay valid
};

constexpr std::string_view kRelLibraryHeader = "SDCCLIB 1\n";

// sdcc's highest interrupt number.
constexpr uint32_t kMaxInterrupt = 255;

std::string FormatRelModule(const RelModule& module);

// Every module of an object or library file, a leading dependency record
// skipped. False with `err` when the bytes are not one of ours or are cut.
bool ParseRelModules(std::string_view bytes, std::vector<RelModule>* modules, std::string* err);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_REL_OBJECT_H_
