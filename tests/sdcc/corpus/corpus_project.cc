#include "corpus_project.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace c51::sdcc::corpus {
namespace {

namespace fs = std::filesystem;

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

bool IsWordChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// The text with comments, strings and character constants blanked, so
// that only code is left to search.
std::string CodeOnly(std::string_view text) {
  std::string out(text);
  size_t i = 0;
  while (i < out.size()) {
    if (out.compare(i, 2, "//") == 0) {
      while (i < out.size() && out[i] != '\n') out[i++] = ' ';
    } else if (out.compare(i, 2, "/*") == 0) {
      size_t end = out.find("*/", i + 2);
      end = end == std::string::npos ? out.size() : end + 2;
      for (; i < end; ++i)
        if (out[i] != '\n') out[i] = ' ';
    } else if (out[i] == '"' || out[i] == '\'') {
      const char quote = out[i];
      out[i++] = ' ';
      while (i < out.size() && out[i] != quote && out[i] != '\n') {
        if (out[i] == '\\' && i + 1 < out.size()) out[i++] = ' ';
        out[i++] = ' ';
      }
      if (i < out.size() && out[i] == quote) out[i++] = ' ';
    } else {
      ++i;
    }
  }
  return out;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::vector<std::string> ProjectFolders(const std::string& root) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::directory_iterator(root, ec)) {
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string ProjectFile(const std::string& folder) {
  std::string found;
  int count = 0;
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
    const std::string ext = Lower(entry.path().extension().string());
    if (entry.is_regular_file() && (ext == ".uvproj" || ext == ".uv2")) {
      found = entry.path().string();
      ++count;
    }
  }
  return count == 1 ? found : std::string();
}

std::map<int, std::string> InterruptRoutines(std::string_view c_text) {
  const std::string code = CodeOnly(c_text);
  const std::string_view word = "interrupt";
  std::map<int, std::string> routines;
  for (size_t at = code.find(word); at != std::string::npos; at = code.find(word, at + 1)) {
    if (at > 0 && IsWordChar(code[at - 1])) continue;
    size_t i = at + word.size();
    if (i < code.size() && IsWordChar(code[i])) continue;
    while (i < code.size() && IsBlank(code[i])) ++i;
    const bool bracket = i < code.size() && code[i] == '(';
    if (bracket) ++i;
    while (i < code.size() && IsBlank(code[i])) ++i;
    int base = 10;
    if (code.compare(i, 2, "0x") == 0 || code.compare(i, 2, "0X") == 0) {
      base = 16;
      i += 2;
    }
    int value = 0, digits = 0;
    for (int d; i < code.size() && (d = HexDigit(code[i])) >= 0 && d < base; ++i, ++digits)
      value = value * base + d;
    if (digits == 0) continue;
    // Back from the keyword over the parameter list to the routine's name.
    size_t j = at;
    while (j > 0 && IsBlank(code[j - 1])) --j;
    if (j == 0 || code[j - 1] != ')') continue;
    int depth = 0;
    do {
      --j;
      if (code[j] == ')') ++depth;
      if (code[j] == '(') --depth;
    } while (j > 0 && depth > 0);
    while (j > 0 && IsBlank(code[j - 1])) --j;
    size_t name_end = j;
    while (j > 0 && IsWordChar(code[j - 1])) --j;
    if (j < name_end) routines.emplace(value, code.substr(j, name_end - j));
  }
  return routines;
}

std::map<int, std::string> InterruptRoutinesBelow(const std::string& folder) {
  std::map<int, std::string> routines;
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder, ec)) {
    if (!entry.is_regular_file() || Lower(entry.path().extension().string()) != ".c") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    for (const auto& [number, name] : InterruptRoutines(text.str())) routines.emplace(number, name);
  }
  return routines;
}

bool ReadHexImage(std::string_view text, std::map<uint32_t, uint8_t>* image, std::string* err) {
  image->clear();
  size_t pos = 0;
  int line = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view record = text.substr(pos, end - pos);
    pos = end + 1;
    ++line;
    while (!record.empty() && (record.back() == '\r' || record.back() == ' '))
      record.remove_suffix(1);
    if (record.empty()) continue;
    std::vector<int> bytes;
    bool ok = record[0] == ':' && record.size() % 2 == 1;
    for (size_t i = 1; ok && i + 1 < record.size(); i += 2) {
      const int hi = HexDigit(record[i]), lo = HexDigit(record[i + 1]);
      ok = hi >= 0 && lo >= 0;
      bytes.push_back(hi * 16 + lo);
    }
    ok = ok && bytes.size() >= 5 && static_cast<size_t>(bytes[0]) + 5 == bytes.size();
    int sum = 0;
    for (int b : bytes) sum += b;
    if (!ok || (sum & 0xFF) != 0) {
      *err = "bad record on line " + std::to_string(line);
      return false;
    }
    const uint32_t address = static_cast<uint32_t>(bytes[1] * 256 + bytes[2]);
    if (bytes[3] == 0x01) return true;
    if (bytes[3] != 0x00) continue;
    for (int i = 0; i < bytes[0]; ++i) (*image)[address + i] = static_cast<uint8_t>(bytes[4 + i]);
  }
  *err = "no end record";
  return false;
}

std::map<std::string, uint32_t> CodeSymbols(std::string_view map_text) {
  std::map<std::string, uint32_t> symbols;
  std::istringstream lines{std::string(map_text)};
  for (std::string line; std::getline(lines, line);) {
    std::istringstream fields(line);
    std::string value, space, symbol;
    if (!(fields >> value >> space >> symbol) || space != "CODE" || value.size() < 2 ||
        value.back() != 'H') {
      continue;
    }
    value.pop_back();
    uint32_t address = 0;
    bool ok = true;
    for (char c : value) {
      const int d = HexDigit(c);
      ok = ok && d >= 0;
      address = address * 16 + static_cast<uint32_t>(d < 0 ? 0 : d);
    }
    if (ok) symbols.emplace(symbol, address);
  }
  return symbols;
}

std::string HexFileOfBuild(std::string_view build_output) {
  const std::string_view marker = "creating hex file from \"";
  const size_t at = build_output.find(marker);
  if (at == std::string_view::npos) return std::string();
  const size_t begin = at + marker.size();
  const size_t end = build_output.find("\"...", begin);
  if (end == std::string_view::npos) return std::string();
  return std::string(build_output.substr(begin, end - begin)) + ".hex";
}

}  // namespace c51::sdcc::corpus
