#include "import/uv2_parser.h"

#include <climits>

namespace c51 {
namespace {

// Longer lines are cut here, as uVision 2's own line buffer cut them.
constexpr size_t kMaxLineLength = 255;

unsigned char UpperAscii(char c) {
  unsigned char byte = static_cast<unsigned char>(c);
  return byte >= 'a' && byte <= 'z' ? static_cast<unsigned char>(byte - 'a' + 'A') : byte;
}

bool StartsWithIgnoringCase(std::string_view line, std::string_view keyword) {
  if (line.size() < keyword.size()) return false;
  for (size_t i = 0; i < keyword.size(); ++i)
    if (UpperAscii(line[i]) != UpperAscii(keyword[i])) return false;
  return true;
}

// The text between the first `open` and the last (`last_close`) or first
// following `close`; false when either is missing or they are out of order.
bool Enclosed(std::string_view line, char open, char close, bool last_close, std::string* out) {
  size_t begin = line.find(open);
  if (begin == std::string_view::npos) return false;
  size_t end = last_close ? line.rfind(close) : line.find(close, begin + 1);
  if (end == std::string_view::npos || end <= begin) return false;
  *out = std::string(line.substr(begin + 1, end - begin - 1));
  return true;
}

// Leading blanks, an optional sign, digits; saturated at the int range;
// 0 when nothing converts.
int DecimalValue(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > INT_MAX) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

// The number after the line's first blank, up to the first "," after it;
// -1 without a blank.
int NumberAfterBlank(std::string_view line) {
  size_t blank = line.find(' ');
  if (blank == std::string_view::npos) return -1;
  std::string_view rest = line.substr(blank + 1);
  return DecimalValue(rest.substr(0, rest.find(',')));
}

}  // namespace

std::vector<std::string_view> SplitProfileLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    size_t next = end == std::string_view::npos ? text.size() : end + 1;
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() > kMaxLineLength) line = line.substr(0, kMaxLineLength);
    lines.push_back(line);
    start = next;
  }
  return lines;
}

int CurrentTargetIndex(std::string_view opt_text) {
  int count = 0;
  for (std::string_view line : SplitProfileLines(opt_text)) {
    size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos) continue;
    line.remove_prefix(first);
    if (!StartsWithIgnoringCase(line, "OPTFL")) continue;
    ++count;
    size_t comma = line.rfind(',');
    if (comma != std::string_view::npos && comma + 1 < line.size() && line[comma + 1] == '1')
      return count;
  }
  return count;
}

std::vector<Uv2Entry> ParseUv2Project(std::string_view text, int current_target) {
  struct OptionKey {
    const char* marker;
    const char* key;
  };
  static constexpr OptionKey kOptionKeys[] = {
      {"OutDir", "OutputDirectory"},
      {"OutName", "OutputName"},
      {"LstDir", "ListingDirectory"},
  };
  std::vector<Uv2Entry> entries;
  std::vector<std::string_view> lines = SplitProfileLines(text);
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string_view line = lines[i];
    std::string value;
    if (StartsWithIgnoringCase(line, "Target") && Enclosed(line, '(', ')', true, &value))
      entries.push_back({Uv2Entry::Kind::kTarget, value});
    if (StartsWithIgnoringCase(line, "Group") && Enclosed(line, '(', ')', true, &value))
      entries.push_back({Uv2Entry::Kind::kGroup, value});
    if (StartsWithIgnoringCase(line, "File") && Enclosed(line, '<', '>', false, &value))
      entries.push_back({Uv2Entry::Kind::kFile, value, NumberAfterBlank(line)});
    if (current_target > 0 && StartsWithIgnoringCase(line, "Options") &&
        NumberAfterBlank(line) == current_target) {
      for (++i; i < lines.size(); ++i) {
        std::string_view option = lines[i];
        if (option.find("EndOpt") != std::string_view::npos) break;
        for (const OptionKey& key : kOptionKeys) {
          if (option.find(key.marker) != std::string_view::npos &&
              Enclosed(option, '(', ')', false, &value))
            entries.push_back({Uv2Entry::Kind::kOption, value, 0, key.key});
        }
      }
    }
  }
  return entries;
}

}  // namespace c51
