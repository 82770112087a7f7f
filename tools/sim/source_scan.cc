#include "sim/source_scan.h"

#include <algorithm>
#include <map>
#include <set>
#include <string_view>

#include "sim/controls.h"
#include "sim/source_lines.h"

namespace c51::sim {

namespace {

// Beyond this many open files the include chain is taken as runaway.
constexpr size_t kMaxIncludeDepth = 64;

// A second byte standing in for a function's return.
constexpr uint8_t kReturnByte = 0x22;

bool IsWordChar(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || u == '_';
}

// FNV-1a: the same line always gives the same simulated code.
uint32_t LineHash(std::string_view text) {
  uint32_t h = 2166136261u;
  for (char c : text) {
    h ^= static_cast<unsigned char>(c);
    h *= 16777619u;
  }
  return h;
}

void AppendLineCode(std::string_view text, std::vector<uint8_t>* code) {
  const uint32_t h = LineHash(text);
  code->push_back(static_cast<uint8_t>(h & 0xFF));
  code->push_back(static_cast<uint8_t>((h >> 8) & 0xFF));
}

// C files and headers keep C comment rules even when an assembly source
// includes them.
Dialect FileDialect(std::string_view path, Dialect unit) {
  std::string name = ToUpper(path.substr(DirectoryPart(path).size()));
  size_t dot = name.rfind('.');
  if (dot == std::string::npos) return unit;
  std::string_view ext = std::string_view(name).substr(dot + 1);
  if (ext == "C" || ext == "H") return Dialect::kC;
  if (ext == "A51" || ext == "ASM" || ext == "SRC" || ext == "INC") return Dialect::kAssembly;
  return unit;
}

struct Position {
  const std::string* file;
  int line;
  std::string_view line_text;
};

// Finds "SIM" + `suffix` as a word of its own in `text`; npos when absent.
size_t FindMarker(std::string_view text, std::string_view suffix) {
  const std::string key = "SIM" + std::string(suffix);
  for (size_t at = text.find(key); at != std::string_view::npos; at = text.find(key, at + 1)) {
    if (at == 0 || !IsWordChar(text[at - 1])) return at + key.size();
  }
  return std::string_view::npos;
}

// One marker per comment. True when it was a fatal error.
bool ApplyMarker(std::string_view comment, const Position& where, ScanResult* result) {
  enum { kSim, kLink, kDepends } kind;
  size_t at;
  if ((at = FindMarker(comment, ":")) != std::string_view::npos) {
    kind = kSim;
  } else if ((at = FindMarker(comment, "-LINK:")) != std::string_view::npos) {
    kind = kLink;
  } else if ((at = FindMarker(comment, "-DEPENDS:")) != std::string_view::npos) {
    kind = kDepends;
  } else {
    return false;
  }
  std::string_view rest = comment.substr(at);
  auto ignored = [&] {
    result->ignored_markers.push_back(*where.file + "(" + std::to_string(where.line) + ")");
    return false;
  };
  if (kind == kDepends) {
    std::string_view name = Unquote(Trim(rest));
    if (name.empty()) return ignored();
    result->extra_depends.emplace_back(name);
    return false;
  }
  const std::string severity_word = ToUpper(NextWord(&rest));
  if (severity_word == "CRASH" && kind == kSim) {
    result->crash = true;
    return false;
  }
  if (severity_word == "FLOOD" && kind == kSim) {
    uint32_t bytes;
    if (!ParseNumber(NextWord(&rest), &bytes)) return ignored();
    const std::string style = ToUpper(Trim(rest));
    if (!style.empty() && style != "WARNINGS") return ignored();
    result->flood_bytes += bytes;
    if (!style.empty()) result->flood_warnings = true;
    return false;
  }
  if (severity_word == "HANG" && kind == kSim) {
    const std::string how = ToUpper(Trim(rest));
    if (!how.empty() && how != "IGNORE-INT") return ignored();
    result->hang = std::max(result->hang, how.empty() ? ScanResult::Hang::kUntilKilled
                                                      : ScanResult::Hang::kIgnoringInterrupts);
    return false;
  }
  if (severity_word == "SLEEP" && kind == kSim) {
    uint32_t ms;
    if (!ParseNumber(Trim(rest), &ms)) return ignored();
    result->sleep_ms =
        std::min(kMaxSleepMilliseconds, result->sleep_ms + std::min(ms, kMaxSleepMilliseconds));
    return false;
  }
  Severity severity;
  if (severity_word == "ERROR") {
    severity = Severity::kError;
  } else if (severity_word == "WARNING") {
    severity = Severity::kWarning;
  } else if (severity_word == "FATAL" && kind == kSim) {
    severity = Severity::kFatal;
  } else {
    return ignored();
  }
  std::string code;
  if (severity != Severity::kFatal) {
    code = NextWord(&rest);
    if (code.empty()) return ignored();
  }
  std::string text(Trim(rest));
  if (kind == kLink) {
    result->link_markers.push_back(LinkMarker{severity, code, text});
    return false;
  }
  Diagnostic diagnostic;
  diagnostic.severity = severity;
  diagnostic.code = code;
  diagnostic.text = text;
  diagnostic.file = *where.file;
  diagnostic.line = where.line;
  if (severity == Severity::kFatal) diagnostic.line_text = Trim(where.line_text);
  result->diagnostics.push_back(std::move(diagnostic));
  return severity == Severity::kFatal;
}

// Accounting of the simulated code and variables.
struct CodeState {
  int brace_depth = 0;  // C
  enum class Space { kCode, kData, kXdata, kBit };
  Space space = Space::kCode;             // assembly: the current segment's space
  std::map<std::string, Space> segments;  // assembly: declared segments
};

void AccountC(std::string_view code, const ScanSettings& settings, CodeState* state,
              ScanResult* result) {
  std::string_view text = Trim(code);
  if (text.empty() || text[0] == '#') return;
  const int depth_before = state->brace_depth;
  bool closed_function = false;
  for (char c : text) {
    if (c == '{') ++state->brace_depth;
    if (c == '}' && state->brace_depth > 0 && --state->brace_depth == 0) closed_function = true;
  }
  if (depth_before > 0 || state->brace_depth > 0) {
    AppendLineCode(text, &result->code);
    if (closed_function) result->code.push_back(kReturnByte);
    return;
  }
  // A declaration at file scope without "(" is taken as one variable.
  if (text.back() != ';' || text.find('(') != std::string_view::npos) return;
  std::string_view rest = text;
  const std::string first = std::string(NextWord(&rest));
  for (const char* skip :
       {"typedef", "extern", "sfr", "sfr16", "sbit", "struct", "union", "enum"}) {
    if (first == skip) return;
  }
  if (settings.variables_in_xdata) {
    ++result->xdata;
  } else {
    ++result->data;
  }
}

// The bytes of a DB list: numbers and quoted strings separated by ",".
void AppendDefinedBytes(std::string_view list, std::vector<uint8_t>* code) {
  size_t start = 0;
  char quote = 0;
  for (size_t i = 0; i <= list.size(); ++i) {
    if (i < list.size()) {
      const char c = list[i];
      if (quote != 0) {
        if (c == quote) quote = 0;
        continue;
      }
      if (c == '\'' || c == '"') quote = c;
      if (c != ',') continue;
    }
    std::string_view item = Trim(list.substr(start, i - start));
    start = i + 1;
    uint32_t value;
    if (item.size() >= 2 && (item.front() == '\'' || item.front() == '"') &&
        item.back() == item.front()) {
      for (char c : item.substr(1, item.size() - 2)) code->push_back(static_cast<uint8_t>(c));
    } else if (ParseNumber(item, &value)) {
      code->push_back(static_cast<uint8_t>(value & 0xFF));
    }
  }
}

void AccountAssembly(std::string_view code, CodeState* state, ScanResult* result) {
  std::string_view text = Trim(code);
  if (text.empty() || text[0] == '$' || text[0] == '#') return;
  std::string_view rest = text;
  std::string first = ToUpper(NextWord(&rest));
  if (first.size() > 1 && first.back() == ':') {
    first = ToUpper(NextWord(&rest));
    if (first.empty()) return;
  }
  std::string_view after_first = rest;
  const std::string second = ToUpper(NextWord(&rest));
  using Space = CodeState::Space;
  if (second == "SEGMENT") {
    const std::string type = ToUpper(NextWord(&rest));
    Space space = Space::kCode;
    if (type == "DATA" || type == "IDATA") space = Space::kData;
    if (type == "XDATA") space = Space::kXdata;
    if (type == "BIT") space = Space::kBit;
    state->segments[first] = space;
    return;
  }
  if (first == "RSEG") {
    auto it = state->segments.find(second);
    state->space = it == state->segments.end() ? Space::kCode : it->second;
    return;
  }
  if (first == "CSEG") state->space = Space::kCode;
  if (first == "DSEG" || first == "ISEG") state->space = Space::kData;
  if (first == "XSEG") state->space = Space::kXdata;
  if (first == "BSEG") state->space = Space::kBit;
  for (const char* directive : {"CSEG", "DSEG", "ISEG", "XSEG", "BSEG", "NAME", "USING", "PUBLIC",
                                "EXTRN", "EXTERN", "END", "ORG", "IF", "ELSE", "ENDIF"}) {
    if (first == directive) return;
  }
  for (const char* directive : {"EQU", "SET", "DATA", "IDATA", "XDATA", "BIT", "CODE"}) {
    if (second == directive) return;
  }
  if (first == "DB") {
    AppendDefinedBytes(after_first, &result->code);
    return;
  }
  if (first == "DW") {
    for (const std::string& item : SplitArgumentList(after_first, ',')) {
      uint32_t value;
      if (!ParseNumber(item, &value)) continue;
      result->code.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
      result->code.push_back(static_cast<uint8_t>(value & 0xFF));
    }
    return;
  }
  if (first == "DS") {
    uint32_t size;
    if (!ParseNumber(after_first, &size)) return;
    if (state->space == Space::kData) result->data += size;
    if (state->space == Space::kXdata) result->xdata += size;
    if (state->space == Space::kCode) result->code.insert(result->code.end(), size & 0xFFFF, 0);
    return;
  }
  AppendLineCode(text, &result->code);
}

// One key per file on disk, however the includes spell it: Windows
// compares names ignoring case, and the file source knows the name a
// differently spelt path reaches on POSIX.
std::string SeenKey(const std::string& full_path, PathStyle style, FileSource* files) {
  return style == PathStyle::kWindows ? ToUpper(full_path) : files->Identity(full_path);
}

struct Frame {
  size_t file = 0;  // index into ScanResult::files
  std::string text;
  size_t pos = 0;
  int line = 0;
  bool in_block = false;
  Dialect dialect = Dialect::kC;
  std::string dir;
};

}  // namespace

int ScanResult::Count(Severity severity) const {
  int count = 0;
  for (const Diagnostic& d : diagnostics) count += d.severity == severity ? 1 : 0;
  return count;
}

ScanResult ScanSource(const std::string& source, const ScanSettings& settings, FileSource* files) {
  ScanResult result;
  std::string text;
  if (files->Read(source, &text) != ReadResult::kOkay) {
    result.status = ScanResult::Status::kSourceMissing;
    return result;
  }
  result.source_text = text;
  std::set<std::string> seen;
  const std::string source_dir(DirectoryPart(source));
  {
    ScannedFile file{source, MakeAbsolute(source, settings.cwd, settings.style),
                     files->Time(source)};
    seen.insert(SeenKey(file.full_path, settings.style, files));
    result.files.push_back(std::move(file));
  }
  std::vector<Frame> stack;
  stack.push_back(
      Frame{0, std::move(text), 0, 0, false, FileDialect(source, settings.dialect), source_dir});
  CodeState state;

  auto fatal = [&](const Frame& frame, std::string_view line, std::string message) {
    Diagnostic diagnostic;
    diagnostic.severity = Severity::kFatal;
    diagnostic.text = std::move(message);
    diagnostic.file = result.files[frame.file].path;
    diagnostic.line = frame.line;
    diagnostic.line_text = Trim(line);
    result.diagnostics.push_back(std::move(diagnostic));
    result.status = ScanResult::Status::kFatal;
    return result;
  };

  while (!stack.empty()) {
    Frame& top = stack.back();
    if (top.pos >= top.text.size()) {
      stack.pop_back();
      continue;
    }
    size_t end = top.text.find('\n', top.pos);
    if (end == std::string::npos) end = top.text.size();
    std::string_view line = std::string_view(top.text).substr(top.pos, end - top.pos);
    top.pos = end + 1;
    ++top.line;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

    SplitLine split;
    if (top.dialect == Dialect::kC) {
      SplitCLine(line, &top.in_block, &split);
    } else {
      SplitAssemblyLine(line, &split);
    }
    const Position where{&result.files[top.file].path, top.line, line};
    for (const std::string& comment : split.comments) {
      if (ApplyMarker(comment, where, &result)) {
        result.status = ScanResult::Status::kFatal;
        return result;
      }
    }

    IncludeRequest request = FindInclude(split.code, top.dialect);
    if (request.kind == IncludeRequest::kBad) {
      return fatal(top, line, "BAD FILE NAME IN INCLUDE LINE");
    }
    if (request.kind == IncludeRequest::kNone) {
      result.expanded.append(line);
      result.expanded += '\n';
      if (settings.dialect == Dialect::kC && top.dialect == Dialect::kC) {
        AccountC(split.code, settings, &state, &result);
      } else if (top.dialect == Dialect::kAssembly) {
        AccountAssembly(split.code, &state, &result);
      }
      continue;
    }

    const std::vector<std::string> candidates =
        IncludeCandidates(request, top.dir, settings.include_dirs, settings.style);
    bool found = false;
    std::string header_text;
    for (const std::string& candidate : candidates) {
      const std::string full = MakeAbsolute(candidate, settings.cwd, settings.style);
      if (seen.count(SeenKey(full, settings.style, files)) != 0) {
        found = true;  // read before: guarded
        break;
      }
      if (files->Read(candidate, &header_text) != ReadResult::kOkay) continue;
      if (stack.size() >= kMaxIncludeDepth) return fatal(top, line, "INCLUDE NESTING TOO DEEP");
      seen.insert(SeenKey(full, settings.style, files));
      result.files.push_back(ScannedFile{candidate, full, files->Time(candidate)});
      Frame frame;
      frame.file = result.files.size() - 1;
      frame.text = std::move(header_text);
      frame.dialect = FileDialect(candidate, top.dialect);
      frame.dir = DirectoryPart(candidate);
      stack.push_back(std::move(frame));  // `top` is not used past this point
      found = true;
      break;
    }
    if (!found) return fatal(top, line, "CAN'T OPEN FILE '" + request.name + "'");
  }
  return result;
}

}  // namespace c51::sim
