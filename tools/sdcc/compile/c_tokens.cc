#include "sdcc/compile/c_tokens.h"

#include <algorithm>

namespace c51::sdcc {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

struct Marker {
  bool ok = false;
  int line = 0;
  std::string file;
  bool enter = false;   // flag 1
  bool system = false;  // flag 3
};

// `line` holds one directive without its "#": " 12 "main.c" 1 3" or "line 12 "x.c"".
Marker ParseMarker(std::string_view line) {
  Marker m;
  size_t i = 0;
  while (i < line.size() && IsBlank(line[i])) ++i;
  if (line.substr(i, 4) == "line" && (i + 4 == line.size() || IsBlank(line[i + 4]))) i += 4;
  while (i < line.size() && IsBlank(line[i])) ++i;
  if (i >= line.size() || !IsDigit(line[i])) return m;
  long number = 0;
  while (i < line.size() && IsDigit(line[i])) {
    number = std::min(number * 10 + (line[i] - '0'), 100000000L);
    ++i;
  }
  m.line = static_cast<int>(number);
  while (i < line.size() && IsBlank(line[i])) ++i;
  if (i >= line.size() || line[i] != '"') {
    m.ok = true;  // a line number alone keeps the file
    return m;
  }
  for (++i; i < line.size() && line[i] != '"'; ++i) {
    if (line[i] == '\\' && i + 1 < line.size()) ++i;
    m.file += line[i];
  }
  if (i >= line.size()) return m;
  for (++i; i < line.size(); ++i) {
    if (line[i] == '1' && (i + 1 == line.size() || IsBlank(line[i + 1]))) m.enter = true;
    if (line[i] == '3' && (i + 1 == line.size() || IsBlank(line[i + 1]))) m.system = true;
  }
  m.ok = true;
  return m;
}

// Punctuators of more than one byte that the rewriter tells apart.
size_t PunctLength(std::string_view rest) {
  static constexpr std::string_view kTwo[] = {
      "->", "++", "--", "==", "!=", "<=", ">=", "<<", ">>", "&&", "||", "##"};
  if (rest.size() >= 2) {
    for (std::string_view p : kTwo) {
      if (rest.substr(0, 2) == p) return 2;
    }
  }
  return 1;
}

}  // namespace

bool MarkerNamesFile(const std::string& path, const std::string& file) {
  if (path == file) return true;
  if (path.size() <= file.size()) return false;
  const char before = path[path.size() - file.size() - 1];
  return (before == '/' || before == '\\') &&
         path.compare(path.size() - file.size(), file.size(), file) == 0;
}

bool ParseCInteger(std::string_view text, uint32_t* value) {
  while (!text.empty() &&
         (text.back() == 'u' || text.back() == 'U' || text.back() == 'l' || text.back() == 'L')) {
    text.remove_suffix(1);
  }
  if (text.empty()) return false;
  unsigned base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  } else if (text.size() > 2 && text[0] == '0' && (text[1] == 'b' || text[1] == 'B')) {
    base = 2;
    text.remove_prefix(2);
  } else if (text.size() > 1 && text[0] == '0') {
    base = 8;
    text.remove_prefix(1);
  }
  uint64_t v = 0;
  for (char c : text) {
    unsigned digit;
    if (c >= '0' && c <= '9') {
      digit = static_cast<unsigned>(c - '0');
    } else if (c >= 'a' && c <= 'f') {
      digit = static_cast<unsigned>(c - 'a' + 10);
    } else if (c >= 'A' && c <= 'F') {
      digit = static_cast<unsigned>(c - 'A' + 10);
    } else {
      return false;
    }
    if (digit >= base) return false;
    v = v * base + digit;
    if (v > 0xFFFFFFFFu) return false;
  }
  *value = static_cast<uint32_t>(v);
  return true;
}

void Tokenize(std::string_view text, TokenList* list) {
  *list = TokenList();
  list->files.push_back(std::string());
  int file = 0;
  int line = 1;
  bool system = false;
  bool line_start = true;
  size_t i = 0;
  const size_t n = text.size();
  while (i < n) {
    const char c = text[i];
    if (c == '\n') {
      ++line;
      line_start = true;
      ++i;
      continue;
    }
    if (IsBlank(c)) {
      ++i;
      continue;
    }
    if (line_start && c == '#') {
      size_t end = text.find('\n', i);
      if (end == std::string_view::npos) end = n;
      const std::string_view body = text.substr(i + 1, end - i - 1);
      const Marker m = ParseMarker(body);
      if (m.ok) {
        if (!m.file.empty()) {
          auto found = std::find(list->files.begin(), list->files.end(), m.file);
          file = static_cast<int>(found - list->files.begin());
          if (found == list->files.end()) list->files.push_back(m.file);
          const bool builtin = m.file[0] == '<';
          if (list->main_file.empty() && !builtin) list->main_file = m.file;
          system = m.system;
          if (m.enter && !m.system && !builtin && m.file != list->main_file &&
              std::find(list->headers.begin(), list->headers.end(), m.file) ==
                  list->headers.end()) {
            list->headers.push_back(m.file);
          }
        }
        line = m.line - 1;  // the line end below moves to the marker's number
      } else {
        list->directives.push_back(Directive{i, end, file, line, system});
      }
      i = end;
      continue;
    }
    line_start = false;
    Token t;
    t.begin = i;
    t.file = file;
    t.line = line;
    t.system = system;
    if (c == '/' && i + 1 < n && text[i + 1] == '*') {
      // Comments survive only when asked for; count their line ends.
      size_t close = text.find("*/", i + 2);
      if (close == std::string_view::npos) close = n - 2;
      line += static_cast<int>(std::count(text.begin() + i, text.begin() + close + 2, '\n'));
      i = close + 2;
      continue;
    }
    if (c == '/' && i + 1 < n && text[i + 1] == '/') {
      i = text.find('\n', i);
      if (i == std::string_view::npos) i = n;
      continue;
    }
    if (c == '"' || c == '\'') {
      size_t j = i + 1;
      while (j < n && text[j] != c && text[j] != '\n') j += (text[j] == '\\' && j + 1 < n) ? 2 : 1;
      if (j < n && text[j] == c) ++j;
      t.kind = TokenKind::kLiteral;
      i = j;
    } else if (IsDigit(c) || (c == '.' && i + 1 < n && IsDigit(text[i + 1]))) {
      size_t j = i + 1;
      while (j < n) {
        const char d = text[j];
        const char prev = text[j - 1];
        if (IsWordByte(d) || d == '.' ||
            ((d == '+' || d == '-') &&
             (prev == 'e' || prev == 'E' || prev == 'p' || prev == 'P'))) {
          ++j;
        } else {
          break;
        }
      }
      t.kind = TokenKind::kNumber;
      i = j;
    } else if (IsWordByte(c)) {
      size_t j = i + 1;
      while (j < n && IsWordByte(text[j])) ++j;
      t.kind = TokenKind::kWord;
      i = j;
    } else {
      t.kind = TokenKind::kPunct;
      i += PunctLength(text.substr(i));
    }
    t.end = i;
    list->tokens.push_back(t);
  }
}

}  // namespace c51::sdcc
