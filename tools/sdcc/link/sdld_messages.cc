#include "sdcc/link/sdld_messages.h"

#include "sim/controls.h"

namespace c51::sdcc {

namespace {

constexpr std::string_view kErrorPrefix = "?ASlink-Error-";
constexpr std::string_view kWarningPrefix = "?ASlink-Warning-";

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

// The text between the first pair of single quotation marks after `from`.
std::string Quoted(std::string_view text, size_t from, size_t* after) {
  const size_t open = text.find('\'', from);
  if (open == std::string_view::npos) return std::string();
  const size_t close = text.find('\'', open + 1);
  if (close == std::string_view::npos) return std::string();
  *after = close + 1;
  return std::string(text.substr(open + 1, close - open - 1));
}

// The address space an sdld shortage message is about; empty when it is
// not one. Compared upper-cased: sdld capitalises these inconsistently.
std::string OverflowSpace(std::string_view message) {
  const std::string upper = c51::sim::ToUpper(message);
  // sdld only warns when PDATA outgrows its 256-byte page, and the
  // variables beyond then wrap onto the first ones.
  if (Contains(upper, "PAGED AREA") &&
      (Contains(upper, "LENGTH ERROR") || Contains(upper, "BOUNDARY ERROR"))) {
    return "PDATA";
  }
  if (!Contains(upper, "INSUFFICIENT") && !Contains(upper, "COULD NOT GET")) return std::string();
  if (Contains(upper, "ROM") || Contains(upper, "FLASH") || Contains(upper, "CODE")) return "CODE";
  if (Contains(upper, "EXTERNAL") || Contains(upper, "EXT.") || Contains(upper, "XSEG")) {
    return "XDATA";
  }
  return "DATA";
}

// sdcc's own diagnostics: "at 1: error 257: ...", "error: ...",
// "warning 118: ...". Its usage text ("--Werror  Treat ...") is none.
bool IsDriverMessage(std::string_view line) {
  for (std::string_view word : {std::string_view("error"), std::string_view("warning")}) {
    for (size_t at = line.find(word); at != std::string_view::npos; at = line.find(word, at + 1)) {
      const size_t end = at + word.size();
      const bool starts_word = at == 0 || line[at - 1] == ' ';
      const bool numbered =
          end + 1 < line.size() && line[end] == ' ' && line[end + 1] >= '0' && line[end + 1] <= '9';
      if (starts_word && (numbered || (end < line.size() && line[end] == ':'))) return true;
    }
  }
  return false;
}

SdldMessage Classify(std::string_view line) {
  SdldMessage message;
  std::string_view body = line;
  bool warning = false;
  if (StartsWith(line, kErrorPrefix)) {
    body.remove_prefix(kErrorPrefix.size());
  } else if (StartsWith(line, kWarningPrefix)) {
    body.remove_prefix(kWarningPrefix.size());
    warning = true;
  } else if (line.find("error") == std::string_view::npos) {
    warning = true;  // sdcc's own "warning 118: ..." lines
  }
  message.text = std::string(body);
  constexpr std::string_view kUndefined = "Undefined Global ";
  constexpr std::string_view kMultiple = "Multiple definition of ";
  size_t after = 0;
  if (StartsWith(body, kUndefined)) {
    message.kind = SdldMessage::kUnresolved;
    message.symbol = Quoted(body, 0, &after);
    if (!message.symbol.empty()) message.module = Quoted(body, after, &after);
  } else if (StartsWith(body, kMultiple)) {
    message.kind = SdldMessage::kMultiple;
    message.symbol = std::string(c51::sim::Trim(body.substr(kMultiple.size())));
  } else if (std::string space = OverflowSpace(body); !space.empty()) {
    message.kind = SdldMessage::kOverflow;
    message.space = space;
  } else {
    // sdld only warns when a short jump or a page-relative value cannot
    // reach ("2K Page relocation error"), yet the code it wrote then jumps
    // elsewhere: that program must not be taken for a good one.
    const bool broken_code = body.find("relocation error") != std::string_view::npos ||
                             body.find("Relocation Error") != std::string_view::npos;
    message.kind = warning && !broken_code ? SdldMessage::kOtherWarning : SdldMessage::kOtherError;
  }
  return message;
}

// A line that starts a message: sdld's prefixes, its multiple-definition
// line, and sdcc's own "error"/"warning" lines.
bool StartsMessage(std::string_view line) {
  if (StartsWith(line, kErrorPrefix) || StartsWith(line, kWarningPrefix) ||
      StartsWith(line, "Multiple definition of ")) {
    return true;
  }
  return IsDriverMessage(line);
}

bool SameMessage(const SdldMessage& a, const SdldMessage& b) {
  return a.kind == b.kind && a.text == b.text;
}

}  // namespace

std::vector<SdldMessage> ParseSdldOutput(std::string_view output) {
  std::vector<SdldMessage> messages;
  bool open = false;  // the last message may take continuation lines
  size_t pos = 0;
  while (pos < output.size()) {
    size_t end = output.find('\n', pos);
    if (end == std::string_view::npos) end = output.size();
    std::string_view line = output.substr(pos, end - pos);
    pos = end + 1;
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
    if (line.empty()) {
      open = false;
      continue;
    }
    if (open && (line[0] == ' ' || line[0] == '\t')) {
      messages.back().text += "; " + std::string(c51::sim::Trim(line));
      continue;
    }
    open = false;
    if (!StartsMessage(line)) continue;
    messages.push_back(Classify(line));
    open = true;
  }
  // Drop repeats once continuations are joined.
  std::vector<SdldMessage> unique;
  for (SdldMessage& message : messages) {
    bool seen = false;
    for (const SdldMessage& kept : unique) seen = seen || SameMessage(kept, message);
    if (!seen) unique.push_back(std::move(message));
  }
  return unique;
}

}  // namespace c51::sdcc
