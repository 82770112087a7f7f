#include "import/uv2_parser.h"
#include "platform/ascii_case.h"
#include "project/key_names.h"

#include <climits>
#include <iterator>

namespace c51 {
namespace {

// Longer lines are cut here, as uVision 2's own line buffer cut them.
constexpr size_t kMaxLineLength = 255;

// The text between the first `open` and the last (`last_close`) or first
// following `close`; false when either is missing or they are out of order.
bool Enclosed(std::string_view line, char open, char close, bool last_close, std::string* out) {
  size_t begin = line.find(open);
  if (begin == std::string_view::npos) return false;
  size_t end = last_close ? line.rfind(close) : line.find(close, begin + 1);
  if (end == std::string_view::npos || end <= begin) return false;
  out->assign(line.substr(begin + 1, end - begin - 1));
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

bool ProfileLineReader::Next(std::string_view* line) {
  if (next_ >= text_.size()) return false;
  size_t end = text_.find('\n', next_);
  if (end == std::string_view::npos) end = text_.size();
  std::string_view whole = text_.substr(next_, end - next_);
  next_ = end + 1;
  if (!whole.empty() && whole.back() == '\r') whole.remove_suffix(1);
  *line = whole.substr(0, kMaxLineLength);
  return true;
}

int CurrentTargetIndex(std::string_view opt_text) {
  int count = 0;
  ProfileLineReader lines(opt_text);
  for (std::string_view line; lines.Next(&line);) {
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

bool Uv2ProjectReader::Next(Uv2Entry* entry) {
  for (;;) {
    if (NextOption(entry)) return true;
    std::string_view line;
    if (!lines_.Next(&line)) return false;
    if (in_options_) {
      if (line.find("EndOpt") != std::string_view::npos) {
        in_options_ = false;
      } else {
        option_line_ = line;
        next_key_ = 0;
      }
      continue;
    }
    // The keywords exclude each other: at most one applies to a line.
    if (StartsWithIgnoringCase(line, "Target") && Enclosed(line, '(', ')', true, &entry->text)) {
      entry->kind = Uv2Entry::Kind::kTarget;
    } else if (StartsWithIgnoringCase(line, "Group") &&
               Enclosed(line, '(', ')', true, &entry->text)) {
      entry->kind = Uv2Entry::Kind::kGroup;
    } else if (StartsWithIgnoringCase(line, "File") &&
               Enclosed(line, '<', '>', false, &entry->text)) {
      entry->kind = Uv2Entry::Kind::kFile;
      entry->number = NumberAfterBlank(line);
      entry->key = nullptr;
      return true;
    } else {
      if (current_target_ > 0 && StartsWithIgnoringCase(line, "Options") &&
          NumberAfterBlank(line) == current_target_) {
        in_options_ = true;
      }
      continue;
    }
    entry->number = 0;
    entry->key = nullptr;
    return true;
  }
}

bool Uv2ProjectReader::NextOption(Uv2Entry* entry) {
  struct OptionKey {
    const char* marker;
    const char* key;
  };
  static constexpr OptionKey kOptionKeys[] = {
      {"OutDir", keys::kOutputDirectory},
      {"OutName", keys::kOutputName},
      {"LstDir", keys::kListingDirectory},
  };
  while (next_key_ < std::size(kOptionKeys)) {
    const OptionKey& key = kOptionKeys[next_key_++];
    if (option_line_.find(key.marker) != std::string_view::npos &&
        Enclosed(option_line_, '(', ')', false, &entry->text)) {
      entry->kind = Uv2Entry::Kind::kOption;
      entry->number = 0;
      entry->key = key.key;
      return true;
    }
  }
  return false;
}

}  // namespace c51
