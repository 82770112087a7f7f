// Tool output turned into lines for the host's output window: compiler and
// assembler diagnostics rewritten into "path(line):code:text", linker
// output shown from its first message on, and the build's error and
// warning counters advanced.
//
// The filters work on the captured text alone, so they run without a
// process; RunCompilerTool and RunLinkerTool start the tool and report.
#ifndef C51_BUILD_OUTPUT_FILTER_H_
#define C51_BUILD_OUTPUT_FILTER_H_

#include <string>
#include <string_view>
#include <vector>

#include "build/tool_runner.h"

namespace c51 {

struct PluginState;

// Whose message layout a compiler-filter run reads.
enum class MessageLayout {
  kA51 = 0,  // "*** ERROR #A45 IN 3 (C:\P\X.A51, LINE 3): UNDEFINED SYMBOL"
  kC51 = 1,  // "*** ERROR C202 IN LINE 12 OF MAIN.C: 'x': undefined identifier"
};

// What one filter run makes of a tool's text.
struct FilterResult {
  bool success = true;
  std::vector<std::string> lines;  // for the output window, kind 1, in order
  int errors = 0;                  // to add to the build's error counter
  int warnings = 0;                // to add to the build's warning counter
};

// The lines of a tool's text: cut at each "\r\n"; a "\r" right before a
// "\r\n" becomes a blank; a last line without "\r\n" is dropped, and so is
// an empty line. A line ends at a NUL byte, as the host reads it.
//   "a\r\n\r\nb\r\r\nc" => "a", "b "
std::vector<std::string> SplitToolLines(std::string_view captured);

// Compiler and assembler output. From a line holding "FATAL-ERROR" on,
// every line is passed unchanged and the run fails; before it, only lines
// holding "***" count: "ERROR " or "WARNING " after their first character
// counts an error (the run fails) or a warning and sets the severity
// (kept from line to line, error at first), and the line is parsed with
// the layout's format for that severity. Parsed lines become
// "path(line):code:text", upper-cased, with the file made absolute against
// `working_dir` (which ends in a separator); lines without a line number
// of at least 1 are dropped, and so is everything else.
FilterResult FilterCompilerOutput(std::string_view captured, MessageLayout layout,
                                  const std::string& working_dir);

// Linker and library manager output. Lines before the first one holding
// "***" are dropped, except the one with "PROGRAM SIZE:"; the closing
// summary ("... N WARNING(S), M ERROR(S)") is counted, not shown; every
// other line is shown as written, and one holding both "***" and "ERROR"
// fails the run.
FilterResult FilterLinkerOutput(std::string_view captured);

// Sends the result's lines to the host and adds its counts to the state's
// counters; a failed run with no error counted so far counts one. Returns
// the run's success.
bool ReportFilterResult(PluginState* state, const FilterResult& result);

// Runs a compiler (kC51) or assembler (kA51) in the tool working directory
// and reports its diagnostics. `file` is the source the run translates;
// the diagnostics name their own files. A tool that cannot start gives no
// lines and succeeds.
bool RunCompilerTool(PluginState* state, const std::string& command_line, const std::string& file,
                     MessageLayout layout);

// Runs the linker or library manager in the tool working directory and
// reports its output.
bool RunLinkerTool(PluginState* state, const std::string& command_line);

// A tool that could not be started or did not end by itself is an error of
// its step: the run's failure line is shown and counted. A tool whose
// output was cut gets its notice shown first and counted as a warning.
// True when the run ended normally.
bool ReportToolFailure(PluginState* state, const ToolRun& run);

// Shows `line` and counts it as an error of the build.
void ReportBuildError(PluginState* state, const std::string& line);

}  // namespace c51

#endif  // C51_BUILD_OUTPUT_FILTER_H_
