#include "sim/translation.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>

#include "platform/env.h"
#include "sim/dependency_record.h"
#include "sim/object_module.h"

namespace c51::sim {

namespace {

std::string TargetPath(const TranslateRequest& request) {
  return request.src_path.empty() ? request.object_path : request.src_path;
}

std::string FormatListing(const TranslateRequest& request, const ScanResult& scan,
                          const std::vector<std::string>& reported, const std::string& summary) {
  std::string out =
      FormatListingHead(Banner(request.dialect), request.source, TargetPath(request),
                        ToolName(request.dialect), request.invocation, scan.source_text);
  auto line = [&out](const std::string& text) { out += text + "\r\n"; };
  for (const std::string& message : reported) line(message);
  line("");
  line("MODULE INFORMATION:   CODE SIZE = " + std::to_string(scan.code.size()) + "  DATA SIZE = " +
       std::to_string(scan.data) + "  XDATA SIZE = " + std::to_string(scan.xdata));
  line(summary);
  return out;
}

std::vector<DependencyEntry> DependencyEntries(const ScanResult& scan, const ScanSettings& settings,
                                               FileSource* files) {
  std::vector<DependencyEntry> entries;
  for (size_t i = 0; i < scan.files.size(); ++i) {
    const ScannedFile& file = scan.files[i];
    entries.push_back(
        DependencyEntry{i == 0 ? kSourceEntry : kIncludeEntry, file.time, file.full_path});
  }
  for (const std::string& name : scan.extra_depends) {
    entries.push_back(DependencyEntry{kIncludeEntry, files->Time(name),
                                      MakeAbsolute(name, settings.cwd, settings.style)});
  }
  return entries;
}

}  // namespace

std::string FormatListingHead(const std::string& banner, std::string_view source_path,
                              const std::string& target, std::string_view tool,
                              const std::string& invocation, std::string_view source_text) {
  std::string out;
  auto line = [&out](std::string_view text) {
    out += text;
    out += "\r\n";
  };
  line(banner + "   MODULE " + ToUpper(FileTitle(source_path)));
  line("");
  line(target.empty() ? "NO OBJECT MODULE REQUESTED" : "OBJECT MODULE PLACED IN " + target);
  line(std::string(tool) + " INVOKED BY: " + invocation);
  line("");
  line("LINE   SOURCE");
  int number = 0;
  size_t pos = 0;
  while (pos < source_text.size()) {
    size_t end = source_text.find('\n', pos);
    if (end == std::string_view::npos) end = source_text.size();
    std::string_view source_line = source_text.substr(pos, end - pos);
    if (!source_line.empty() && source_line.back() == '\r') source_line.remove_suffix(1);
    char number_text[16];
    snprintf(number_text, sizeof number_text, "%5d  ", ++number);
    line(number_text + std::string(source_line));
    pos = end + 1;
  }
  line("");
  return out;
}

const char* ToolName(Dialect dialect) {
  return dialect == Dialect::kC ? "C51" : "A51";
}

std::string Banner(Dialect dialect) {
  return dialect == Dialect::kC ? "C51 SIMULATED C COMPILER V1.00"
                                : "A51 SIMULATED MACRO ASSEMBLER V1.00";
}

std::string FormatDiagnostic(Dialect dialect, const Diagnostic& d) {
  const char* severity = d.severity == Severity::kWarning ? "*** WARNING " : "*** ERROR ";
  const std::string line = std::to_string(d.line);
  if (dialect == Dialect::kC) {
    return severity + d.code + " IN LINE " + line + " OF " + d.file + ": " + d.text;
  }
  return severity + d.code + " IN " + line + " (" + d.file + ", LINE " + line + "): " + d.text;
}

std::string FormatSummary(Dialect dialect, int warnings, int errors) {
  const std::string counts =
      "  " + std::to_string(warnings) + " WARNING(S),  " + std::to_string(errors) + " ERROR(S)";
  return (dialect == Dialect::kC ? "C51 COMPILATION COMPLETE." : "ASSEMBLY COMPLETE.") + counts;
}

std::string NormalizeControls(const std::vector<Control>& controls) {
  std::string text;
  for (const Control& control : controls) {
    if (!text.empty()) text += ' ';
    text += control.name;
    if (control.has_argument) text += "(" + control.argument + ")";
  }
  return text;
}

std::vector<std::string> EnvironmentIncludeDirs() {
  std::string value;
  std::vector<std::string> dirs;
  if (!GetEnv("C51INC", &value)) return dirs;
  std::string_view text = value;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != ';') continue;
    std::string_view dir = Trim(text.substr(start, i - start));
    if (!dir.empty()) dirs.emplace_back(dir);
    start = i + 1;
  }
  return dirs;
}

