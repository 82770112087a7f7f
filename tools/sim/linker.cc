#include "sim/linker.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace c51::sim {

namespace {

// Register bank 0 always takes the first eight bytes of internal RAM.
constexpr uint32_t kRegisterBank = 8;

struct Layout {
  bool banked = false;
  uint32_t bank_start = 0;
  uint32_t bank_end = 0;
  uint32_t code_start = 0;
  uint32_t code_end = 0xFFFF;
  uint32_t ram_size = 256;
  std::vector<uint32_t> disabled_warnings;
};

constexpr ControlRule kLinkerRules[] = {
    {"BANKAREA", ArgumentUse::kRequired}, {"CODE", ArgumentUse::kRequired},
    {"XDATA", ArgumentUse::kRequired},    {"PDATA", ArgumentUse::kRequired},
    {"BIT", ArgumentUse::kRequired},      {"DATA", ArgumentUse::kRequired},
    {"IDATA", ArgumentUse::kRequired},    {"STACK", ArgumentUse::kRequired},
    {"PRECEDE", ArgumentUse::kRequired},  {"OVERLAY", ArgumentUse::kRequired},
    {"RAMSIZE", ArgumentUse::kRequired},  {"DISABLEWARNING", ArgumentUse::kRequired},
    {"RTX51", ArgumentUse::kNone},        {"RTX51TINY", ArgumentUse::kNone},
    {"NOPRINT", ArgumentUse::kNone},      {"PRINT", ArgumentUse::kOptional},
    {"NAME", ArgumentUse::kRequired},     {"REGFILE", ArgumentUse::kRequired},
};

void AddMessage(LinkOutcome* outcome, bool error, const std::string& code, const std::string& text,
                const std::vector<std::string>& details) {
  outcome->lines.push_back(std::string(error ? "*** ERROR " : "*** WARNING ") + code + ": " + text);
  for (const std::string& detail : details) outcome->lines.push_back("    " + detail);
  (error ? outcome->errors : outcome->warnings) += 1;
}

void AddFatal(LinkOutcome* outcome, const std::string& code, const std::string& text,
              const std::vector<std::string>& details) {
  outcome->lines.push_back("*** FATAL ERROR " + code + ": " + text);
  for (const std::string& detail : details) outcome->lines.push_back("    " + detail);
  outcome->errors += 1;
  outcome->fatal = true;
}

// "0x8000-0xFFFF" => 0x8000, 0xFFFF; "0x100" => 0x100, end unchanged.
bool ParseRange(std::string_view text, uint32_t* start, uint32_t* end) {
  const size_t dash = text.find('-');
  if (dash == std::string_view::npos) return ParseNumber(text, start);
  return ParseNumber(text.substr(0, dash), start) && ParseNumber(text.substr(dash + 1), end) &&
         *start <= *end;
}

// Reads the controls that shape the layout. False after an L200 error.
bool ReadLayout(const std::vector<Control>& controls, Layout* layout, LinkOutcome* outcome) {
  std::string err;
  if (!CheckControls(controls, kLinkerRules, &err)) {
    AddMessage(outcome, true, "L200", "INVALID CONTROL", {"REASON:  " + err});
    return false;
  }
  for (const Control& control : controls) {
    const std::vector<std::string> items = SplitArgumentList(control.argument, ',');
    auto bad = [&] {
      AddMessage(outcome, true, "L200", "INVALID CONTROL ARGUMENT",
                 {"CONTROL: " + control.name + "(" + control.argument + ")"});
      return false;
    };
    uint32_t value;
    if (control.name == "BANKAREA") {
      if (items.size() != 2 || !ParseNumber(items[0], &layout->bank_start) ||
          !ParseNumber(items[1], &layout->bank_end) || layout->bank_start > layout->bank_end ||
          layout->bank_end > 0xFFFF) {
        return bad();
      }
      layout->banked = true;
    } else if (control.name == "CODE") {
      // The first item that reads as an address or range places the code;
      // segment names after it are accepted as they are.
      for (const std::string& item : items) {
        uint32_t start, end = 0xFFFF;
        if (!ParseRange(item, &start, &end)) continue;
        if (start > 0xFFFF || end > 0xFFFF) return bad();
        layout->code_start = start;
        layout->code_end = end;
        break;
      }
    } else if (control.name == "RAMSIZE") {
      if (!ParseNumber(control.argument, &value) || value < 64 || value > 256) return bad();
      layout->ram_size = value;
    } else if (control.name == "DISABLEWARNING") {
      for (const std::string& item : items) {
        if (!ParseNumber(item, &value)) return bad();
        layout->disabled_warnings.push_back(value);
      }
    }
  }
  return true;
}

// The number in a message code: "L16" => 16.
bool CodeNumber(std::string_view code, uint32_t* number) {
  size_t i = 0;
  while (i < code.size() && (code[i] < '0' || code[i] > '9')) ++i;
  return i < code.size() && ParseNumber(code.substr(i), number);
}

struct Loaded {
  const LinkInput* input;
  ObjectModule module;
};

std::string DefaultOutput(const LinkCommand& command) {
  const std::string& first = command.inputs.front().path;
  return std::string(WithoutExtension(first, kToolBreaks));
}

std::string FormatMap(const LinkOutcome& outcome, const std::vector<Loaded>& loaded) {
  std::string out;
  auto line = [&out](const std::string& text) { out += text + "\r\n"; };
  line("BL51 SIMULATED LINKER/LOCATER V1.00");
  line("");
  line("INPUT MODULES INCLUDED:");
  for (const Loaded& item : loaded) {
    line("  " + item.input->path + " (" + item.module.name + ")");
  }
  line("");
  line("LINK MAP OF MODULE:  " + outcome.output);
  line("");
  line("  TYPE    BASE      LENGTH    MODULE");
  char row[96];
  for (const ProgramSegment& segment : outcome.program.segments) {
    const std::string type =
        segment.bank == kCommonArea ? std::string("CODE") : "BANK" + std::to_string(segment.bank);
    snprintf(row, sizeof row, "  %-7s %04XH     %04XH     ", type.c_str(),
             static_cast<unsigned>(segment.address), static_cast<unsigned>(segment.bytes.size()));
    line(row + segment.module);
  }
  line("");
  for (const std::string& message : outcome.lines) line(message);
  line("");
  line(FormatProgramSize(outcome));
  line(FormatLinkSummary(outcome.warnings, outcome.errors));
  return out;
}

}  // namespace

