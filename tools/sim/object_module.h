// What the simulated compiler and assembler put into an object file after
// the dependency record, what the library manager collects into a library,
// and what the linker reads back: one text block per module.
//
//   SIMOBJ 1
//   MODULE MAIN
//   SOURCE /p/main.c
//   TOOL C51
//   MODEL SMALL
//   CONTROLS ROM(SMALL) DEBUG OBJECTEXTEND
//   CODE 3A7F22
//   DATA 2
//   XDATA 0
//   LINK WARNING L16 UNCALLED SEGMENT, IGNORED FOR OVERLAY PROCESS
//   END
//
// A library is "SIMLIB 1" followed by module blocks.
#ifndef C51_TOOLS_SIM_OBJECT_MODULE_H_
#define C51_TOOLS_SIM_OBJECT_MODULE_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sim/source_scan.h"

namespace c51::sim {

struct ObjectModule {
  std::string name;  // the source's title, upper-cased
  std::string source;
  std::string tool;  // "C51" or "A51"
  std::string model;
  std::string controls;
  std::vector<uint8_t> code;
  uint32_t data = 0;
  uint32_t xdata = 0;
  std::vector<LinkMarker> link_markers;
};

constexpr std::string_view kLibraryHeader = "SIMLIB 1\n";

std::string FormatModule(const ObjectModule& module);

// Reads every module of an object or library file, skipping a leading
// dependency record. False with `err` when the bytes are not one of ours.
bool ParseModules(std::string_view bytes, std::vector<ObjectModule>* modules, std::string* err);

// "0A1B" <=> {0x0A, 0x1B}. ParseHexBytes is false on an odd count or a non-hex digit.
std::string FormatHexBytes(const std::vector<uint8_t>& bytes);
bool ParseHexBytes(std::string_view text, std::vector<uint8_t>* bytes);

}  // namespace c51::sim

#endif  // C51_TOOLS_SIM_OBJECT_MODULE_H_
