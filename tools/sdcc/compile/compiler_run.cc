#include "sdcc/compile/compiler_run.h"

#include <algorithm>

#include "platform/codepage.h"
#include "platform/fs.h"
#include "sdcc/compile/dialect_rewriter.h"
#include "sdcc/compile/include_mirror.h"
#include "sdcc/compile/listing.h"
#include "sdcc/compile/sdcc_commands.h"
#include "sdcc/compile/sdcc_messages.h"
#include "sdcc/rel_object.h"
#include "sdcc/run_program.h"
#include "sdcc/temp_folder.h"
#include "sim/files.h"
#include "sim/source_scan.h"
#include "sim/translation.h"

namespace c51::sdcc {

namespace {

using sim::Console;
using sim::FatalError;

constexpr char kTool[] = "C51";

std::string Target(const CompileRequest& request) {
  return request.src_path.empty() ? request.object_path : request.src_path;
}

// The line `number` of a file, trimmed; empty when it cannot be read.
std::string LineOf(const std::string& path, int number) {
  std::string text;
  if (sim::ReadFile(path, &text) != sim::ReadResult::kOkay) return std::string();
  size_t pos = 0;
  for (int i = 1; i < number && pos != std::string::npos; ++i) {
    pos = text.find('\n', pos);
    if (pos != std::string::npos) ++pos;
  }
  if (pos == std::string::npos || pos >= text.size()) return std::string();
  size_t end = text.find('\n', pos);
  if (end == std::string::npos) end = text.size();
  return std::string(sim::Trim(std::string_view(text).substr(pos, end - pos)));
}

// Collects what a run reports, counts it and prints it as it comes.
class Reporter {
 public:
  Reporter(const CompileRequest& request, const IncludeMirror& mirror, Console* console)
      : request_(request), mirror_(mirror), console_(console) {}

  // The source as the user named it; headers as they were found for the
  // preprocessor, in the includer's spelling: ".\inc\cfg.h".
  std::string DisplayName(const std::string& file) const {
    // sdcc names no file ("-") for some messages after an error.
    if (file.empty() || file == "-") return request_.source;
    return mirror_.NameOf(file);
  }

  void Report(sim::Severity severity, const std::string& code, const std::string& file, int line,
              const std::string& text) {
    if (severity == sim::Severity::kWarning && !request_.warnings) return;
    (severity == sim::Severity::kWarning ? warnings_ : errors_) += 1;
    sim::Diagnostic d;
    d.severity = severity;
    d.code = code;
    d.file = DisplayName(file);
    d.line = std::max(line, 1);
    d.text = text;
    lines_.push_back(sim::FormatDiagnostic(sim::Dialect::kC, d));
    console_->Line(lines_.back());
  }

  // sdcc's messages; true when one of them was a missing header, already
  // reported as the fatal block.
  bool ReportAll(const std::vector<ToolMessage>& messages) {
    for (const ToolMessage& m : messages) {
      if (m.kind == ToolMessage::Kind::kMissingInclude) {
        const std::string file = DisplayName(m.file);
        PrintFatalBlock(console_, kTool,
                        FatalError{"PARSING SOURCE-FILE", LineOf(file, m.line),
                                   "CAN'T OPEN FILE '" + m.text + "'", file, m.line});
        return true;
      }
      Report(
          m.kind == ToolMessage::Kind::kWarning ? sim::Severity::kWarning : sim::Severity::kError,
          m.code, m.file, m.line, m.text);
    }
    return false;
  }

  // A failed sdcc run that printed no error of its own must not pass for a
  // success: its first line becomes the error.
  void ReportFailure(const ProgramRun& run, int errors_before) {
    if (run.exit_code == 0 || errors_ > errors_before) return;
    std::string first(sim::Trim(run.output.substr(0, run.output.find('\n'))));
    if (first.empty()) first = "exit code " + std::to_string(run.exit_code);
    Report(sim::Severity::kError, std::string(kGenericCompilerCode), "", 1,
           "sdcc failed: " + first);
  }

