// Diagnostics in the layouts other programs read: the plug-in's own
// ("path(line):code:text", the linker's "*** WARNING L16: ..." with its
// indented detail lines), the GNU one that editors and problem matchers
// parse without configuration, and GitHub Actions workflow commands that
// put annotations on a pull request.
#ifndef C51_HOST_MESSAGE_FORMAT_H_
#define C51_HOST_MESSAGE_FORMAT_H_

#include <string>
#include <string_view>
#include <vector>

namespace c51::host {

enum class MessageFormat {
  kPlain,   // the plug-in's layout, paths shown as files that exist
  kGnu,     // "src/main.c:6: warning: C280: text"
  kGithub,  // the plain lines plus "::warning file=...,line=6,title=C280::text"
};

// "plain", "gnu", "github"; false for anything else.
bool ParseMessageFormat(std::string_view name, MessageFormat* format);

enum class Severity { kWarning, kError, kFatal };

// One diagnostic, its file already as shown (path_display.h).
struct Diagnostic {
  Severity severity = Severity::kError;
  std::string file;                  // empty: the message names none
  int line = 0;                      // 0: none
  std::string code;                  // "C280", "L16", "#A45"; empty: none
  std::string text;                  // without location, severity and code
  std::string program;               // the tool that spoke ("BL51"), named when there is no file
  std::vector<std::string> details;  // the indented lines after it, as shown
};

// The plug-in's compiler and assembler lines carry no severity word; the
// code tells it. The codes the compilers give as warnings are known
// (C280, C206, C294, ...); any other code is an error, so a failure is
// never passed over as a warning.
Severity CodeSeverity(std::string_view code);

// A tool's own message line (the linker's and library manager's, passed
// on as they wrote it, and the plug-in's tool failures):
//   "*** WARNING L16: UNCALLED SEGMENT" => warning, "L16", "UNCALLED SEGMENT"
//   "*** FATAL ERROR L210: I/O ERROR ON INPUT FILE:" => fatal, "L210", "I/O ERROR ON INPUT FILE"
//   "*** ERROR 210: CAN'T OPEN FILE" => error, "210", "CAN'T OPEN FILE"
//   "*** ERROR: \"C51.exe\" could not be started" => error, "", "\"C51.exe\" ..."
// False for a line that is none.
bool ParseToolMessage(std::string_view line, Diagnostic* diagnostic);

// Where the file named by a detail line is: "MODULE:  <path> (<name>)",
// "FILE:    <path>" or "FILE:    <path>, LINE <n>" (a compiler's fatal
// error), after any indentation. `line` gets n, else 0. False when the
// line names no file.
//   "    MODULE:  .\Debug\main.obj (MAIN)" => ".\Debug\main.obj"
//   "  FILE:    C:\P\MAIN.C, LINE 3" => "C:\P\MAIN.C", 3
bool DetailPath(std::string_view detail, size_t* start, size_t* length, int* line);

// "warning", "error", "fatal error".
const char* SeverityName(Severity severity);

// "src/main.c:6: warning: C280: text"; without a line "Debug/m.obj:
// error: L104: text"; without a file the program's name in its place.
// Its parts: the location ("src/main.c:6") and the message ("C280: text").
std::string GnuLine(const Diagnostic& diagnostic);
std::string GnuLocation(const Diagnostic& diagnostic);
std::string GnuMessage(const Diagnostic& diagnostic);

// "::warning file=src/main.c,line=6,title=C280::text", the detail lines
// joined to the text as lines of their own; escaped as workflow commands
// want it ("%", CR and LF everywhere, ":" and "," in the properties too).
std::string GithubLine(const Diagnostic& diagnostic);

}  // namespace c51::host

#endif  // C51_HOST_MESSAGE_FORMAT_H_
