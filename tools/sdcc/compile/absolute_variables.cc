#include "sdcc/compile/absolute_variables.h"

#include <charconv>
#include <map>
#include <string_view>

namespace c51::sdcc {

namespace {

constexpr std::string_view kProbe = "__c51_atsize_";

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// "_keep\t=\t0x0030" => "_keep", 0x30; false for any other line.
bool ReadEquate(std::string_view line, std::string_view* name, uint32_t* value) {
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos) return false;
  *name = Trimmed(line.substr(0, equals));
  std::string_view number = Trimmed(line.substr(equals + 1));
  if (name->empty() || IsBlank(line.front()) || number.size() < 3 || number[0] != '0' ||
      (number[1] != 'x' && number[1] != 'X')) {
    return false;
  }
  number.remove_prefix(2);
  auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), *value, 16);
  return ec == std::errc() && end == number.data() + number.size();
}

// The space a variable sdcc lays out in `area` is in; 0 for others.
char SpaceOf(std::string_view area) {
  if (area == "DSEG") return 'D';
  if (area == "ISEG") return 'I';
  if (area == "XSEG") return 'X';
  return 0;
}

}  // namespace

std::string SizeProbes(const std::vector<std::string>& names) {
  std::string out;
  for (const std::string& name : names) {
    out += "static __xdata __at(sizeof(" + name + ")) unsigned char " + std::string(kProbe) + name +
           ";\n";
  }
  return out;
}

std::vector<RelAbsolute> TakeAbsoluteVariables(std::string* assembly) {
  std::vector<RelAbsolute> placed;
  std::map<std::string, uint32_t, std::less<>> sizes;
  std::string kept;
  std::string_view area;
  const std::string_view text = *assembly;
  const std::string probe_symbol = "_" + std::string(kProbe);
  for (size_t pos = 0; pos < text.size();) {
    size_t end = text.find('\n', pos);
    end = end == std::string_view::npos ? text.size() : end + 1;
    const std::string_view line = text.substr(pos, end - pos);
    pos = end;
    const std::string_view words = Trimmed(line.substr(0, line.find(';')));
    if (words.substr(0, 5) == ".area" && words.size() > 5 && IsBlank(words[5])) {
      const std::string_view rest = Trimmed(words.substr(5));
      size_t n = 0;
      while (n < rest.size() && !IsBlank(rest[n]) && rest[n] != '(') ++n;
      area = rest.substr(0, n);
    }
    std::string_view name;
    uint32_t value = 0;
    if (ReadEquate(words, &name, &value)) {
      if (name.substr(0, probe_symbol.size()) == probe_symbol) {
        sizes["_" + std::string(name.substr(probe_symbol.size()))] = value;
        continue;
      }
      if (const char space = SpaceOf(area)) placed.push_back({space, value, 0, std::string(name)});
    }
    kept += line;
  }
  *assembly = std::move(kept);
  std::vector<RelAbsolute> sized;
  for (RelAbsolute& variable : placed) {
    const auto found = sizes.find(variable.symbol);
    if (found == sizes.end() || found->second == 0) continue;
    variable.size = found->second;
    sized.push_back(std::move(variable));
  }
  return sized;
}

}  // namespace c51::sdcc
