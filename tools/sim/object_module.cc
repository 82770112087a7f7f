#include "sim/object_module.h"

#include "sim/controls.h"
#include "sim/dependency_record.h"

namespace c51::sim {

namespace {

constexpr std::string_view kModuleHeader = "SIMOBJ 1";

int HexValue(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  if (u >= '0' && u <= '9') return u - '0';
  if (u >= 'A' && u <= 'F') return u - 'A' + 10;
  if (u >= 'a' && u <= 'f') return u - 'a' + 10;
  return -1;
}

// Texts go on one line each: a line end inside one would start a new field.
std::string OneLine(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return out;
}

}  // namespace

std::string FormatHexBytes(const std::vector<uint8_t>& bytes) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (uint8_t b : bytes) {
    out += kDigits[b >> 4];
    out += kDigits[b & 0x0F];
  }
  return out;
}

bool ParseHexBytes(std::string_view text, std::vector<uint8_t>* bytes) {
  if (text.size() % 2 != 0) return false;
  bytes->clear();
  bytes->reserve(text.size() / 2);
  for (size_t i = 0; i < text.size(); i += 2) {
    int high = HexValue(text[i]);
    int low = HexValue(text[i + 1]);
    if (high < 0 || low < 0) return false;
    bytes->push_back(static_cast<uint8_t>(high * 16 + low));
  }
  return true;
}

std::string FormatModule(const ObjectModule& module) {
  std::string out;
  out += kModuleHeader;
  out += "\nMODULE " + OneLine(module.name);
  out += "\nSOURCE " + OneLine(module.source);
  out += "\nTOOL " + OneLine(module.tool);
  out += "\nMODEL " + OneLine(module.model);
  out += "\nCONTROLS " + OneLine(module.controls);
  out += "\nCODE " + FormatHexBytes(module.code);
  out += "\nDATA " + std::to_string(module.data);
  out += "\nXDATA " + std::to_string(module.xdata);
  for (const LinkMarker& marker : module.link_markers) {
    out += marker.severity == Severity::kWarning ? "\nLINK WARNING " : "\nLINK ERROR ";
    out += OneLine(marker.code) + " " + OneLine(marker.text);
  }
  out += "\nEND\n";
  return out;
}

bool ParseModules(std::string_view bytes, std::vector<ObjectModule>* modules, std::string* err) {
  size_t pos;
  if (!SkipDependencyRecord(bytes, &pos)) {
    *err = "TRUNCATED DEPENDENCY RECORD";
    return false;
  }
  ObjectModule module;
  bool in_module = false;
  bool first_line = true;
  bool library = false;
  size_t count = 0;
  while (pos < bytes.size()) {
    size_t end = bytes.find('\n', pos);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view line = bytes.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const bool was_first = first_line;
    first_line = false;
    if (!in_module) {
      if (line.empty()) continue;
      if (was_first && line == Trim(kLibraryHeader)) {
        library = true;
        continue;
      }
      if (line != kModuleHeader) {
        *err = "NOT AN OBJECT MODULE";
        return false;
      }
      module = ObjectModule();
      in_module = true;
      continue;
    }
    const size_t blank = line.find(' ');
    const std::string_view key = line.substr(0, blank);
    const std::string_view value =
        blank == std::string_view::npos ? std::string_view() : line.substr(blank + 1);
    if (key == "END") {
      modules->push_back(std::move(module));
      in_module = false;
      ++count;
    } else if (key == "MODULE") {
      module.name = value;
    } else if (key == "SOURCE") {
      module.source = value;
    } else if (key == "TOOL") {
      module.tool = value;
    } else if (key == "MODEL") {
      module.model = value;
    } else if (key == "CONTROLS") {
      module.controls = value;
    } else if (key == "CODE") {
      if (!ParseHexBytes(value, &module.code)) {
        *err = "BAD CODE IN OBJECT MODULE";
        return false;
      }
    } else if (key == "DATA" || key == "XDATA") {
      uint32_t number;
      if (!ParseNumber(value, &number)) {
        *err = "BAD SIZE IN OBJECT MODULE";
        return false;
      }
      (key == "DATA" ? module.data : module.xdata) = number;
    } else if (key == "LINK") {
      std::string_view rest = value;
      const size_t a = rest.find(' ');
      const size_t b = a == std::string_view::npos ? a : rest.find(' ', a + 1);
      if (b == std::string_view::npos) {
        *err = "BAD LINK MESSAGE IN OBJECT MODULE";
        return false;
      }
      LinkMarker marker;
      marker.severity = rest.substr(0, a) == "WARNING" ? Severity::kWarning : Severity::kError;
      marker.code = rest.substr(a + 1, b - a - 1);
      marker.text = rest.substr(b + 1);
      module.link_markers.push_back(std::move(marker));
    }
    // Other keys are left for later versions of the format.
  }
  if (in_module) {
    *err = "TRUNCATED OBJECT MODULE";
    return false;
  }
  // An empty library is fine; an object without a module is not.
  if (count == 0 && !library) {
    *err = "NOT AN OBJECT MODULE";
    return false;
  }
  return true;
}

}  // namespace c51::sim
