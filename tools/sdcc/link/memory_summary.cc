#include "sdcc/link/memory_summary.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "sim/controls.h"

namespace c51::sdcc {

namespace {

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    const size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

// The "Size" column of an "Other memory" row: the row ends in Size and Max
// when nothing is placed, in Start, End, Size and Max otherwise.
uint32_t RowSize(std::string_view rest) {
  const std::vector<std::string_view> words = Words(rest);
  uint32_t size = 0;
  if (words.size() >= 2 && c51::sim::ParseNumber(words[words.size() - 2], &size)) return size;
  return 0;
}

}  // namespace

MemoryUse ReadMemorySummary(std::string_view mem) {
  MemoryUse use;
  size_t pos = 0;
  while (pos < mem.size()) {
    size_t end = mem.find('\n', pos);
    if (end == std::string_view::npos) end = mem.size();
    std::string_view line = mem.substr(pos, end - pos);
    pos = end + 1;
    uint32_t row = 0;
    const size_t grid = line.find(":|");
    if (line.substr(0, 2) == "0x" && grid != std::string_view::npos &&
        c51::sim::ParseNumber(line.substr(0, grid), &row)) {
      // Cells sit between bars: "|a|b|S|".
      uint32_t address = row;
      for (size_t i = grid + 2; i < line.size(); i += 2, ++address) {
        const char cell = line[i];
        if (cell == '|' || cell == '\r') break;
        const bool used = cell != ' ' && cell != 'S';
        if (used) ++use.data;
        if (address < kDataCells) {
          if (use.free_data.empty()) use.free_data.assign(kDataCells, false);
          use.free_data[address] = !used;
        }
      }
      continue;
    }
    const std::string_view trimmed = c51::sim::Trim(line);
    // "Stack starts at: 0x7b (sp set to 0x7a) with 133 bytes available."
    if (trimmed.substr(0, 16) == "Stack starts at:") {
      const size_t with = trimmed.find(" with ");
      if (with != std::string_view::npos) {
        use.stack = std::atoi(std::string(trimmed.substr(with + 6)).c_str());
      }
      continue;
    }
    for (std::string_view name :
         {std::string_view("PAGED EXT. RAM"), std::string_view("EXTERNAL RAM")}) {
      if (trimmed.substr(0, name.size()) == name) use.xdata += RowSize(trimmed.substr(name.size()));
    }
  }
  return use;
}

}  // namespace c51::sdcc
