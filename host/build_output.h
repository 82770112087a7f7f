// What the plug-in sends to HostOutput, shown on a terminal or written to a
// file: texts converted from GBK, every file a diagnostic or a tool line
// names shown as the file that exists (path_display.h), diagnostics in the
// chosen layout (message_format.h), errors and warnings coloured apart on
// a terminal, "[n/N] " before each compile and assemble line, and the
// summary line held back until the entry returns, so that it comes last
// even when "AfterBuild" user commands print after it.
#ifndef C51_HOST_BUILD_OUTPUT_H_
#define C51_HOST_BUILD_OUTPUT_H_

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "host/message_format.h"

namespace c51::host {

enum class LineKind {
  kPlain,
  kProgress,    // "compiling main.c...", "assembling ..."
  kDiagnostic,  // "path(line):code:text"
  kError,       // "*** ERROR ...", "... FATAL-ERROR ...", "Program build aborted.", ...
  kWarning,     // "*** WARNING ..."
  kSummary,     // "\"name\" - 0 error(s), 1 warning(s)."
};

LineKind ClassifyLine(std::string_view line);

// Splits a diagnostic line "%s(%d):%s:%s" into its location ("path(12)"),
// code and text (which keeps its leading blank). The path may itself hold
// parentheses: the first "(digits):" followed by another ":" ends it.
//   "C:\p\MAIN.C(12):C202: 'X'" => "C:\p\MAIN.C(12)", "C202", " 'X'"
bool SplitDiagnostic(std::string_view line, std::string_view* location, std::string_view* code,
                     std::string_view* text);

// The error count of a summary line ("\"x\" - 2 error(s), ..." => 2); -1
// when it holds none.
int SummaryErrorCount(std::string_view line);

// The line as shown; `colour` adds ANSI sequences: a diagnostic's code
// and a failure in red, a warning's in yellow.
std::string DecorateLine(std::string_view line, LineKind kind, bool colour);

class BuildOutput {
 public:
  BuildOutput(FILE* stream, bool colour) : stream_(stream), colour_(colour) {}
  ~BuildOutput() { Flush(); }
  BuildOutput(const BuildOutput&) = delete;
  BuildOutput& operator=(const BuildOutput&) = delete;

  // The N of "[n/N]": the translation steps the build may run. While it is
  // 0 the prefix is "[n] ". A build that runs more steps raises it.
  void set_planned_steps(int steps) { planned_ = steps; }
  int steps_seen() const { return seen_; }
  // The error count of the last summary line; -1 before one arrived.
  int summary_errors() const { return summary_errors_; }
  // The code bytes of the last linker's "Program Size:" line; -1 before one.
  int64_t program_code_bytes() const { return program_code_bytes_; }

  void set_format(MessageFormat format) { format_ = format; }
  // The folder the tools run in (the project's), which their relative
  // paths start from, and the folder paths are shown relative to.
  void set_folders(const std::string& base, const std::string& cwd) {
    base_ = base;
    cwd_ = cwd;
  }
  // A line shown once, before the first tool line ("compiling",
  // "assembling", "linking", "creating ..."); an up-to-date build has none.
  void set_notice(const std::string& notice) { notice_ = notice; }

  // A text from the plug-in, in GBK. Kind 1: one line without line end;
  // kind 0: a text carrying its own line ends, written as it is.
  void Write(std::string_view gbk, int kind);
  // Writes the held summary line.
  void Flush();

 private:
  void Emit(const std::string& text);
  // One line of ours (local code page) with its line end.
  void EmitLine(const std::string& local);
  void ShowNotice();
  std::string Shown(const std::string& path) const;
  void ShowProgress(const std::string& line);
  void ShowDiagnostic(const std::string& line);
  // A diagnostic in the chosen layout; `plain` holds its lines as the
  // plain layout shows them, the first naming it, the others its details.
  void ShowTranslated(const Diagnostic& diagnostic, const std::vector<std::string>& plain);
  // A tool message with its detail lines is held until a line that is no
  // detail arrives: the file it concerns is named in a detail.
  bool TakeDetail(const std::string& line);
  void FlushPending();

  FILE* stream_;
  bool colour_;
  MessageFormat format_ = MessageFormat::kPlain;
  std::string base_;
  std::string cwd_;
  std::string notice_;                   // emptied once shown
  std::string program_ = "corvane-c51";  // the tool the last tool line started
  bool pending_ = false;
  bool pending_block_ = false;  // a compiler's fatal-error block, ended by "... TERMINATED."
  Diagnostic pending_diagnostic_;
  std::vector<std::string> pending_lines_;  // as the plain layout shows them
  int planned_ = 0;
  int seen_ = 0;
  int summary_errors_ = -1;
  int64_t program_code_bytes_ = -1;
  std::string held_summary_;  // converted, decorated, with its line end
};

}  // namespace c51::host

#endif  // C51_HOST_BUILD_OUTPUT_H_
