#include "sdcc/compile/compiler_run.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>

#include "platform/ascii_case.h"
#include "platform/codepage.h"
#include "platform/fs.h"
#include "sdcc/compile/absolute_variables.h"
#include "sdcc/compile/assignment_casts.h"
#include "sdcc/compile/dialect_rewriter.h"
#include "sdcc/compile/family_headers.h"
#include "sdcc/compile/float_formats.h"
#include "sdcc/compile/frame_records.h"
#include "sdcc/compile/include_mirror.h"
#include "sdcc/compile/library_frames.h"
#include "sdcc/compile/object_output.h"
#include "sdcc/compile/sdcc_commands.h"
#include "sdcc/compile/sdcc_messages.h"
#include "sdcc/compile/sibling_definitions.h"
#include "sdcc/compile/static_locals.h"
#include "sdcc/compile/unset_locals.h"
#include "sdcc/rel_object.h"
#include "sdcc/run_program.h"
#include "sdcc/temp_folder.h"
#include "sim/files.h"
#include "sim/source_scan.h"
#include "sim/translation.h"
#include "sim/translation_end.h"

namespace c51::sdcc {

namespace {

// A translation that succeeded with warnings at most.
bool Clean(const ProgramRun& run, const std::vector<ToolMessage>& messages) {
  return run.exit_code == 0 &&
         std::none_of(messages.begin(), messages.end(),
                      [](const ToolMessage& m) { return m.kind != ToolMessage::Kind::kWarning; });
}

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
    // sdcc names the stand-ins in its texts too ("previous declaration ... at").
    mirror_.RestoreNames(&d.text);
    lines_.push_back(sim::FormatDiagnostic(sim::Dialect::kC, d));
    console_->Line(lines_.back());
  }

