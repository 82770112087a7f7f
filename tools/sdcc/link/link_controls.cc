#include "sdcc/link/link_controls.h"

#include <cstdio>

namespace c51::sdcc {

namespace {

using c51::sim::ArgumentUse;
using c51::sim::Control;
using c51::sim::ControlRule;

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

std::string Hex(uint32_t value) {
  char text[16];
  snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(value));
  return text;
}

std::string Shown(const Control& control) {
  return control.has_argument ? control.name + "(" + control.argument + ")" : control.name;
}

// "0x8000-0xFFFF" => 0x8000, 0xFFFF; "0x100" => 0x100 with `end` unchanged.
bool ParseRange(std::string_view text, uint32_t* start, uint32_t* end) {
  const size_t dash = text.find('-');
  if (dash == std::string_view::npos) return c51::sim::ParseNumber(text, start);
  return c51::sim::ParseNumber(c51::sim::Trim(text.substr(0, dash)), start) &&
         c51::sim::ParseNumber(c51::sim::Trim(text.substr(dash + 1)), end) && *start <= *end;
}

class Mapper {
 public:
  explicit Mapper(LinkControls* out) : out_(out) {}

  void Error(const std::string& code, const std::string& text, const Control& control) {
    out_->messages.push_back({LinkMessage::kError, code, text, {"CONTROL: " + Shown(control)}});
  }
  void Ignored(const Control& control, std::string_view what) {
    LinkMessage message{LinkMessage::kWarning,
                        "L200",
                        "CONTROL NOT SUPPORTED BY THIS LINKER, IGNORED",
                        {"CONTROL: " + Shown(control)}};
    // Only part of CODE( range, segments ) goes unused: name the part.
    if (what != control.argument) message.details.push_back("IGNORED: " + std::string(what));
    out_->messages.push_back(std::move(message));
  }
  void Args(std::initializer_list<std::string> args) {
    out_->sdcc_args.insert(out_->sdcc_args.end(), args);
  }

  // CODE and XDATA: the first address range places the space; segment
  // names after it cannot be placed one by one with sdcc.
  void Space(const Control& control, const char* loc, const char* size) {
    bool placed = false;
    for (const std::string& item : c51::sim::SplitArgumentList(control.argument, ',')) {
      uint32_t start, end = 0xFFFF;
      if (!placed && ParseRange(item, &start, &end)) {
        if (start > 0xFFFF || end > 0xFFFF) {
          Error("L200", "INVALID CONTROL ARGUMENT", control);
          return;
        }
        Args({loc, Hex(start), size, Hex(end - start + 1)});
        if (control.name == "CODE") out_->code_base = start;
        placed = true;
      } else if (!item.empty()) {
        Ignored(control, item);
      }
    }
  }

  // DATA, IDATA, STACK: a plain address maps; segment lists do not.
  void Base(const Control& control, const char* option, uint32_t limit) {
    uint32_t value;
    if (!c51::sim::ParseNumber(control.argument, &value)) {
      Ignored(control, control.argument);
    } else if (value > limit) {
      Error("L200", "INVALID CONTROL ARGUMENT", control);
    } else {
      Args({option, Hex(value)});
    }
  }

 private:
  LinkControls* out_;
};

}  // namespace

LinkControls MapLinkControls(const std::vector<Control>& controls) {
  LinkControls out;
  Mapper mapper(&out);
  std::string err;
  if (!c51::sim::CheckControls(controls, kLinkerRules, &err)) {
    out.messages.push_back({LinkMessage::kError, "L200", "INVALID CONTROL", {"REASON:  " + err}});
    return out;
  }
  for (const Control& control : controls) {
    const std::string& name = control.name;
    uint32_t value;
    if (name == "BANKAREA") {
      mapper.Error("L130", "CODE BANKING NOT SUPPORTED BY THIS LINKER", control);
    } else if (name == "RTX51" || name == "RTX51TINY") {
      mapper.Error("L200", "REAL-TIME KERNEL NOT AVAILABLE WITH SDCC", control);
    } else if (name == "CODE") {
      mapper.Space(control, "--code-loc", "--code-size");
    } else if (name == "XDATA") {
      mapper.Space(control, "--xram-loc", "--xram-size");
    } else if (name == "RAMSIZE") {
      if (!c51::sim::ParseNumber(control.argument, &value) || value < 64 || value > 256) {
        mapper.Error("L200", "INVALID CONTROL ARGUMENT", control);
      } else {
        mapper.Args({"--iram-size", std::to_string(value)});
      }
    } else if (name == "DATA") {
      mapper.Base(control, "--data-loc", 0x7F);
    } else if (name == "IDATA") {
      mapper.Base(control, "--idata-loc", 0xFF);
    } else if (name == "STACK") {
      mapper.Base(control, "--stack-loc", 0xFF);
    } else if (name == "PDATA" || name == "BIT" || name == "PRECEDE" || name == "OVERLAY" ||
               name == "REGFILE") {
      mapper.Ignored(control, control.argument);
    } else if (name == "DISABLEWARNING") {
      for (const std::string& item : c51::sim::SplitArgumentList(control.argument, ',')) {
        if (!c51::sim::ParseNumber(item, &value)) {
          mapper.Error("L200", "INVALID CONTROL ARGUMENT", control);
          break;
        }
        out.disabled_warnings.push_back(value);
      }
    }
  }
  return out;
}

std::vector<std::string> ModelArguments(std::string_view options, std::string_view model) {
  std::vector<std::string> args;
  for (const char* known : {"--model-small", "--model-medium", "--model-large"}) {
    if (options.find(known) != std::string_view::npos) args.push_back(known);
  }
  if (args.empty()) {
    const std::string upper = c51::sim::ToUpper(model);
    args.push_back(upper == "LARGE"     ? "--model-large"
                   : upper == "COMPACT" ? "--model-medium"
                                        : "--model-small");
  }
  // The stack-auto run-time library differs from the plain one.
  if (options.find("--stack-auto") != std::string_view::npos) args.push_back("--stack-auto");
  return args;
}

bool MessageNumber(std::string_view code, uint32_t* number) {
  size_t i = 0;
  while (i < code.size() && (code[i] < '0' || code[i] > '9')) ++i;
  return i < code.size() && c51::sim::ParseNumber(code.substr(i), number);
}

}  // namespace c51::sdcc
