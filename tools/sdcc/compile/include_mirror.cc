#include "sdcc/compile/include_mirror.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/ascii_case.h"
#include "platform/codepage.h"
#include "platform/dir_list.h"
#include "platform/path.h"
#include "sdcc/compile/c_tokens.h"
#include "sdcc/compile/family_headers.h"
#include "sim/controls.h"
#include "sim/files.h"
#include "sim/source_lines.h"

namespace c51::sdcc {

namespace {

// sdcc's folder of register headers ("mcs51"), as against its library's.
bool IsRegisterFolder(std::string_view dir) {
  while (!dir.empty() && (dir.back() == '/' || dir.back() == '\\')) dir.remove_suffix(1);
  return EqualsIgnoringCase(NamePart(dir, sim::kToolBreaks), "mcs51");
}

// `name` as one of sdcc's header folders spells it ("STDIO.H" => "stdio.h");
// empty when none holds it. Plain names only: sdcc's headers are flat.
// `*library`: a header of its library's folder, not a register header.
std::string SystemSpelling(const std::string& name, const std::vector<std::string>& dirs,
                           bool* library) {
  *library = false;
  if (name.find_first_of("/\\") != std::string::npos) return std::string();
  for (const std::string& dir : dirs) {
    std::vector<std::string> names;
    if (!ListFiles(dir, &names)) continue;
    for (const std::string& n : names) {
      if (!EqualsIgnoringCase(n, name)) continue;
      *library = !IsRegisterFolder(dir);
      return n;
    }
  }
  return std::string();
}

// The name in sdas8051's `.include "name"` (any delimiter pair works:
// `.include /defs.inc/`); empty when the line is no such include.
std::string SdasIncludeName(std::string_view code) {
  code = sim::Trim(code);
  if (code.size() < 9 || sim::ToUpper(code.substr(0, 8)) != ".INCLUDE" ||
      (code[8] != ' ' && code[8] != '\t')) {
    return std::string();
  }
  code = sim::Trim(code.substr(9));
  if (code.size() < 3) return std::string();
  const size_t close = code.find(code[0], 1);
  if (close == std::string_view::npos) return std::string();
  return std::string(sim::Trim(code.substr(1, close - 1)));
}

// Where the Windows compiler looks for a "< >" name after every include
// folder: where a quoted one is looked for (the includer's folder, the
// current folder), which holds many a project's own headers so written.
std::vector<std::string> LocalCandidates(const sim::IncludeRequest& request,
                                         std::string_view includer_dir,
                                         const std::vector<std::string>& include_dirs,
                                         PathStyle style) {
  if (request.kind != sim::IncludeRequest::kAngle) return {};
  const std::vector<std::string> before =
      sim::IncludeCandidates(request, includer_dir, include_dirs, style);
  sim::IncludeRequest local = request;
  local.kind = sim::IncludeRequest::kQuoted;
  std::vector<std::string> candidates;
  for (std::string& candidate : sim::IncludeCandidates(local, includer_dir, {}, style)) {
    if (std::find(before.begin(), before.end(), candidate) == before.end()) {
      candidates.push_back(std::move(candidate));
    }
  }
  return candidates;
}

sim::IncludeRequest RequestOf(std::string_view code, sim::Dialect dialect) {
  if (dialect == sim::Dialect::kAssembly) {
    std::string name = SdasIncludeName(code);
    if (!name.empty()) return sim::IncludeRequest{sim::IncludeRequest::kQuoted, std::move(name)};
  }
  return sim::FindInclude(code, dialect);
}

// The stand-in's own name: the file's, when line markers, messages and
// sdcc's debug records carry it unchanged ("$" separates the fields of
// those records); else a neutral one of the same kind.
std::string StandInName(std::string_view found, size_t index, sim::Dialect dialect) {
  const std::string_view name = NamePart(found, sim::kToolBreaks);
  bool plain = !name.empty();
  for (char c : name) {
    const unsigned char u = static_cast<unsigned char>(c);
    plain = plain && ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') ||
                      u == '.' || u == '_' || u == '-');
  }
  if (plain) return std::string(name);
  // sdcc names its line records after the file ("C$source.c$25$..."), and
  // two modules' records of one name collide at link time: each file's
  // neutral name is its own, from its path.
  uint32_t hash = 2166136261u;
  for (char c : found) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
  char tag[16];
  std::snprintf(tag, sizeof tag, "_%08x", static_cast<unsigned>(hash));
  const bool c = dialect == sim::Dialect::kC;
  if (index == 0) return "source" + std::string(tag) + (c ? ".c" : ".asm");
  return "header" + std::string(tag) + (c ? ".h" : ".inc");
}

// A vendor's register header ("#define _AT_ ;/ ## /") pastes two slashes
// into a comment, so that "REG _AT_ 0xFE80;" declares REG and comments the
// address out where the header only declares its registers. sdcc's
// preprocessor refuses the paste; the dialect's "_at_" keeps the address
// instead, which an extern declaration takes as well (dialect_extern_at.h).
// The define line with "_at_" for its body.
bool CommentPasteDefine(std::string_view code, std::string* out) {
  std::string compact;
  for (char c : code) {
    if (c != ' ' && c != '\t') compact += c;
  }
  constexpr std::string_view kPaste = ";/##/";
  if (compact.compare(0, 7, "#define") != 0 || compact.size() < 7 + kPaste.size() + 1 ||
      std::string_view(compact).substr(compact.size() - kPaste.size()) != kPaste) {
    return false;
  }
  const std::string_view trimmed = sim::Trim(code);
  const size_t name_start = trimmed.find_first_not_of(" \t", trimmed.find("define") + 6);
  if (name_start == std::string_view::npos) return false;
  const size_t name_end = trimmed.find_first_of(" \t", name_start);
  if (name_end == std::string_view::npos) return false;
  *out = "#define " + std::string(trimmed.substr(name_start, name_end - name_start)) + " _at_";
  return true;
}

// The word of a preprocessor directive line's code ("# ifndef X" =>
// "ifndef"); empty for any other line.
std::string_view DirectiveWord(std::string_view code) {
  std::string_view rest = sim::Trim(code);
  if (rest.empty() || rest[0] != '#') return {};
  rest = sim::Trim(rest.substr(1));
  return rest.substr(0, rest.find_first_not_of("abcdefghijklmnopqrstuvwxyz"));
}

// sdcc announces itself to every file it reads (SDCC, __SDCC_mcs51, ...);
// the Windows compiler does not. A project's conditional on those names
// ("#ifndef SDCC", kept for a separate sdcc build) would pick code its
// author never built with this project: in the project's lines they are
// undefined. The conditional line with such names replaced by one nothing
// defines; false when it has none or is no conditional.
bool HideSdccNames(std::string_view code, std::string_view line, std::string* out) {
  const std::string_view word = DirectiveWord(code);
  if (word != "if" && word != "ifdef" && word != "ifndef" && word != "elif" && word != "elifdef" &&
      word != "elifndef") {
    return false;
  }
  auto is_name_char = [](char c) { return c != '$' && IsWordByte(c); };
  std::string result;
  bool hidden = false;
  for (size_t at = 0; at < line.size();) {
    if (!is_name_char(line[at])) {
      result += line[at++];
      continue;
    }
    size_t end = at;
    while (end < line.size() && is_name_char(line[end])) ++end;
    const std::string_view name = line.substr(at, end - at);
    if (name == "SDCC" || name.substr(0, 5) == "SDCC_" || name.substr(0, 6) == "__SDCC") {
      result += "__c51_not_sdcc";
      hidden = true;
    } else {
      result += name;
    }
    at = end;
  }
  if (hidden) *out = std::move(result);
  return hidden;
}

// +1 for a line opening a conditional ("#if", "#ifdef", "#ifndef"), -1 for
// one closing it ("#endif"), else 0.
int ConditionalStep(std::string_view code) {
  const std::string_view word = DirectiveWord(code);
  if (word == "if" || word == "ifdef" || word == "ifndef") return 1;
  return word == "endif" ? -1 : 0;
}

void ReplaceAll(const std::string& from, const std::string& to, std::string* text) {
  for (size_t at = text->find(from); at != std::string::npos; at = text->find(from, at)) {
    text->replace(at, from.size(), to);
    at += to.size();
  }
}

// One file being read: its text, the next line, and its copy so far.
struct Frame {
  size_t file = 0;
  std::string native;  // the file on disk (system text), for a link
  std::string text;
  size_t pos = 0;
  int line = 0;
  bool in_block = false;
  bool rewritten = false;  // an include line changed: the stand-in is a copy
  int open_conditionals = 0;
  size_t copied = 0;  // `text` before this is in `copy`
  std::string copy;
};

}  // namespace

