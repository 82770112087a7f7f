#include "sdcc/link/link_map.h"

#include <algorithm>
#include <cstdio>

#include "sdcc/link/rel_symbols.h"

namespace c51::sdcc {

namespace {

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
    const size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

bool ParseHex8(std::string_view text, uint32_t* value) {
  if (text.size() != 8) return false;
  *value = 0;
  for (char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    uint32_t digit;
    if (u >= '0' && u <= '9') {
      digit = u - '0';
    } else if (u >= 'A' && u <= 'F') {
      digit = u - 'A' + 10;
    } else {
      return false;
    }
    *value = *value << 4 | digit;
  }
  return true;
}

// sdcc's area names by the 8051 space they fill.
std::string SpaceOfArea(std::string_view area) {
  auto starts = [&](std::string_view prefix) { return area.substr(0, prefix.size()) == prefix; };
  if (starts("XSEG") || starts("XISEG") || starts("XABS") || starts("PSEG")) return "XDATA";
  if (starts("BSEG") || starts("BIT_BANK")) return "BIT";
  if (starts("ISEG") || starts("IABS") || starts("SSEG")) return "IDATA";
  if (starts("DSEG") || starts("OSEG") || starts("REG_BANK") || starts("RSEG")) return "DATA";
  if (starts(".") || area.empty()) return "NUMBER";
  return "CODE";
}

}  // namespace

std::vector<MapSymbol> ReadMapSymbols(std::string_view sdld_map,
                                      const std::vector<std::string>& modules,
                                      const SymbolOwners& owners) {
  std::vector<MapSymbol> symbols;
  std::string space = "NUMBER";
  size_t pos = 0;
  while (pos < sdld_map.size()) {
    size_t end = sdld_map.find('\n', pos);
    if (end == std::string_view::npos) end = sdld_map.size();
    const std::string_view line = sdld_map.substr(pos, end - pos);
    pos = end + 1;
    std::vector<std::string_view> words = Words(line);
    if (line.find(" bytes (") != std::string_view::npos && !words.empty()) {
      space = words[0] == "." ? "NUMBER" : SpaceOfArea(words[0]);
      continue;
    }
    if (!words.empty() && words[0] == "C:") words.erase(words.begin());
    uint32_t value;
    if (words.size() != 3 || !ParseHex8(words[0], &value)) continue;
    const auto owner = owners.find(words[1]);
    if (owner != owners.end()) {
      symbols.push_back(MapSymbol{value, "DATA", std::string(words[1]), owner->second});
      continue;
    }
    // Constants such as the SFR names would bury the program's own symbols.
    if (space == "NUMBER") continue;
    if (std::find(modules.begin(), modules.end(), words[2]) == modules.end()) continue;
    symbols.push_back(MapSymbol{value, space, std::string(words[1]), std::string(words[2])});
  }
  std::stable_sort(symbols.begin(), symbols.end(),
                   [](const MapSymbol& a, const MapSymbol& b) { return a.value < b.value; });
  return symbols;
}

std::string FormatLinkMap(const c51::sim::LinkOutcome& outcome, const MapContents& contents) {
  std::string out;
  auto line = [&out](std::string_view text) {
    out += text;
    out += "\r\n";
  };
  line(contents.banner);
  line("");
  line("INPUT MODULES INCLUDED:");
  for (const std::string& included : contents.included) line(included);
  line("");
  line("LINK MAP OF MODULE:  " + outcome.output);
  line("");
  line("  VALUE     SPACE    SYMBOL                            MODULE");
  char row[160];
  for (const MapSymbol& symbol : contents.symbols) {
    snprintf(row, sizeof row, "  %04XH     %-8s %-33s %s", static_cast<unsigned>(symbol.value),
             symbol.space.c_str(), DisplaySymbol(symbol.name).c_str(), symbol.module.c_str());
    line(row);
  }
  if (!contents.vectors.empty()) {
    line("");
    line("INTERRUPT VECTORS:");
    line("  ADDRESS   INTERRUPT  SYMBOL                            MODULE");
    for (const std::string& vector : contents.vectors) line(vector);
  }
  if (!contents.frames_summary.empty()) {
    line("");
    line("FUNCTION FRAMES:  " + contents.frames_summary);
    line("  ADDRESS   SIZE  REGION           FUNCTION                          MODULE");
    for (const std::string& frame : contents.frames) line(frame);
  }
  if (!contents.memory.empty()) {
    line("");
    line("MEMORY USE:");
    size_t pos = 0;
    while (pos < contents.memory.size()) {
      size_t end = contents.memory.find('\n', pos);
      if (end == std::string::npos) end = contents.memory.size();
      std::string_view text(contents.memory.data() + pos, end - pos);
      if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
      line(text);
      pos = end + 1;
    }
  }
  line("");
  for (const std::string& message : outcome.lines) line(message);
  line("");
  line(c51::sim::FormatProgramSize(outcome));
  line(c51::sim::FormatLinkSummary(outcome.warnings, outcome.errors));
  return out;
}

}  // namespace c51::sdcc
