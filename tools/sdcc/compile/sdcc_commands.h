// sdcc's driver starts its preprocessor (sdcpp) and its assembler
// (sdas8051) through a shell, with command lines of its making: include
// folders and the macros it defines for the options (model, char
// signedness, version...), the assembler's flags for them. The compiler
// starts those two itself with the same lines: "sdcc -E" becomes sdcpp
// alone, "sdcc -c" becomes "sdcc -S" and sdas8051, which saves two starts
// of sdcc's driver or of a shell per file, a sixth of a small file's time.
//
// The lines are learned from what "sdcc -c -V" prints for a probe file,
// once per sdcc program and set of options, and kept in the cache folder
// (sdcc/cache_folder.h). Whenever they cannot be learned or kept, or a
// program they name cannot start, the compiler runs sdcc as before.
#ifndef C51_TOOLS_SDCC_COMPILE_SDCC_COMMANDS_H_
#define C51_TOOLS_SDCC_COMPILE_SDCC_COMMANDS_H_

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "sdcc/run_program.h"
#include "sdcc/temp_folder.h"

namespace c51::sdcc {

struct ProgramCommand {
  std::string program;            // system text, an absolute path
  std::vector<std::string> args;  // the files follow them
};

struct SdccCommands {
  ProgramCommand preprocess;  // + the source; the text on standard output
  ProgramCommand assemble;    // + the object, the assembly source
  bool known() const { return !preprocess.program.empty(); }
};

// Splits the line "sdcc -V" prints for a command: "+ " first, words
// separated by blanks, "\" before any byte the shell would take for
// something else:
//   "+ /usr/bin/sdcpp -I/a\ b -DS=\"x\"  in.c\n" => {"/usr/bin/sdcpp", "-I/a b", "-DS=\"x\"",
//   "in.c"}
// False when `printed` is not exactly one such line.
bool SplitVerboseCommand(std::string_view printed, std::vector<std::string>* words);

// The commands for sdcc's `options` (the arguments before "-c <source>"):
// kept from an earlier run, or learned now with a probe in `temp`. Not
// known() when neither works.
SdccCommands FindSdccCommands(const std::string& sdcc, const std::vector<std::string>& options,
                              const TempFolder& temp);

// Forgets the kept commands (a program they name could not be started), so
// the next run learns them again.
void ForgetSdccCommands(const std::string& sdcc, const std::vector<std::string>& options);

// sdcc's preprocessor on `source` (system text), its text in `text`
// (`have_text` false when it wrote none): sdcpp started straight when
// `commands` are known, else "sdcc -E" with `temp`'s file for the text.
ProgramRun RunPreprocessor(const std::string& sdcc, const std::vector<std::string>& options,
                           const SdccCommands& commands, const std::string& source,
                           const TempFolder& temp, std::string* text, bool* have_text);

// sdcc on the C file `c_path`, writing `<stem>.asm` when `to_assembly`,
// else `<stem>.rel`: "sdcc -S", then for an object sdas8051 as sdcc's
// driver would start it, `edit` changing the assembly source in between.
// When `commands` are not known: with `edit`, sdas8051 with the driver's
// usual flags; else (or when that cannot start) "sdcc -c", nothing edited.
// The output holds both programs' messages.
ProgramRun RunCompiler(const std::string& sdcc, const std::vector<std::string>& options,
                       const SdccCommands& commands, const std::string& c_path,
                       const std::string& stem, bool to_assembly,
                       const std::function<void(std::string*)>& edit = {});

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_SDCC_COMMANDS_H_
