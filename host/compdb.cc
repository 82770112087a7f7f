#include "host/compdb.h"

#include <cstdio>

#include "build/translation.h"
#include "host/host_platform.h"
#include "host/project_model.h"
#include "host/text_encoding.h"
#include "options/c51_control_string.h"
#include "options/option_text.h"
#include "platform/ascii_case.h"
#include "platform/path.h"
#include "project/scopes.h"
#include "support/split_text.h"

namespace c51::host {
namespace {

bool Contains(const std::vector<std::string>& list, const std::string& item) {
  for (const std::string& each : list)
    if (each == item) return true;
  return false;
}

}  // namespace

std::vector<std::string> DefineSymbols(const std::string& define, const std::string& undefine) {
  const std::string_view dropped = TrimBlanks(undefine);
  std::vector<std::string> symbols;
  for (const std::string& symbol : SplitAtSeparators(define, " \t,"))
    if (dropped.empty() || !EqualsIgnoringCase(symbol, dropped)) symbols.push_back(symbol);
  return symbols;
}

std::vector<std::string> IncludeFolders(const std::string& include) {
  std::vector<std::string> folders;
  for (const std::string& piece : SplitAtSeparators(include, ";")) {
    std::string folder(TrimBlanks(piece));
    if (!folder.empty()) folders.push_back(folder);
  }
  return folders;
}

// A path of ours as the file system names it, in UTF-8: on POSIX the name on
// disk in its real letter case, so that the editor finds the file.
std::string FileSystemName(const std::string& path) {
  return NativePathStyle() == PathStyle::kPosix ? NativePath(path) : NativeTextToUtf8(path);
}

std::vector<CompileEntry> CompileEntries(ProjectNode* root, const std::string& config,
                                         const std::string& project_folder,
                                         const std::vector<std::string>& extra_includes,
                                         const std::string& header_path) {
  std::vector<CompileEntry> entries;
  ConfigurationRef ref{root, config};
  const std::string directory = FileSystemName(project_folder);
  for (ProjectNode* file : ProjectFiles(root)) {
    std::string source = AbsoluteFilePath(file, project_folder);
    if (source.empty() || KindOfFile(source) != FileKind::kCSource) continue;
    ResolvedC51Options resolved;
    ResolveC51Options(file, &ref, &resolved);

    CompileEntry entry;
    entry.directory = directory;
    entry.file = FileSystemName(source);
    entry.arguments = {"clang", "-xc"};
    for (const std::string& symbol : DefineSymbols(resolved.define, resolved.undefine))
      entry.arguments.push_back("-D" + NativeTextToUtf8(symbol));
    std::vector<std::string> folders;
    for (const std::string& folder : IncludeFolders(resolved.include))
      folders.push_back(LexicalFullPath(folder, project_folder, NativePathStyle()));
    for (const std::string& folder : extra_includes)
      if (!folder.empty())
        folders.push_back(LexicalFullPath(folder, project_folder, NativePathStyle()));
    std::vector<std::string> seen;
    for (std::string& folder : folders) {
      // "C:\inc\" and "C:\inc" are one folder; the shorter form reads better.
      while (folder.size() > 3 && IsPathSeparator(folder.back())) folder.pop_back();
      if (Contains(seen, folder)) continue;
      seen.push_back(folder);
      entry.arguments.push_back("-I" + FileSystemName(folder));
    }
    entry.arguments.push_back("-include");
    entry.arguments.push_back(FileSystemName(header_path));
    entry.arguments.push_back(entry.file);
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    unsigned char u = static_cast<unsigned char>(c);
    if (u >= 0x80) {
      // The file must stay valid UTF-8 whatever a name holds: a byte that
      // starts no character becomes U+FFFD.
      size_t next = i;
      char32_t ignored;
      if (!DecodeUtf8(text, &next, &ignored)) {
        out += "\\ufffd";
      } else {
        out.append(text, i, next - i);
        i = next - 1;
      }
    } else if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", u);
      out += escape;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string CompileCommandsJson(const std::vector<CompileEntry>& entries) {
  std::string out = "[";
  for (size_t i = 0; i < entries.size(); ++i) {
    const CompileEntry& e = entries[i];
    out += i ? ",\n  {\n" : "\n  {\n";
    out += "    \"directory\": " + JsonString(e.directory) + ",\n";
    out += "    \"file\": " + JsonString(e.file) + ",\n";
    out += "    \"arguments\": [";
    for (size_t k = 0; k < e.arguments.size(); ++k)
      out += (k ? ", " : "") + JsonString(e.arguments[k]);
    out += "]\n  }";
  }
  out += entries.empty() ? "]\n" : "\n]\n";
  return out;
}

std::string KeywordHeader() {
  return R"(/* C51 language extensions as plain C, so that clangd can parse C51
 * sources. Written by "corvane-c51 compdb" and rewritten on every run; it
 * is not for compiling.
 *
 * Not parsed even so:
 *  - "interrupt n", "using n", "_task_ n" and "_priority_ n" after a
 *    function's parameters: the number cannot be absorbed, so the function
 *    is only declared and its body is skipped (one error at the number;
 *    the rest of the file parses);
 *  - "sbit name = sfr ^ bit" with a named SFR: C wants a constant
 *    initializer at file scope (a numeric address, "sbit x = 0x90;",
 *    parses);
 *  - "_at_" with an initialized object.
 */
#ifndef CORVANE_C51_KEYWORDS_H_
#define CORVANE_C51_KEYWORDS_H_

#define __C51__ 1

/* Memory types, memory models and reentrancy mean nothing to a parser. */
#define data
#define idata
#define xdata
#define pdata
#define bdata
#define code
#define far
#define small
#define compact
#define large
#define reentrant
#define alien

/* Bit and special function register types. */
#define bit _Bool
#define sbit volatile _Bool
#define sfr volatile unsigned char
#define sfr16 volatile unsigned short
#define sfr32 volatile unsigned long

/* "x _at_ 0x8000" adds a second declarator, a pointer set to the address,
 * so objects of any type, arrays included, parse. */
#define CORVANE_C51_AT_NAME_(n) corvane_c51_at_##n
#define CORVANE_C51_AT_NAME(n) CORVANE_C51_AT_NAME_(n)
#define _at_ , *CORVANE_C51_AT_NAME(__COUNTER__) = (void *)

/* Ends the declaration before the number; see above. */
#define interrupt ;
#define using ;
#define _task_ ;
#define _priority_ ;

#endif /* CORVANE_C51_KEYWORDS_H_ */
)";
}

}  // namespace c51::host
