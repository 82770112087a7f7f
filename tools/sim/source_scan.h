// Reads a source file and the files it includes, as the compiler and the
// assembler of the simulated toolchain see them: which headers it uses (for
// the dependency record), which diagnostics its comments ask for, and a
// deterministic stand-in for the code it would produce.
//
// Markers, in comments ("//" or "/* */" in C, ";" in assembly):
//   SIM: ERROR <code> <text>        an error at this line,
//                                   e.g. "SIM: ERROR C202 'x': undefined identifier"
//   SIM: WARNING <code> <text>      a warning at this line
//   SIM: FATAL <text>               a fatal error; translation stops here
//   SIM: SLEEP <milliseconds>       the tool waits this long before it reports (at most
//                                   kMaxSleepMilliseconds in all), so a test can act
//                                   while a translation is still running
//   SIM: CRASH                      (compiler) writes half its object, then ends by a signal
//   SIM: FLOOD <bytes> [WARNINGS]   (compiler) after its report, writes this many more
//                                   bytes to standard output: lines of filler text, or
//                                   with WARNINGS warning lines in its own layout; the
//                                   last line is cut where the count ends. Markers add up.
//   SIM: HANG [IGNORE-INT]          (compiler) before anything else, waits until it is
//                                   killed; with IGNORE-INT an interrupt (SIGINT) does not
//                                   end it. When the environment variable C51_SIM_PID_FILE
//                                   names a file, the compiler first writes its process
//                                   id there, then a line end
//   SIM-LINK: ERROR <code> <text>   an error the linker reports for this module
//   SIM-LINK: WARNING <code> <text>
//   SIM-DEPENDS: <path>             (assembly) one more header for the dependency record;
//                                   the compiler writes these into the assembly source it
//                                   generates
//
// Includes: C "#include "x.h"" and "#include <x.h>"; assembly "$INCLUDE (x.inc)" and "#include".
// Names are looked for where the Windows tools look (IncludeCandidates in
// sim/include_search.h): a quoted name in the including file's folder, the
// current folder, then `include_dirs`; an angle-bracket name in
// `include_dirs` only. Every file is read once, as if every header had an
// include guard; that also ends include cycles. Conditional directives
// (#if, #ifdef...) are not evaluated: every #include counts.
#ifndef C51_TOOLS_SIM_SOURCE_SCAN_H_
#define C51_TOOLS_SIM_SOURCE_SCAN_H_

#include <cstdint>
#include <string>
#include <vector>

#include "sim/files.h"
#include "sim/include_search.h"

namespace c51::sim {

enum class Severity { kWarning, kError, kFatal };

// The SLEEP markers of one translation add up to no more than this: a
// stray marker must not hang a build.
constexpr uint32_t kMaxSleepMilliseconds = 60000;

struct Diagnostic {
  Severity severity = Severity::kError;
  std::string code;  // "C202", "#A45"; empty for fatal errors
  std::string text;
  std::string file;       // as found: the source as given, or include folder + name
  int line = 0;           // 1-based; 0 when no line applies
  std::string line_text;  // fatal errors: the source line that caused it
};

struct LinkMarker {
  Severity severity = Severity::kError;  // kError or kWarning
  std::string code;                      // "L104"
  std::string text;
};

struct ScannedFile {
  std::string path;       // as found, for messages
  std::string full_path;  // absolute, for the dependency record
  int64_t time = 0;       // seconds since 1970
};

struct ScanSettings {
  Dialect dialect = Dialect::kC;
  std::vector<std::string> include_dirs;  // INCDIR folders, then the C51INC folders
  std::string cwd;                        // the current folder: relative paths are taken
                                          // against it and quoted names looked for in it
  PathStyle style = NativePathStyle();
  bool variables_in_xdata = false;  // C: the memory model puts variables in external RAM
};

struct ScanResult {
  enum class Status { kOkay, kSourceMissing, kFatal };
  Status status = Status::kOkay;
  std::vector<ScannedFile> files;          // [0] the source, then headers by first inclusion
  std::vector<std::string> extra_depends;  // SIM-DEPENDS names, as written
  std::vector<Diagnostic> diagnostics;     // in source order; a fatal one comes last
  std::vector<LinkMarker> link_markers;
  std::vector<std::string> ignored_markers;  // "file(line)" of markers that do not parse
  std::string source_text;                   // the source file itself
  std::string expanded;  // the text with each header in place of its first include line
  std::vector<uint8_t> code;
  uint32_t data = 0;
  uint32_t xdata = 0;
  // A CRASH marker: the compiler writes half its object, then ends by a
  // signal, as a tool that crashes while writing does.
  bool crash = false;
  uint32_t sleep_ms = 0;        // SLEEP markers, added up and capped at kMaxSleepMilliseconds
  uint64_t flood_bytes = 0;     // FLOOD markers, added up
  bool flood_warnings = false;  // a FLOOD marker asked for warning lines
  enum class Hang { kNo, kUntilKilled, kIgnoringInterrupts };
  Hang hang = Hang::kNo;  // the strongest HANG marker

  int Count(Severity severity) const;
};

ScanResult ScanSource(const std::string& source, const ScanSettings& settings, FileSource* files);

}  // namespace c51::sim

#endif  // C51_TOOLS_SIM_SOURCE_SCAN_H_
