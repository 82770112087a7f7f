#include "sdcc/link/generated_module.h"

#include <vector>

#include "platform/codepage.h"
#include "sdcc/run_program.h"
#include "sim/controls.h"
#include "sim/files.h"

namespace c51::sdcc {

bool AssembleGenerated(const TempFolder& scratch, const std::string& title,
                       const std::string& source, std::string* err) {
  const std::string sdas = FindSdccProgram("sdas8051");
  if (sdas.empty()) {
    *err = "sdas8051 NOT FOUND ON PATH OR IN C51_SDCC_BIN";
    return false;
  }
  if (!c51::sim::WriteFile(scratch.path() + title + ".asm", source, err)) return false;
  const ProgramRun run = RunProgram(
      sdas, {"-plosff", scratch.native() + title + ".rel", scratch.native() + title + ".asm"});
  if (!run.started) {
    *err = "CAN'T START " + SystemToLocalText(sdas);
    return false;
  }
  if (run.exit_code != 0) {
    *err = "sdas8051 FAILED ON THE LINKER'S " + c51::sim::ToUpper(title) +
           " MODULE: " + std::string(c51::sim::Trim(run.output));
    return false;
  }
  return true;
}

}  // namespace c51::sdcc
