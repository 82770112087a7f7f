#include "options/a51_control_string.h"

#include <string_view>

#include "options/option_text.h"
#include "project/key_names.h"
#include "project/node.h"
#include "project/scope_walk.h"
#include "project/scopes.h"
#include "support/path_text.h"

namespace c51 {

namespace {

struct A51Pieces {
  A51Options options;
  int mem_mode = 0;
  std::string_view set;    // joined set texts
  std::string_view reset;  // the symbol to leave out
  std::string_view include;
  std::string_view misc;
  ListingSwitches listing{};
  std::string print;         // inside "PRINT( ... )"; empty: no PRINT
  std::string object_piece;  // complete, or empty
};

// The assembler has no model word for other values; they assemble as the
// small model, which is what the compiler makes of them too.
const char* ModelWord(int mem_mode) {
  if (mem_mode == 1) return "COMPACT";
  if (mem_mode == 2) return "LARGE";
  return "SMALL";
}

std::string MacroPiece(const A51Options& options, int expansion) {
  if (options.useMpl == 1) {
    if (expansion == 1) return "MPL GENONLY ";
    if (expansion == 2) return "MPL GEN ";
    return "MPL ";
  }
  if (options.useStandardMacros == 1) {
    if (expansion == 1) return "GENONLY ";
    if (expansion == 2) return "GEN ";
    return "";
  }
  return "NOMACRO ";
}

std::string ComposeA51(const A51Pieces& p) {
  std::string text;
  text.reserve(192);
  text += MacroPiece(p.options, p.listing[kLstAssemblerMacros]);
  if (p.options.defineSfrNames == 0) text += "NOMOD51 ";
  std::string symbols = SymbolList(p.set, p.reset);
  text += "SET (";
  text += ModelWord(p.mem_mode);
  if (!symbols.empty()) text += "," + symbols;
  text += ") DEBUG ";
  std::string include = IncludeList(p.include);
  if (!include.empty()) text += "INCDIR (" + include + ") ";
  std::string_view misc = TrimBlanks(p.misc);
  if (!misc.empty()) {
    text += misc;
    text += ' ';
  }
  if (p.listing[kLstAssembler] == 0) {
    text += "NOPRINT ";
  } else {
    if (p.listing[kLstAssemblerConditional] == 0) text += "NOCOND ";
    if (p.listing[kLstAssemblerSymbols] == 0) text += "NOSYMBOLS ";
    if (p.listing[kLstAssemblerXref] != 0) text += "XREF ";
    if (!p.print.empty()) text += "PRINT(" + p.print + ") ";
  }
  text += p.object_piece;
  text += "EP ";
  return text;
}

void AppendAttribute(const ProjectNode* node, const char* key, std::string* out) {
  if (const char* text = GetAttributeText(node, key)) *out += text;
}

// Appends " " + set, ";" + include, " " + misc of a group's or the
// project's tool node, straight from the tree.
void AppendScopeTexts(const ProjectNode* tool, ResolvedA51Options* out) {
  out->set += ' ';
  AppendAttribute(tool, keys::kA51Set, &out->set);
  out->include += ';';
  AppendAttribute(tool, keys::kA51Include, &out->include);
  out->misc += ' ';
  AppendAttribute(tool, keys::kA51Misc, &out->misc);
}

int ReadFlags(const ProjectNode* tool, int fallback) {
  int value = 0;
  return GetAttributeInt(tool, keys::kA51Flags, &value) != nullptr ? value : fallback;
}

int MemMode(ConfigurationRef* ref) {
  int value = 0;
  GetAttributeInt(FindCurrentConfiguration(ref), keys::kMemMode, &value);
  return value;
}

}  // namespace

bool ResolveA51Options(const ProjectNode* file, ConfigurationRef* ref, ResolvedA51Options* out) {
  *out = ResolvedA51Options();
  const ProjectNode* project_tool = FindToolNode(FindCurrentConfiguration(ref), keys::kA51Tool);
  const A51Record own = ReadA51Record(
      FindToolNode(FindFileConfiguration(file, ref), keys::kA51Tool), OptionScope::kFile);

  out->options = DecodeA51Flags(own.flags, OptionScope::kFile);
  out->set = own.set;
  out->include = own.include;
  out->misc = own.misc;
  out->reset = own.reset;
  ForEachGroupScope(file, ref, [&](const ProjectNode* group) {
    const ProjectNode* group_tool = FindToolNode(group, keys::kA51Tool);
    if (group_tool == nullptr) return;
    AppendScopeTexts(group_tool, out);
    InheritA51Options(DecodeA51Flags(ReadFlags(group_tool, kA51InheritFlags), OptionScope::kGroup),
                      &out->options);
  });
  AppendScopeTexts(project_tool, out);
  InheritA51Options(
      DecodeA51Flags(ReadFlags(project_tool, kA51ProjectFlags), OptionScope::kProject),
      &out->options);
  SettleA51Options(&out->options);
  return project_tool != nullptr;
}

std::string BuildA51ControlString(const ProjectNode* file, const BuildInputs& inputs) {
  const char* relative_path = GetAttributeText(file, keys::kRelativePath);
  if (relative_path == nullptr) return std::string();
  return BuildA51ControlString(file, inputs,
                               FileTitle(relative_path, PathBreak::kBackslashOrDrive));
}

std::string BuildA51ControlString(const ProjectNode* file, const BuildInputs& inputs,
                                  std::string_view title_text) {
  if (GetAttributeText(file, keys::kRelativePath) == nullptr) return std::string();
  ResolvedA51Options resolved;
  if (!ResolveA51Options(file, inputs.configuration, &resolved)) return std::string();
  const std::string title(title_text);

  A51Pieces pieces;
  pieces.options = resolved.options;
  pieces.mem_mode = MemMode(inputs.configuration);
  pieces.set = resolved.set;
  pieces.reset = resolved.reset;
  pieces.include = resolved.include;
  pieces.misc = resolved.misc;
  pieces.listing = inputs.listing;
  if (!inputs.listing_dir.empty()) pieces.print = inputs.listing_dir + title + ".lst";
  if (!inputs.object_dir.empty()) {
    pieces.object_piece = "OBJECT(" + inputs.object_dir + title + ".obj) ";
  }
  return ComposeA51(pieces);
}

std::string BuildGeneratedAsmControlString(int mem_mode) {
  switch (mem_mode) {
    case 0:
      return "SET (SMALL) DEBUG EP";
    case 1:
      return "SET (COMPACT) DEBUG EP";
    case 2:
      return "SET (LARGE) DEBUG EP";
    default:
      return " DEBUG EP";
  }
}

std::string BuildGeneratedAsmControlString(ConfigurationRef* ref) {
  return BuildGeneratedAsmControlString(MemMode(ref));
}

std::string BuildA51DisplayString(const A51PageValues& page, const A51Inherited& inherited,
                                  const DisplayInputs& inputs) {
  const bool project_scope = inputs.scope == OptionScope::kProject;
  A51Pieces pieces;
  pieces.options = page.options;
  std::string set = page.set;
  std::string include = page.include;
  std::string misc = page.misc;
  if (!project_scope) {
    InheritA51Options(DecodeA51Flags(inherited.group_flags, OptionScope::kGroup), &pieces.options);
    InheritA51Options(DecodeA51Flags(inherited.project_flags, OptionScope::kProject),
                      &pieces.options);
    // Shown outermost first, unlike the build, which starts at the file.
    set = inherited.project_set + " " + inherited.group_set + " " + page.set;
    include = inherited.project_include + ";" + inherited.group_include + ";" + page.include;
    misc = inherited.project_misc + " " + inherited.group_misc + " " + page.misc;
    if (inputs.object_dir != ".\\") pieces.object_piece = "OBJECT(" + inputs.object_dir + "*.obj) ";
  }
  SettleA51Options(&pieces.options);
  pieces.mem_mode = inputs.target.mem_mode;
  pieces.set = set;
  pieces.reset = page.reset;
  pieces.include = include;
  pieces.misc = misc;
  pieces.listing = inputs.listing;
  if (inputs.listing_dir != ".\\") pieces.print = inputs.listing_dir + "*.lst";
  return ComposeA51(pieces);
}

}  // namespace c51
