#include "sdcc/rel_object.h"

#include <algorithm>
#include <charconv>

#include "sim/dependency_record.h"

namespace c51::sdcc {

namespace {

constexpr std::string_view kModuleHeader = "SDCCOBJ 1";

// Texts go on one line each: a line end inside one would start a new field.
std::string OneLine(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return out;
}

// Reads one line at `*pos` (without its end) and moves past it. False at the
// end of the bytes.
bool NextLine(std::string_view bytes, size_t* pos, std::string_view* line) {
  if (*pos >= bytes.size()) return false;
  size_t end = bytes.find('\n', *pos);
  if (end == std::string_view::npos) end = bytes.size();
  *line = bytes.substr(*pos, end - *pos);
  if (!line->empty() && line->back() == '\r') line->remove_suffix(1);
  *pos = end + 1;
  return true;
}

bool Field(std::string_view line, std::string_view key, std::string* value) {
  if (line.size() < key.size() + 1 || line.substr(0, key.size()) != key ||
      line[key.size()] != ' ') {
    return false;
  }
  value->assign(line.substr(key.size() + 1));
  return true;
}

// "1 _t0" => 1, "_t0". The symbol is one word.
bool ParseInterrupt(std::string_view text, RelInterrupt* interrupt) {
  const size_t blank = text.find(' ');
  if (blank == std::string_view::npos || blank + 1 >= text.size() ||
      text.find(' ', blank + 1) != std::string_view::npos) {
    return false;
  }
  auto [end, ec] = std::from_chars(text.data(), text.data() + blank, interrupt->number);
  if (ec != std::errc() || end != text.data() + blank || interrupt->number > kMaxInterrupt) {
    return false;
  }
  interrupt->symbol.assign(text.substr(blank + 1));
  return true;
}

}  // namespace

std::string FormatRelModule(const RelModule& module) {
  std::string out;
  out += kModuleHeader;
  out += "\nMODULE ";
  out += OneLine(module.name);
  out += "\nSOURCE ";
  out += OneLine(module.source);
  out += "\nTOOL ";
  out += OneLine(module.tool);
  out += "\nMODEL ";
  out += OneLine(module.model);
  for (const RelInterrupt& interrupt : module.interrupts) {
    out += "\nINTERRUPT ";
    out += std::to_string(interrupt.number);
    out += ' ';
    out += OneLine(interrupt.symbol);
  }
  out += "\nREL ";
  out += std::to_string(module.rel.size());
  out += '\n';
  out += module.rel;
  out += "\nEND\n";
  return out;
}

bool ParseRelModules(std::string_view bytes, std::vector<RelModule>* modules, std::string* err) {
  modules->clear();
  size_t pos;
  if (!c51::sim::SkipDependencyRecord(bytes, &pos)) {
    *err = "TRUNCATED DEPENDENCY RECORD";
    return false;
  }
  if (bytes.substr(pos, kRelLibraryHeader.size()) == kRelLibraryHeader) {
    pos += kRelLibraryHeader.size();
  }
  std::string_view line;
  while (NextLine(bytes, &pos, &line)) {
    if (line.empty()) continue;
    if (line != kModuleHeader) {
      *err = "NOT AN OBJECT FILE";
      return false;
    }
    RelModule module;
    std::string size_text;
    std::string_view l1, l2, l3, l4, l5;
    bool good = NextLine(bytes, &pos, &l1) && Field(l1, "MODULE", &module.name) &&
                NextLine(bytes, &pos, &l2) && Field(l2, "SOURCE", &module.source) &&
                NextLine(bytes, &pos, &l3) && Field(l3, "TOOL", &module.tool) &&
                NextLine(bytes, &pos, &l4) && Field(l4, "MODEL", &module.model) &&
                NextLine(bytes, &pos, &l5);
    std::string interrupt_text;
    while (good && Field(l5, "INTERRUPT", &interrupt_text)) {
      RelInterrupt interrupt;
      good = ParseInterrupt(interrupt_text, &interrupt) && NextLine(bytes, &pos, &l5);
      module.interrupts.push_back(std::move(interrupt));
    }
    if (!good || !Field(l5, "REL", &size_text)) {
      *err = "BAD MODULE HEADER";
      return false;
    }
    size_t size = 0;
    auto [end, ec] = std::from_chars(size_text.data(), size_text.data() + size_text.size(), size);
    if (ec != std::errc() || end != size_text.data() + size_text.size() ||
        size > bytes.size() - std::min(pos, bytes.size())) {
      *err = "TRUNCATED MODULE";
      return false;
    }
    module.rel.assign(bytes.substr(pos, size));
    pos += size;
    if (!NextLine(bytes, &pos, &line) || !line.empty() || !NextLine(bytes, &pos, &line) ||
        line != "END") {
      *err = "TRUNCATED MODULE";
      return false;
    }
    modules->push_back(std::move(module));
  }
  return true;
}

}  // namespace c51::sdcc
