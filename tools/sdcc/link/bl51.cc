// The linker/locater that links with sdcc:
//   BL51.exe @"<command file>"      or      BL51.exe a.obj, b.obj TO prog <controls>
// The same command, messages and summary as the simulated linker; the
// program it writes holds code sdcc linked for a real 8051.
#include "sdcc/link/sdcc_linker.h"
#include "sim/command_line.h"
#include "sim/console.h"
#include "sim/link_run.h"

namespace c51::sdcc {
namespace {

sim::LinkOutcome Link(const sim::LinkCommand& command, sim::FileSource* files) {
  sim::LinkOutcome outcome = LinkWithSdcc(command, files);
  // After a fatal error no program may be left, not even an earlier one:
  // the build would take it for this link's.
  if (outcome.fatal) sim::RemoveFile(outcome.output);
  return outcome;
}

}  // namespace
}  // namespace c51::sdcc

int main(int argc, char** argv) {
  return c51::sim::GuardedMain("BL51", [&] {
    c51::sim::Console console;
    return c51::sim::RunLinker(c51::sdcc::kLinkerBanner, c51::sim::ProgramArguments(argc, argv),
                               c51::sdcc::Link, &console);
  });
}
