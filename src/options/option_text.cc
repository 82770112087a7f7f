#include "options/option_text.h"

#include <array>

#include "platform/ascii_case.h"

namespace c51 {

namespace {

// Digit values by byte; 0xFF for a byte that is no digit in any base.
constexpr std::array<uint8_t, 256> MakeDigitTable() {
  std::array<uint8_t, 256> table{};
  for (uint8_t& entry : table) entry = 0xFF;
  for (int c = '0'; c <= '9'; ++c) table[c] = static_cast<uint8_t>(c - '0');
  for (int c = 'a'; c <= 'z'; ++c) table[c] = static_cast<uint8_t>(c - 'a' + 10);
  for (int c = 'A'; c <= 'Z'; ++c) table[c] = static_cast<uint8_t>(c - 'A' + 10);
  return table;
}
constexpr std::array<uint8_t, 256> kDigitValue = MakeDigitTable();

int DigitValue(char c) {
  return kDigitValue[static_cast<unsigned char>(c)];
}

// Reads digits of `base` from `pos` on; the value saturates at
// kNumberLimit. `*pos` moves past the digits read.
int64_t ReadDigits(std::string_view text, size_t* pos, int base) {
  int64_t value = 0;
  while (*pos < text.size()) {
    int digit = DigitValue(text[*pos]);
    if (digit >= base) break;
    value = value * base + digit;
    if (value > kNumberLimit) value = kNumberLimit;
    ++*pos;
  }
  return value;
}

bool IsHexPrefix(std::string_view text, size_t pos) {
  return pos + 1 < text.size() && text[pos] == '0' &&
         (text[pos + 1] == 'x' || text[pos + 1] == 'X');
}

}  // namespace

bool IsBlankByte(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view TrimBlanks(std::string_view text) {
  size_t begin = 0;
  while (begin < text.size() && IsBlankByte(text[begin])) ++begin;
  size_t end = text.size();
  while (end > begin && IsBlankByte(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

std::string SymbolList(std::string_view symbols, std::string_view exclude) {
  const std::string_view excluded = TrimBlanks(exclude);
  std::string list;
  size_t pos = 0;
  while (pos < symbols.size()) {
    while (pos < symbols.size() && IsBlankByte(symbols[pos])) ++pos;
    size_t begin = pos;
    while (pos < symbols.size() && !IsBlankByte(symbols[pos])) ++pos;
    if (pos == begin) break;
    std::string_view symbol = symbols.substr(begin, pos - begin);
    // The whole exclusion text is one symbol: "A B" never equals a token.
    if (EqualsIgnoringCase(symbol, excluded)) continue;
    if (!list.empty()) list += ',';
    list += symbol;
  }
  return list;
}

std::string IncludeList(std::string_view paths) {
  // Each scope adds ";" + its text, so scopes without includes leave runs
  // of ";" at the ends; with two or more groups these are longer than two.
  size_t begin = 0;
  while (begin < paths.size() && (paths[begin] == ';' || IsBlankByte(paths[begin]))) ++begin;
  size_t end = paths.size();
  while (end > begin && (paths[end - 1] == ';' || IsBlankByte(paths[end - 1]))) --end;
  return std::string(paths.substr(begin, end - begin));
}

std::string FormatHex4(uint32_t value) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string digits;
  do {
    digits.insert(digits.begin(), kHex[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
  return digits;
}

int64_t ParseAutoBase(std::string_view text, size_t* end) {
  size_t pos = 0;
  while (pos < text.size() && IsBlankByte(text[pos])) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
  const size_t digits_begin = pos;
  int64_t value = 0;
  if (IsHexPrefix(text, pos) && pos + 2 < text.size() && DigitValue(text[pos + 2]) < 16) {
    pos += 2;
    value = ReadDigits(text, &pos, 16);
  } else if (pos < text.size() && text[pos] == '0') {
    value = ReadDigits(text, &pos, 8);
  } else {
    value = ReadDigits(text, &pos, 10);
  }
  if (end != nullptr) *end = pos == digits_begin ? 0 : pos;
  return negative ? -value : value;
}

int64_t ParseAssemblerNumber(std::string_view text) {
  text = TrimBlanks(text);
  size_t pos = 0;
  if (IsHexPrefix(text, 0)) {
    pos = 2;
    return ReadDigits(text, &pos, 16);
  }
  if (!text.empty()) {
    char suffix = text.back();
    if (suffix == 'H' || suffix == 'h') {
      std::string_view digits = text.substr(0, text.size() - 1);
      return ReadDigits(digits, &pos, 16);
    }
    if (suffix == 'B' || suffix == 'b') {
      std::string_view digits = text.substr(0, text.size() - 1);
      int64_t value = ReadDigits(digits, &pos, 2);
      // "12B" is no base-two number at all.
      return pos == digits.size() ? value : 0;
    }
  }
  return ReadDigits(text, &pos, 10);
}

}  // namespace c51
