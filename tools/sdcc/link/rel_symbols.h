// What the linker and the library manager need to know of an SDCC
// relocatable without linking it: its module name, the options sdcc
// recorded, and the public symbols it defines and references.
//
//   ;!FILE main.asm             comments (";") may come first
//   XL3                         radix X/D/Q, byte order L/H, address bytes
//   H 1C areas 6B global symbols
//   M main                      module name
//   O -mmcs51 --model-small     the compiler's options (sdcc only)
//   S _helper Ref000000         a reference
//   A CSEG size 2B flags 20 addr 0
//   S _main Def00000C           a definition in the area above
//
// Symbols defined before the first area, or in an absolute area (flag 0x08),
// are constants such as the SFR names every module including a register
// header defines; two modules may define them alike, so they are kept apart.
// An absolute area's address is where its bytes go: sdas8051 starts a new
// area ("CABS0", "CABS1", ...) at each ".org".
#ifndef C51_TOOLS_SDCC_LINK_REL_SYMBOLS_H_
#define C51_TOOLS_SDCC_LINK_REL_SYMBOLS_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace c51::sdcc {

struct RelArea {
  std::string name;
  uint32_t size = 0;
  uint32_t flags = 0;
  uint32_t address = 0;
};

// sdas8051's area flags.
constexpr uint32_t kAreaAbsolute = 0x08;
constexpr uint32_t kAreaCode = 0x20;

struct RelSymbols {
  std::string module;                     // the "M" line; empty when there is none
  std::string options;                    // the "O" line after "O "; empty for assembled modules
  std::vector<std::string> publics;       // defined in relocatable areas
  std::vector<std::string> code_publics;  // those of them in code areas
  std::vector<std::string> absolutes;     // defined as constants
  std::vector<std::string> references;    // used here, defined elsewhere
  std::vector<RelArea> areas;             // in the order written
};

// The module's absolute code bytes: its absolute CODE areas that hold any.
std::vector<RelArea> AbsoluteCodeAreas(const RelSymbols& symbols);

// The size of the named area; 0 when the module has none.
uint32_t AreaSize(const RelSymbols& symbols, std::string_view name);

// False with `err` (upper case, for a tool's REASON line) when `rel` does not
// start like an SDCC relocatable; "XL2", "XH3", "DL2" and the like pass.
bool ScanRel(std::string_view rel, RelSymbols* symbols, std::string* err);

// How sdcc names a C identifier in the object, and back, for messages that
// show the user's name: "_helper" => "helper"; "?C_START" => "?C_START";
// a classic assembly name, spelled with "$" in the object: "$STACK" => "?STACK".
std::string DisplaySymbol(std::string_view symbol);

// True when the module was made for code banking: compiled with the huge
// model, or calling through sdcc's banked-call trampoline.
bool IsBankedModule(const RelSymbols& symbols);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_LINK_REL_SYMBOLS_H_
