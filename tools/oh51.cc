// The simulated object-to-hex converter:
//   OH51.exe "<program>" [HEXFILE(<hex file>)]
// writes the program's code as Intel HEX to the program's path with the
// extension ".hex" (added when the name has none); code bank n goes to the
// 64 KB page n.
#include <string>
#include <vector>

#include "sim/command_line.h"
#include "sim/console.h"
#include "sim/hex_run.h"

namespace c51::sim {
namespace {

bool BankedChunks(Program* program, std::vector<HexChunk>* chunks, std::string*) {
  for (ProgramSegment& segment : program->segments) {
    const uint32_t page = segment.bank == kCommonArea ? 0 : static_cast<uint32_t>(segment.bank);
    chunks->push_back(HexChunk{page * 0x10000 + segment.address, std::move(segment.bytes)});
  }
  return true;
}

}  // namespace
}  // namespace c51::sim

int main(int argc, char** argv) {
  return c51::sim::GuardedMain("OH51", [&] {
    c51::sim::Console console;
    return c51::sim::RunHexConverter("OH51 SIMULATED OBJECT TO HEX CONVERTER V1.00",
                                     c51::sim::ProgramArguments(argc, argv), c51::sim::BankedChunks,
                                     &console);
  });
}
