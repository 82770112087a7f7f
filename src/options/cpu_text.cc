#include "options/cpu_text.h"

#include "options/option_text.h"

namespace c51 {

bool FindCpuEntry(std::string_view cpu, std::string_view key, std::string_view* inside) {
  size_t at = cpu.find(key);
  if (key.empty() || at == std::string_view::npos) return false;
  size_t open = cpu.find('(', at + key.size());
  if (open == std::string_view::npos) return false;
  size_t close = cpu.find(')', open + 1);
  if (close == std::string_view::npos) return false;
  *inside = cpu.substr(open + 1, close - open - 1);
  return true;
}

int64_t OnChipRamSize(std::string_view cpu, NumberNotation notation) {
  constexpr int64_t kDefaultRamSize = 256;
  std::string_view inside;
  if (!FindCpuEntry(cpu, "IRAM", &inside)) return kDefaultRamSize;
  size_t dash = inside.find('-');
  if (dash == std::string_view::npos) return kDefaultRamSize;
  std::string_view last = inside.substr(dash + 1);
  int64_t value =
      notation == NumberNotation::kAssembler ? ParseAssemblerNumber(last) : ParseAutoBase(last);
  return value + 1;
}

bool ReadCpuRange(std::string_view cpu, std::string_view key, int64_t* start, int64_t* last) {
  std::string_view inside;
  if (!FindCpuEntry(cpu, key, &inside)) return false;
  size_t end = 0;
  int64_t first = ParseAutoBase(inside, &end);
  // The start may carry a sign of its own; the separator is the next "-".
  size_t dash = inside.find('-', end);
  if (dash == std::string_view::npos) return false;
  *start = first;
  *last = ParseAutoBase(inside.substr(dash + 1));
  return true;
}

}  // namespace c51
