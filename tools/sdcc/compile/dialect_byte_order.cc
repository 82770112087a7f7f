#include "sdcc/compile/dialect_byte_order.h"

#include "sdcc/compile/c_tokens.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>

namespace c51::sdcc {

namespace {

// Type names of two or more bytes, the language's and the usual typedefs.
const std::set<std::string_view> kWide = {
    "int",     "short",  "long",   "float",  "double", "u16",      "u32",      "s16",
    "s32",     "uint",   "ulong",  "WORD",   "DWORD",  "uint16_t", "uint32_t", "int16_t",
    "int32_t", "INT16U", "INT32U", "INT16S", "INT32S", "uint16",   "uint32"};
// Type names of one byte.
const std::set<std::string_view> kByte = {"char",   "u8",    "uchar", "BYTE",  "uint8_t",
                                          "int8_t", "INT8U", "INT8S", "uint8", "s8"};

// 1, 2 or 4 for a type name of that many bytes; 0 for others.
int NameWidth(std::string_view name) {
  if (name == "long" || name == "float" || name == "double") return 4;
  if (kByte.count(name) != 0) return 1;
  if (kWide.count(name) != 0) {
    return name.find("32") != std::string_view::npos || name == "ulong" || name == "DWORD" ? 4 : 2;
  }
  return 0;
}

// The same for a name the file's typedefs give (a pointer is no scalar of
// these widths).
int TypeWidth(std::string_view name, const TypedefWords& typedefs) {
  auto it = typedefs.find(name);
  if (it == typedefs.end()) return NameWidth(name);
  int width = 0;
  for (const std::string& w : it->second) {
    if (w == "*") return 0;
    width = std::max(width, NameWidth(w));
  }
  return width;
}

}  // namespace

// "*(unsigned int volatile xdata *)0xFEC6", a vendor header's name for a
// 16-bit register pair: the dereference of a constant address as a wider
// type. The first token of the cast's "(" at `open`.
bool WideAbsoluteAccess(const DialectSource& s, size_t open) {
  if (open == 0 || !s.Is(open - 1, "*") || !s.Is(open, "(")) return false;
  const size_t close = s.Mate(open);
  if (close == DialectSource::kNone || close < open + 3 || !s.Is(close - 1, "*")) return false;
  uint32_t address = 0;
  if (!s.IsNumber(close + 1) || !ParseCInteger(s.At(close + 1), &address) || address == 0) {
    return false;
  }
  bool wide = false;
  for (size_t k = open + 1; k < close - 1; ++k) {
    if (!s.IsWord(k)) return false;
    wide = wide || kWide.count(s.At(k)) != 0;
  }
  return wide;
}

void ReportByteOrderUnions(const DialectSource& s, std::vector<DialectIssue>* warnings) {
  int warned_file = -1, warned_line = 0;
  for (size_t i = 1; i + 3 < s.size(); ++i) {
    if (!s.User(i) || !WideAbsoluteAccess(s, i)) continue;
    // One warning per line the access comes from (a header's macro is
    // expanded where it is used).
    if (s.token(i).file == warned_file && s.token(i).line == warned_line) continue;
    warned_file = s.token(i).file;
    warned_line = s.token(i).line;
    warnings->push_back(DialectIssue{
        s.FileOf(i), s.token(i).line,
        "an int or long read or written at a fixed address: sdcc puts its low byte at the "
        "address, the original compiler its high byte, so a 16-bit register pair gets its "
        "halves swapped"});
  }
  const TypedefWords typedefs = PlainTypedefs(s);
  for (size_t i = 0; i + 1 < s.size(); ++i) {
    if (!s.User(i) || !s.Is(i, "union")) continue;
    const size_t open = s.Is(i + 1, "{")
                            ? i + 1
                            : (s.IsWord(i + 1) && s.Is(i + 2, "{") ? i + 2 : DialectSource::kNone);
    if (open == DialectSource::kNone) continue;
    const size_t close = s.Mate(open);
    if (close == DialectSource::kNone) continue;
    // Members of different widths share bytes: bytes over an int, ints
    // over a long ("U16 w; U8 b[2];", "long l; int half[2];").
    bool width_seen[5] = {};
    for (size_t k = open + 1; k < close; ++k) {
      if (s.IsWord(k)) width_seen[TypeWidth(s.At(k), typedefs)] = true;
    }
    const int widths = width_seen[1] + width_seen[2] + width_seen[4];
    if (widths < 2) continue;
    warnings->push_back(DialectIssue{
        s.FileOf(i), s.token(i).line,
        "union of bytes and a wider member: sdcc keeps an int, long or float low byte first, the "
        "original compiler high byte first, so its bytes come in the other order"});
  }
}

}  // namespace c51::sdcc
