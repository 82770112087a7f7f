#include "host/build_output.h"

#include <cstdlib>

#include "host/host_platform.h"
#include "host/path_display.h"
#include "host/rom_check.h"

namespace c51::host {
namespace {

constexpr char kReset[] = "\x1b[0m";
constexpr char kBold[] = "\x1b[1m";
constexpr char kRed[] = "\x1b[1;31m";
constexpr char kGreen[] = "\x1b[1;32m";
constexpr char kYellow[] = "\x1b[1;33m";

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

std::string Painted(const char* colour, std::string_view text) {
  return std::string(colour) + std::string(text) + kReset;
}

const char* SeverityColour(Severity severity) {
  return severity == Severity::kWarning ? kYellow : kRed;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// "C51 FATAL-ERROR -": the first line of a compiler's fatal-error block;
// the program's name before it.
bool FatalBlockStart(std::string_view line, std::string* program) {
  size_t at = line.find(" FATAL-ERROR");
  if (at == std::string_view::npos || at == 0 || line.find(' ') != at) return false;
  *program = std::string(line.substr(0, at));
  return true;
}

}  // namespace

bool SplitDiagnostic(std::string_view line, std::string_view* location, std::string_view* code,
                     std::string_view* text) {
  for (size_t open = line.find('(', 1); open != std::string_view::npos;
       open = line.find('(', open + 1)) {
    size_t i = open + 1;
    while (i < line.size() && line[i] >= '0' && line[i] <= '9') ++i;
    if (i == open + 1 || line.substr(i, 2) != "):") continue;
    size_t colon = line.find(':', i + 2);
    if (colon == std::string_view::npos) continue;
    *location = line.substr(0, i + 1);
    *code = line.substr(i + 2, colon - i - 2);
    *text = line.substr(colon + 1);
    return true;
  }
  return false;
}

int SummaryErrorCount(std::string_view line) {
  size_t marker = line.rfind(" error(s)");
  if (marker == std::string_view::npos) return -1;
  size_t start = marker;
  while (start > 0 && line[start - 1] >= '0' && line[start - 1] <= '9') --start;
  if (start == marker || marker - start > 9) return -1;
  int count = 0;
  for (size_t i = start; i < marker; ++i) count = count * 10 + (line[i] - '0');
  return count;
}

LineKind ClassifyLine(std::string_view line) {
  if (StartsWith(line, "compiling ") || StartsWith(line, "assembling ")) return LineKind::kProgress;
  if (StartsWith(line, "\"") && Contains(line, "\" - ") && EndsWith(line, " warning(s)."))
    return LineKind::kSummary;
  std::string_view location, code, text;
  if (SplitDiagnostic(line, &location, &code, &text)) return LineKind::kDiagnostic;
  if ((Contains(line, "***") && Contains(line, "ERROR")) || Contains(line, "FATAL-ERROR") ||
      line == "Program build aborted." || line == "Target not created" ||
      StartsWith(line, "Can not find") || StartsWith(line, "--- Error:"))
    return LineKind::kError;
  if (Contains(line, "***") && Contains(line, "WARNING")) return LineKind::kWarning;
  return LineKind::kPlain;
}

std::string DecorateLine(std::string_view line, LineKind kind, bool colour) {
  if (!colour) return std::string(line);
  switch (kind) {
    case LineKind::kDiagnostic: {
      std::string_view location, code, text;
      SplitDiagnostic(line, &location, &code, &text);
      return Painted(kBold, location) + ":" + Painted(SeverityColour(CodeSeverity(code)), code) +
             ":" + std::string(text);
    }
    case LineKind::kError:
      return Painted(kRed, line);
    case LineKind::kWarning:
      return Painted(kYellow, line);
    case LineKind::kSummary:
      return Painted(SummaryErrorCount(line) == 0 ? kGreen : kRed, line);
    case LineKind::kProgress:
    case LineKind::kPlain:
      break;
  }
  return std::string(line);
}

void BuildOutput::Emit(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stream_);
  std::fflush(stream_);
}

void BuildOutput::EmitLine(const std::string& local) {
  Emit(ToStreamEncoding(local, stream_) + "\n");
}

void BuildOutput::ShowNotice() {
  if (notice_.empty()) return;
  EmitLine(colour_ ? Painted(kYellow, notice_) : notice_);
  notice_.clear();
}

std::string BuildOutput::Shown(const std::string& path) const {
  // Without a project (a test's output) there is nothing to resolve against.
  return base_.empty() ? path : DisplayPath(path, base_, cwd_);
}

void BuildOutput::ShowProgress(const std::string& line) {
  ShowNotice();
  std::string shown = line;
  constexpr std::string_view kAssembling = "assembling ";
  if (StartsWith(line, kAssembling)) {
    program_ = "A51";
    if (EndsWith(line, "...")) {
      const std::string path =
          line.substr(kAssembling.size(), line.size() - 3 - kAssembling.size());
      shown = std::string(kAssembling) + Shown(path) + "...";
    }
  } else {
    program_ = "C51";
  }
  ++seen_;
  if (planned_ > 0 && seen_ > planned_) planned_ = seen_;
  std::string prefix = "[" + std::to_string(seen_);
  if (planned_ > 0) prefix += "/" + std::to_string(planned_);
  prefix += "] ";
  EmitLine((colour_ ? Painted(kBold, prefix) : prefix) + shown);
}

void BuildOutput::ShowTranslated(const Diagnostic& diagnostic,
                                 const std::vector<std::string>& plain) {
  size_t first = 0;
  if (format_ == MessageFormat::kGnu) {
    // The GNU line stands for the first plain one; detail lines follow.
    EmitLine(colour_ ? Painted(kBold, GnuLocation(diagnostic) + ":") + " " +
                           Painted(SeverityColour(diagnostic.severity),
                                   std::string(SeverityName(diagnostic.severity)) + ":") +
                           " " + GnuMessage(diagnostic)
                     : GnuLine(diagnostic));
    first = 1;
  }
  for (size_t i = first; i < plain.size(); ++i) EmitLine(plain[i]);
  if (format_ == MessageFormat::kGithub) EmitLine(GithubLine(diagnostic));
}

void BuildOutput::ShowDiagnostic(const std::string& line) {
  std::string_view location, code, text;
  SplitDiagnostic(line, &location, &code, &text);
  const size_t open = location.rfind('(');
  Diagnostic diagnostic;
  diagnostic.severity = CodeSeverity(code);
  diagnostic.file = Shown(std::string(location.substr(0, open)));
  diagnostic.line = std::atoi(std::string(location.substr(open + 1)).c_str());
  diagnostic.code = std::string(code);
  diagnostic.text = std::string(text);
  diagnostic.program = program_;
  const std::string plain = diagnostic.file + std::string(location.substr(open)) + ":" +
                            std::string(code) + ":" + std::string(text);
  ShowTranslated(diagnostic, {DecorateLine(plain, LineKind::kDiagnostic, colour_)});
}

bool BuildOutput::TakeDetail(const std::string& line) {
  Diagnostic& diagnostic = pending_diagnostic_;
  if (pending_block_ && EndsWith(line, " TERMINATED.")) {
    pending_lines_.push_back(line);
    FlushPending();
    return true;
  }
  if (line.empty() || !IsBlank(line[0])) return false;
  std::string shown = line;
  size_t start = 0, length = 0;
  int number = 0;
  if (DetailPath(line, &start, &length, &number)) {
    const std::string path = Shown(line.substr(start, length));
    shown = line.substr(0, start) + path + line.substr(start + length);
    if (diagnostic.file.empty()) {
      diagnostic.file = path;
      diagnostic.line = number;
    }
  }
  if (pending_block_) {
    // The block's "ERROR:" line says what went wrong.
    const size_t first = line.find_first_not_of(" \t");
    if (diagnostic.text.empty() && first != std::string::npos &&
        line.compare(first, 6, "ERROR:") == 0)
      diagnostic.text = line.substr(first + 6);
  }
  pending_lines_.push_back(shown);
  diagnostic.details.push_back(shown);
  return true;
}

void BuildOutput::FlushPending() {
  if (!pending_) return;
  pending_ = false;
  Diagnostic& diagnostic = pending_diagnostic_;
  if (pending_block_ && diagnostic.text.empty()) diagnostic.text = "FATAL-ERROR";
  const LineKind kind =
      diagnostic.severity == Severity::kWarning ? LineKind::kWarning : LineKind::kError;
  pending_lines_.front() = DecorateLine(pending_lines_.front(), kind, colour_);
  ShowTranslated(diagnostic, pending_lines_);
  pending_lines_.clear();
  pending_block_ = false;
}

void BuildOutput::Write(std::string_view gbk, int kind) {
  if (kind != 1) {
    FlushPending();
    Emit(ToStreamEncoding(gbk, stream_));
    return;
  }
  const std::string line(gbk);
  if (const int64_t code = ProgramCodeBytes(line); code >= 0) program_code_bytes_ = code;
  if (pending_ && TakeDetail(line)) return;
  FlushPending();
  const LineKind line_kind = ClassifyLine(line);
  switch (line_kind) {
    case LineKind::kProgress:
      ShowProgress(line);
      return;
    case LineKind::kDiagnostic:
      ShowDiagnostic(line);
      return;
    case LineKind::kSummary:
      summary_errors_ = SummaryErrorCount(line);
      Flush();
      held_summary_ = ToStreamEncoding(DecorateLine(line, line_kind, colour_), stream_) + "\n";
      return;
    case LineKind::kError:
    case LineKind::kWarning: {
      Diagnostic diagnostic;
      std::string program;
      if (ParseToolMessage(line, &diagnostic)) {
        diagnostic.program = program_;
      } else if (FatalBlockStart(line, &program)) {
        diagnostic.severity = Severity::kFatal;
        diagnostic.program = program;
        pending_block_ = true;
      } else {
        break;
      }
      pending_ = true;
      pending_diagnostic_ = std::move(diagnostic);
      pending_lines_.assign(1, line);
      return;
    }
    case LineKind::kPlain: {
      constexpr std::string_view kHexFrom = "creating hex file from \"";
      if (line == "linking..." || line == "creating library...") {
        ShowNotice();
        program_ = line == "linking..." ? "BL51" : "LIB51";
      } else if (StartsWith(line, kHexFrom) && EndsWith(line, "\"...")) {
        ShowNotice();
        program_ = "OH51";
        const std::string path = line.substr(kHexFrom.size(), line.size() - kHexFrom.size() - 4);
        EmitLine(std::string(kHexFrom) + Shown(path) + "\"...");
        return;
      }
      break;
    }
  }
  EmitLine(DecorateLine(line, line_kind, colour_));
}

void BuildOutput::Flush() {
  FlushPending();
  if (held_summary_.empty()) return;
  Emit(held_summary_);
  held_summary_.clear();
}

}  // namespace c51::host
