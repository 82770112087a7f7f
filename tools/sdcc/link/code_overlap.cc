#include "sdcc/link/code_overlap.h"

#include <algorithm>

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

bool ParseHex(std::string_view text, uint32_t* value) {
  if (text.empty() || text.size() > 8) return false;
  *value = 0;
  for (char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    uint32_t digit;
    if (u >= '0' && u <= '9') {
      digit = u - '0';
    } else if (u >= 'A' && u <= 'F') {
      digit = u - 'A' + 10;
    } else if (u >= 'a' && u <= 'f') {
      digit = u - 'a' + 10;
    } else {
      return false;
    }
    *value = *value << 4 | digit;
  }
  return true;
}

// "(REL,CON,CODE)" holds both words.
bool RelocatableCode(std::string_view attributes) {
  if (attributes.size() < 2 || attributes.front() != '(' || attributes.back() != ')') return false;
  attributes = attributes.substr(1, attributes.size() - 2);
  bool rel = false, code = false;
  while (!attributes.empty()) {
    const size_t comma = attributes.find(',');
    const std::string_view word = attributes.substr(0, comma);
    rel = rel || word == "REL";
    code = code || word == "CODE";
    if (comma == std::string_view::npos) break;
    attributes.remove_prefix(comma + 1);
  }
  return rel && code;
}

std::string RangeText(uint32_t start, uint32_t end) {
  return AddressText(start) + "-" + AddressText(end - 1);
}

}  // namespace

std::vector<CodeRange> RelocatedCodeAreas(std::string_view sdld_map) {
  std::vector<CodeRange> areas;
  std::vector<std::string> seen;  // sdld lists each area more than once
  size_t pos = 0;
  while (pos < sdld_map.size()) {
    size_t end = sdld_map.find('\n', pos);
    if (end == std::string_view::npos) end = sdld_map.size();
    const std::vector<std::string_view> words = Words(sdld_map.substr(pos, end - pos));
    pos = end + 1;
    // NAME ADDR SIZE = DECIMAL. bytes (ATTRIBUTES)
    uint32_t start, size;
    if (words.size() != 7 || words[3] != "=" || words[5] != "bytes" || !RelocatableCode(words[6]) ||
        !ParseHex(words[1], &start) || !ParseHex(words[2], &size) || size == 0) {
      continue;
    }
    const std::string name(words[0]);
    if (std::find(seen.begin(), seen.end(), name) != seen.end()) continue;
    seen.push_back(name);
    areas.push_back(CodeRange{start, start + size, "AREA " + name});
  }
  return areas;
}

std::vector<LinkMessage> CheckCodeOverlaps(std::vector<CodeRange> ranges) {
  std::stable_sort(ranges.begin(), ranges.end(),
                   [](const CodeRange& a, const CodeRange& b) { return a.start < b.start; });
  std::vector<LinkMessage> messages;
  for (size_t i = 0; i < ranges.size(); ++i) {
    for (size_t j = i + 1; j < ranges.size() && ranges[j].start < ranges[i].end; ++j) {
      const uint32_t end = std::min(ranges[i].end, ranges[j].end);
      messages.push_back(
          {LinkMessage::kError,
           "L224",
           "CODE SPACE OVERLAP",
           {"ADDRESS: " + RangeText(ranges[j].start, end),
            "CODE:    " + ranges[i].owner + " " + RangeText(ranges[i].start, ranges[i].end),
            "CODE:    " + ranges[j].owner + " " + RangeText(ranges[j].start, ranges[j].end)}});
    }
  }
  return messages;
}

}  // namespace c51::sdcc