std::string FormatProgram(const Program& program) {
  std::string out = "SIMABS 1\n";
  char head[48];
  for (const ProgramSegment& segment : program.segments) {
    snprintf(head, sizeof head, "SEGMENT %d %04X ", segment.bank,
             static_cast<unsigned>(segment.address));
    out += head + FormatHexBytes(segment.bytes) + " " + segment.module + "\n";
  }
  out += "END\n";
  return out;
}

bool ParseProgram(std::string_view text, Program* program, std::string* err) {
  size_t pos = 0;
  bool first = true;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (first) {
      first = false;
      if (line != "SIMABS 1") {
        *err = "NOT AN ABSOLUTE OBJECT FILE";
        return false;
      }
      continue;
    }
    if (line == "END") return true;
    // SEGMENT <bank> <address> <bytes> <module>
    std::vector<std::string_view> fields;
    size_t start = 0;
    while (fields.size() < 4) {
      size_t blank = line.find(' ', start);
      if (blank == std::string_view::npos) break;
      fields.push_back(line.substr(start, blank - start));
      start = blank + 1;
    }
    fields.push_back(line.substr(std::min(start, line.size())));
    ProgramSegment segment;
    uint32_t bank, address;
    if (fields.size() < 4 || fields[0] != "SEGMENT" || !ParseHexBytes(fields[3], &segment.bytes)) {
      *err = "BAD SEGMENT IN ABSOLUTE OBJECT FILE";
      return false;
    }
    if (fields[1] == "-1") {
      segment.bank = kCommonArea;
    } else if (ParseNumber(fields[1], &bank) && bank <= 63) {
      segment.bank = static_cast<int>(bank);
    } else {
      *err = "BAD BANK IN ABSOLUTE OBJECT FILE";
      return false;
    }
    if (!ParseNumber("0x" + std::string(fields[2]), &address) || address > 0xFFFF) {
      *err = "BAD ADDRESS IN ABSOLUTE OBJECT FILE";
      return false;
    }
    segment.address = address;
    if (fields.size() > 4) segment.module = fields[4];
    program->segments.push_back(std::move(segment));
  }
  *err = "TRUNCATED ABSOLUTE OBJECT FILE";
  return false;
}

std::string FormatProgramSize(const LinkOutcome& outcome) {
  return "Program Size: data=" + std::to_string(outcome.data) +
         ".0 xdata=" + std::to_string(outcome.xdata) + " code=" + std::to_string(outcome.code);
}