  // sdcc's messages; true when one of them was a missing header, already
  // reported as the fatal block.
  bool ReportAll(const std::vector<ToolMessage>& messages) {
    for (const ToolMessage& m : messages) {
      if (m.kind == ToolMessage::Kind::kMissingInclude) {
        const std::string file = DisplayName(m.file);
        std::string error = "CAN'T OPEN FILE '" + m.text + "'";
        // A vendor's SDK header: the project needs that SDK, not a fix.
        const std::string sdk = SdkOfHeader(m.text);
        if (!sdk.empty()) {
          error += " (A " + sdk +
                   " SDK HEADER, NOT PART OF THIS TOOLCHAIN: NAME THE SDK'S FOLDER IN THE "
                   "INCLUDE PATH)";
        }
        PrintFatalBlock(
            console_, kTool,
            FatalError{"PARSING SOURCE-FILE", LineOf(file, m.line), error, file, m.line});
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

void ReplaceAll(const std::string& from, const std::string& to, std::string* text) {
  for (size_t at = text->find(from); at != std::string::npos; at = text->find(from, at)) {
    text->replace(at, from.size(), to);
    at += to.size();
  }
}

// The assembly source for SRC: the headers first, for the assembler's record.
std::string AssemblyWithDepends(const std::string& assembly,
                                const std::vector<std::string>& headers,
                                const std::vector<InterruptFunction>& interrupts,
                                const RelModule& graph) {
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
  for (const RelAbsolute& absolute : graph.absolutes) {
    out += kAbsoluteMarker;
    out += FormatRelAbsolute(absolute) + "\n";
  }
  const std::string lines = FormatCallGraph(graph);
  for (size_t pos = 0; pos < lines.size();) {
    const size_t end = lines.find('\n', pos);
    out += kCallGraphMarker;
    out += lines.substr(pos, end - pos + 1);
    pos = end + 1;
  }
  return out + assembly;
}

// One compile, phase by phase. A phase that returns false ended the run:
// its fatal block is printed and exit_code_ holds the code.
class CompilerRun {
 public:
  CompilerRun(const CompileRequest& request, Console* console)
      : request_(request),
        console_(console),
        target_(Target(request)),
        reporter_(request, mirror_, console) {}

  int Run() {
    console_->Line(CompilerBanner());
    console_->Line("");
    if (!PrepareInputs() || !Preprocess()) return exit_code_;
    if (reporter_.errors() == 0) Rewrite();
    if (reporter_.errors() == 0 && (!Translate() || !WriteTarget())) return exit_code_;
    reporter_.ReportAll(MergeHeld({}));
    return Finish();
  }

  // sdcc's messages with the rewriter's held warnings among them: each
  // before the first of sdcc's on a later line of its file.
  std::vector<ToolMessage> MergeHeld(std::vector<ToolMessage> messages) {
    std::vector<ToolMessage> merged;
    size_t next = 0;
    for (ToolMessage& m : messages) {
      while (next < held_.size() && held_[next].file == m.file && held_[next].line < m.line) {
        merged.push_back(std::move(held_[next++]));
      }
      merged.push_back(std::move(m));
    }
    merged.insert(merged.end(), std::make_move_iterator(held_.begin() + next),
                  std::make_move_iterator(held_.end()));
    held_.clear();
    return merged;
  }

 private:
  // Ends the run with the fatal block; the target goes, so the next build
  // translates the file again.
  bool Fail(const std::string& action, const std::string& error) {
    reporter_.ReportAll(MergeHeld({}));
    exit_code_ = sim::EndWithFatal(console_, kTool, FatalError{action, "", error, "", 0}, target_);
    return false;
  }

  // The source, sdcc, a temporary folder, and the stand-ins sdcc's
  // preprocessor reads: they name the headers the Windows compiler would
  // open; the -I folders stay for names only a macro spells, which no scan
  // can resolve.
  bool PrepareInputs() {
    if (sim::ReadFile(request_.source, &source_text_) != sim::ReadResult::kOkay) {
      return Fail("OPENING SOURCE-FILE", "CAN'T OPEN FILE '" + request_.source + "'");
    }
    sdcc_ = FindSdccProgram("sdcc");
    if (sdcc_.empty()) {
      return Fail("STARTING SDCC",
                  "SDCC NOT FOUND (INSTALL IT OR NAME ITS FOLDER IN C51_SDCC_BIN)");
    }
    temp_.emplace();
    if (temp_->path().empty()) {
      return Fail("CREATING TEMPORARY FOLDER", "CAN'T CREATE TEMPORARY FOLDER");
    }
    std::string err;
    if (!mirror_.Build(request_.source, source_text_,
                       MirrorSettings{sim::Dialect::kC, request_.include_dirs, CurrentDirectory(),
                                      SdccHeaderFolders(sdcc_)},
                       temp_->path(), &err)) {
      return Fail("WRITING TEMPORARY FILE", err);
    }
    // One warning per header: a project's files often all include it.
    std::set<std::string> stood_in;
    for (const MissingInclude& m : mirror_.family_stand_ins()) {
      if (!stood_in.insert(ToUpperAscii(m.name)).second) continue;
      reporter_.Report(sim::Severity::kWarning, std::string(kGenericCompilerWarningCode),
                       m.includer, m.line,
                       "'" + m.name + "' not found: " + m.line_text +
                           ", the family's registers, stands in (registers only this part "
                           "has are not named)");
    }
    return true;
  }

  // With the user's folders; sdcc adds its own as system folders. A
  // header nobody finds ends the run with the fatal block, as on Windows.
  bool Preprocess() {
    options_ = SdccOptions(request_);
    commands_ = FindSdccCommands(sdcc_, options_, *temp_);
    bool have_text = false;
    const ProgramRun run = RunPreprocessor(sdcc_, options_, commands_, mirror_.source_stand_in(),
                                           *temp_, &preprocessed_, &have_text);
    if (!run.started) return Fail("STARTING SDCC", CantRun());
    std::vector<ToolMessage> messages = ParseCompilerOutput(run.output);
    // An apostrophe in an assembly comment ("; don't") is an unfinished
    // character constant to the preprocessor: such a warning waits until
    // the inline assembly blocks are known.
    auto unfinished = std::stable_partition(messages.begin(), messages.end(), [](const auto& m) {
      return m.kind != ToolMessage::Kind::kWarning ||
             m.text.find("missing terminating") == std::string::npos;
    });
    unfinished_literals_.assign(unfinished, messages.end());
    messages.erase(unfinished, messages.end());
    if (reporter_.ReportAll(messages)) {
      if (!target_.empty()) sim::RemoveFile(target_);
      exit_code_ = sim::kExitFatal;
      return false;
    }
    reporter_.ReportFailure(run, 0);
    // What a failed preprocessor wrote is no preprinted listing.
    if (reporter_.errors() > 0) {
      preprocessed_.clear();
    } else if (!have_text) {
      return Fail("PREPROCESSING", "NO OUTPUT FROM THE PREPROCESSOR");
    }
    return true;
  }

  // The dialect made sdcc's, line for line; what cannot be is an error.
  void Rewrite() {
    // A declaration with "()", or a call with no declaration, gets the
    // parameters of a definition in a C file beside the header that
    // declares it (or the file that calls it), or beside the source.
    auto find = [&](const std::string& name, const std::string& file,
                    const DefinitionWanted& wanted, FunctionDefinition* found) {
      std::vector<std::string> folders;
      for (const std::string& path : {mirror_.NameOf(file), request_.source}) {
        std::string folder(DirectoryPart(path, sim::kToolBreaks));
        if (folder.empty()) folder = "./";
        if (std::find(folders.begin(), folders.end(), folder) != folders.end()) continue;
        folders.push_back(folder);
        if (FindSiblingDefinition(folder, name, wanted, request_.source, found)) return true;
      }
      return false;
    };
    RewriteDialect(preprocessed_, &rewritten_, find, request_.model);
    for (const ToolMessage& m : unfinished_literals_) {
      const bool in_assembly = std::any_of(
          rewritten_.inline_asm.begin(), rewritten_.inline_asm.end(), [&](const LineRange& r) {
            return r.file == m.file && m.line >= r.first && m.line <= r.last;
          });
      if (!in_assembly) held_.push_back(m);
    }
    for (const DialectIssue& issue : rewritten_.issues) {
      reporter_.Report(sim::Severity::kError, std::string(kGenericCompilerCode), issue.file,
                       issue.line, issue.text);
    }
    // Warnings wait for sdcc's, to be said in line order among them.
    auto hold = [&](const DialectIssue& issue, std::string_view code) {
      ToolMessage m;
      m.kind = ToolMessage::Kind::kWarning;
      m.file = issue.file;
      m.line = issue.line;
      m.code = std::string(code);
      m.text = issue.text;
      held_.push_back(std::move(m));
    };
    for (const DialectIssue& warning : rewritten_.warnings) {
      hold(warning, kGenericCompilerWarningCode);
    }
    // What sdcc would have said of them, had they kept no prototype.
    for (const DialectIssue& call : rewritten_.implicit_calls) hold(call, kMissingPrototypeCode);
    // Each file's together, in the order the files came, by line.
    std::map<std::string, size_t> order;
    for (const ToolMessage& m : held_) order.emplace(m.file, order.size());
    std::stable_sort(held_.begin(), held_.end(), [&](const ToolMessage& a, const ToolMessage& b) {
      return std::make_pair(order[a.file], a.line) < std::make_pair(order[b.file], b.line);
    });
    // The linker lays the vector down from the number in the object; one it
    // cannot know would leave the routine silently never running.
    for (const InterruptFunction& f : rewritten_.interrupts) {
      if (f.number >= 0) continue;
      reporter_.Report(sim::Severity::kError, std::string(kGenericCompilerCode), f.file, f.line,
                       "'" + f.name +
                           "': the interrupt number must be a constant number for the linker "
                           "to place the vector");
    }
    for (const std::string& header : rewritten_.headers) {
      headers_.push_back(mirror_.NameOf(header));
    }
    // A definition read elsewhere: when it changes, so does this object.
    headers_.insert(headers_.end(), rewritten_.consulted.begin(), rewritten_.consulted.end());
  }

  // sdcc on the rewritten text, in a file named after the module (sdcc
  // names the module after its file); its messages reported, its output
  // read back with the user's names in place of ours.
  bool Translate() {
    effective_ = request_;
    if (!rewritten_.model.empty()) effective_.model = rewritten_.model;
    const std::string title = ModuleFileTitle(request_.source);
    const std::string out_name = title + (ToAssembly() ? ".asm" : ".rel");
    std::string err;
    // sdcc tells the placed variables' sizes (absolute_variables.h).
    std::string text = rewritten_.text;
    if (!rewritten_.placed.empty() && !text.empty() && text.back() != '\n') text += '\n';
    text += SizeProbes(rewritten_.placed);
    if (!sim::WriteFile(temp_->path() + title + ".c", text, &err)) {
      return Fail("WRITING TEMPORARY FILE", err);
    }
    const std::string c_path = temp_->native() + title + ".c";
    // A model pragma makes other options, whose commands differ.
    const std::vector<std::string> options = SdccOptions(effective_);
    // The locals go to the linker, which overlays them (frame_records.h).
    FunctionLocals locals = FindFunctionLocals(rewritten_.text);
    const std::string tag = ModuleTag(sim::AbsolutePath(request_.source));
    auto externalize = [&](std::string* assembly) {
      std::string edited;
      std::vector<RelAbsolute> absolutes = TakeAbsoluteVariables(assembly);
      ExternalizeFrames(*assembly, locals, tag, &edited, &graph_);
      graph_.float_formats = HasFloatFormat(rewritten_.text);
      graph_.absolutes = std::move(absolutes);
      *assembly = std::move(edited);
    };
    const SdccCommands commands =
        options == options_ ? commands_ : FindSdccCommands(sdcc_, options, *temp_);
    auto compile = [&] {
      return RunCompiler(sdcc_, options, commands, c_path, temp_->native() + title, ToAssembly(),
                         externalize);
    };
    ProgramRun run = compile();
    if (!run.started) return Fail("STARTING SDCC", CantRun());
    std::vector<ToolMessage> messages = ParseCompilerOutput(run.output);
    // Assignments the Windows compiler converts and sdcc refuses
    // (assignment_casts.h): translated once more with the casts, each then
    // a warning.
    if (!Clean(run, messages)) {
      std::vector<RefusedAssignment> refused;
      bool only_those = true;
      for (const ToolMessage& m : messages) {
        if (m.kind == ToolMessage::Kind::kWarning) continue;
        const std::vector<RefusedAssignment> pairs = RefusedAssignments(m.file, m.line, m.text);
        only_those = only_those && RefusesAssignment(m) && !pairs.empty();
        refused.insert(refused.end(), pairs.begin(), pairs.end());
      }
      std::string cast;
      if (only_those && CastRefusedAssignments(text, refused, &cast) &&
          sim::WriteFile(temp_->path() + title + ".c", cast, &err)) {
        ProgramRun second = compile();
        std::vector<ToolMessage> second_messages = ParseCompilerOutput(second.output);
        if (second.started && Clean(second, second_messages)) {
          std::vector<ToolMessage> conversions;
          for (const RefusedAssignment& r : refused) {
            ToolMessage warning;
            warning.kind = ToolMessage::Kind::kWarning;
            warning.code = kGenericCompilerWarningCode;
            warning.file = r.file;
            warning.line = r.line;
            warning.text = "'" + r.from + "' assigned to '" + r.to + "' without a cast: converted";
            conversions.push_back(std::move(warning));
          }
          second_messages.insert(second_messages.begin(), conversions.begin(), conversions.end());
          text = std::move(cast);
          locals = FindFunctionLocals(text);
          run = std::move(second);
          messages = std::move(second_messages);
        } else {
          sim::WriteFile(temp_->path() + title + ".c", text, &err);
        }
      }
    }
    // Locals read before they are set keep a fixed byte, as the original's
    // do (unset_locals.h): translated once more with them static. The
    // warning stays; it is still true of the source.
    std::vector<UnsetRead> reads;
    std::vector<ToolMessage> kept;
    std::string local, again;
    for (const ToolMessage& m : messages) {
      if (m.kind == ToolMessage::Kind::kWarning && UsedBeforeSet(m, &local)) {
        reads.push_back(UnsetRead{m.file, m.line, local});
        kept.push_back(m);
      }
    }
    if (Clean(run, messages) && !reads.empty() && MakeUnsetLocalsStatic(text, reads, &again)) {
      locals = FindFunctionLocals(again);
      if (!sim::WriteFile(temp_->path() + title + ".c", again, &err)) {
        return Fail("WRITING TEMPORARY FILE", err);
      }
      ProgramRun second = compile();
      std::vector<ToolMessage> second_messages = ParseCompilerOutput(second.output);
      if (second.started && Clean(second, second_messages)) {
        // The kept warnings go back among the others in line order.
        messages.clear();
        size_t next = 0;
        for (ToolMessage& m : second_messages) {
          if (UsedBeforeSet(m, &local)) continue;
          while (next < kept.size() && kept[next].file == m.file && kept[next].line < m.line) {
            messages.push_back(kept[next++]);
          }
          messages.push_back(std::move(m));
        }
        messages.insert(messages.end(), kept.begin() + static_cast<std::ptrdiff_t>(next),
                        kept.end());
        run = std::move(second);
      } else {
        // Ours to mend; the first translation stands.
        locals = FindFunctionLocals(rewritten_.text);
        sim::WriteFile(temp_->path() + title + ".c", text, &err);
        run = compile();
        messages = ParseCompilerOutput(run.output);
      }
    }
    DropExactStringFits(text, &messages);
    const int errors_before = reporter_.errors();
    reporter_.ReportAll(MergeHeld(std::move(messages)));
    reporter_.ReportFailure(run, errors_before);

    if (reporter_.errors() == 0 &&
        sim::ReadFile(temp_->path() + out_name, &output_) != sim::ReadResult::kOkay) {
      reporter_.Report(sim::Severity::kError, std::string(kGenericCompilerCode), "", 1,
                       "sdcc wrote no output");
    }
    if (reporter_.errors() == 0 && ToAssembly()) externalize(&output_);
    // Debug records and the assembly listing's source lines name the files
    // sdcc made here; name the user's files and the source's folder
    // instead, which outlive this one.
    const std::string real = sim::AbsolutePath(request_.source);
    auto name_users_files = [&](std::string* text) {
      ReplaceAll(c_path, real, text);
      mirror_.RestoreNames(text);
      ReplaceAll(temp_->native(), std::string(DirectoryPart(real, sim::kToolBreaks)), text);
    };
    name_users_files(&output_);
    if (request_.code_listing && !ToAssembly()) {
      sim::ReadFile(temp_->path() + title + ".lst", &assembly_listing_);
      name_users_files(&assembly_listing_);
    }
    return true;
  }

  // The object (the dependency record, then sdcc's relocatable), or for
  // SRC the assembly source with the headers and vectors noted for the
  // assembler.
  bool WriteTarget() {
    if (reporter_.errors() > 0 || target_.empty()) return true;
    if (ToAssembly()) {
      std::string err;
      if (sim::WriteFile(target_,
                         AssemblyWithDepends(output_, headers_, rewritten_.interrupts, graph_),
                         &err)) {
        return true;
      }
      PrintFatalBlock(console_, kTool, FatalError{"WRITING OUTPUT-FILE", "", err, "", 0});
      exit_code_ = sim::kExitFatal;
      return false;
    }
    RelModule module;
    module.model = effective_.model;
    module.rel = output_;
    for (const InterruptFunction& f : rewritten_.interrupts) {
      module.interrupts.push_back(RelInterrupt{static_cast<uint32_t>(f.number), "_" + f.name});
    }
    module.call_graph = graph_.call_graph;
    module.functions = std::move(graph_.functions);
    module.taken = std::move(graph_.taken);
    module.float_formats = graph_.float_formats;
    module.absolutes = std::move(graph_.absolutes);
    module.data = std::move(graph_.data);
    sizes_ = ReadModuleSizes(output_);
    // The module's variables in DATA are its own, though the linker lays them.
    for (const RelDataItem& item : module.data) sizes_.data += item.size;
    if (!WriteObjectFile(target_, kTool, request_.source, headers_, std::move(module), console_)) {
      exit_code_ = sim::kExitFatal;
      return false;
    }
    return true;
  }

  // The listing, the preprocessed text (naming the user's files, not the
  // stand-ins), the summary.
  int Finish() {
    const int errors = reporter_.errors();
    if (errors > 0 && !target_.empty()) sim::RemoveFile(target_);
    sim::TranslationEnd end;
    end.dialect = sim::Dialect::kC;
    end.warnings = reporter_.warnings();
    end.errors = errors;
    end.print_path = request_.print_path;
    end.listing = sim::TranslationListing{CompilerBanner(),
                                          kTool,
                                          request_.source,
                                          source_text_,
                                          errors == 0 ? target_ : std::string(),
                                          request_.invocation,
                                          reporter_.lines(),
                                          sizes_,
                                          assembly_listing_,
                                          ""};
    mirror_.RestoreNames(&preprocessed_);
    if (!preprocessed_.empty()) {
      end.preprint_path = request_.preprint_path;
      end.preprinted = std::move(preprocessed_);
    }
    return sim::FinishTranslation(&end, console_);
  }

  bool ToAssembly() const { return !request_.src_path.empty(); }
  std::string CantRun() const { return "CAN'T RUN " + SystemToLocalText(sdcc_); }

  const CompileRequest& request_;
  Console* console_;
  const std::string target_;  // the object or the assembly source; empty: none
  std::string source_text_;
  std::string sdcc_;
  std::optional<TempFolder> temp_;
  IncludeMirror mirror_;
  Reporter reporter_;
  std::vector<std::string> options_;  // sdcc's, for the command line's controls
  SdccCommands commands_;             // for options_
  std::string preprocessed_;
  RewriteResult rewritten_;
  std::vector<ToolMessage> unfinished_literals_;  // the preprocessor's, reported after the rewrite
  std::vector<ToolMessage> held_;                 // the rewriter's warnings, said among sdcc's
  std::vector<std::string> headers_;              // as found, first inclusion first
  CompileRequest effective_;                      // with the model a pragma chose
  std::string output_;                            // sdcc's relocatable or assembly source
  RelModule graph_;                               // the call graph fields, when the frames went out
  sim::ModuleSizes sizes_;
  std::string assembly_listing_;  // sdas8051's, for CODE
  int exit_code_ = sim::kExitFatal;
};

}  // namespace

std::string CompilerBanner() {
  return "C51 C COMPILER ON SDCC V1.00";
}

int Compile(const CompileRequest& request, Console* console) {
  return CompilerRun(request, console).Run();
}

}  // namespace c51::sdcc
