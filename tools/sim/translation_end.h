// How a compiler's or an assembler's run ends, the same for the simulated
// tools and the ones on sdcc: the fatal block that leaves no output behind,
// the listing file, the preprocessed text, the summary line and the exit
// code. The build's output filter and the tests read these byte for byte.
#ifndef C51_TOOLS_SIM_TRANSLATION_END_H_
#define C51_TOOLS_SIM_TRANSLATION_END_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sim/console.h"
#include "sim/source_scan.h"

namespace c51::sim {

// A bad command line: the banner, then the fatal block
//   C51 FATAL-ERROR -
//     ACTION:  PARSING INVOKE-LINE
//     LINE:    <controls>           (when `line` is not empty)
//     ERROR:   <error>
// Returns kExitFatal.
int FailInvocation(Console* console, const std::string& banner, std::string_view tool,
                   const std::string& line, const std::string& error);

// Removes `target` (when not empty), so the next build translates the file
// again, prints the fatal block and returns kExitFatal.
int EndWithFatal(Console* console, std::string_view tool, const FatalError& fatal,
                 const std::string& target);

// "DEPENDENCY RECORD: 3 NAME(S) LEFT OUT" when a record had no room for
// every name; nothing when `dropped` is 0.
void ReportDroppedNames(Console* console, int dropped);

struct ModuleSizes {
  uint32_t code = 0;
  uint32_t data = 0;  // internal RAM
  uint32_t xdata = 0;
};

// The listing file, lines ended by CR LF: the head (FormatListingHead),
// the messages as reported, the tool's own assembly listing when there is
// one, then
//   MODULE INFORMATION:   CODE SIZE = 4  DATA SIZE = 1  XDATA SIZE = 0
//   <summary>
struct TranslationListing {
  std::string banner;
  std::string tool;  // "C51" or "A51"
  std::string source;
  std::string source_text;
  std::string target;  // the object or assembly file written; empty: none
  std::string invocation;
  std::vector<std::string> messages;
  ModuleSizes sizes;
  std::string assembly_listing;  // appended when not empty
  std::string summary;
};
std::string FormatTranslationListing(const TranslationListing& listing);

// What is left to do once the object is written (or not).
struct TranslationEnd {
  Dialect dialect = Dialect::kC;
  int warnings = 0;
  int errors = 0;
  std::string print_path;  // empty: no listing
  // Its summary is filled in here; only formatted when it is written.
  TranslationListing listing;
  std::string preprint_path;  // empty: no preprocessed text to write
  std::string preprinted;
};

// Writes the listing and the preprocessed text when asked for, prints the
// summary after a blank line and returns the exit code for the counts. A
// file that cannot be written ends the run with the fatal block
// (WRITING LISTING-FILE, WRITING PREPRINT-FILE) and kExitFatal.
int FinishTranslation(TranslationEnd* end, Console* console);

}  // namespace c51::sim

#endif  // C51_TOOLS_SIM_TRANSLATION_END_H_
