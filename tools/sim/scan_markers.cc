#include "sim/scan_markers.h"

#include <algorithm>

#include "sim/controls.h"
#include "sim/source_lines.h"

namespace c51::sim {

namespace {

enum class MarkerKind { kSim, kLink, kDepends };

bool IsWordChar(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || u == '_';
}

// Finds "SIM" + `suffix` as a word of its own in `text`; npos when absent.
size_t FindMarker(std::string_view text, std::string_view suffix) {
  const std::string key = "SIM" + std::string(suffix);
  for (size_t at = text.find(key); at != std::string_view::npos; at = text.find(key, at + 1)) {
    if (at == 0 || !IsWordChar(text[at - 1])) return at + key.size();
  }
  return std::string_view::npos;
}

// The kind of marker `comment` holds and the text after its "SIM...:";
// false when it holds none.
bool FindKind(std::string_view comment, MarkerKind* kind, std::string_view* rest) {
  constexpr std::pair<std::string_view, MarkerKind> kKinds[] = {
      {":", MarkerKind::kSim}, {"-LINK:", MarkerKind::kLink}, {"-DEPENDS:", MarkerKind::kDepends}};
  for (const auto& [suffix, found] : kKinds) {
    const size_t at = FindMarker(comment, suffix);
    if (at == std::string_view::npos) continue;
    *kind = found;
    *rest = comment.substr(at);
    return true;
  }
  return false;
}

// SIM-DEPENDS: <path>. False when no name follows.
bool ApplyDepends(std::string_view rest, ScanResult* result) {
  const std::string_view name = Unquote(Trim(rest));
  if (name.empty()) return false;
  result->extra_depends.emplace_back(name);
  return true;
}

enum class Applied { kNotThisKind, kDone, kNotUnderstood };

// CRASH, FLOOD, HANG and SLEEP: what the tool's process does around the
// translation.
Applied ApplyProcessMarker(std::string_view word, std::string_view rest, ScanResult* result) {
  if (word == "CRASH") {
    result->crash = true;
    return Applied::kDone;
  }
  if (word == "FLOOD") {
    uint32_t bytes;
    if (!ParseNumber(NextWord(&rest), &bytes)) return Applied::kNotUnderstood;
    const std::string style = ToUpper(Trim(rest));
    if (!style.empty() && style != "WARNINGS") return Applied::kNotUnderstood;
    result->flood_bytes += bytes;
    if (!style.empty()) result->flood_warnings = true;
    return Applied::kDone;
  }
  if (word == "HANG") {
    const std::string how = ToUpper(Trim(rest));
    if (!how.empty() && how != "IGNORE-INT") return Applied::kNotUnderstood;
    result->hang = std::max(result->hang, how.empty() ? ScanResult::Hang::kUntilKilled
                                                      : ScanResult::Hang::kIgnoringInterrupts);
    return Applied::kDone;
  }
  if (word == "SLEEP") {
    uint32_t ms;
    if (!ParseNumber(Trim(rest), &ms)) return Applied::kNotUnderstood;
    result->sleep_ms =
        std::min(kMaxSleepMilliseconds, result->sleep_ms + std::min(ms, kMaxSleepMilliseconds));
    return Applied::kDone;
  }
  return Applied::kNotThisKind;
}

// ERROR <code> <text>, WARNING <code> <text> (a diagnostic, or with
// SIM-LINK a message for the linker) and FATAL <text>. False when not
// understood; `fatal` tells a fatal error.
bool ApplyReportMarker(MarkerKind kind, std::string_view word, std::string_view rest,
                       const MarkerPosition& where, ScanResult* result, bool* fatal) {
  Severity severity;
  if (word == "ERROR") {
    severity = Severity::kError;
  } else if (word == "WARNING") {
    severity = Severity::kWarning;
  } else if (word == "FATAL" && kind == MarkerKind::kSim) {
    severity = Severity::kFatal;
  } else {
    return false;
  }
  std::string code;
  if (severity != Severity::kFatal) {
    code = NextWord(&rest);
    if (code.empty()) return false;
  }
  std::string text(Trim(rest));
  if (kind == MarkerKind::kLink) {
    result->link_markers.push_back(LinkMarker{severity, code, text});
    return true;
  }
  Diagnostic diagnostic;
  diagnostic.severity = severity;
  diagnostic.code = code;
  diagnostic.text = text;
  diagnostic.file = *where.file;
  diagnostic.line = where.line;
  if (severity == Severity::kFatal) diagnostic.line_text = Trim(where.line_text);
  result->diagnostics.push_back(std::move(diagnostic));
  *fatal = severity == Severity::kFatal;
  return true;
}

}  // namespace

bool ApplyMarker(std::string_view comment, const MarkerPosition& where, ScanResult* result) {
  MarkerKind kind;
  std::string_view rest;
  if (!FindKind(comment, &kind, &rest)) return false;
  bool understood = false;
  bool fatal = false;
  if (kind == MarkerKind::kDepends) {
    understood = ApplyDepends(rest, result);
  } else {
    const std::string word = ToUpper(NextWord(&rest));
    const Applied applied =
        kind == MarkerKind::kSim ? ApplyProcessMarker(word, rest, result) : Applied::kNotThisKind;
    understood = applied == Applied::kNotThisKind
                     ? ApplyReportMarker(kind, word, rest, where, result, &fatal)
                     : applied == Applied::kDone;
  }
  if (!understood) {
    result->ignored_markers.push_back(*where.file + "(" + std::to_string(where.line) + ")");
  }
  return fatal;
}

}  // namespace c51::sim
