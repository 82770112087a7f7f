#include "host/settings_report.h"

#include <cstdlib>
#include <map>

#include "platform/ascii_case.h"

namespace c51::host {
namespace {

constexpr std::string_view kLabelPrefix = "  -1 label ";

// The lines of `text` without their line ends.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

// Reads a quoted text at `*i` as the report writes it and moves past it.
bool ReadQuoted(std::string_view line, size_t* i, std::string* text) {
  if (*i >= line.size() || line[*i] != '"') return false;
  text->clear();
  for (size_t j = *i + 1; j < line.size(); ++j) {
    char c = line[j];
    if (c == '"') {
      *i = j + 1;
      return true;
    }
    if (c == '\\' && j + 1 < line.size()) {
      c = line[++j];
      if (c == 'r') c = '\r';
      if (c == 'n') c = '\n';
    }
    *text += c;
  }
  return false;
}

// The word at `*i` up to the next blank, and `*i` past the blank.
std::string_view ReadWord(std::string_view line, size_t* i) {
  size_t end = line.find(' ', *i);
  if (end == std::string_view::npos) end = line.size();
  std::string_view word = line.substr(*i, end - *i);
  *i = end < line.size() ? end + 1 : end;
  return word;
}

bool ParseInt(std::string_view text, int* value) {
  if (text.empty() || text.size() > 10) return false;
  size_t i = text[0] == '-' ? 1 : 0;
  if (i == text.size()) return false;
  for (size_t j = i; j < text.size(); ++j)
    if (text[j] < '0' || text[j] > '9') return false;
  *value = std::atoi(std::string(text).c_str());
  return true;
}

// "[page N \"caption\"]": the index and caption.
bool ParsePageHeading(std::string_view line, int* index, std::string* caption) {
  constexpr std::string_view kHead = "[page ";
  if (line.substr(0, kHead.size()) != kHead) return false;
  size_t i = kHead.size();
  if (!ParseInt(ReadWord(line, &i), index)) return false;
  return ReadQuoted(line, &i, caption);
}

}  // namespace

bool NamedByCaption(const std::string& kind) {
  return kind == "check" || kind == "radio" || kind == "button" || kind == "group";
}

bool ParseControlLine(std::string_view line, ReportControl* control) {
  if (line.substr(0, 2) != "  ") return false;
  size_t i = 2;
  ReportControl c;
  if (!ParseInt(ReadWord(line, &i), &c.id) || c.id < 0) return false;
  c.kind = std::string(ReadWord(line, &i));
  if (c.kind.empty()) return false;
  for (;;) {
    size_t next = i;
    std::string_view word = ReadWord(line, &next);
    if (word == "disabled") {
      c.enabled = false;
    } else if (word == "hidden") {
      c.visible = false;
    } else {
      break;
    }
    i = next;
  }
  if (c.kind == "check" || c.kind == "radio") {
    std::string_view state = ReadWord(line, &i);
    if (state.size() < 3 || state.front() != '[' || state.back() != ']' ||
        !ParseInt(state.substr(1, state.size() - 2), &c.check)) {
      return false;
    }
  } else if (c.kind == "list" || c.kind == "listbox") {
    std::string_view counts = ReadWord(line, &i);
    size_t slash = counts.find('/');
    if (slash == std::string_view::npos || !ParseInt(counts.substr(0, slash), &c.selection) ||
        !ParseInt(counts.substr(slash + 1), &c.count)) {
      return false;
    }
    if (c.kind == "listbox") {
      while (i < line.size()) {
        std::string item;
        if (!ReadQuoted(line, &i, &item)) return false;
        c.items.push_back(std::move(item));
        if (i < line.size() && line[i] == ' ') ++i;
      }
      if (c.selection >= 0 && c.selection < static_cast<int>(c.items.size()))
        c.text = c.items[static_cast<size_t>(c.selection)];
      *control = std::move(c);
      return true;
    }
  }
  if (!ReadQuoted(line, &i, &c.text) || i != line.size()) return false;
  if (NamedByCaption(c.kind)) c.label = c.text;
  *control = std::move(c);
  return true;
}

std::vector<ReportPage> ReportedPages(const std::string& report) {
  // A page shown by "show" comes again in the closing section: the last
  // block of each page is the one that counts.
  std::map<int, ReportPage> pages;
  ReportPage* current = nullptr;
  std::string label;
  for (std::string_view line : Lines(report)) {
    int index = 0;
    std::string caption;
    if (ParsePageHeading(line, &index, &caption)) {
      current = &pages[index];
      *current = ReportPage{index, caption, {}};
      label.clear();
      continue;
    }
    if (line.substr(0, 2) != "  ") {
      current = nullptr;
      continue;
    }
    if (!current) continue;
    if (line.substr(0, kLabelPrefix.size()) == kLabelPrefix) {
      size_t i = kLabelPrefix.size();
      if (!ReadQuoted(line, &i, &label)) label.clear();
      continue;
    }
    ReportControl control;
    if (!ParseControlLine(line, &control)) continue;
    if (NamedByCaption(control.kind)) {
      label.clear();
    } else {
      control.label = label;
    }
    current->controls.push_back(std::move(control));
  }
  std::vector<ReportPage> ordered;
  for (auto& [index, page] : pages) ordered.push_back(std::move(page));
  return ordered;
}

int FirstReportedPage(const std::string& report) {
  for (std::string_view line : Lines(report)) {
    int index = 0;
    std::string caption;
    if (ParsePageHeading(line, &index, &caption)) return index;
  }
  return -1;
}

std::string FoldLabels(const std::string& report) {
  std::string out;
  std::string_view quoted_label;  // as the report wrote it, quotes included
  size_t start = 0;
  while (start < report.size()) {
    size_t end = report.find('\n', start);
    const size_t next = end == std::string::npos ? report.size() : end + 1;
    std::string_view whole = std::string_view(report).substr(start, next - start);
    std::string_view line = whole;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
    start = next;
    if (line.substr(0, kLabelPrefix.size()) == kLabelPrefix) {
      quoted_label = line.substr(kLabelPrefix.size());
      continue;
    }
    ReportControl control;
    if (line.substr(0, 2) != "  " || !ParseControlLine(line, &control)) {
      if (line.substr(0, 2) != "  ") quoted_label = {};
      out += whole;
      continue;
    }
    if (NamedByCaption(control.kind) || quoted_label.empty()) {
      if (NamedByCaption(control.kind)) quoted_label = {};
      out += whole;
      continue;
    }
    // After "  <id> <kind>".
    const size_t kind_end = line.find(' ', line.find(' ', 2) + 1);
    out += whole.substr(0, kind_end);
    out += ' ';
    out += quoted_label;
    out += whole.substr(kind_end);
  }
  return out;
}

std::string NormalName(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (static_cast<unsigned char>(c) >= 0x80) {
      // A double-byte character: its trail byte may look like a letter.
      out += c;
      if (i + 1 < text.size()) out += text[++i];
      continue;
    }
    if (c == '(' && i + 3 < text.size() && text[i + 1] == '&' && text[i + 3] == ')') {
      i += 3;
      continue;
    }
    if (c == ' ' || c == '\t' || c == '&') continue;
    out += ToLowerAscii(c);
  }
  while (!out.empty() && out.back() == ':') out.pop_back();
  return out;
}

}  // namespace c51::host
