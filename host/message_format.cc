#include "host/message_format.h"

#include <algorithm>
#include <iterator>

namespace c51::host {
namespace {

// The codes the compiler gives as warnings: missing return expression,
// pointers to different objects or memory spaces, dead assignment,
// qualifiers, missing prototype, unknown pragma, pointer truncation, bit in
// a reentrant function, recursion of a non-reentrant one, expressions
// without effect, constant conditions, unreferenced locals, missing return
// values, unreachable code, a macro redefined, an unknown identifier or
// extra text in a preprocessor line. C998 is the SDCC-backed compiler's
// warning without a counterpart. Sorted: a binary search finds one.
constexpr std::string_view kWarningCodes[] = {
    "C173", "C182", "C183", "C185", "C196", "C206", "C245", "C258", "C259", "C260", "C261",
    "C265", "C275", "C276", "C280", "C290", "C291", "C294", "C317", "C322", "C323", "C998"};
static_assert(std::is_sorted(std::begin(kWarningCodes), std::end(kWarningCodes)));

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && (IsBlank(text.back()) || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

std::string EscapeData(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '%')
      out += "%25";
    else if (c == '\r')
      out += "%0D";
    else if (c == '\n')
      out += "%0A";
    else
      out += c;
  }
  return out;
}

std::string EscapeProperty(std::string_view text) {
  std::string out;
  for (char c : EscapeData(text)) {
    if (c == ':')
      out += "%3A";
    else if (c == ',')
      out += "%2C";
    else
      out += c;
  }
  return out;
}

// The text as a GNU line shows it: a trailing ":" that introduced the
// detail naming the file goes, the file is the location now.
std::string GnuText(const Diagnostic& diagnostic) {
  std::string_view text = Trimmed(diagnostic.text);
  if (!text.empty() && text.back() == ':') text = Trimmed(text.substr(0, text.size() - 1));
  return std::string(text);
}

}  // namespace

bool ParseMessageFormat(std::string_view name, MessageFormat* format) {
  if (name == "plain") {
    *format = MessageFormat::kPlain;
  } else if (name == "gnu") {
    *format = MessageFormat::kGnu;
  } else if (name == "github") {
    *format = MessageFormat::kGithub;
  } else {
    return false;
  }
  return true;
}

Severity CodeSeverity(std::string_view code) {
  return std::binary_search(std::begin(kWarningCodes), std::end(kWarningCodes), code)
             ? Severity::kWarning
             : Severity::kError;
}

bool ParseToolMessage(std::string_view line, Diagnostic* diagnostic) {
  std::string_view rest = Trimmed(line);
  if (!StartsWith(rest, "***")) return false;
  rest = Trimmed(rest.substr(3));
  Severity severity;
  if (StartsWith(rest, "FATAL ERROR")) {
    severity = Severity::kFatal;
    rest.remove_prefix(11);
  } else if (StartsWith(rest, "ERROR")) {
    severity = Severity::kError;
    rest.remove_prefix(5);
  } else if (StartsWith(rest, "WARNING")) {
    severity = Severity::kWarning;
    rest.remove_prefix(7);
  } else {
    return false;
  }
  std::string_view code;
  if (!rest.empty() && IsBlank(rest.front())) {
    // A code is one word right before the colon: "L16:", "210:".
    std::string_view word = Trimmed(rest);
    size_t end = 0;
    while (end < word.size() && !IsBlank(word[end]) && word[end] != ':') ++end;
    if (end > 0 && end < word.size() && word[end] == ':') {
      code = word.substr(0, end);
      rest = word.substr(end);
    } else {
      rest = word;
    }
  } else if (!rest.empty() && rest.front() != ':') {
    return false;  // "*** ERRORS" is no severity word
  }
  if (!rest.empty() && rest.front() == ':') rest.remove_prefix(1);
  *diagnostic = Diagnostic{};
  diagnostic->severity = severity;
  diagnostic->code = std::string(code);
  diagnostic->text = std::string(Trimmed(rest));
  return true;
}

bool DetailPath(std::string_view detail, size_t* start, size_t* length, int* line) {
  size_t begin = 0;
  while (begin < detail.size() && IsBlank(detail[begin])) ++begin;
  std::string_view rest = detail.substr(begin);
  const bool module = StartsWith(rest, "MODULE:");
  if (!module && !StartsWith(rest, "FILE:")) return false;
  begin += module ? 7 : 5;
  while (begin < detail.size() && IsBlank(detail[begin])) ++begin;
  size_t end = detail.size();
  while (end > begin && (IsBlank(detail[end - 1]) || detail[end - 1] == '\r')) --end;
  *line = 0;
  if (module) {
    // The module's name in parentheses follows the file.
    size_t open = detail.rfind(" (", end);
    if (open != std::string_view::npos && open > begin && detail[end - 1] == ')') end = open;
  } else {
    size_t at = detail.rfind(", LINE ", end);
    if (at != std::string_view::npos && at > begin) {
      int number = 0;
      size_t i = at + 7;
      for (; i < end && detail[i] >= '0' && detail[i] <= '9' && number < 100000000; ++i)
        number = number * 10 + (detail[i] - '0');
      if (i == end && i > at + 7) {
        *line = number;
        end = at;
      }
    }
  }
  if (end <= begin) return false;
  *start = begin;
  *length = end - begin;
  return true;
}

const char* SeverityName(Severity severity) {
  switch (severity) {
    case Severity::kWarning:
      return "warning";
    case Severity::kFatal:
      return "fatal error";
    case Severity::kError:
      break;
  }
  return "error";
}

std::string GnuLocation(const Diagnostic& diagnostic) {
  std::string out = diagnostic.file.empty() ? diagnostic.program : diagnostic.file;
  if (diagnostic.line > 0) out += ":" + std::to_string(diagnostic.line);
  return out;
}

std::string GnuMessage(const Diagnostic& diagnostic) {
  return diagnostic.code.empty() ? GnuText(diagnostic)
                                 : diagnostic.code + ": " + GnuText(diagnostic);
}

std::string GnuLine(const Diagnostic& diagnostic) {
  return GnuLocation(diagnostic) + ": " + SeverityName(diagnostic.severity) + ": " +
         GnuMessage(diagnostic);
}

std::string GithubLine(const Diagnostic& diagnostic) {
  std::string properties;
  auto add = [&properties](const char* name, std::string_view value) {
    if (value.empty()) return;
    properties += properties.empty() ? " " : ",";
    properties += std::string(name) + "=" + EscapeProperty(value);
  };
  add("file", diagnostic.file);
  if (diagnostic.line > 0) add("line", std::to_string(diagnostic.line));
  add("title", diagnostic.code.empty() ? diagnostic.program : diagnostic.code);
  std::string message(Trimmed(diagnostic.text));
  for (const std::string& detail : diagnostic.details)
    message += "\n" + std::string(Trimmed(detail));
  const char* command = diagnostic.severity == Severity::kWarning ? "warning" : "error";
  return std::string("::") + command + properties + "::" + EscapeData(message);
}

}  // namespace c51::host
