#include "sdcc/link/rel_symbols.h"

#include <algorithm>

namespace c51::sdcc {

namespace {

// The next line at `*pos` without its end; false past the last one.
bool NextLine(std::string_view text, size_t* pos, std::string_view* line) {
  if (*pos >= text.size()) return false;
  size_t end = text.find('\n', *pos);
  if (end == std::string_view::npos) end = text.size();
  *line = text.substr(*pos, end - *pos);
  if (!line->empty() && line->back() == '\r') line->remove_suffix(1);
  *pos = end + 1;
  return true;
}

// The blank-separated words of a line.
std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

bool IsHeaderLine(std::string_view line) {
  if (line.size() < 3) return false;
  const char radix = line[0], order = line[1], width = line[2];
  return (radix == 'X' || radix == 'D' || radix == 'Q') && (order == 'L' || order == 'H') &&
         width >= '2' && width <= '4';
}

// The value after `key` in "A <name> size <n> flags <f> addr <a>",
// hexadecimal as the header's radix says; only X (hexadecimal) is written by
// sdcc and sdas8051. 0 when it is missing or not a number.
uint32_t AreaField(const std::vector<std::string_view>& words, std::string_view key) {
  for (size_t i = 1; i + 1 < words.size(); ++i) {
    if (words[i] != key) continue;
    uint32_t value = 0;
    for (char c : words[i + 1]) {
      const unsigned char u = static_cast<unsigned char>(c);
      uint32_t digit;
      if (u >= '0' && u <= '9') {
        digit = u - '0';
      } else if (u >= 'a' && u <= 'f') {
        digit = u - 'a' + 10;
      } else if (u >= 'A' && u <= 'F') {
        digit = u - 'A' + 10;
      } else {
        return 0;
      }
      value = (value << 4) | digit;
    }
    return value;
  }
  return 0;
}

}  // namespace

bool ScanRel(std::string_view rel, RelSymbols* symbols, std::string* err) {
  *symbols = RelSymbols{};
  size_t pos = 0;
  std::string_view line;
  // sdas writes comment lines such as ";!FILE main.asm" first when it keeps
  // debug information.
  bool more = NextLine(rel, &pos, &line);
  while (more && (line.empty() || line[0] == ';')) more = NextLine(rel, &pos, &line);
  if (!more || !IsHeaderLine(line)) {
    *err = "NOT AN SDCC RELOCATABLE";
    return false;
  }
  bool in_area = false;
  bool absolute = true;  // before the first area: the absolute one
  while (NextLine(rel, &pos, &line)) {
    if (line.size() < 2 || line[1] != ' ') continue;
    const std::vector<std::string_view> words = Words(line);
    if (words.size() < 2) continue;
    switch (line[0]) {
      case 'M':
        symbols->module.assign(words[1]);
        break;
      case 'O':
        symbols->options.assign(line.substr(2));
        break;
      case 'A': {
        RelArea area{std::string(words[1]), AreaField(words, "size"), AreaField(words, "flags"),
                     AreaField(words, "addr")};
        in_area = true;
        absolute = (area.flags & kAreaAbsolute) != 0 || words[1] == ".";
        symbols->areas.push_back(std::move(area));
        break;
      }
      case 'S': {
        if (words.size() < 3 || words[1].empty() || words[1][0] == '.') break;
        const std::string name(words[1]);
        if (words[2].substr(0, 3) == "Ref") {
          symbols->references.push_back(name);
        } else if (words[2].substr(0, 3) == "Def") {
          (in_area && !absolute ? symbols->publics : symbols->absolutes).push_back(name);
          if (in_area && !absolute && (symbols->areas.back().flags & kAreaCode) != 0) {
            symbols->code_publics.push_back(name);
          }
        }
        break;
      }
      default:
        break;
    }
  }
  return true;
}

std::vector<RelArea> AbsoluteCodeAreas(const RelSymbols& symbols) {
  std::vector<RelArea> areas;
  for (const RelArea& area : symbols.areas) {
    const uint32_t kind = kAreaAbsolute | kAreaCode;
    if ((area.flags & kind) == kind && area.size > 0) areas.push_back(area);
  }
  return areas;
}

uint32_t AreaSize(const RelSymbols& symbols, std::string_view name) {
  for (const RelArea& area : symbols.areas) {
    if (area.name == name) return area.size;
  }
  return 0;
}

std::string DisplaySymbol(std::string_view symbol) {
  // Classic assembly names hold "?", which the assembler spells "$"; sdcc's
  // own names hold "$" only inside ("G$init$0_0$0"), never first.
  if (!symbol.empty() && symbol[0] == '$') {
    std::string shown(symbol);
    for (char& c : shown) c = c == '$' ? '?' : c;
    return shown;
  }
  if (symbol.size() > 1 && symbol[0] == '_') symbol.remove_prefix(1);
  return std::string(symbol);
}

bool IsBankedModule(const RelSymbols& symbols) {
  if (symbols.options.find("--model-huge") != std::string::npos) return true;
  auto trampoline = [](const std::string& name) {
    return name == "__sdcc_banked_call" || name == "__sdcc_banked_ret";
  };
  return std::any_of(symbols.references.begin(), symbols.references.end(), trampoline) ||
         std::any_of(symbols.publics.begin(), symbols.publics.end(), trampoline);
}

}  // namespace c51::sdcc
