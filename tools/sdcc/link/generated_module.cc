#include "sdcc/link/generated_module.h"

#include <algorithm>
#include <vector>

#include "platform/ascii_case.h"
#include "platform/codepage.h"
#include "sdcc/link/library_names.h"
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

namespace {

// The code symbol of an assembled module that is the C function sdcc calls
// `symbol` ("_wait_loop" => "WAIT_LOOP", "_add3" => "_ADD3"); empty when
// there is none or it is spelled as sdcc spells it.
std::string AssemblyFunctionFor(const std::vector<const RelSymbols*>& modules,
                                std::string_view symbol) {
  for (const RelSymbols* m : modules) {
    if (!m->options.empty()) continue;
    for (const std::string& name : m->code_publics) {
      if (name != symbol &&
          (EqualsIgnoringCase(name, symbol) || EqualsIgnoringCase(name, symbol.substr(1)))) {
        return name;
      }
    }
  }
  return std::string();
}

}  // namespace

bool WriteAliasLibrary(const TempFolder& scratch, const std::vector<const RelSymbols*>& modules,
                       std::string* argument, std::string* err) {
  std::vector<std::string> defined, wanted;
  for (const RelSymbols* m : modules) {
    defined.insert(defined.end(), m->publics.begin(), m->publics.end());
  }
  for (const RelSymbols* m : modules) {
    for (const std::string& symbol : m->references) {
      if (FloatAlias(symbol).empty() ||
          std::find(defined.begin(), defined.end(), symbol) != defined.end() ||
          std::find(wanted.begin(), wanted.end(), symbol) != wanted.end()) {
        continue;
      }
      wanted.push_back(symbol);
    }
  }
  std::string list;
  for (size_t i = 0; i < wanted.size(); ++i) {
    const std::string title = "alias" + std::to_string(i);
    if (!AssembleGenerated(scratch, title, AliasModuleSource(wanted[i], FloatAlias(wanted[i])),
                           err)) {
      return false;
    }
    list += title + ".rel\n";
  }
  // C calls of functions that assembly written for the original compiler
  // defines under its names.
  std::vector<std::string> shimmed;
  for (const RelSymbols* m : modules) {
    if (m->options.empty()) continue;  // assembled: calls as it means to
    for (const std::string& symbol : m->references) {
      if (symbol.size() < 2 || symbol[0] != '_' ||
          std::find(defined.begin(), defined.end(), symbol) != defined.end() ||
          std::find(shimmed.begin(), shimmed.end(), symbol) != shimmed.end()) {
        continue;
      }
      const std::string target = AssemblyFunctionFor(modules, symbol);
      if (target.empty()) continue;
      const std::string title = "shim" + std::to_string(shimmed.size());
      if (!AssembleGenerated(scratch, title, CallShimSource(symbol, target), err)) return false;
      list += title + ".rel\n";
      shimmed.push_back(symbol);
    }
  }
  // Who calls the console is not known here (sdcc's printf does, from its
  // own library); sdld takes a module only when its symbol is wanted.
  for (std::string_view symbol : kConsoleSymbols) {
    if (std::find(defined.begin(), defined.end(), symbol) != defined.end()) continue;
    const std::string title = "console" + std::string(symbol);
    if (!AssembleGenerated(scratch, title, ConsoleModuleSource(symbol), err)) return false;
    list += title + ".rel\n";
  }
  for (std::string_view symbol : kStackPointerSymbols) {
    if (std::find(defined.begin(), defined.end(), symbol) != defined.end()) continue;
    const std::string title = "pointer" + std::string(symbol.substr(1));
    if (!AssembleGenerated(scratch, title, StackPointerModuleSource(symbol), err)) return false;
    list += title + ".rel\n";
  }
  if (list.empty()) return true;
  if (!c51::sim::WriteFile(scratch.path() + "alias.lib", list, err)) return false;
  *argument = scratch.native() + "alias.lib";
  return true;
}

}  // namespace c51::sdcc
