// "sdcc -E" does nothing but start sdcc's preprocessor, sdcpp, through a
// shell, with a command line of sdcc's making: its include folders and the
// macros it defines for the options (model, char signedness, version...).
// Starting sdcpp ourselves with that same line saves sdcc's own start and
// the shell's, a sixth of a small file's compile.
//
// The line is learned from what "sdcc -E -V" prints for an empty file,
// once per sdcc program and set of options, and kept in the cache folder
// (sdcc/cache_folder.h). Whenever it cannot be learned or kept, or the
// program it names cannot start, the compiler runs "sdcc -E" as before.
#ifndef C51_TOOLS_SDCC_COMPILE_PREPROCESSOR_COMMAND_H_
#define C51_TOOLS_SDCC_COMPILE_PREPROCESSOR_COMMAND_H_

#include <string>
#include <string_view>
#include <vector>

#include "sdcc/temp_folder.h"

namespace c51::sdcc {

struct PreprocessorCommand {
  std::string program;            // system text; empty: not known, run "sdcc -E"
  std::vector<std::string> args;  // the source's path follows them
};

// Splits the line "sdcc -V" prints for a command: "+ " first, words
// separated by blanks, "\" before any byte the shell would take for
// something else:
//   "+ /usr/bin/sdcpp -I/a\ b -DS=\"x\"  in.c\n" => {"/usr/bin/sdcpp", "-I/a b", "-DS=\"x\"",
//   "in.c"}
// False when `printed` is not exactly one such line.
bool SplitVerboseCommand(std::string_view printed, std::vector<std::string>* words);

// sdcpp's command for sdcc's `options` (the arguments of "sdcc -E" before
// the source's): kept from an earlier run, or learned now with a probe in
// `temp`. Empty program when neither works.
PreprocessorCommand FindPreprocessorCommand(const std::string& sdcc,
                                            const std::vector<std::string>& options,
                                            const TempFolder& temp);

// Forgets the kept command (its program could not be started), so the next
// run learns it again.
void ForgetPreprocessorCommand(const std::string& sdcc, const std::vector<std::string>& options);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_PREPROCESSOR_COMMAND_H_
