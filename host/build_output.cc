#include "host/build_output.h"

#include "host/host_platform.h"

namespace c51::host {
namespace {

constexpr char kReset[] = "\x1b[0m";
constexpr char kBold[] = "\x1b[1m";
constexpr char kRed[] = "\x1b[1;31m";
constexpr char kGreen[] = "\x1b[1;32m";
constexpr char kYellow[] = "\x1b[1;33m";
constexpr char kCyan[] = "\x1b[36m";

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
      return Painted(kBold, location) + ":" + Painted(kCyan, code) + ":" + std::string(text);
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

void BuildOutput::Write(std::string_view gbk, int kind) {
  std::string text = ToStreamEncoding(gbk, stream_);
  if (kind != 1) {
    Emit(text);
    return;
  }
  LineKind line_kind = ClassifyLine(text);
  std::string shown = DecorateLine(text, line_kind, colour_);
  if (line_kind == LineKind::kProgress) {
    ++seen_;
    if (planned_ > 0 && seen_ > planned_) planned_ = seen_;
    std::string prefix = "[" + std::to_string(seen_);
    if (planned_ > 0) prefix += "/" + std::to_string(planned_);
    prefix += "] ";
    shown = (colour_ ? Painted(kBold, prefix) : prefix) + shown;
  }
  if (line_kind == LineKind::kSummary) {
    summary_errors_ = SummaryErrorCount(text);
    Flush();
    held_summary_ = shown + "\n";
    return;
  }
  Emit(shown + "\n");
}

void BuildOutput::Flush() {
  if (held_summary_.empty()) return;
  Emit(held_summary_);
  held_summary_.clear();
}

}  // namespace c51::host
