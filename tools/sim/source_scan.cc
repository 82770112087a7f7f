#include "sim/source_scan.h"

#include <set>
#include <string_view>

#include "sim/code_account.h"
#include "sim/controls.h"
#include "sim/scan_markers.h"
#include "sim/source_lines.h"

namespace c51::sim {

namespace {

// Beyond this many open files the include chain is taken as runaway.
constexpr size_t kMaxIncludeDepth = 64;

// C files and headers keep C comment rules even when an assembly source
// includes them.
Dialect FileDialect(std::string_view path, Dialect unit) {
  std::string name = ToUpper(NamePart(path, kToolBreaks));
  size_t dot = name.rfind('.');
  if (dot == std::string::npos) return unit;
  std::string_view ext = std::string_view(name).substr(dot + 1);
  if (ext == "C" || ext == "H") return Dialect::kC;
  if (ext == "A51" || ext == "ASM" || ext == "SRC" || ext == "INC") return Dialect::kAssembly;
  return unit;
}

// One key per file on disk, however the includes spell it: Windows
// compares names ignoring case, and the file source knows the name a
// differently spelt path reaches on POSIX.
std::string SeenKey(const std::string& full_path, PathStyle style, FileSource* files) {
  return style == PathStyle::kWindows ? ToUpper(full_path) : files->Identity(full_path);
}

// One file being read: its text and the next line.
struct Frame {
  size_t file = 0;  // index into ScanResult::files
  std::string text;
  size_t pos = 0;
  int line = 0;
  bool in_block = false;
  Dialect dialect = Dialect::kC;
  std::string dir;
};

// Reads the source and its headers line by line, innermost file first. Each
// line has its comments' markers applied, then is either an include (the
// header found and opened) or code, which goes into the expanded text and
// the code account. A step that returns false ended the scan: the fatal
// diagnostic is the last one.
class Scanner {
 public:
  Scanner(const ScanSettings& settings, FileSource* files) : settings_(settings), files_(files) {}

  ScanResult Scan(const std::string& source) {
    if (!Open(source)) {
      result_.status = ScanResult::Status::kSourceMissing;
      return std::move(result_);
    }
    while (!stack_.empty() && Step()) {
    }
    return std::move(result_);
  }

 private:
  bool Open(const std::string& source) {
    std::string text;
    if (files_->Read(source, &text) != ReadResult::kOkay) return false;
    result_.source_text = text;
    ScannedFile file{source, MakeAbsolute(source, settings_.cwd, settings_.style),
                     files_->Time(source)};
    seen_.insert(SeenKey(file.full_path, settings_.style, files_));
    result_.files.push_back(std::move(file));
    stack_.push_back(Frame{0, std::move(text), 0, 0, false, FileDialect(source, settings_.dialect),
                           std::string(DirectoryPart(source, kToolBreaks))});
    return true;
  }

  // The next line of the innermost file: false at its end.
  static bool NextLine(Frame* top, std::string_view* line) {
    if (top->pos >= top->text.size()) return false;
    size_t end = top->text.find('\n', top->pos);
    if (end == std::string::npos) end = top->text.size();
    *line = std::string_view(top->text).substr(top->pos, end - top->pos);
    top->pos = end + 1;
    ++top->line;
    if (!line->empty() && line->back() == '\r') line->remove_suffix(1);
    return true;
  }

  bool Step() {
    Frame& top = stack_.back();
    std::string_view line;
    if (!NextLine(&top, &line)) {
      stack_.pop_back();
      return true;
    }
    SplitLine split;
    if (top.dialect == Dialect::kC) {
      SplitCLine(line, &top.in_block, &split);
    } else {
      SplitAssemblyLine(line, &split);
    }
    const MarkerPosition where{&result_.files[top.file].path, top.line, line};
    for (const std::string& comment : split.comments) {
      if (ApplyMarker(comment, where, &result_)) {
        result_.status = ScanResult::Status::kFatal;
        return false;
      }
    }
    const IncludeRequest request = FindInclude(split.code, top.dialect);
    if (request.kind == IncludeRequest::kBad) {
      return Fatal(top, line, "BAD FILE NAME IN INCLUDE LINE");
    }
    if (request.kind == IncludeRequest::kNone) {
      AddCode(top, line, split.code);
      return true;
    }
    return Include(request, line);
  }

  void AddCode(const Frame& top, std::string_view line, std::string_view code) {
    result_.expanded.append(line);
    result_.expanded += '\n';
    if (settings_.dialect == Dialect::kC && top.dialect == Dialect::kC) {
      account_.AddC(code, settings_.variables_in_xdata, &result_);
    } else if (top.dialect == Dialect::kAssembly) {
      account_.AddAssembly(code, &result_);
    }
  }

  // Opens the header `request` names where the Windows tools would find it;
  // one read before counts as found (as if guarded).
  bool Include(const IncludeRequest& request, std::string_view line) {
    const Frame& top = stack_.back();
    std::string header_text;
    for (const std::string& candidate :
         IncludeCandidates(request, top.dir, settings_.include_dirs, settings_.style)) {
      const std::string full = MakeAbsolute(candidate, settings_.cwd, settings_.style);
      if (seen_.count(SeenKey(full, settings_.style, files_)) != 0) return true;
      if (files_->Read(candidate, &header_text) != ReadResult::kOkay) continue;
      if (stack_.size() >= kMaxIncludeDepth) return Fatal(top, line, "INCLUDE NESTING TOO DEEP");
      seen_.insert(SeenKey(full, settings_.style, files_));
      result_.files.push_back(ScannedFile{candidate, full, files_->Time(candidate)});
      Frame frame;
      frame.file = result_.files.size() - 1;
      frame.text = std::move(header_text);
      frame.dialect = FileDialect(candidate, top.dialect);
      frame.dir = DirectoryPart(candidate, kToolBreaks);
      stack_.push_back(std::move(frame));  // `top` and `line` are not used past this point
      return true;
    }
    return Fatal(top, line, "CAN'T OPEN FILE '" + request.name + "'");
  }

  bool Fatal(const Frame& frame, std::string_view line, std::string message) {
    Diagnostic diagnostic;
    diagnostic.severity = Severity::kFatal;
    diagnostic.text = std::move(message);
    diagnostic.file = result_.files[frame.file].path;
    diagnostic.line = frame.line;
    diagnostic.line_text = Trim(line);
    result_.diagnostics.push_back(std::move(diagnostic));
    result_.status = ScanResult::Status::kFatal;
    return false;
  }

  const ScanSettings& settings_;
  FileSource* files_;
  ScanResult result_;
  std::set<std::string> seen_;  // SeenKey of every file read
  std::vector<Frame> stack_;    // the files being read, the source first
  CodeAccount account_;
};

}  // namespace

int ScanResult::Count(Severity severity) const {
  int count = 0;
  for (const Diagnostic& d : diagnostics) count += d.severity == severity ? 1 : 0;
  return count;
}

ScanResult ScanSource(const std::string& source, const ScanSettings& settings, FileSource* files) {
  return Scanner(settings, files).Scan(source);
}

}  // namespace c51::sim
