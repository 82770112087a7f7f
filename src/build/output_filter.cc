#include "build/output_filter.h"

#include <climits>

#include "build/scan_format.h"
#include "build/tool_runner.h"
#include "platform/ascii_case.h"
#include "plugin/state.h"
#include "project/host_services.h"
#include "support/path_text.h"

namespace c51 {
namespace {

// The tools' own message formats, read as the C library's sscanf would.
// C51: code, skip to the digits, line, skip one word, file up to ":", text.
constexpr const char* kC51Error = "*** ERROR%s%*[^0-9]%d%*s%[^:]:%[^\n]";
constexpr const char* kC51Warning = "*** WARNING%s%*[^0-9]%d%*s%[^:]:%[^\n]";
// A51: code, skip to "(", file up to ",", skip to the digits, line, "):", text.
constexpr const char* kA51Error = "*** ERROR%s%*[^(](%[^,],%*[^0-9]%d):%[^\n]";
constexpr const char* kA51Warning = "*** WARNING%s%*[^(](%[^,],%*[^0-9]%d):%[^\n]";

enum class Severity { kError, kWarning };

bool Contains(const std::string& text, const char* part) {
  return text.find(part) != std::string::npos;
}

// Found, and not as the line's first character.
bool ContainsAfterStart(const std::string& text, const char* part) {
  size_t pos = text.find(part);
  return pos != std::string::npos && pos > 0;
}

// Counters are signed 32-bit; a hostile summary must not overflow them.
int SaturatingAdd(int a, int b) {
  if (b > 0 && a > INT_MAX - b) return INT_MAX;
  if (b < 0 && a < INT_MIN - b) return INT_MIN;
  return a + b;
}

bool IsScanSpace(unsigned char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string TrimLeft(const std::string& text) {
  size_t start = 0;
  while (start < text.size() && IsScanSpace(static_cast<unsigned char>(text[start]))) ++start;
  return text.substr(start);
}

// "path(line):code:text" from an upper-cased diagnostic; false when no line
// number of at least 1 was read. Fields the scan did not reach stay empty.
bool FormatDiagnostic(const std::string& upper, MessageLayout layout, Severity severity,
                      const std::string& working_dir, std::string* out) {
  const char* format = layout == MessageLayout::kC51
                           ? (severity == Severity::kError ? kC51Error : kC51Warning)
                           : (severity == Severity::kError ? kA51Error : kA51Warning);
  std::vector<ScanField> fields;
  ScanFormat(upper, format, &fields);
  fields.resize(4);
  // C51 reads code, line, file, text; A51 code, file, line, text.
  const bool c51 = layout == MessageLayout::kC51;
  const ScanField& code = fields[0];
  const ScanField& line = c51 ? fields[1] : fields[2];
  const ScanField& file = c51 ? fields[2] : fields[1];
  const ScanField& text = fields[3];
  if (line.number < 1) return false;
  std::string path = TrimLeft(file.text);
  if (!IsAbsolutePath(path)) path = working_dir + path;
  *out = path + "(" + std::to_string(line.number) + "):" + code.text + ":" + text.text;
  return true;
}

// The decimal number that ends just before `pos`, blanks skipped; 0 when
// there is none, INT_MAX when it does not fit.
int NumberBefore(const std::string& text, size_t pos) {
  size_t end = pos;
  while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
  size_t start = end;
  while (start > 0 && text[start - 1] >= '0' && text[start - 1] <= '9') --start;
  long long value = 0;
  for (size_t i = start; i < end; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > INT_MAX) return INT_MAX;
  }
  return static_cast<int>(value);
}

}  // namespace

std::vector<std::string> SplitToolLines(std::string_view captured) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (;;) {
    size_t end = captured.find("\r\n", start);
    if (end == std::string_view::npos) break;
    if (end > start) {
      std::string line(captured.substr(start, end - start));
      if (line.back() == '\r') line.back() = ' ';
      size_t nul = line.find('\0');
      if (nul != std::string::npos) line.resize(nul);
      lines.push_back(std::move(line));
    }
    start = end + 2;
  }
  return lines;
}