std::string FormatGeneratedAssembly(const std::string& source, const ScanResult& scan,
                                    const std::string& model, bool variables_in_xdata) {
  const std::string name = ToUpper(FileTitle(source));
  std::string out;
  auto line = [&out](const std::string& text) { out += text + "\r\n"; };
  line("; generated by " + Banner(Dialect::kC) + " from " + source);
  for (size_t i = 1; i < scan.files.size(); ++i) line("; SIM-DEPENDS: " + scan.files[i].full_path);
  for (const std::string& name_written : scan.extra_depends) line("; SIM-DEPENDS: " + name_written);
  for (const LinkMarker& marker : scan.link_markers) {
    line(std::string("; SIM-LINK: ") +
         (marker.severity == Severity::kWarning ? "WARNING " : "ERROR ") + marker.code + " " +
         marker.text);
  }
  line("$NOMOD51");
  line("        NAME    " + name);
  line("; memory model " + model);
  line("?PR?" + name + " SEGMENT CODE");
  line("        RSEG    ?PR?" + name);
  static const char kDigits[] = "0123456789ABCDEF";
  for (size_t i = 0; i < scan.code.size(); i += 16) {
    std::string db = "        DB      ";
    for (size_t j = i; j < scan.code.size() && j < i + 16; ++j) {
      if (j > i) db += ',';
      db += '0';
      db += kDigits[scan.code[j] >> 4];
      db += kDigits[scan.code[j] & 0x0F];
      db += 'H';
    }
    line(db);
  }
  const uint32_t variables = variables_in_xdata ? scan.xdata : scan.data;
  if (variables > 0) {
    const char* space = variables_in_xdata ? "XDATA" : "DATA";
    line("?DT?" + name + " SEGMENT " + space);
    line("        RSEG    ?DT?" + name);
    line("        DS      " + std::to_string(variables));
  }
  line("        END");
  return out;
}

int Translate(const TranslateRequest& request, FileSource* files, Console* console) {
  const char* tool = ToolName(request.dialect);
  const std::string target = TargetPath(request);
  console->Line(Banner(request.dialect));
  console->Line("");

  ScanResult scan = ScanSource(request.source, request.scan, files);
  if (scan.status == ScanResult::Status::kSourceMissing) {
    if (!target.empty()) RemoveFile(target);
    PrintFatalBlock(
        console, tool,
        FatalError{"OPENING SOURCE-FILE", "", "CAN'T OPEN FILE '" + request.source + "'", "", 0});
    return kExitFatal;
  }

  // Still "running" for whoever watches the process from outside.
  if (scan.sleep_ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(scan.sleep_ms));

  std::vector<std::string> reported;
  int errors = 0;
  int warnings = 0;
  for (const Diagnostic& d : scan.diagnostics) {
    if (d.severity == Severity::kFatal) continue;
    if (d.severity == Severity::kWarning && !request.warnings) continue;
    (d.severity == Severity::kWarning ? warnings : errors) += 1;
    reported.push_back(FormatDiagnostic(request.dialect, d));
    console->Line(reported.back());
  }
  for (const std::string& where : scan.ignored_markers) {
    console->Line("SIM MARKER IGNORED (NOT UNDERSTOOD) AT " + where);
  }
  if (scan.status == ScanResult::Status::kFatal) {
    // Leave no object behind, so the next build tries again.
    if (!target.empty()) RemoveFile(target);
    const Diagnostic& d = scan.diagnostics.back();
    PrintFatalBlock(console, tool,
                    FatalError{"PARSING SOURCE-FILE", d.line_text, d.text, d.file, d.line});
    return kExitFatal;
  }

  const std::string summary = FormatSummary(request.dialect, warnings, errors);
  if (errors > 0) {
    if (!target.empty()) RemoveFile(target);
  } else if (!target.empty()) {
    std::string bytes;
    if (!request.src_path.empty()) {
      bytes = FormatGeneratedAssembly(request.source, scan, request.model,
                                      request.scan.variables_in_xdata);
    } else {
      int dropped = 0;
      bytes = BuildDependencyRecord(tool, DependencyEntries(scan, request.scan, files), &dropped);
      if (dropped > 0) {
        console->Line("DEPENDENCY RECORD: " + std::to_string(dropped) + " NAME(S) LEFT OUT");
      }
      ObjectModule module;
      module.name = ToUpper(FileTitle(request.source));
      module.source = scan.files[0].full_path;
      module.tool = tool;
      module.model = request.model;
      module.controls = request.controls;
      module.code = scan.code;
      module.data = scan.data;
      module.xdata = scan.xdata;
      module.link_markers = scan.link_markers;
      bytes += FormatModule(module);
    }
    std::string err;
    if (scan.crash) {
      WriteFile(target, bytes.substr(0, bytes.size() / 2), &err);
      console->Flush();
      // The default action, not a handler a sanitizer may have installed:
      // the build must see a program ended by a signal.
      std::signal(SIGSEGV, SIG_DFL);
      std::raise(SIGSEGV);
    }
    if (!WriteFile(target, bytes, &err)) {
      PrintFatalBlock(console, tool, FatalError{"WRITING OUTPUT-FILE", "", err, "", 0});
      return kExitFatal;
    }
  }
  std::string err;
  if (!request.print_path.empty() &&
      !WriteFile(request.print_path, FormatListing(request, scan, reported, summary), &err)) {
    PrintFatalBlock(console, tool, FatalError{"WRITING LISTING-FILE", "", err, "", 0});
    return kExitFatal;
  }
  if (!request.preprint_path.empty() && !WriteFile(request.preprint_path, scan.expanded, &err)) {
    PrintFatalBlock(console, tool, FatalError{"WRITING PREPRINT-FILE", "", err, "", 0});
    return kExitFatal;
  }
  console->Line("");
  console->Line(summary);
  if (errors > 0) return kExitErrors;
  return warnings > 0 ? kExitWarnings : kExitOkay;
}

}  // namespace c51::sim
