// The text forms of the composite configuration keys: memory ranges, code
// banking, listing switches and user commands. Every reader takes a
// NUL-terminated text from the tree, which may hold anything, and reads no
// further than its NUL.
#include <cstring>
#include <string>

#include "project/config_keys.h"
#include "project/node.h"

namespace c51 {

namespace {

constexpr int kRangeBytes = 27;  // three ranges of nine bytes

// Fields of a comma-separated text, as pointers to their first characters.
struct CommaFields {
  const char* begin[5] = {};
  int found = 0;  // fields seen, at most 5
  int commas = 0;
};

CommaFields SplitAtCommas(const char* text) {
  CommaFields fields;
  fields.begin[fields.found++] = text;
  for (const char* p = text; *p != '\0'; ++p) {
    if (*p != ',') continue;
    ++fields.commas;
    if (fields.found < 5) fields.begin[fields.found++] = p + 1;
  }
  return fields;
}

// The field starting at `begin`, up to the next "," or the end.
std::string FieldText(const char* begin) {
  return std::string(begin, std::strcspn(begin, ","));
}

}  // namespace

// ---- "OCM51" / "OCR51" ----

std::string FormatMemoryRanges(const MemoryRanges& ranges) {
  // Per range: 0, the start's three low bytes, 0, the size's three low
  // bytes, 0. The two fourth bytes are always written as 0.
  int bytes[kRangeBytes] = {};
  for (int r = 0; r < 3; ++r) {
    for (int i = 0; i < 3; ++i) {
      bytes[9 * r + 1 + i] = static_cast<int>((ranges[r].start >> (8 * i)) & 0xFF);
      bytes[9 * r + 5 + i] = static_cast<int>((ranges[r].size >> (8 * i)) & 0xFF);
    }
  }
  std::string text = "{ ";
  for (int i = 0; i < kRangeBytes; ++i) {
    if (i > 0) text += ',';
    text += FormatInt(bytes[i]);
  }
  text += " }";
  return text;
}

bool ParseMemoryRanges(const char* text, MemoryRanges* out) {
  MemoryRanges ranges{};
  if (out != nullptr) *out = ranges;
  if (text == nullptr || *text == '\0') return true;
  const char* open = std::strchr(text, '{');
  if (open == nullptr || std::strchr(text, ',') == nullptr || std::strchr(text, '}') == nullptr) {
    return false;
  }
  // The numbers after "{" in order, up to "}" or the end; each kept as the
  // one byte it was written as.
  uint32_t bytes[kRangeBytes] = {};
  const char* p = open + 1;
  for (int i = 0; i < kRangeBytes; ++i) {
    bytes[i] = static_cast<uint32_t>(ParseInt(p)) & 0xFF;
    p += std::strcspn(p, ",}");
    if (*p != ',') break;
    ++p;
  }
  for (int r = 0; r < 3; ++r) {
    for (int i = 0; i < 4; ++i) {
      ranges[r].start |= bytes[9 * r + 1 + i] << (8 * i);
      ranges[r].size |= bytes[9 * r + 5 + i] << (8 * i);
    }
  }
  if (out != nullptr) *out = ranges;
  return true;
}

// ---- "CodeBank" ----

std::string FormatCodeBank(int enabled, const std::string& count, const std::string& start,
                           const std::string& end) {
  return FormatInt(enabled) + "," + count + "," + start + "," + end + ",";
}

int BankCount(const char* code_bank) {
  if (code_bank == nullptr) return 0;
  CommaFields fields = SplitAtCommas(code_bank);
  if (fields.commas < 2 || FieldText(fields.begin[0]) == "0") return 0;
  switch (ParseInt(fields.begin[1])) {
    case 4:
      return 4;
    case 8:
      return 8;
    case 16:
      return 16;
    case 32:
      return 32;
    case 64:
      return 64;
    default:
      return 2;
  }
}

bool BankArea(const char* code_bank, std::string* start, std::string* end) {
  if (start != nullptr) start->clear();
  if (end != nullptr) end->clear();
  if (code_bank == nullptr) return false;
  CommaFields fields = SplitAtCommas(code_bank);
  if (fields.commas != 4 || FieldText(fields.begin[0]) == "0") return false;
  if (start != nullptr) *start = FieldText(fields.begin[2]);
  if (end != nullptr) *end = FieldText(fields.begin[3]);
  return true;
}

// ---- "OPTLT" ----

std::string FormatListingSwitches(const ListingSwitches& switches) {
  std::string text;
  for (int i = 0; i < kListingSwitchCount; ++i) {
    if (i > 0) text += ',';
    text += FormatInt(switches[i]);
  }
  return text;
}

void ParseListingSwitches(const char* text, ListingSwitches* out) {
  if (out == nullptr) return;
  out->fill(0);
  if (text == nullptr) return;
  const char* p = text;
  for (int i = 0; i < kListingSwitchCount; ++i) {
    // Runs of "," are one separator: an empty field is no value.
    p += std::strspn(p, ",");
    if (*p == '\0') break;
    (*out)[i] = ParseInt(p);
    p += std::strcspn(p, ",");
  }
}

// ---- User commands ----

std::string EncodeUserCommands(const UserCommands& commands) {
  std::string text = commands.run1 ? "1?" : "0?";
  text += commands.command1;
  text += commands.run2 ? "?1?" : "?0?";
  text += commands.command2;
  text += '?';
  return text;
}

bool DecodeUserCommands(const char* text, UserCommands* out) {
  if (out != nullptr) *out = UserCommands();
  if (text == nullptr) return false;
  const char* marks[4];
  int count = 0;
  for (const char* p = text; *p != '\0'; ++p) {
    if (*p != '?') continue;
    if (count == 4) return false;
    marks[count++] = p;
  }
  if (count != 4) return false;
  if (out == nullptr) return true;
  std::string switch1(text, marks[0]);
  std::string switch2(marks[1] + 1, marks[2]);
  out->run1 = switch1 != "0";
  out->command1.assign(marks[0] + 1, marks[1]);
  out->run2 = switch2 != "0";
  out->command2.assign(marks[2] + 1, marks[3]);
  return true;
}

}  // namespace c51
