#include "sim/code_account.h"

#include <cstdint>
#include <vector>

#include "sim/controls.h"
#include "sim/source_lines.h"

namespace c51::sim {

namespace {

// A second byte standing in for a function's return.
constexpr uint8_t kReturnByte = 0x22;

// FNV-1a: the same line always gives the same simulated code.
uint32_t LineHash(std::string_view text) {
  uint32_t h = 2166136261u;
  for (char c : text) {
    h ^= static_cast<unsigned char>(c);
    h *= 16777619u;
  }
  return h;
}

void AppendLineCode(std::string_view text, std::vector<uint8_t>* code) {
  const uint32_t h = LineHash(text);
  code->push_back(static_cast<uint8_t>(h & 0xFF));
  code->push_back(static_cast<uint8_t>((h >> 8) & 0xFF));
}

// The bytes of a DB list: numbers and quoted strings separated by ",".
void AppendDefinedBytes(std::string_view list, std::vector<uint8_t>* code) {
  size_t start = 0;
  char quote = 0;
  for (size_t i = 0; i <= list.size(); ++i) {
    if (i < list.size()) {
      const char c = list[i];
      if (quote != 0) {
        if (c == quote) quote = 0;
        continue;
      }
      if (c == '\'' || c == '"') quote = c;
      if (c != ',') continue;
    }
    std::string_view item = Trim(list.substr(start, i - start));
    start = i + 1;
    uint32_t value;
    if (item.size() >= 2 && (item.front() == '\'' || item.front() == '"') &&
        item.back() == item.front()) {
      for (char c : item.substr(1, item.size() - 2)) code->push_back(static_cast<uint8_t>(c));
    } else if (ParseNumber(item, &value)) {
      code->push_back(static_cast<uint8_t>(value & 0xFF));
    }
  }
}

}  // namespace

void CodeAccount::AddC(std::string_view code, bool variables_in_xdata, ScanResult* result) {
  std::string_view text = Trim(code);
  if (text.empty() || text[0] == '#') return;
  const int depth_before = brace_depth_;
  bool closed_function = false;
  for (char c : text) {
    if (c == '{') ++brace_depth_;
    if (c == '}' && brace_depth_ > 0 && --brace_depth_ == 0) closed_function = true;
  }
  if (depth_before > 0 || brace_depth_ > 0) {
    AppendLineCode(text, &result->code);
    if (closed_function) result->code.push_back(kReturnByte);
    return;
  }
  // A declaration at file scope without "(" is taken as one variable.
  if (text.back() != ';' || text.find('(') != std::string_view::npos) return;
  std::string_view rest = text;
  const std::string first = std::string(NextWord(&rest));
  for (const char* skip :
       {"typedef", "extern", "sfr", "sfr16", "sbit", "struct", "union", "enum"}) {
    if (first == skip) return;
  }
  if (variables_in_xdata) {
    ++result->xdata;
  } else {
    ++result->data;
  }
}

bool CodeAccount::ApplySegmentDirective(const std::string& first, const std::string& second,
                                        std::string_view rest) {
  if (second == "SEGMENT") {
    const std::string type = ToUpper(NextWord(&rest));
    Space space = Space::kCode;
    if (type == "DATA" || type == "IDATA") space = Space::kData;
    if (type == "XDATA") space = Space::kXdata;
    if (type == "BIT") space = Space::kBit;
    segments_[first] = space;
    return true;
  }
  if (first == "RSEG") {
    auto it = segments_.find(second);
    space_ = it == segments_.end() ? Space::kCode : it->second;
    return true;
  }
  if (first == "CSEG") space_ = Space::kCode;
  if (first == "DSEG" || first == "ISEG") space_ = Space::kData;
  if (first == "XSEG") space_ = Space::kXdata;
  if (first == "BSEG") space_ = Space::kBit;
  for (const char* directive : {"CSEG", "DSEG", "ISEG", "XSEG", "BSEG", "NAME", "USING", "PUBLIC",
                                "EXTRN", "EXTERN", "END", "ORG", "IF", "ELSE", "ENDIF"}) {
    if (first == directive) return true;
  }
  for (const char* directive : {"EQU", "SET", "DATA", "IDATA", "XDATA", "BIT", "CODE"}) {
    if (second == directive) return true;
  }
  return false;
}

bool CodeAccount::ApplyDataDirective(const std::string& first, std::string_view operands,
                                     ScanResult* result) {
  if (first == "DB") {
    AppendDefinedBytes(operands, &result->code);
    return true;
  }
  if (first == "DW") {
    for (const std::string& item : SplitArgumentList(operands, ',')) {
      uint32_t value;
      if (!ParseNumber(item, &value)) continue;
      result->code.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
      result->code.push_back(static_cast<uint8_t>(value & 0xFF));
    }
    return true;
  }
  if (first == "DS") {
    uint32_t size;
    if (!ParseNumber(operands, &size)) return true;
    if (space_ == Space::kData) result->data += size;
    if (space_ == Space::kXdata) result->xdata += size;
    if (space_ == Space::kCode) result->code.insert(result->code.end(), size & 0xFFFF, 0);
    return true;
  }
  return false;
}

void CodeAccount::AddAssembly(std::string_view code, ScanResult* result) {
  std::string_view text = Trim(code);
  if (text.empty() || text[0] == '$' || text[0] == '#') return;
  std::string_view rest = text;
  std::string first = ToUpper(NextWord(&rest));
  if (first.size() > 1 && first.back() == ':') {  // a label
    first = ToUpper(NextWord(&rest));
    if (first.empty()) return;
  }
  const std::string_view operands = rest;
  const std::string second = ToUpper(NextWord(&rest));
  if (ApplySegmentDirective(first, second, rest) || ApplyDataDirective(first, operands, result)) {
    return;
  }
  AppendLineCode(text, &result->code);
}

}  // namespace c51::sim
