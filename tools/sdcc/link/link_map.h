// The linker's map file (".M51"): the modules linked, the public symbols of
// the user's modules with their addresses from sdld's map, the interrupt
// vectors the linker laid down, where it put the functions' frames
// (frame_overlay.h), sdld's memory summary, the messages, and the
// size and summary lines.
#ifndef C51_TOOLS_SDCC_LINK_LINK_MAP_H_
#define C51_TOOLS_SDCC_LINK_LINK_MAP_H_

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "sim/linker.h"

namespace c51::sdcc {

struct MapSymbol {
  uint32_t value = 0;
  std::string space;   // CODE, DATA, IDATA, BIT, XDATA or NUMBER
  std::string name;    // as in the object: "_main"
  std::string module;  // the "M" name: "main"
};

// Variables in DATA that the linker's own module defines, as equates, for
// the compiled module named: symbol => the module's "M" name.
using SymbolOwners = std::map<std::string, std::string, std::less<>>;

// The symbols sdld's map lists as defined in one of `modules`, by value,
// and those `owners` names, as their owners' variables. A symbol row is
// "[C:]  <8 hex digits>  <name>  <module>"; the area heading above it
// ("CSEG  0000006D  00000041 =  65. bytes (REL,CON,CODE)") gives the space.
std::vector<MapSymbol> ReadMapSymbols(std::string_view sdld_map,
                                      const std::vector<std::string>& modules,
                                      const SymbolOwners& owners = {});

struct MapContents {
  std::string banner;
  std::vector<std::string> included;  // "  .\Debug\main.obj (MAIN)"
  std::vector<MapSymbol> symbols;
  std::string memory;                     // sdld's ".mem" text
  std::vector<std::string> vectors = {};  // the linker's vector table, when it made one
  std::string frames_summary = {};        // the functions' overlaid frames, when placed
  std::vector<std::string> frames = {};
};

// Lines end in "\r\n" like the tools' other listings.
std::string FormatLinkMap(const c51::sim::LinkOutcome& outcome, const MapContents& contents);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_LINK_LINK_MAP_H_
