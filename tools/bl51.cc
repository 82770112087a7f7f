// The simulated linker/locater:
//   BL51.exe @"<command file>"      or      BL51.exe a.obj, b.obj TO prog <controls>
#include "sim/command_line.h"
#include "sim/console.h"
#include "sim/link_run.h"
#include "sim/linker.h"

int main(int argc, char** argv) {
  return c51::sim::GuardedMain("BL51", [&] {
    c51::sim::Console console;
    return c51::sim::RunLinker("BL51 SIMULATED LINKER/LOCATER V1.00",
                               c51::sim::ProgramArguments(argc, argv), c51::sim::Link, &console);
  });
}
