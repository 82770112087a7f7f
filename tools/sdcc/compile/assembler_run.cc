#include "sdcc/compile/assembler_run.h"

#include <algorithm>
#include <optional>

#include "platform/codepage.h"
#include "platform/fs.h"
#include "platform/path.h"
#include "sdcc/compile/a51_classic.h"
#include "sdcc/compile/a51_stand_ins.h"
#include "sdcc/compile/include_mirror.h"
#include "sdcc/compile/object_output.h"
#include "sdcc/compile/sdcc_messages.h"
#include "sdcc/rel_object.h"
#include "sdcc/run_program.h"
#include "sdcc/temp_folder.h"
#include "sim/controls.h"
#include "sim/files.h"
#include "sim/source_scan.h"
#include "sim/translation.h"
#include "sim/translation_end.h"

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

// The variables at fixed addresses the compiler recorded in an assembly
// source it wrote ("; C51-ABSOLUTE: X 0100 2 _mark"); a line that does not
// read so is left out.
std::vector<RelAbsolute> RecordedAbsolutes(std::string_view text) {
  std::vector<RelAbsolute> absolutes;
  for (size_t at = text.find(kAbsoluteMarker); at != std::string_view::npos;
       at = text.find(kAbsoluteMarker, at + 1)) {
    const size_t begin = at + kAbsoluteMarker.size();
    RelAbsolute absolute;
    if (ParseRelAbsolute(sim::Trim(text.substr(begin, text.find('\n', begin) - begin)),
                         &absolute)) {
      absolutes.push_back(std::move(absolute));
    }
  }
  return absolutes;
}