  int errors() const { return errors_; }
  int warnings() const { return warnings_; }
  const std::vector<std::string>& lines() const { return lines_; }

 private:
  const CompileRequest& request_;
  const IncludeMirror& mirror_;
  Console* console_;
  int errors_ = 0;
  int warnings_ = 0;
  std::vector<std::string> lines_;
};

int Fatal(Console* console, const CompileRequest& request, const std::string& action,
          const std::string& error) {
  const std::string target = Target(request);
  if (!target.empty()) sim::RemoveFile(target);
  PrintFatalBlock(console, kTool, FatalError{action, "", error, "", 0});
  return sim::kExitFatal;
}

void ReplaceAll(const std::string& from, const std::string& to, std::string* text) {
  for (size_t at = text->find(from); at != std::string::npos; at = text->find(from, at)) {
    text->replace(at, from.size(), to);
    at += to.size();
  }
}

// The assembly source for SRC: the headers first, for the assembler's record.
std::string AssemblyWithDepends(const std::string& assembly,
                                const std::vector<std::string>& headers,
                                const std::vector<InterruptFunction>& interrupts) {
  std::string out;
  for (const std::string& header : headers) {
    out += kDependsMarker;
    out += sim::AbsolutePath(header);
    out += '\n';
  }
  for (const InterruptFunction& f : interrupts) {
    out += kInterruptMarker;
    out += std::to_string(f.number) + " _" + f.name + "\n";
  }
  return out + assembly;
}

// sdcc's preprocessor on the source's stand-in, its text in `text`
// (`have_text` false when it wrote none): sdcpp started straight when its
// command line is known, else "sdcc -E", which starts it for us.
ProgramRun Preprocess(const std::string& sdcc, const std::vector<std::string>& options,
                      const SdccCommands& commands, const std::string& stand_in,
                      const TempFolder& temp, std::string* text, bool* have_text) {
  if (commands.known()) {
    std::vector<std::string> args = commands.preprocess.args;
    args.push_back(stand_in);
    ProgramRun run = RunProgramKeepingOutput(commands.preprocess.program, args, text);
    *have_text = run.started;
    if (run.started) return run;
    ForgetSdccCommands(sdcc, options);
  }
  std::vector<std::string> args = options;
  args.insert(args.end(), {"-E", stand_in, "-o", temp.native() + "pre.i"});
  ProgramRun run = RunProgram(sdcc, args);
  *have_text = run.started && sim::ReadFile(temp.path() + "pre.i", text) == sim::ReadResult::kOkay;
  return run;
}

// sdcc on the rewritten source `c_path`, writing `<stem>.asm` (SRC) or
// `<stem>.rel`: "sdcc -S", then for an object sdas8051 as sdcc's driver
// would start it; "sdcc -c" when that command is not known.
ProgramRun Translate(const std::string& sdcc, const std::vector<std::string>& options,
                     const SdccCommands& commands, const std::string& c_path,
                     const std::string& stem, bool to_assembly) {
  const std::string assembly = stem + ".asm", object = stem + ".rel";
  const bool assemble_here = !to_assembly && commands.known();
  std::vector<std::string> args = options;
  if (to_assembly || assemble_here) {
    args.insert(args.end(), {"-S", c_path, "-o", assembly});
  } else {
    args.insert(args.end(), {"-c", c_path, "-o", object});
  }
  ProgramRun run = RunProgram(sdcc, args);
  if (!assemble_here || !run.started || run.exit_code != 0) return run;
  std::vector<std::string> assemble = commands.assemble.args;
  assemble.insert(assemble.end(), {object, assembly});
  const ProgramRun assembled = RunProgram(commands.assemble.program, assemble);
  if (!assembled.started) {
    ForgetSdccCommands(sdcc, options);
    return Translate(sdcc, options, SdccCommands(), c_path, stem, to_assembly);
  }
  run.output += assembled.output;
  // sdcc's driver ends so when its assembler fails.
  if (assembled.exit_code != 0) run.exit_code = 1;
  return run;
}

}  // namespace

std::string CompilerBanner() {
  return "C51 C COMPILER ON SDCC V1.00";
}

int Compile(const CompileRequest& request, Console* console) {
  console->Line(CompilerBanner());
  console->Line("");
  const std::string target = Target(request);
  std::string source_text;
  if (sim::ReadFile(request.source, &source_text) != sim::ReadResult::kOkay) {
    return Fatal(console, request, "OPENING SOURCE-FILE",
                 "CAN'T OPEN FILE '" + request.source + "'");
  }
  const std::string sdcc = FindSdccProgram("sdcc");
  if (sdcc.empty()) {
    return Fatal(console, request, "STARTING SDCC",
                 "SDCC NOT FOUND (INSTALL IT OR NAME ITS FOLDER IN C51_SDCC_BIN)");
  }
  const std::string cant_run = "CAN'T RUN " + SystemToLocalText(sdcc);
  TempFolder temp;
  if (temp.path().empty()) {
    return Fatal(console, request, "CREATING TEMPORARY FOLDER", "CAN'T CREATE TEMPORARY FOLDER");
  }
  // sdcc's preprocessor reads the stand-ins, which name the headers the
  // Windows compiler would open; the -I folders stay for names only a
  // macro spells, which no scan can resolve.
  IncludeMirror mirror;
  std::string err;
  if (!mirror.Build(request.source, source_text,
                    MirrorSettings{sim::Dialect::kC, request.include_dirs, CurrentDirectory()},
                    temp.path(), &err)) {
    return Fatal(console, request, "WRITING TEMPORARY FILE", err);
  }
  Reporter reporter(request, mirror, console);

  // Preprocess with the user's folders; sdcc adds its own as system folders.
  const std::vector<std::string> options = SdccOptions(request);
  const SdccCommands commands = FindSdccCommands(sdcc, options, temp);
  std::string preprocessed;
  bool have_text = false;
  ProgramRun run = Preprocess(sdcc, options, commands, mirror.source_stand_in(), temp,
                              &preprocessed, &have_text);
  if (!run.started) return Fatal(console, request, "STARTING SDCC", cant_run);
  if (reporter.ReportAll(ParseCompilerOutput(run.output))) {
    if (!target.empty()) sim::RemoveFile(target);
    return sim::kExitFatal;
  }
  reporter.ReportFailure(run, 0);
  // What a failed preprocessor wrote is no preprinted listing.
  if (reporter.errors() > 0) preprocessed.clear();
  RewriteResult rewritten;
  if (reporter.errors() == 0) {
    if (!have_text) {
      return Fatal(console, request, "PREPROCESSING", "NO OUTPUT FROM THE PREPROCESSOR");
    }
    RewriteDialect(preprocessed, &rewritten);
    for (const DialectIssue& issue : rewritten.issues) {
      reporter.Report(sim::Severity::kError, std::string(kGenericCompilerCode), issue.file,
                      issue.line, issue.text);
    }
    // The linker lays the vector down from the number in the object; one it
    // cannot know would leave the routine silently never running.
    for (const InterruptFunction& f : rewritten.interrupts) {
      if (f.number >= 0) continue;
      reporter.Report(sim::Severity::kError, std::string(kGenericCompilerCode), f.file, f.line,
                      "'" + f.name +
                          "': the interrupt number must be a constant number for the linker "
                          "to place the vector");
    }
  }
  std::vector<std::string> headers;
  for (const std::string& header : rewritten.headers) headers.push_back(mirror.NameOf(header));

  ModuleSizes sizes;
  std::string assembly_listing;
  if (reporter.errors() == 0) {
    CompileRequest effective = request;
    if (!rewritten.model.empty()) effective.model = rewritten.model;
    const std::string title = ModuleFileTitle(request.source);
    const bool to_assembly = !request.src_path.empty();
    const std::string out_name = title + (to_assembly ? ".asm" : ".rel");
    if (!sim::WriteFile(temp.path() + title + ".c", rewritten.text, &err)) {
      return Fatal(console, request, "WRITING TEMPORARY FILE", err);
    }
    const std::string c_path = temp.native() + title + ".c";
    // A model pragma makes other options, whose commands differ.
    const std::vector<std::string> effective_options = SdccOptions(effective);
    run = Translate(
        sdcc, effective_options,
        effective_options == options ? commands : FindSdccCommands(sdcc, effective_options, temp),
        c_path, temp.native() + title, to_assembly);
    if (!run.started) return Fatal(console, request, "STARTING SDCC", cant_run);
    const int errors_before = reporter.errors();
    reporter.ReportAll(ParseCompilerOutput(run.output));
    reporter.ReportFailure(run, errors_before);

    std::string output;
    if (reporter.errors() == 0 &&
        sim::ReadFile(temp.path() + out_name, &output) != sim::ReadResult::kOkay) {
      reporter.Report(sim::Severity::kError, std::string(kGenericCompilerCode), "", 1,
                      "sdcc wrote no output");
    }
    // Debug records name the files sdcc made here; name the user's files
    // and the source's folder instead, which outlive this one.
    const std::string real = sim::AbsolutePath(request.source);
    ReplaceAll(c_path, real, &output);
    mirror.RestoreNames(&output);
    ReplaceAll(temp.native(), std::string(sim::DirectoryPart(real)), &output);
    if (reporter.errors() == 0 && !target.empty()) {
      std::string bytes;
      if (to_assembly) {
        bytes = AssemblyWithDepends(output, headers, rewritten.interrupts);
      } else {
        int dropped = 0;
        bytes = DependencyRecordFor(kTool, request.source, headers, &dropped);
        if (dropped > 0) {
          console->Line("DEPENDENCY RECORD: " + std::to_string(dropped) + " NAME(S) LEFT OUT");
        }
        RelModule module;
        module.name = sim::ToUpper(sim::FileTitle(request.source));
        module.source = request.source;
        module.tool = kTool;
        module.model = effective.model;
        module.rel = output;
        for (const InterruptFunction& f : rewritten.interrupts) {
          module.interrupts.push_back(RelInterrupt{static_cast<uint32_t>(f.number), "_" + f.name});
        }
        bytes += FormatRelModule(module);
        sizes = ReadModuleSizes(output);
      }
      if (!sim::WriteFile(target, bytes, &err)) {
        PrintFatalBlock(console, kTool, FatalError{"WRITING OUTPUT-FILE", "", err, "", 0});
        return sim::kExitFatal;
      }
    }
    if (request.code_listing && !to_assembly) {
      sim::ReadFile(temp.path() + title + ".lst", &assembly_listing);
    }
  }
  if (reporter.errors() > 0 && !target.empty()) sim::RemoveFile(target);

  const std::string summary =
      sim::FormatSummary(sim::Dialect::kC, reporter.warnings(), reporter.errors());
  if (!request.print_path.empty()) {
    ListingInput listing{CompilerBanner(),
                         kTool,
                         request.source,
                         source_text,
                         reporter.errors() == 0 ? target : std::string(),
                         request.invocation,
                         reporter.lines(),
                         sizes,
                         assembly_listing,
                         summary};
    if (!sim::WriteFile(request.print_path, FormatListing(listing), &err)) {
      PrintFatalBlock(console, kTool, FatalError{"WRITING LISTING-FILE", "", err, "", 0});
      return sim::kExitFatal;
    }
  }
  // The preprocessed text names the user's files, not the stand-ins.
  mirror.RestoreNames(&preprocessed);
  if (!request.preprint_path.empty() && !preprocessed.empty() &&
      !sim::WriteFile(request.preprint_path, preprocessed, &err)) {
    PrintFatalBlock(console, kTool, FatalError{"WRITING PREPRINT-FILE", "", err, "", 0});
    return sim::kExitFatal;
  }
  console->Line("");
  console->Line(summary);
  if (reporter.errors() > 0) return sim::kExitErrors;
  return reporter.warnings() > 0 ? sim::kExitWarnings : sim::kExitOkay;
}

}  // namespace c51::sdcc