FilterResult FilterCompilerOutput(std::string_view captured, MessageLayout layout,
                                  const std::string& working_dir) {
  FilterResult result;
  bool passing = true;
  Severity severity = Severity::kError;
  for (std::string& line : SplitToolLines(captured)) {
    if (!passing) {
      result.lines.push_back(std::move(line));
      continue;
    }
    std::string upper = ToUpperAscii(line);
    if (Contains(upper, "FATAL-ERROR")) {
      // The tool gave up: its own words are all there is to show.
      passing = false;
      result.success = false;
      result.lines.push_back(std::move(line));
      continue;
    }
    if (!Contains(upper, "***")) continue;
    if (ContainsAfterStart(upper, "ERROR ")) {
      severity = Severity::kError;
      result.errors = SaturatingAdd(result.errors, 1);
      result.success = false;
    }
    if (ContainsAfterStart(upper, "WARNING ")) {
      severity = Severity::kWarning;
      result.warnings = SaturatingAdd(result.warnings, 1);
    }
    std::string diagnostic;
    if (FormatDiagnostic(upper, layout, severity, working_dir, &diagnostic)) {
      result.lines.push_back(std::move(diagnostic));
    }
  }
  return result;
}

FilterResult FilterLinkerOutput(std::string_view captured) {
  FilterResult result;
  bool in_banner = true;
  for (std::string& line : SplitToolLines(captured)) {
    std::string upper = ToUpperAscii(line);
    if (Contains(upper, "PROGRAM SIZE:")) {
      // Shown even inside the banner.
    } else if (in_banner && !Contains(upper, "***")) {
      continue;
    } else {
      in_banner = false;
      size_t errors_at = upper.find(" ERROR(S)");
      if (errors_at != std::string::npos && errors_at > 0) {
        result.errors = SaturatingAdd(result.errors, NumberBefore(upper, errors_at));
        size_t warnings_at = upper.find(" WARNING(S)");
        if (warnings_at != std::string::npos) {
          result.warnings = SaturatingAdd(result.warnings, NumberBefore(upper, warnings_at));
        }
        continue;
      }
    }
    if (Contains(upper, "***") && Contains(upper, "ERROR")) result.success = false;
    result.lines.push_back(std::move(line));
  }
  return result;
}

bool ReportFilterResult(PluginState* state, const FilterResult& result) {
  if (state->host != nullptr) {
    for (const std::string& line : result.lines) state->host->Output(line.c_str(), 1);
  }
  state->error_count = SaturatingAdd(state->error_count, result.errors);
  state->warning_count = SaturatingAdd(state->warning_count, result.warnings);
  // A run that failed without an error line (a fatal stop) is one error of
  // its own: four files stopped by a missing header are four.
  if (!result.success && result.errors == 0) {
    state->error_count = SaturatingAdd(state->error_count, 1);
  }
  return result.success;
}

bool ReportToolFailure(PluginState* state, const ToolRun& run) {
  // A cut output is worth a warning: whatever the tool said past the cut
  // is not counted.
  if (!run.notice.empty()) {
    if (state->host != nullptr) state->host->Output(run.notice.c_str(), 1);
    state->warning_count = SaturatingAdd(state->warning_count, 1);
  }
  if (run.failure.empty()) return true;
  ReportBuildError(state, run.failure);
  return false;
}

void ReportBuildError(PluginState* state, const std::string& line) {
  if (state->host != nullptr) state->host->Output(line.c_str(), 1);
  state->error_count = SaturatingAdd(state->error_count, 1);
}

bool RunCompilerTool(PluginState* state, const std::string& command_line,
                     const std::string& /*file*/, MessageLayout layout) {
  const std::string working_dir = ToolWorkingDirectory(*state);
  const ToolRun run = RunTool(state, command_line, working_dir);
  const bool filtered =
      ReportFilterResult(state, FilterCompilerOutput(run.output, layout, working_dir));
  return ReportToolFailure(state, run) && filtered;
}

bool RunLinkerTool(PluginState* state, const std::string& command_line) {
  const ToolRun run = RunTool(state, command_line, ToolWorkingDirectory(*state));
  const bool filtered = ReportFilterResult(state, FilterLinkerOutput(run.output));
  return ReportToolFailure(state, run) && filtered;
}

}  // namespace c51