// The call graph the compiler recorded in an assembly source it wrote
// ("; C51-GRAPH: FUNCTION G _main"). Lines that do not read so are left
// out; a frame they would have named is then an unresolved symbol at the
// link, not silence.
void RecordCallGraph(std::string_view text, RelModule* module) {
  for (size_t at = text.find(kCallGraphMarker); at != std::string_view::npos;
       at = text.find(kCallGraphMarker, at + 1)) {
    const size_t begin = at + kCallGraphMarker.size();
    ParseCallGraphLine(sim::Trim(text.substr(begin, text.find('\n', begin) - begin)), module);
  }
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

// One assembly, phase by phase. A phase that returns false ended the run:
// its fatal block is printed and exit_code_ holds the code.
class AssemblerRun {
 public:
  AssemblerRun(const AssembleRequest& request, Console* console)
      : request_(request), console_(console) {}

  int Run() {
    console_->Line(AssemblerBanner());
    console_->Line("");
    if (!PrepareInputs() || !PrepareStandIns()) return exit_code_;
    ReportUntranslated();
    if (errors_ == 0 && !RunSdas()) return exit_code_;
    if (!WriteObject()) return exit_code_;
    return Finish();
  }

 private:
  // Ends the run with the fatal block; the object goes, so the next build
  // assembles the file again.
  bool Fail(const FatalError& fatal) {
    exit_code_ = sim::EndWithFatal(console_, kTool, fatal, request_.object_path);
    return false;
  }
  bool Fail(const std::string& action, const std::string& error) {
    return Fail(FatalError{action, "", error, "", 0});
  }

  // The source, sdas8051, a temporary folder, and the stand-ins sdas8051
  // reads: they name the files the Windows assembler would include; a file
  // that is nowhere stops the run as it stops that assembler, before
  // anything is assembled.
  bool PrepareInputs() {
    if (sim::ReadFile(request_.source, &source_text_) != sim::ReadResult::kOkay) {
      return Fail("OPENING SOURCE-FILE", "CAN'T OPEN FILE '" + request_.source + "'");
    }
    sdas_ = FindSdccProgram("sdas8051");
    if (sdas_.empty()) {
      return Fail("STARTING SDAS8051",
                  "SDAS8051 NOT FOUND (INSTALL SDCC OR NAME ITS FOLDER IN C51_SDCC_BIN)");
    }
    temp_.emplace();
    if (temp_->path().empty()) {
      return Fail("CREATING TEMPORARY FOLDER", "CAN'T CREATE TEMPORARY FOLDER");
    }
    std::string err;
    if (!mirror_.Build(
            request_.source, source_text_,
            MirrorSettings{sim::Dialect::kAssembly, request_.include_dirs, CurrentDirectory()},
            temp_->path(), &err)) {
      return Fail("WRITING TEMPORARY FILE", err);
    }
    const MissingInclude& missing = mirror_.missing();
    if (!missing.name.empty()) {
      return Fail(FatalError{"PARSING SOURCE-FILE", missing.line_text,
                             "CAN'T OPEN FILE '" + missing.name + "'", missing.includer,
                             missing.line});
    }
    headers_ = mirror_.Headers();
    for (std::string& name : RecordedHeaders(source_text_)) {
      if (std::find(headers_.begin(), headers_.end(), name) == headers_.end()) {
        headers_.push_back(std::move(name));
      }
    }
    return true;
  }

  // Classic sources and C register headers become sdas8051's syntax in
  // place, in the stand-ins; what must come before them joins the equates
  // in a file of its own.
  bool PrepareStandIns() {
    std::vector<std::string> set_names;
    for (const auto& symbol : request_.symbols) set_names.push_back(symbol.first);
    std::string err;
    if (!TranslateStandIns(temp_->native(), set_names, &translation_, &err)) {
      return Fail("WRITING TEMPORARY FILE", err);
    }
    const std::string before = Equates(request_) +
                               (translation_.classic_source ? SdccAreaOrder() : std::string()) +
                               translation_.prelude;
    if (!sim::WriteFile(temp_->path() + "set.asm", before, &err)) {
      return Fail("WRITING TEMPORARY FILE", err);
    }
    set_path_ = temp_->native() + "set.asm";
    title_ = ModuleFileTitle(request_.source);
    return true;
  }

  void Report(const std::string& code, const std::string& file, int line, const std::string& text) {
    ++errors_;
    sim::Diagnostic d;
    d.code = code;
    d.file = file.empty() ? request_.source : mirror_.NameOf(file);
    if (file == set_path_) d.file = "SET";
    d.line = line > 0 ? line : 1;
    d.text = text;
    lines_.push_back(sim::FormatDiagnostic(sim::Dialect::kAssembly, d));
    console_->Line(lines_.back());
  }

  // What could not be translated is reported, and sdas8051 does not run.
  void ReportUntranslated() {
    for (const StandInIssue& issue : translation_.issues) {
      Report(std::string(kGenericAssemblerCode), SystemToLocalText(issue.file), issue.line,
             issue.text);
    }
  }

  // sdas8051 on the equates and the source's stand-in; its messages
  // reported, its relocatable read back.
  bool RunSdas() {
    // -plosff: no pagination, listing, object, symbols, flagged
    // relocations. sdcc's own output leaves its externals undeclared, as
    // sdcc assembles it with -g; hand-written sources must declare theirs.
    // Classic sources ignore letter case in names (-z).
    std::vector<std::string> args = {"-plosff"};
    if (source_text_.find(".optsdcc") != std::string::npos) args.push_back("-g");
    if (translation_.classic_source) args.push_back("-z");
    if (request_.debug) args.push_back("-y");
    for (const std::string& dir : request_.include_dirs) args.push_back("-I" + NativePath(dir));
    args.insert(args.end(),
                {temp_->native() + title_ + ".rel", set_path_, mirror_.source_stand_in()});
    const ProgramRun run = RunProgram(sdas_, args);
    if (!run.started) return Fail("STARTING SDAS8051", "CAN'T RUN " + SystemToLocalText(sdas_));
    for (const ToolMessage& m : ParseAssemblerOutput(run.output)) {
      Report(m.code, m.file, m.line, m.text);
    }
    if (errors_ == 0 && (run.exit_code != 0 || sim::ReadFile(temp_->path() + title_ + ".rel",
                                                             &rel_) != sim::ReadResult::kOkay)) {
      std::string first(sim::Trim(run.output.substr(0, run.output.find('\n'))));
      if (first.empty()) first = "exit code " + std::to_string(run.exit_code);
      Report(std::string(kGenericAssemblerCode), "", 1, "SDAS8051 FAILED: " + sim::ToUpper(first));
    }
    // sdas8051's debug line names the source's stand-in; the object names
    // the user's file, which outlives this folder.
    mirror_.RestoreNames(&rel_);
    return true;
  }

  // The object: the dependency record, then sdas8051's relocatable; none
  // after an error, so the next build assembles the file again.
  bool WriteObject() {
    const std::string& target = request_.object_path;
    if (errors_ > 0) {
      if (!target.empty()) sim::RemoveFile(target);
      return true;
    }
    if (target.empty()) return true;
    RelModule module;
    module.model = request_.model;
    module.rel = rel_;
    module.interrupts = RecordedInterrupts(source_text_);
    module.absolutes = RecordedAbsolutes(source_text_);
    RecordCallGraph(source_text_, &module);
    sizes_ = ReadModuleSizes(rel_);
    if (!WriteObjectFile(target, kTool, request_.source, headers_, std::move(module), console_)) {
      exit_code_ = sim::kExitFatal;
      return false;
    }
    return true;
  }

  // The listing (with sdas8051's own) and the summary.
  int Finish() {
    sim::TranslationEnd end;
    end.dialect = sim::Dialect::kAssembly;
    end.errors = errors_;
    end.print_path = request_.print_path;
    std::string assembly_listing;
    if (!end.print_path.empty()) {
      sim::ReadFile(temp_->path() + title_ + ".lst", &assembly_listing);
      // Its include lines name the stand-ins; show the files they stand for.
      mirror_.RestoreNames(&assembly_listing);
    }
    end.listing = sim::TranslationListing{AssemblerBanner(),
                                          kTool,
                                          request_.source,
                                          source_text_,
                                          errors_ == 0 ? request_.object_path : std::string(),
                                          request_.invocation,
                                          lines_,
                                          sizes_,
                                          std::move(assembly_listing),
                                          ""};
    return sim::FinishTranslation(&end, console_);
  }

  const AssembleRequest& request_;
  Console* console_;
  std::string source_text_;
  std::string sdas_;
  std::optional<TempFolder> temp_;
  IncludeMirror mirror_;
  std::vector<std::string> headers_;  // as found, then those the compiler recorded
  StandInTranslation translation_;
  std::string set_path_;  // the equates' file (system text)
  std::string title_;     // of sdas8051's files
  int errors_ = 0;
  std::vector<std::string> lines_;  // as reported
  std::string rel_;
  sim::ModuleSizes sizes_;
  int exit_code_ = sim::kExitFatal;
};

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
  const std::string stem(WithoutExtension(request->source, sim::kToolBreaks));
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
  return AssemblerRun(request, console).Run();
}

}  // namespace c51::sdcc