std::string FormatLinkSummary(int warnings, int errors) {
  return "LINK/LOCATE RUN COMPLETE.  " + std::to_string(warnings) + " WARNING(S),  " +
         std::to_string(errors) + " ERROR(S)";
}

LinkOutcome Link(const LinkCommand& command, FileSource* files) {
  LinkOutcome outcome;
  outcome.output = command.output.empty() ? DefaultOutput(command) : command.output;
  outcome.map_path = WithExtension(outcome.output, "M51");
  for (const Control& control : command.controls) {
    if (control.name == "NOPRINT") outcome.map_path.clear();
    if (control.name == "PRINT" && control.has_argument) {
      outcome.map_path = Unquote(control.argument);
    }
  }

  Layout layout;
  if (!ReadLayout(command.controls, &layout, &outcome)) return outcome;

  std::vector<Loaded> loaded;
  for (const LinkInput& input : command.inputs) {
    std::string bytes;
    if (files->Read(input.path, &bytes) != ReadResult::kOkay) {
      AddFatal(&outcome, "L210", "I/O ERROR ON INPUT FILE:", {"FILE:    " + input.path});
      return outcome;
    }
    std::vector<ObjectModule> modules;
    std::string err;
    if (!ParseModules(bytes, &modules, &err)) {
      AddFatal(&outcome, "L211", "INVALID OBJECT FILE",
               {"FILE:    " + input.path, "REASON:  " + err});
      return outcome;
    }
    for (ObjectModule& module : modules) loaded.push_back(Loaded{&input, std::move(module)});
  }

  const bool any_banked =
      std::any_of(command.inputs.begin(), command.inputs.end(),
                  [](const LinkInput& input) { return input.bank != kCommonArea; });
  if (any_banked && !layout.banked) {
    AddMessage(&outcome, true, "L130", "BANKED MODULES BUT NO BANKAREA", {});
  }

  // Messages the sources asked for, in input order.
  for (const Loaded& item : loaded) {
    for (const LinkMarker& marker : item.module.link_markers) {
      uint32_t number;
      const bool error = marker.severity != Severity::kWarning;
      if (!error && CodeNumber(marker.code, &number) &&
          std::find(layout.disabled_warnings.begin(), layout.disabled_warnings.end(), number) !=
              layout.disabled_warnings.end()) {
        continue;
      }
      AddMessage(&outcome, error, marker.code, marker.text,
                 {"MODULE:  " + item.input->path + " (" + item.module.name + ")"});
    }
  }

  // Common code from the code start; each bank from the bank area's start.
  uint32_t common_limit = layout.code_end;
  if (layout.banked && layout.bank_start > layout.code_start) {
    common_limit = std::min(common_limit, layout.bank_start - 1);
  }
  std::map<int, uint64_t> next;  // area => next free address
  std::map<int, bool> overflowed;
  outcome.data = kRegisterBank;
  for (const Loaded& item : loaded) {
    const int area = layout.banked ? item.input->bank : kCommonArea;
    const uint64_t start_of_area = area == kCommonArea ? layout.code_start : layout.bank_start;
    const uint64_t limit = area == kCommonArea ? common_limit : layout.bank_end;
    uint64_t& address = next.try_emplace(area, start_of_area).first->second;
    const uint64_t size = item.module.code.size();
    if (size > 0 && address + size - 1 > limit) {
      if (!overflowed[area]) {
        overflowed[area] = true;
        const std::string space = area == kCommonArea ? "CODE" : "BANK" + std::to_string(area);
        AddMessage(
            &outcome, true, "L107", "ADDRESS SPACE OVERFLOW",
            {"SPACE:   " + space, "MODULE:  " + item.input->path + " (" + item.module.name + ")"});
      }
    } else if (size > 0) {
      outcome.program.segments.push_back(
          ProgramSegment{area, static_cast<uint32_t>(address), item.module.code, item.module.name});
      address += size;
    }
    outcome.code += static_cast<uint32_t>(size);
    outcome.data += item.module.data;
    outcome.xdata += item.module.xdata;
  }
  if (outcome.data > layout.ram_size) {
    AddMessage(&outcome, true, "L107", "ADDRESS SPACE OVERFLOW", {"SPACE:   DATA"});
  }
  if (outcome.xdata > 0x10000) {
    AddMessage(&outcome, true, "L107", "ADDRESS SPACE OVERFLOW", {"SPACE:   XDATA"});
  }
  if (!outcome.map_path.empty()) outcome.map = FormatMap(outcome, loaded);
  return outcome;
}

}  // namespace c51::sim
