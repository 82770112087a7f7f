// The part the compiler and the assembler share: scan the source, report
// its diagnostics in the tool's layout, write the object file (dependency
// record first), the listing and the other requested outputs.
#ifndef C51_TOOLS_SIM_TRANSLATION_H_
#define C51_TOOLS_SIM_TRANSLATION_H_

#include <string>
#include <string_view>
#include <vector>

#include "sim/console.h"
#include "sim/controls.h"
#include "sim/files.h"
#include "sim/source_scan.h"

namespace c51::sim {

struct TranslateRequest {
  Dialect dialect = Dialect::kC;  // kC: the compiler's layouts; kAssembly: the assembler's
  std::string source;             // as given on the command line
  std::string object_path;        // empty: no object (NOOBJECT, or `src_path` set)
  std::string src_path;           // compiler: write assembly source here instead of an object
  std::string print_path;         // listing; empty: none
  std::string preprint_path;      // compiler: the text with its headers in place
  std::string model = "SMALL";
  std::string controls;  // the controls as understood, for the object and the listing
  std::string invocation;
  ScanSettings scan;
  bool warnings = true;  // false: warnings are not reported (WARNINGLEVEL (0))
};

// Compiler:  *** ERROR C202 IN LINE 12 OF .\main.c: 'x': undefined identifier
// Assembler: *** ERROR #A45 IN 3 (.\start.a51, LINE 3): UNDEFINED SYMBOL
// (WARNING in place of ERROR for warnings.)
std::string FormatDiagnostic(Dialect dialect, const Diagnostic& diagnostic);

// Compiler:  C51 COMPILATION COMPLETE.  1 WARNING(S),  0 ERROR(S)
// Assembler: ASSEMBLY COMPLETE.  1 WARNING(S),  0 ERROR(S)
std::string FormatSummary(Dialect dialect, int warnings, int errors);

// The assembly source the compiler writes for SRC(...): the code as DB
// lines, the variables as DS, and the headers and link markers as
// SIM-DEPENDS and SIM-LINK comments, so the assembler's object carries them.
std::string FormatGeneratedAssembly(const std::string& source, const ScanResult& scan,
                                    const std::string& model, bool variables_in_xdata);

// Prints the banner, runs the translation and returns the exit code.
int Translate(const TranslateRequest& request, FileSource* files, Console* console);

// Tool names as the banners, fatal blocks and records use them.
const char* ToolName(Dialect dialect);
std::string Banner(Dialect dialect);

// The controls, one blank between them, as the tool understood them.
std::string NormalizeControls(const std::vector<Control>& controls);

// The ";"-separated folders of the environment variable "C51INC".
std::vector<std::string> EnvironmentIncludeDirs();

// The start of a listing file every translating tool writes, lines ended
// by CR LF: the banner with the module's name, where the object went, the
// command line, and the source with its line numbers, then a blank line.
std::string FormatListingHead(const std::string& banner, std::string_view source_path,
                              const std::string& target, std::string_view tool,
                              const std::string& invocation, std::string_view source_text);

}  // namespace c51::sim

#endif  // C51_TOOLS_SIM_TRANSLATION_H_
