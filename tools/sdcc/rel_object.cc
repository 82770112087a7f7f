#include "sdcc/rel_object.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

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

// One word: no blank, not empty.
bool IsWord(std::string_view text) {
  return !text.empty() && text.find_first_of(" \t\r\n") == std::string_view::npos;
}

// "_buf$1f2e3d 6" => the symbol and its size, at most 256 bytes.
bool ParseSizedSymbol(std::string_view text, std::string* symbol, uint32_t* size) {
  const size_t blank = text.find(' ');
  if (blank == std::string_view::npos || !IsWord(text.substr(0, blank))) return false;
  const char* first = text.data() + blank + 1;
  const char* last = text.data() + text.size();
  auto [end, ec] = std::from_chars(first, last, *size);
  if (first == last || ec != std::errc() || end != last || *size > 0x100) return false;
  symbol->assign(text.substr(0, blank));
  return true;
}

// "G _buf 80" => a public variable of 80 bytes.
bool ParseDataItem(std::string_view text, RelDataItem* item) {
  if (text.size() < 3 || (text[0] != 'G' && text[0] != 'L') || text[1] != ' ') return false;
  item->global = text[0] == 'G';
  return ParseSizedSymbol(text.substr(2), &item->symbol, &item->size);
}

}  // namespace

bool ParseRelAbsolute(std::string_view text, RelAbsolute* absolute) {
  std::vector<std::string_view> words;
  while (!text.empty()) {
    const size_t blank = text.find(' ');
    words.push_back(text.substr(0, blank));
    if (blank == std::string_view::npos) break;
    text.remove_prefix(blank + 1);
  }
  if (words.size() != 4 || words[0].size() != 1 ||
      std::string_view("DIX").find(words[0][0]) == std::string_view::npos || !IsWord(words[3])) {
    return false;
  }
  auto number = [](std::string_view word, int base, uint32_t* value) {
    auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), *value, base);
    return !word.empty() && ec == std::errc() && end == word.data() + word.size();
  };
  absolute->space = words[0][0];
  absolute->symbol.assign(words[3]);
  return number(words[1], 16, &absolute->address) && number(words[2], 10, &absolute->size) &&
         absolute->address <= 0xFFFF && absolute->size >= 1 && absolute->size <= 0x10000;
}

std::string FormatRelAbsolute(const RelAbsolute& absolute) {
  char address[16];
  snprintf(address, sizeof address, "%04X", static_cast<unsigned>(absolute.address));
  return std::string(1, absolute.space) + " " + address + " " + std::to_string(absolute.size) +
         " " + OneLine(absolute.symbol);
}

std::string FormatCallGraph(const RelModule& module) {
  if (!module.call_graph) return std::string();
  std::string out = "CALLGRAPH\n";
  for (const RelDataItem& item : module.data) {
    out += std::string("DATA ") + (item.global ? "G " : "L ") + OneLine(item.symbol) + " " +
           std::to_string(item.size) + "\n";
  }
  for (const RelFunction& f : module.functions) {
    out += "FUNCTION ";
    out += f.global ? "G " : "L ";
    out += OneLine(f.symbol) + "\n";
    for (const RelFrameItem& item : f.frame) {
      out += "FRAME " + OneLine(item.symbol) + " " + std::to_string(item.size) + "\n";
    }
    for (const RelLocalItem& item : f.locals) {
      out += std::string("LOCAL ") + item.space + " " + OneLine(item.symbol) + " " +
             std::to_string(item.size) + "\n";
    }
    for (const std::string& callee : f.calls) out += "CALL " + OneLine(callee) + "\n";
    if (f.indirect_calls) out += "INDIRECT\n";
  }
  for (const std::string& taken : module.taken) out += "TAKEN " + OneLine(taken) + "\n";
  if (module.float_formats) out += "FLOATFORMAT\n";
  return out;
}

bool ParseCallGraphLine(std::string_view line, RelModule* module) {
  std::string value;
  if (line == "CALLGRAPH") {
    module->call_graph = true;
    return true;
  }
  if (!module->call_graph) return false;
  if (line == "FLOATFORMAT") {
    module->float_formats = true;
    return true;
  }
  if (Field(line, "FUNCTION", &value)) {
    if (value.size() < 3 || (value[0] != 'G' && value[0] != 'L') || value[1] != ' ' ||
        !IsWord(std::string_view(value).substr(2))) {
      return false;
    }
    module->functions.push_back(RelFunction{value.substr(2), value[0] == 'G', {}, {}, false});
    return true;
  }
  if (Field(line, "DATA", &value)) {
    RelDataItem item;
    if (!ParseDataItem(value, &item)) return false;
    module->data.push_back(std::move(item));
    return true;
  }
  if (Field(line, "TAKEN", &value)) {
    if (!IsWord(value)) return false;
    module->taken.push_back(value);
    return true;
  }
  if (module->functions.empty()) return false;
  RelFunction& f = module->functions.back();
  if (line == "INDIRECT") {
    f.indirect_calls = true;
    return true;
  }
  if (Field(line, "CALL", &value)) {
    if (!IsWord(value)) return false;
    f.calls.push_back(value);
    return true;
  }
  if (Field(line, "FRAME", &value)) {
    RelFrameItem item;
    if (!ParseSizedSymbol(value, &item.symbol, &item.size)) return false;
    f.frame.push_back(std::move(item));
    return true;
  }
  if (Field(line, "LOCAL", &value)) {
    RelLocalItem item;
    if (value.size() < 3 || std::string_view("XPB").find(value[0]) == std::string_view::npos ||
        value[1] != ' ' ||
        !ParseSizedSymbol(std::string_view(value).substr(2), &item.symbol, &item.size) ||
        item.size == 0) {
      return false;
    }
    item.space = value[0];
    f.locals.push_back(std::move(item));
    return true;
  }
  return false;
}

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
  for (const RelAbsolute& absolute : module.absolutes) {
    out += "\nABSOLUTE ";
    out += FormatRelAbsolute(absolute);
  }
  out += '\n';
  out += FormatCallGraph(module);
  out += "REL ";
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
    std::string absolute_text;
    while (good && Field(l5, "ABSOLUTE", &absolute_text)) {
      RelAbsolute absolute;
      good = ParseRelAbsolute(absolute_text, &absolute) && NextLine(bytes, &pos, &l5);
      module.absolutes.push_back(std::move(absolute));
    }
    while (good && (l5 == "CALLGRAPH" || module.call_graph) && !Field(l5, "REL", &size_text)) {
      good = ParseCallGraphLine(l5, &module) && NextLine(bytes, &pos, &l5);
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
