#include "host/message_format.h"

namespace c51::host {
namespace {

// The codes the compilers give as warnings (the SDCC-backed compiler maps
// sdcc's warnings onto these).
constexpr std::string_view kWarningCodes[] = {"C173", "C206", "C280", "C294"};

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
  for (std::string_view warning : kWarningCodes)
    if (code == warning) return Severity::kWarning;
  return Severity::kError;
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
