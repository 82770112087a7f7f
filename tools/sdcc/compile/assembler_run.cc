#include "sdcc/compile/assembler_run.h"

#include <algorithm>

#include "platform/codepage.h"
#include "platform/fs.h"
#include "platform/path.h"
#include "sdcc/compile/a51_classic.h"
#include "sdcc/compile/a51_stand_ins.h"
#include "sdcc/compile/include_mirror.h"
#include "sdcc/compile/listing.h"
#include "sdcc/compile/sdcc_messages.h"
#include "sdcc/rel_object.h"
#include "sdcc/run_program.h"
#include "sdcc/temp_folder.h"
#include "sim/controls.h"
#include "sim/files.h"
#include "sim/source_scan.h"
#include "sim/translation.h"

namespace c51::sdcc {

namespace {

using sim::ArgumentUse;
using sim::Console;
using sim::FatalError;

constexpr char kTool[] = "A51";

constexpr sim::ControlRule kRules[] = {
    {"NOMACRO", ArgumentUse::kNone},    {"MPL", ArgumentUse::kNone},
    {"GEN", ArgumentUse::kNone},        {"GENONLY", ArgumentUse::kNone},
    {"NOGEN", ArgumentUse::kNone},      {"NOMOD51", ArgumentUse::kNone},
    {"MOD51", ArgumentUse::kNone},      {"SET", ArgumentUse::kRequired},
    {"RESET", ArgumentUse::kRequired},  {"DEBUG", ArgumentUse::kNone},
    {"INCDIR", ArgumentUse::kRequired}, {"NOPRINT", ArgumentUse::kNone},
    {"PRINT", ArgumentUse::kOptional},  {"PR", ArgumentUse::kOptional},
    {"NOCOND", ArgumentUse::kNone},     {"COND", ArgumentUse::kNone},
    {"NOSYMBOLS", ArgumentUse::kNone},  {"SYMBOLS", ArgumentUse::kNone},
    {"XREF", ArgumentUse::kNone},       {"OBJECT", ArgumentUse::kOptional},
    {"NOOBJECT", ArgumentUse::kNone},   {"EP", ArgumentUse::kOptional},
};

bool IsSymbol(std::string_view name) {
  if (name.empty() || (name[0] >= '0' && name[0] <= '9')) return false;
  for (char c : name) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (!((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_' ||
          u == '.' || u == '$')) {
      return false;
    }
  }
  return true;
}

// The headers the compiler recorded in an assembly source it wrote
// ("; C51-DEPENDS: /p/cfg.h"), for this object's dependency record.
std::vector<std::string> RecordedHeaders(std::string_view text) {
  std::vector<std::string> headers;
  for (size_t at = text.find(kDependsMarker); at != std::string_view::npos;
       at = text.find(kDependsMarker, at + 1)) {
    const size_t begin = at + kDependsMarker.size();
    const std::string name(sim::Trim(text.substr(begin, text.find('\n', begin) - begin)));
    if (!name.empty() && std::find(headers.begin(), headers.end(), name) == headers.end()) {
      headers.push_back(name);
    }
  }
  return headers;
}

// The interrupt routines the compiler recorded in an assembly source it
// wrote ("; C51-INTERRUPT: 1 _t0"); a line that does not read so is left out.
std::vector<RelInterrupt> RecordedInterrupts(std::string_view text) {
  std::vector<RelInterrupt> interrupts;
  for (size_t at = text.find(kInterruptMarker); at != std::string_view::npos;
       at = text.find(kInterruptMarker, at + 1)) {
    const size_t begin = at + kInterruptMarker.size();
    const std::string_view line = sim::Trim(text.substr(begin, text.find('\n', begin) - begin));
    const size_t blank = line.find(' ');
    if (blank == std::string_view::npos || blank == 0) continue;
    uint32_t number = 0;
    bool digits = true;
    for (char c : line.substr(0, blank)) {
      digits = digits && c >= '0' && c <= '9' && number < 1000;
      number = number * 10 + static_cast<uint32_t>(c - '0');
    }
    const std::string_view symbol = sim::Trim(line.substr(blank + 1));
    if (digits && !symbol.empty()) interrupts.push_back({number, std::string(symbol)});
  }
  return interrupts;
}

// The equates that stand for SET and RESET, in a file of their own in front
// of the source, so the source's line numbers stay as they are.
std::string Equates(const AssembleRequest& request) {
  std::string out;
  for (const auto& [name, value] : request.symbols) {
    out += name + " = " + std::to_string(value) + "\n";
  }
  return out;
}

}  // namespace

std::string AssemblerBanner() {
  return "A51 MACRO ASSEMBLER ON SDCC V1.00";
}

bool ParseAssemblerControls(const std::string& controls_text, AssembleRequest* request,
                            std::string* err) {
  std::vector<sim::Control> controls;
  size_t offset = 0;
  if (!sim::ParseControls(controls_text, &controls, err, &offset) ||
      !sim::CheckControls(controls, kRules, err)) {
    return false;
  }
  const std::string stem = std::string(sim::DirectoryPart(request->source)) +
                           std::string(sim::FileTitle(request->source));
  request->object_path = stem + ".obj";
  std::vector<std::string> incdirs;
  for (const sim::Control& control : controls) {
    const std::string file(sim::Unquote(control.argument));
    const std::string& name = control.name;
    if (name == "OBJECT") request->object_path = control.has_argument ? file : stem + ".obj";
    if (name == "NOOBJECT") request->object_path.clear();
    if (name == "PRINT" || name == "PR") {
      request->print_path = control.has_argument ? file : stem + ".lst";
    }
    if (name == "NOPRINT") request->print_path.clear();
    if (name == "DEBUG") request->debug = true;
    if (name == "SET" || name == "RESET") {
      for (const std::string& item : sim::SplitArgumentList(control.argument, ',')) {
        const size_t eq = item.find('=');
        const std::string symbol(sim::Trim(std::string_view(item).substr(0, eq)));
        uint32_t value = name == "SET" ? 1 : 0;
        if (!IsSymbol(symbol) ||
            (eq != std::string::npos &&
             !sim::ParseNumber(sim::Trim(std::string_view(item).substr(eq + 1)), &value))) {
          *err = "BAD ARGUMENT FOR CONTROL '" + name + "'";
          return false;
        }
        // The build passes the memory model as the first symbol of SET.
        const std::string upper = sim::ToUpper(symbol);
        if (upper == "SMALL" || upper == "COMPACT" || upper == "LARGE") request->model = upper;
        request->symbols.emplace_back(symbol, value);
      }
    }
    if (name == "INCDIR") {
      for (std::string& dir : sim::SplitArgumentList(control.argument, ';')) {
        if (!dir.empty()) incdirs.push_back(std::move(dir));
      }
    }
  }
  incdirs.insert(incdirs.end(), request->include_dirs.begin(), request->include_dirs.end());
  request->include_dirs = std::move(incdirs);
  return true;
}

int Assemble(const AssembleRequest& request, Console* console) {
  console->Line(AssemblerBanner());
  console->Line("");
  const std::string& target = request.object_path;
  auto fatal = [&](const std::string& action, const std::string& error) {
    if (!target.empty()) sim::RemoveFile(target);
    PrintFatalBlock(console, kTool, FatalError{action, "", error, "", 0});
    return sim::kExitFatal;
  };
  std::string source_text;
  if (sim::ReadFile(request.source, &source_text) != sim::ReadResult::kOkay) {
    return fatal("OPENING SOURCE-FILE", "CAN'T OPEN FILE '" + request.source + "'");
  }
  const std::string sdas = FindSdccProgram("sdas8051");
  if (sdas.empty()) {
    return fatal("STARTING SDAS8051",
                 "SDAS8051 NOT FOUND (INSTALL SDCC OR NAME ITS FOLDER IN C51_SDCC_BIN)");
  }
  TempFolder temp;
  if (temp.path().empty()) {
    return fatal("CREATING TEMPORARY FOLDER", "CAN'T CREATE TEMPORARY FOLDER");
  }
  // sdas8051 reads stand-ins that name the files the Windows assembler
  // would include; a file that is nowhere stops the run as it stops that
  // assembler, before anything is assembled.
  IncludeMirror mirror;
  std::string err;
  if (!mirror.Build(
          request.source, source_text,
          MirrorSettings{sim::Dialect::kAssembly, request.include_dirs, CurrentDirectory()},
          temp.path(), &err)) {
    return fatal("WRITING TEMPORARY FILE", err);
  }
  const MissingInclude& missing = mirror.missing();
  if (!missing.name.empty()) {
    if (!target.empty()) sim::RemoveFile(target);
    PrintFatalBlock(
        console, kTool,
        FatalError{"PARSING SOURCE-FILE", missing.line_text,
                   "CAN'T OPEN FILE '" + missing.name + "'", missing.includer, missing.line});
    return sim::kExitFatal;
  }
  std::vector<std::string> headers = mirror.Headers();
  for (std::string& name : RecordedHeaders(source_text)) {
    if (std::find(headers.begin(), headers.end(), name) == headers.end()) {
      headers.push_back(std::move(name));
    }
  }
  // Classic sources and C register headers become sdas8051's syntax in
  // place, in the stand-ins; what must come before them joins the equates.
  StandInTranslation translation;
  std::vector<std::string> set_names;
  for (const auto& symbol : request.symbols) set_names.push_back(symbol.first);
  if (!TranslateStandIns(temp.native(), set_names, &translation, &err)) {
    return fatal("WRITING TEMPORARY FILE", err);
  }
  const std::string before = Equates(request) +
                             (translation.classic_source ? SdccAreaOrder() : std::string()) +
                             translation.prelude;
  if (!sim::WriteFile(temp.path() + "set.asm", before, &err)) {
    return fatal("WRITING TEMPORARY FILE", err);
  }
  const std::string set_path = temp.native() + "set.asm";
  const std::string title = ModuleFileTitle(request.source);
  // -plosff: no pagination, listing, object, symbols, flagged relocations.
  // sdcc's own output leaves its externals undeclared, as sdcc assembles it
  // with -g; hand-written sources must declare theirs. Classic sources
  // ignore letter case in names (-z).
  std::vector<std::string> args = {"-plosff"};
  if (source_text.find(".optsdcc") != std::string::npos) args.push_back("-g");
  if (translation.classic_source) args.push_back("-z");
  if (request.debug) args.push_back("-y");
  for (const std::string& dir : request.include_dirs) args.push_back("-I" + NativePath(dir));
  args.insert(args.end(), {temp.native() + title + ".rel", set_path, mirror.source_stand_in()});

  int errors = 0;
  std::vector<std::string> lines;
  auto report = [&](const std::string& code, const std::string& file, int line,
                    const std::string& text) {
    ++errors;
    sim::Diagnostic d;
    d.code = code;
    d.file = file.empty() ? request.source : mirror.NameOf(file);
    if (file == set_path) d.file = "SET";
    d.line = line > 0 ? line : 1;
    d.text = text;
    lines.push_back(sim::FormatDiagnostic(sim::Dialect::kAssembly, d));
    console->Line(lines.back());
  };
  // What cannot be translated is reported, and sdas8051 does not run.
  for (const StandInIssue& issue : translation.issues) {
    report(std::string(kGenericAssemblerCode), SystemToLocalText(issue.file), issue.line,
           issue.text);
  }
  std::string rel;
  if (errors == 0) {
    const ProgramRun run = RunProgram(sdas, args);
    if (!run.started) return fatal("STARTING SDAS8051", "CAN'T RUN " + SystemToLocalText(sdas));
    for (const ToolMessage& m : ParseAssemblerOutput(run.output)) {
      report(m.code, m.file, m.line, m.text);
    }
    if (errors == 0 && (run.exit_code != 0 || sim::ReadFile(temp.path() + title + ".rel", &rel) !=
                                                  sim::ReadResult::kOkay)) {
      std::string first(sim::Trim(run.output.substr(0, run.output.find('\n'))));
      if (first.empty()) first = "exit code " + std::to_string(run.exit_code);
      report(std::string(kGenericAssemblerCode), "", 1, "SDAS8051 FAILED: " + sim::ToUpper(first));
    }
  }
  ModuleSizes sizes;
  if (errors > 0) {
    if (!target.empty()) sim::RemoveFile(target);
  } else if (!target.empty()) {
    int dropped = 0;
    std::string bytes = DependencyRecordFor(kTool, request.source, headers, &dropped);
    if (dropped > 0) {
      console->Line("DEPENDENCY RECORD: " + std::to_string(dropped) + " NAME(S) LEFT OUT");
    }
    RelModule module;
    module.name = sim::ToUpper(sim::FileTitle(request.source));
    module.source = request.source;
    module.tool = kTool;
    module.model = request.model;
    module.rel = rel;
    module.interrupts = RecordedInterrupts(source_text);
    bytes += FormatRelModule(module);
    sizes = ReadModuleSizes(rel);
    if (!sim::WriteFile(target, bytes, &err)) {
      PrintFatalBlock(console, kTool, FatalError{"WRITING OUTPUT-FILE", "", err, "", 0});
      return sim::kExitFatal;
    }
  }
  const std::string summary = sim::FormatSummary(sim::Dialect::kAssembly, 0, errors);
  if (!request.print_path.empty()) {
    std::string assembly_listing;
    sim::ReadFile(temp.path() + title + ".lst", &assembly_listing);
    ListingInput listing{
        AssemblerBanner(),  kTool, request.source, source_text,      errors == 0 ? target : "",
        request.invocation, lines, sizes,          assembly_listing, summary};
    if (!sim::WriteFile(request.print_path, FormatListing(listing), &err)) {
      PrintFatalBlock(console, kTool, FatalError{"WRITING LISTING-FILE", "", err, "", 0});
      return sim::kExitFatal;
    }
  }
  console->Line("");
  console->Line(summary);
  return errors > 0 ? sim::kExitErrors : sim::kExitOkay;
}

}  // namespace c51::sdcc