bool IncludeMirror::Build(const std::string& source, const std::string& source_text,
                          const MirrorSettings& settings, const std::string& folder,
                          std::string* err) {
  files_.clear();
  by_stand_in_.clear();
  missing_ = MissingInclude();
  family_stand_ins_.clear();
  const std::string native_folder = NativeSpelling(folder);
  // The file on disk => its index, however the includes spell it.
  std::unordered_map<std::string, size_t> by_native;
  std::vector<Frame> stack;

  auto stand_in_of = [&](size_t index, const std::string& found) {
    return native_folder + "i" + std::to_string(index) + "/" +
           StandInName(found, index, settings.dialect);
  };
  auto add = [&](const std::string& found, const std::string& native, std::string text) {
    const size_t index = files_.size();
    files_.push_back(File{found, stand_in_of(index, found)});
    by_stand_in_[files_.back().stand_in] = index;
    by_native[native] = index;
    Frame frame;
    frame.file = index;
    frame.native = native;
    // Lines ended by a carriage return alone (old Mac editors) are lines to
    // sdcc too, but not to the search for includes, which would hand on the
    // whole file as one line: they end in a line feed in the copy.
    for (size_t at = text.find('\r'); at != std::string::npos; at = text.find('\r', at + 1)) {
      if (at + 1 < text.size() && text[at + 1] == '\n') continue;
      text[at] = '\n';
      frame.rewritten = true;
    }
    frame.text = std::move(text);
    stack.push_back(std::move(frame));
  };
  // The stand-in of a file read to its end: a link to it, or its copy.
  auto place = [&](Frame* frame) {
    const File& file = files_[frame->file];
    const std::filesystem::path stand_in(file.stand_in);
    std::error_code ec;
    std::filesystem::create_directory(stand_in.parent_path(), ec);
    if (!frame->rewritten) {
      std::filesystem::create_symlink(frame->native, stand_in, ec);
      if (!ec) return true;
      // A file system without links gets a copy.
    }
    frame->copy.append(frame->text, frame->copied);
    std::ofstream out(stand_in, std::ios::binary | std::ios::trunc);
    out.write(frame->copy.data(), static_cast<std::streamsize>(frame->copy.size()));
    out.close();
    if (!out) {
      *err = "CAN'T CREATE FILE '" + SystemToLocalText(file.stand_in) + "'";
      return false;
    }
    return true;
  };

  const PathStyle style = NativePathStyle();
  add(source, NativePath(sim::MakeAbsolute(source, settings.cwd, style)), source_text);
  while (!stack.empty()) {
    Frame& top = stack.back();
    if (top.pos >= top.text.size()) {
      // The Windows compiler takes a header whose include guard has no
      // "#endif" (the author's files built so); sdcc's preprocessor refuses
      // it: the stand-in gets the missing ones after the last line.
      if (top.open_conditionals > 0) {
        top.copy.append(top.text, top.copied);
        top.copied = top.text.size();
        if (!top.copy.empty() && top.copy.back() != '\n') top.copy += '\n';
        for (; top.open_conditionals > 0; --top.open_conditionals) top.copy += "#endif\n";
        top.rewritten = true;
      }
      if (!place(&top)) return false;
      stack.pop_back();
      continue;
    }
    const size_t start = top.pos;
    size_t end = top.text.find('\n', start);
    if (end == std::string::npos) end = top.text.size();
    top.pos = end + 1;
    ++top.line;
    std::string_view line = std::string_view(top.text).substr(start, end - start);
    const bool carriage_return = !line.empty() && line.back() == '\r';
    if (carriage_return) line.remove_suffix(1);

    const bool starts_in_comment = top.in_block;
    sim::SplitLine split;
    if (settings.dialect == sim::Dialect::kC) {
      sim::SplitCLine(line, &top.in_block, &split);
    } else {
      sim::SplitAssemblyLine(line, &split);
    }
    if (settings.dialect == sim::Dialect::kC) {
      top.open_conditionals = std::max(0, top.open_conditionals + ConditionalStep(split.code));
      // A line the programs get in another spelling, in its place.
      std::string instead;
      if (CommentPasteDefine(split.code, &instead) || HideSdccNames(split.code, line, &instead)) {
        top.copy.append(top.text, top.copied, start - top.copied);
        top.copy += instead;
        if (carriage_return) top.copy += '\r';
        top.copied = end;
        top.rewritten = true;
        continue;
      }
    }
    const sim::IncludeRequest request = RequestOf(split.code, settings.dialect);
    if (request.kind != sim::IncludeRequest::kQuoted &&
        request.kind != sim::IncludeRequest::kAngle) {
      continue;
    }
    const std::string includer_dir(DirectoryPart(files_[top.file].found, sim::kToolBreaks));
    size_t target = files_.size();
    std::string header_text;
    std::string found, native;
    auto look_in = [&](const std::vector<std::string>& candidates) {
      for (const std::string& candidate : candidates) {
        native = NativePath(sim::MakeAbsolute(candidate, settings.cwd, style));
        auto known = by_native.find(native);
        if (known != by_native.end()) {
          target = known->second;
          return;
        }
        if (sim::ReadFile(candidate, &header_text) == sim::ReadResult::kOkay) {
          found = candidate;
          return;
        }
      }
    };
    look_in(sim::IncludeCandidates(request, includer_dir, settings.include_dirs, style));
    // sdcc's library headers stand for those of the tool's INC folder: a
    // project's "string.h" beside the source must not hide the library's.
    // Its register headers stand for none: the project's own comes first.
    std::string system_spelling;
    bool library = false;
    if (target == files_.size() && found.empty() && settings.dialect == sim::Dialect::kC) {
      system_spelling = SystemSpelling(request.name, settings.system_dirs, &library);
    }
    if (target == files_.size() && found.empty() && !library) {
      look_in(LocalCandidates(request, includer_dir, settings.include_dirs, style));
    }
    if (target == files_.size() && found.empty()) {
      // A header named with the vendor folder the Windows tools keep it in
      // ("STC/STC8H.H"), where no folder has that path: the include
      // folders' header of its own name, as theirs is the folder meant.
      const size_t slash = request.name.find_last_of("/\\");
      if (slash != std::string::npos && slash + 1 < request.name.size()) {
        const sim::IncludeRequest plain{sim::IncludeRequest::kAngle,
                                        request.name.substr(slash + 1)};
        look_in(sim::IncludeCandidates(plain, includer_dir, settings.include_dirs, style));
      }
    }
    if (target == files_.size() && found.empty() && settings.dialect == sim::Dialect::kC) {
      // One part's header the project does not ship: the family's.
      const std::string family = FamilyHeader(request.name);
      sim::IncludeRequest instead = request;
      instead.name = family;
      for (const std::string& candidate :
           family.empty()
               ? std::vector<std::string>()
               : sim::IncludeCandidates(instead, includer_dir, settings.include_dirs, style)) {
        native = NativePath(sim::MakeAbsolute(candidate, settings.cwd, style));
        auto known = by_native.find(native);
        if (known != by_native.end()) {
          target = known->second;
        } else if (sim::ReadFile(candidate, &header_text) == sim::ReadResult::kOkay) {
          found = candidate;
        } else {
          continue;
        }
        family_stand_ins_.push_back(
            MissingInclude{request.name, files_[top.file].found, top.line, family});
        break;
      }
    }
    if (target == files_.size() && found.empty()) {
      if (!system_spelling.empty() && system_spelling != request.name) {
        top.copy.append(top.text, top.copied, start - top.copied);
        if (starts_in_comment) top.copy += "*/ ";
        top.copy += "#include <" + system_spelling + ">";
        if (top.in_block) top.copy += " /*";
        if (carriage_return) top.copy += '\r';
        top.copied = end;
        top.rewritten = true;
        continue;
      }
      if (missing_.name.empty()) {
        missing_ = MissingInclude{request.name, files_[top.file].found, top.line,
                                  std::string(sim::Trim(line))};
      }
      continue;
    }
    const std::string stand_in =
        target < files_.size() ? files_[target].stand_in : stand_in_of(target, found);
    // The line keeps its place; a block comment around the include stays
    // open before it and after it as it was.
    top.copy.append(top.text, top.copied, start - top.copied);
    if (settings.dialect == sim::Dialect::kC) {
      if (starts_in_comment) top.copy += "*/ ";
      top.copy += "#include \"" + stand_in + "\"";
      if (top.in_block) top.copy += " /*";
    } else {
      top.copy += ".include \"" + stand_in + "\"";
    }
    if (carriage_return) top.copy += '\r';
    top.copied = end;
    top.rewritten = true;
    if (target == files_.size()) add(found, native, std::move(header_text));  // `top` ends here
  }
  return true;
}

std::string IncludeMirror::NameOf(std::string_view printed) const {
  auto it = by_stand_in_.find(std::string(printed));
  // The programs' output reaches us in our text; the stand-ins were made
  // in the system's.
  if (it == by_stand_in_.end()) it = by_stand_in_.find(LocalToSystemText(printed));
  return it != by_stand_in_.end() ? files_[it->second].found : std::string(printed);
}

std::vector<std::string> IncludeMirror::Headers() const {
  std::vector<std::string> headers;
  for (size_t i = 1; i < files_.size(); ++i) headers.push_back(files_[i].found);
  return headers;
}

void IncludeMirror::RestoreNames(std::string* text) const {
  for (const File& file : files_) ReplaceAll(file.stand_in, sim::AbsolutePath(file.found), text);
}

}  // namespace c51::sdcc
