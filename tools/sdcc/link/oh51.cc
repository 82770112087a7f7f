// The object-to-hex converter for programs the sdcc linker wrote:
//   OH51.exe "<program>" [HEXFILE(<hex file>)]
// writes the program's code as Intel HEX to the program's path with the
// extension ".hex" (added when the name has none).
#include <string>
#include <vector>

#include "sim/command_line.h"
#include "sim/console.h"
#include "sim/hex_run.h"

namespace c51::sdcc {
namespace {

bool CommonAreaChunks(sim::Program* program, std::vector<sim::HexChunk>* chunks, std::string* err) {
  for (sim::ProgramSegment& segment : program->segments) {
    // The sdcc linker writes no banks; a banked program came from elsewhere.
    if (segment.bank != sim::kCommonArea) {
      *err = "CODE BANKS NOT SUPPORTED";
      return false;
    }
    chunks->push_back(sim::HexChunk{segment.address, std::move(segment.bytes)});
  }
  return true;
}

}  // namespace
}  // namespace c51::sdcc

int main(int argc, char** argv) {
  return c51::sim::GuardedMain("OH51", [&] {
    c51::sim::Console console;
    return c51::sim::RunHexConverter("OH51 OBJECT TO HEX CONVERTER FOR SDCC V1.00",
                                     c51::sim::ProgramArguments(argc, argv),
                                     c51::sdcc::CommonAreaChunks, &console);
  });
}
