#include "sdcc/compile/dialect_byte_order.h"

#include "sdcc/compile/c_tokens.h"

#include <algorithm>
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

// Names the file declares with a type of two or four bytes (its variables,
// arrays and parameters), by name: "u32 W[16]", "unsigned long a, b = 1;".
std::set<std::string, std::less<>> WideNames(const DialectSource& s, const TypedefWords& typedefs) {
  std::set<std::string, std::less<>> names;
  for (size_t i = 0; i + 2 < s.size(); ++i) {
    if (!s.IsWord(i) || TypeWidth(s.At(i), typedefs) < 2) continue;
    size_t k = i + 1;
    while (s.IsWord(k) && IsTypeWord(s.At(k))) ++k;  // "long int", "int xdata"
    while (s.IsWord(k)) {
      if (!(s.Is(k + 1, "[") || s.Is(k + 1, ";") || s.Is(k + 1, ",") || s.Is(k + 1, "=") ||
            s.Is(k + 1, ")"))) {
        break;
      }
      names.emplace(s.At(k));
      // The next declarator after a comma at this depth.
      size_t j = k + 1;
      while (j < s.size() && !s.Is(j, ",") && !s.Is(j, ";") && !s.Is(j, ")")) {
        j = (s.Is(j, "[") || s.Is(j, "(") || s.Is(j, "{")) && s.Mate(j) != DialectSource::kNone
                ? s.Mate(j) + 1
                : j + 1;
      }
      if (!s.Is(j, ",") || s.Is(j + 1, "...")) break;
      k = j + 1;
      while (s.IsWord(k) && IsTypeWord(s.At(k))) ++k;
    }
  }
  return names;
}

// The cast at `open` is to a pointer to bytes: "(u8 *)", "(unsigned char xdata *)".
bool BytePointerCast(const DialectSource& s, size_t open, const TypedefWords& typedefs) {
  const size_t close = s.Mate(open);
  if (!s.Is(open, "(") || close == DialectSource::kNone || close < open + 3 ||
      !s.Is(close - 1, "*")) {
    return false;
  }
  bool byte = false;
  for (size_t k = open + 1; k < close - 1; ++k) {
    if (!s.IsWord(k)) return false;
    const int width = TypeWidth(s.At(k), typedefs);
    if (width > 1) return false;
    byte = byte || width == 1;
  }
  return byte;
}

// The wide variable an operand names: "W", "&w", "&W[2]", "(u8 *)W".
bool NamesWide(const DialectSource& s, size_t first, size_t last,
               const std::set<std::string, std::less<>>& wide) {
  size_t k = first;
  if (s.Is(k, "(") && s.Mate(k) != DialectSource::kNone && s.Mate(k) + 1 < last) {
    k = s.Mate(k) + 1;
  }
  if (s.Is(k, "&")) ++k;
  return k < last && s.IsWord(k) && wide.count(s.At(k)) != 0 && (k + 1 == last || s.Is(k + 1, "["));
}

// Bytes read or written over an int, long or float by a cast to a byte
// pointer ("(u8 *)crc_table", "(unsigned char *)&value") or by memcpy and
// memcmp between one and a byte buffer: each comes in the other order.
void ReportByteViews(const DialectSource& s, const TypedefWords& typedefs,
                     std::vector<DialectIssue>* warnings) {
  const std::set<std::string, std::less<>> wide = WideNames(s, typedefs);
  if (wide.empty()) return;
  int warned_file = -1, warned_line = 0;
  for (size_t i = 0; i + 2 < s.size(); ++i) {
    if (!s.User(i) || s.BodyOf(i) == DialectSource::kNone) continue;
    bool view = false;
    if (s.Is(i, "(") && BytePointerCast(s, i, typedefs)) {
      const size_t after = s.Mate(i) + 1;
      size_t end = after;
      if (s.Is(end, "&")) ++end;
      view = s.IsWord(end) && wide.count(s.At(end)) != 0;
    } else if ((s.Is(i, "memcpy") || s.Is(i, "memcmp")) && s.Is(i + 1, "(")) {
      const auto args = s.Items(i + 1);
      view = args.size() >= 2 && NamesWide(s, args[0].first, args[0].second, wide) !=
                                     NamesWide(s, args[1].first, args[1].second, wide);
    }
    if (!view) continue;
    if (s.token(i).file == warned_file && s.token(i).line == warned_line) continue;
    warned_file = s.token(i).file;
    warned_line = s.token(i).line;
    warnings->push_back(DialectIssue{
        s.FileOf(i), s.token(i).line,
        "bytes of an int, long or float read or written one by one (a cast to a byte pointer, "
        "memcpy): sdcc keeps its low byte first, the original compiler its high byte first, so "
        "they come in the other order"});
  }
}

}  // namespace

void ReportByteOrderUnions(const DialectSource& s, std::vector<DialectIssue>* warnings) {
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
    // Bit fields over an int or a long ("struct { unsigned int a:1, c:8,
    // rest:7; } f; unsigned int i;"): the original packs them into the
    // int as it keeps it; sdcc keeps the int the other way round and starts
    // a field that would cross a byte in the next one.
    bool fields = false, wide_member = false;
    for (size_t k = open + 1; k < close; ++k) {
      fields = fields || (s.Is(k, ":") && s.IsWord(k - 1) && s.IsNumber(k + 1));
    }
    for (size_t k = open + 1; k < close; ++k) {
      if (s.Is(k, "{") && s.Mate(k) != DialectSource::kNone) {
        k = s.Mate(k);
        continue;
      }
      wide_member = wide_member || (s.IsWord(k) && TypeWidth(s.At(k), typedefs) >= 2);
    }
    if (fields && wide_member) {
      warnings->push_back(DialectIssue{
          s.FileOf(i), s.token(i).line,
          "union of bit fields and a wider member: sdcc keeps an int or long low byte first and "
          "starts a field that would cross a byte in the next byte, so the fields lie elsewhere "
          "in it than the original compiler puts them"});
      continue;
    }
    const int widths = width_seen[1] + width_seen[2] + width_seen[4];
    if (widths < 2) continue;
    warnings->push_back(DialectIssue{
        s.FileOf(i), s.token(i).line,
        "union of bytes and a wider member: sdcc keeps an int, long or float low byte first, the "
        "original compiler high byte first, so its bytes come in the other order"});
  }
  ReportByteViews(s, typedefs, warnings);
}

}  // namespace c51::sdcc
