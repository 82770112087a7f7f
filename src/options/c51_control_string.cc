#include "options/c51_control_string.h"

#include <cstdint>
#include <string_view>

#include "options/option_text.h"
#include "project/key_names.h"
#include "project/node.h"
#include "project/scope_walk.h"
#include "project/scopes.h"
#include "support/path_text.h"

namespace c51 {

namespace {

// Everything one control string is made of, in the form both variants
// share.
struct C51Pieces {
  C51Options options;
  int mem_mode = 0;
  int code_mode = 2;
  int t51_flags = 0;
  std::string_view cpu;
  std::string_view define;    // joined define texts
  std::string_view undefine;  // the symbol to leave out
  std::string_view include;   // joined include texts
  std::string_view misc;      // joined misc texts
  uint32_t vector_address = 0;
  std::string regfile;  // inside "REGFILE ( ... )"
  ListingSwitches listing{};
  std::string print;         // inside "PRINT( ... )"; empty: no PRINT
  std::string object_piece;  // the display's SRC/OBJECT piece, complete
  std::string preprint;      // inside "PREPRINT( ... )"
};

const char* MemoryModel(int mem_mode) {
  if (mem_mode == 1) return "COMPACT ";
  if (mem_mode == 2) return "LARGE ";
  return "";
}

const char* CodeModel(int code_mode) {
  if (code_mode == 0) return "ROM (SMALL) ";
  if (code_mode == 1) return "ROM (COMPACT) ";
  return "";
}

std::string ComposeC51(const C51Pieces& p) {
  const C51Options& o = p.options;
  std::string text;
  text.reserve(256);
  text += MemoryModel(p.mem_mode);
  text += CodeModel(p.code_mode);
  if ((p.t51_flags & kT51MultipleDptr) != 0) {
    text += p.cpu.find("MODP2") != std::string_view::npos ? "MODP2 " : "MODDP2 ";
  }
  if (o.warningLevel != 2) text += "WARNINGLEVEL (" + FormatInt(o.warningLevel) + ") ";
  if (o.optimizeLevel != 8 || o.emphasis != 1) {
    text += "OPTIMIZE (" + FormatInt(o.optimizeLevel) + (o.emphasis == 0 ? ",SIZE) " : ",SPEED) ");
  }
  std::string include = IncludeList(p.include);
  if (!include.empty()) text += "INCDIR (" + include + ") ";
  if (o.floatFuzzy != 3) text += "FLOATFUZZY (" + FormatInt(o.floatFuzzy) + ") ";
  std::string_view misc = TrimBlanks(p.misc);
  if (!misc.empty()) {
    text += misc;
    text += ' ';
  }
  std::string defines = SymbolList(p.define, p.undefine);
  if (!defines.empty()) text += "DEFINE (" + defines + ") ";
  if (o.regFile == 1) text += "REGFILE (" + p.regfile + ") ";
  if (o.keepOrder == 1) text += "ORDER ";
  if (o.intPromote == 0) text += "NOINTPROMOTE ";
  if (o.noAbsRegs == 1) text += "NOAREGS ";
  if (o.intVector == 0) {
    text += "NOINTVECTOR ";
  } else if (o.intVector == 1 && p.vector_address != 0) {
    text += "INTVECTOR(0x" + FormatHex4(p.vector_address) + ") ";
  }
  text += "DEBUG OBJECTEXTEND ";
  if (p.listing[kLstCompiler] == 0) {
    text += "NOPRINT ";
  } else {
    if (p.listing[kLstCompilerConditional] == 0) text += "NOCOND ";
    if (p.listing[kLstCompilerSymbols] != 0) text += "SYMBOLS ";
    if (p.listing[kLstCompilerIncludes] != 0) text += "LISTINCLUDE ";
    if (p.listing[kLstCompilerAssembly] != 0) text += "CODE ";
    if (!p.print.empty()) text += "PRINT(" + p.print + ") ";
  }
  text += p.object_piece;
  if (p.listing[kLstPreprocessor] != 0) text += "PREPRINT(" + p.preprint + ") ";
  return text;
}

int ReadInt(const ProjectNode* node, const char* key, int fallback) {
  int value = 0;
  return GetAttributeInt(node, key, &value) != nullptr ? value : fallback;
}

void AppendAttribute(const ProjectNode* node, const char* key, std::string* out) {
  if (const char* text = GetAttributeText(node, key)) *out += text;
}

// Appends " " + define, ";" + include, " " + misc of a group's or the
// project's tool node, straight from the tree.
void AppendScopeTexts(const ProjectNode* tool, ResolvedC51Options* out) {
  out->define += ' ';
  AppendAttribute(tool, keys::kC51Define, &out->define);
  out->include += ';';
  AppendAttribute(tool, keys::kC51Include, &out->include);
  out->misc += ' ';
  AppendAttribute(tool, keys::kC51Misc, &out->misc);
}

}  // namespace

bool ResolveC51Options(const ProjectNode* file, ConfigurationRef* ref, ResolvedC51Options* out) {
  *out = ResolvedC51Options();
  const ProjectNode* project_tool = FindToolNode(FindCurrentConfiguration(ref), keys::kC51Tool);
  const C51Record own = ReadC51Record(
      FindToolNode(FindFileConfiguration(file, ref), keys::kC51Tool), OptionScope::kFile);

  out->options = DecodeC51Flags(own.flags, OptionScope::kFile);
  out->define = own.define;
  out->include = own.include;
  out->misc = own.misc;
  out->undefine = own.undefine;
  ForEachGroupScope(file, ref, [&](const ProjectNode* group) {
    const ProjectNode* group_tool = FindToolNode(group, keys::kC51Tool);
    if (group_tool == nullptr) return;
    AppendScopeTexts(group_tool, out);
    const int flags = ReadInt(group_tool, keys::kC51Flags, kC51InheritFlags);
    InheritC51Options(DecodeC51Flags(flags, OptionScope::kGroup), &out->options);
  });
  AppendScopeTexts(project_tool, out);
  InheritC51Options(ReadProjectC51Flags(ReadInt(project_tool, keys::kC51Flags, kC51ProjectFlags)),
                    &out->options);
  SettleC51Options(&out->options);
  out->vector_address = ReadInt(project_tool, keys::kC51VectorAddress, 0);
  return project_tool != nullptr;
}

std::string BuildC51ControlString(const ProjectNode* file, const BuildInputs& inputs) {
  const char* relative_path = GetAttributeText(file, keys::kRelativePath);
  if (relative_path == nullptr) return std::string();
  return BuildC51ControlString(file, inputs,
                               FileTitle(relative_path, PathBreak::kBackslashOrDrive));
}

std::string BuildC51ControlString(const ProjectNode* file, const BuildInputs& inputs,
                                  std::string_view title_text) {
  if (GetAttributeText(file, keys::kRelativePath) == nullptr) return std::string();
  ResolvedC51Options resolved;
  if (!ResolveC51Options(file, inputs.configuration, &resolved)) return std::string();
  const ProjectNode* config = FindCurrentConfiguration(inputs.configuration);
  const std::string cpu = DeviceCpuText(inputs.device);
  const std::string title(title_text);

  C51Pieces pieces;
  pieces.options = resolved.options;
  pieces.code_mode = ReadInt(config, keys::kCodeMode, 2);
  pieces.mem_mode = ReadInt(config, keys::kMemMode, 0);
  pieces.t51_flags = ReadInt(config, keys::kTargetFlags, 0);
  pieces.cpu = cpu;
  pieces.define = resolved.define;
  pieces.undefine = resolved.undefine;
  pieces.include = resolved.include;
  pieces.misc = resolved.misc;
  pieces.vector_address = static_cast<uint32_t>(resolved.vector_address);
  pieces.regfile = inputs.object_dir + inputs.output_name + ".ORG";
  pieces.listing = inputs.listing;
  if (!inputs.listing_dir.empty()) pieces.print = inputs.listing_dir + title + ".lst";
  pieces.preprint = inputs.listing_dir + title + ".i";
  return ComposeC51(pieces);
}

std::string BuildC51DisplayString(const C51PageValues& page, const C51Inherited& inherited,
                                  const DisplayInputs& inputs) {
  const bool project_scope = inputs.scope == OptionScope::kProject;
  C51Pieces pieces;
  pieces.options = page.options;
  std::string define = page.define;
  std::string include = page.include;
  std::string misc = page.misc;
  if (!project_scope) {
    InheritC51Options(DecodeC51Flags(inherited.group_flags, OptionScope::kGroup), &pieces.options);
    InheritC51Options(ReadProjectC51Flags(inherited.project_flags), &pieces.options);
    // Shown outermost first, unlike the build, which starts at the file.
    define = inherited.project_define + " " + inherited.group_define + " " + page.define;
    include = inherited.project_include + ";" + inherited.group_include + ";" + page.include;
    misc = inherited.project_misc + " " + inherited.group_misc + " " + page.misc;
  }
  SettleC51Options(&pieces.options);
  pieces.code_mode = inputs.target.code_mode;
  pieces.mem_mode = inputs.target.mem_mode;
  pieces.t51_flags = inputs.target.t51_flags;
  pieces.cpu = inputs.cpu;
  pieces.define = define;
  pieces.undefine = page.undefine;
  pieces.include = include;
  pieces.misc = misc;
  pieces.vector_address = static_cast<uint32_t>(ParseAutoBase(page.vector_address));
  pieces.regfile = inputs.object_dir_absolute + inputs.output_name + ".ORG";
  pieces.listing = inputs.listing;
  if (inputs.listing_dir != ".\\") pieces.print = inputs.listing_dir + "*.lst";
  pieces.preprint = inputs.listing_dir + "*.i";
  if (!project_scope) {
    const bool generates_asm = page.gen_asm == 1 || (page.gen_asm == 2 && inherited.gen_asm == 1);
    if (generates_asm) {
      pieces.object_piece = "SRC(" + inputs.object_dir + "*.src) ";
    } else if (inputs.object_dir != ".\\") {
      pieces.object_piece = "OBJECT(" + inputs.object_dir + "*.obj) ";
    }
  }
  return ComposeC51(pieces);
}

}  // namespace c51
