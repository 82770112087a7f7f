#include "sdcc/compile/sdcc_sfr_names.h"

namespace c51::sdcc {

void NoteSdccSfr(const DialectSource& s, size_t i, std::map<std::string, uint32_t>* sfrs) {
  if (!s.Is(i, "__sfr") || !s.Is(i + 1, "__at")) return;
  size_t first = i + 2;
  size_t last = first + 1;  // "__at 0xB0"
  if (s.Is(first, "(")) {
    const size_t close = s.Mate(first);
    if (close == DialectSource::kNone) return;
    first += 1;
    last = close;
  }
  const size_t name = last + (s.Is(last, ")") ? 1 : 0);
  if (!s.IsWord(name) || !(s.Is(name + 1, ";") || s.Is(name + 1, ","))) return;
  uint32_t address = 0;
  if (!EvaluateConstant(s, first, last, nullptr, &address) || address < 0x80 || address > 0xFF) {
    return;
  }
  (*sfrs)[std::string(s.At(name))] = address;
}

}  // namespace c51::sdcc
