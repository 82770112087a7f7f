#include "sdcc/compile/object_output.h"

#include <cstdlib>

#include "sim/controls.h"
#include "sim/dependency_record.h"
#include "sim/files.h"
#include "sim/translation.h"

namespace c51::sdcc {

namespace {

enum class Space { kCode, kData, kBits, kXdata, kNone };

// sdcc's area names say where an area lives.
Space AreaSpace(std::string_view name) {
  static constexpr std::string_view kCode[] = {"CSEG", "CONST", "HOME",   "GSINIT", "GSFINAL",
                                               "CABS", "XINIT", "VECTOR", "RTSEG"};
  static constexpr std::string_view kData[] = {"DSEG", "OSEG", "ISEG", "IABS", "DABS", "SSEG"};
  static constexpr std::string_view kXdata[] = {"XSEG", "PSEG", "XISEG", "XABS"};
  for (std::string_view n : kCode) {
    if (name == n) return Space::kCode;
  }
  for (std::string_view n : kData) {
    if (name == n) return Space::kData;
  }
  for (std::string_view n : kXdata) {
    if (name == n) return Space::kXdata;
  }
  if (name == "BSEG" || name == "BIT_BANK") return Space::kBits;
  if (name.substr(0, 9) == "REG_BANK_") return Space::kData;
  return Space::kNone;
}

}  // namespace

sim::ModuleSizes ReadModuleSizes(std::string_view rel) {
  sim::ModuleSizes sizes;
  uint32_t bits = 0;
  size_t pos = 0;
  while (pos < rel.size()) {
    size_t end = rel.find('\n', pos);
    if (end == std::string_view::npos) end = rel.size();
    std::string_view line = rel.substr(pos, end - pos);
    pos = end + 1;
    if (line.substr(0, 2) != "A ") continue;
    line.remove_prefix(2);
    const size_t blank = line.find(' ');
    if (blank == std::string_view::npos) continue;
    const std::string_view name = line.substr(0, blank);
    const size_t at = line.find(" size ");
    if (at == std::string_view::npos) continue;
    const uint32_t size =
        static_cast<uint32_t>(std::strtoul(std::string(line.substr(at + 6)).c_str(), nullptr, 16));
    switch (AreaSpace(name)) {
      case Space::kCode:
        sizes.code += size;
        break;
      case Space::kData:
        sizes.data += size;
        break;
      case Space::kBits:
        bits += size;
        break;
      case Space::kXdata:
        sizes.xdata += size;
        break;
      case Space::kNone:
        break;
    }
  }
  sizes.data += (bits + 7) / 8;
  return sizes;
}

std::string ModuleFileTitle(std::string_view source) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string title;
  for (const char c : FileTitle(source, sim::kToolBreaks)) {
    const unsigned char u = static_cast<unsigned char>(c);
    if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9')) {
      title += c;
    } else if (u >= 0x80) {
      title += kHex[u >> 4];
      title += kHex[u & 0xF];
    } else {
      title += '_';
    }
  }
  if (title.empty() || (title[0] >= '0' && title[0] <= '9')) title = "m" + title;
  return title;
}

std::string DependencyRecordFor(std::string_view tool, const std::string& source,
                                const std::vector<std::string>& headers, int* dropped) {
  std::vector<sim::DependencyEntry> entries;
  entries.push_back(
      sim::DependencyEntry{sim::kSourceEntry, sim::FileTime(source), sim::AbsolutePath(source)});
  for (const std::string& header : headers) {
    entries.push_back(
        sim::DependencyEntry{sim::kIncludeEntry, sim::FileTime(header), sim::AbsolutePath(header)});
  }
  return sim::BuildDependencyRecord(tool, entries, dropped);
}

bool WriteObjectFile(const std::string& path, std::string_view tool, const std::string& source,
                     const std::vector<std::string>& headers, RelModule module,
                     sim::Console* console) {
  int dropped = 0;
  std::string bytes = DependencyRecordFor(tool, source, headers, &dropped);
  sim::ReportDroppedNames(console, dropped);
  module.name = sim::ToUpper(FileTitle(source, sim::kToolBreaks));
  module.source = source;
  module.tool = std::string(tool);
  bytes += FormatRelModule(module);
  std::string err;
  if (!sim::WriteFile(path, bytes, &err)) {
    PrintFatalBlock(console, tool, sim::FatalError{"WRITING OUTPUT-FILE", "", err, "", 0});
    return false;
  }
  return true;
}

}  // namespace c51::sdcc
