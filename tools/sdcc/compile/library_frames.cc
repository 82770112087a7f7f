#include "sdcc/compile/library_frames.h"

#include <algorithm>
#include <functional>

#include "platform/codepage.h"
#include "sdcc/cache_folder.h"
#include "sdcc/compile/frame_records.h"
#include "sdcc/compile/static_locals.h"
#include "sdcc/run_program.h"
#include "sdcc/temp_folder.h"
#include "sim/controls.h"
#include "sim/files.h"

namespace c51::sdcc {

namespace {

// Modules built together, when the program names one of `wanted` (the
// plain names count: the linker maps sin to sinf).
struct FramedGroup {
  std::vector<const char*> sources;  // the engine first: the others call it
  std::vector<const char*> wanted;
  bool formats = false;        // printf's engine: floats on request
  bool outside_small = false;  // only for the compact and large models
};

const std::vector<FramedGroup>& Groups() {
  static const std::vector<FramedGroup> groups = {
      {{"printf_large", "sprintf", "vprintf"},
       {"_printf", "_sprintf", "_vprintf", "_vsprintf", "__print_format"},
       true},
      // The engines with their callers, whose calls the graphs must see.
      {{"sincosf", "sinf", "cosf"}, {"_sin", "_cos", "_sinf", "_cosf", "_sincosf"}},
      {{"tancotf", "tanf", "cotf"}, {"_tan", "_tanf", "_cotf", "_tancotf"}},
      {{"asincosf", "asinf", "acosf"}, {"_asin", "_acos", "_asinf", "_acosf", "_asincosf"}},
      {{"sincoshf", "sinhf", "coshf"}, {"_sinh", "_cosh", "_sinhf", "_coshf", "_sincoshf"}},
      {{"atan2f"}, {"_atan2", "_atan2f"}},
      {{"_atof"}, {"_atof"}},
      // The string and memory functions: sdcc's keep their locals in an
      // overlay segment of their own, which needs up to 19 more bytes of
      // DATA in one piece (memcpy 11, memmove 19); as frames they share
      // the block with the rest.
      {{"__memcpy"}, {"___memcpy", "_memcpy"}},
      {{"_memmove"}, {"_memmove"}},
      {{"_memcmp"}, {"_memcmp"}},
      {{"_memchr"}, {"_memchr"}},
      {{"_strcpy"}, {"_strcpy"}},
      {{"_strncpy"}, {"_strncpy"}},
      {{"_strcmp"}, {"_strcmp"}},
      {{"_strncmp"}, {"_strncmp"}},
      {{"_strcat"}, {"_strcat"}},
      {{"_strncat"}, {"_strncat"}},
      {{"_strchr"}, {"_strchr"}},
      {{"_strrchr"}, {"_strrchr"}},
      {{"_strstr"}, {"_strstr"}},
      // The int and long arithmetic the compiler calls: outside the small
      // model sdcc's library keeps its operands in external RAM under names
      // of its own, which an interrupt routine dividing while main() divides
      // overwrites. As frames, the linker keeps them around the routine as
      // it keeps any function's both call. (The small model's share one
      // overlay segment, which the linker keeps as such.)
      {{"_divuint", "_divsint"}, {"__divuint", "__divsint"}, false, true},
      {{"_moduint", "_modsint"}, {"__moduint", "__modsint"}, false, true},
      {{"_mulint"}, {"__mulint"}, false, true},
      {{"_divulong", "_divslong"}, {"__divulong", "__divslong"}, false, true},
      {{"_modulong", "_modslong"}, {"__modulong", "__modslong"}, false, true},
      {{"_mullong"}, {"__mullong"}, false, true},
  };
  return groups;
}

std::string ParentOf(const std::string& folder) {
  std::string out = folder;
  while (!out.empty() && (out.back() == '/' || out.back() == '\\')) out.pop_back();
  const size_t cut = out.find_last_of("/\\");
  return cut == std::string::npos ? std::string() : out.substr(0, cut + 1);
}

bool Exists(const std::string& system_path) {
  std::string text;
  return sim::ReadFile(SystemToLocalText(system_path), &text) == sim::ReadResult::kOkay;
}

// Changes to sdcc's source, each applied where its anchor is found once
// (another sdcc's source may differ: the change is then left out).
enum class Locals { kEither, kOnStack, kInFrames };

struct SourcePatch {
  const char* source;
  const char* anchor;
  const char* text;                 // replaces the anchor
  bool small_only = false;          // for the small model, where DATA is short
  Locals locals = Locals::kEither;  // for the engine with its locals there only
};

constexpr SourcePatch kPatches[] = {
    // "%*d", "%.*f": width and precision from the arguments, as the
    // original library reads them (sdcc's prints "*" as text).
    {"printf_large", "      if (isdigit(c))\n",
     "      if (c=='*')\n"
     "      {\n"
     "        if (decimals==-1)\n"
     "        {\n"
     "          int w = va_arg(ap,int);\n"
     "          if (w < 0) { left_justify = 1; w = -w; }\n"
     "          width = w;\n"
     "        }\n"
     "        else\n"
     "          decimals = va_arg(ap,int);\n"
     "        goto get_conversion_spec;\n"
     "      }\n"
     "\n"
     "      if (isdigit(c))\n"},
    // In the small model, a float's digits go to external RAM, which many
    // parts do not have; internal RAM holds them, at most 8 before the
    // point and 12 after. And the float formatter's 25 bytes of locals go
    // on the stack rather than into DATA, where they would lie on top of
    // the engine's. (The other models keep their locals in external RAM.)
    {"printf_large",
     "              bool left, bool zero, bool sign, bool space)\n{\n"
     "  __xdata char fpBuffer[128];\n",
     "              bool left, bool zero, bool sign, bool space) __reentrant\n{\n"
     "  static __idata char fpBuffer[20];\n",
     true, Locals::kOnStack},
    {"printf_large",
     "              bool left, bool zero, bool sign, bool space)\n{\n"
     "  __xdata char fpBuffer[128];\n",
     "              bool left, bool zero, bool sign, bool space)\n{\n"
     "  static __idata char fpBuffer[20];\n",
     true, Locals::kInFrames},
    // The engine's own 30-odd bytes of locals go on the stack too, behind
    // the entry every caller knows (its digit buffer is on the stack then,
    // which is internal RAM as before). Costs about 600 bytes of code; a
    // program that fits its code and not its DATA is the common case.
    {"printf_large", "# define MEM_SPACE_BUF __idata\n", "# define MEM_SPACE_BUF\n", true,
     Locals::kOnStack},
    {"printf_large",
     "int\n_print_format (pfn_outputchar pfn, void* pvoid, const char *format, va_list ap)\n{\n",
     "static int print_format_on_stack (pfn_outputchar pfn, void* pvoid, const char *format, "
     "va_list ap) __reentrant;\n"
     "int\n_print_format (pfn_outputchar pfn, void* pvoid, const char *format, va_list ap)\n{\n"
     "  return print_format_on_stack (pfn, pvoid, format, ap);\n}\n"
     "static int\nprint_format_on_stack (pfn_outputchar pfn, void* pvoid, const char *format, "
     "va_list ap) __reentrant\n{\n",
     true, Locals::kOnStack},
    // "%e" and "%g" take their float as "%f" does (sdcc's engine printed the
    // letter and left the argument for the next conversion).
    {"printf_large", "      case 'F':\n        float_argument=1;\n",
     "      case 'E':\n      case 'G':\n      case 'F':\n        float_argument=1;\n"},
    // A byte argument (%bd, %bX, %bc, %c) is read from an int: the compiler
    // passes every char argument of a variadic call as an int, as sdcc
    // passes an uncast char, so a wrapper's format read by vsprintf finds
    // its arguments where the literal formats do.
    {"printf_large", "        if( char_argument )\n          c = va_arg(ap,char);\n",
     "        if( char_argument )\n          c = (char)va_arg(ap,int);\n"},
    {"printf_large", "          value.l = va_arg(ap, char);\n",
     "          value.l = (signed char)va_arg(ap, int);\n"},
    {"printf_large", "  if (reqDecimals==-1)\n    reqDecimals=DEFAULT_FLOAT_PRECISION;\n",
     "  if (reqDecimals==-1)\n    reqDecimals=DEFAULT_FLOAT_PRECISION;\n"
     "  if (reqDecimals>12)\n    reqDecimals=12;\n"},
};

std::string Patched(const std::string& name, bool small, bool on_stack, std::string text) {
  for (const SourcePatch& patch : kPatches) {
    if (name != patch.source || (patch.small_only && !small) ||
        (patch.locals == Locals::kOnStack && !on_stack) ||
        (patch.locals == Locals::kInFrames && on_stack)) {
      continue;
    }
    const size_t at = text.find(patch.anchor);
    if (at == std::string::npos || text.find(patch.anchor, at + 1) != std::string::npos) continue;
    text.replace(at, std::string_view(patch.anchor).size(), patch.text);
  }
  return text;
}

// One source compiled, its frames handed over, assembled. False when any
// step fails.
bool BuildModule(const std::string& sdcc, const std::string& sdas, const std::string& sources,
                 const std::string& name, const std::vector<std::string>& model_args, bool floats,
                 bool on_stack, const TempFolder& temp, RelModule* module) {
  // The source, with our changes, beside the outputs.
  std::string original, err;
  if (sim::ReadFile(SystemToLocalText(sources + name + ".c"), &original) !=
          sim::ReadResult::kOkay ||
      !sim::WriteFile(temp.path() + name + ".c",
                      Patched(name,
                              std::find(model_args.begin(), model_args.end(), "--model-small") !=
                                  model_args.end(),
                              on_stack, std::move(original)),
                      &err)) {
    return false;
  }
  const std::string source = temp.native() + name + ".c";
  std::vector<std::string> args = {"-mmcs51"};
  args.insert(args.end(), model_args.begin(), model_args.end());
  if (floats) args.push_back("-DUSE_FLOATS=1");
  // The text sdcc compiles, for the static locals: the sources define
  // functions differently under #ifdef.
  std::vector<std::string> preprocess = args;
  preprocess.insert(preprocess.end(), {"-E", source});
  std::string text;
  ProgramRun run = RunProgramKeepingOutput(sdcc, preprocess, &text);
  if (!run.started || run.exit_code != 0) return false;
  args.insert(args.end(), {"-S", source, "-o", temp.native() + name + ".asm"});
  run = RunProgram(sdcc, args);
  std::string assembly, edited;
  if (!run.started || run.exit_code != 0 ||
      sim::ReadFile(temp.path() + name + ".asm", &assembly) != sim::ReadResult::kOkay) {
    return false;
  }
  module->name = sim::ToUpper(name);
  module->source = name + ".c";
  module->tool = "C51";
  module->model = "SMALL";
  for (const std::string& a : model_args) {
    if (a == "--model-medium") module->model = "COMPACT";
    if (a == "--model-large") module->model = "LARGE";
  }
  ExternalizeFrames(assembly, FindFunctionLocals(text),
                    ModuleTag(std::string("sdcc library ") + name + (floats ? " floats" : "")),
                    &edited, module);
  if (!sim::WriteFile(temp.path() + name + "_f.asm", edited, &err)) return false;
  run = RunProgram(sdas,
                   {"-plosgffw", temp.native() + name + "_f.rel", temp.native() + name + "_f.asm"});
  return run.started && run.exit_code == 0 &&
         sim::ReadFile(temp.path() + name + "_f.rel", &module->rel) == sim::ReadResult::kOkay;
}

}  // namespace

std::string SdccLibrarySources(const std::string& sdcc) {
  const std::string bin = ParentOf(sdcc);
  if (bin.empty()) return std::string();
  const std::string root = ParentOf(bin);
  for (const std::string& folder : {root + "share/sdcc/lib/src/", root + "lib/src/"}) {
    if (Exists(folder + "printf_large.c")) return folder;
  }
  return std::string();
}

namespace {

// One group, from the cache or built now; empty when it cannot be built.
std::vector<RelModule> GroupModules(const FramedGroup& group, const std::string& sdcc,
                                    const std::string& sdas, const std::string& sources,
                                    const std::vector<std::string>& model_args, bool floats,
                                    bool on_stack) {
  // What the built modules depend on; a key that cannot be made is no cache.
  std::string key = "c51sdcc framed library 7\nsdcc " + FileIdentity(sdcc) + "\nsdas " +
                    FileIdentity(sdas) + (floats ? "\nfloats\n" : "\n") +
                    (on_stack ? "locals on the stack\n" : "locals in frames\n");
  bool keyed = true;
  for (const std::string& a : model_args) key += "option " + a + "\n";
  // Our changes to the sources count too: a changed patch builds anew.
  for (const SourcePatch& patch : kPatches) {
    key += std::to_string(std::string_view(patch.anchor).size()) + " " +
           std::to_string(std::hash<std::string_view>{}(patch.text)) + "\n";
  }
  for (const char* name : group.sources) {
    const std::string identity = FileIdentity(sources + name + ".c");
    keyed = keyed && !identity.empty();
    key += std::string(name) + " " + identity + "\n";
  }
  const std::string folder = keyed ? CacheFolder() : std::string();
  const std::string cache_name = HashedCacheName("sdcclib", key);
  std::vector<RelModule> modules;
  std::string contents, err;
  if (!folder.empty() && ReadCacheFile(folder, cache_name, &contents) &&
      contents.compare(0, key.size(), key) == 0 &&
      ParseRelModules(std::string_view(contents).substr(key.size()), &modules, &err) &&
      modules.size() == group.sources.size()) {
    return modules;
  }
  modules.clear();
  TempFolder temp;
  if (temp.path().empty()) return {};
  for (const char* name : group.sources) {
    RelModule module;
    if (!BuildModule(sdcc, sdas, sources, name, model_args, floats, on_stack, temp, &module)) {
      return {};
    }
    modules.push_back(std::move(module));
  }
  if (!folder.empty()) {
    contents = key + std::string(kRelLibraryHeader);
    for (const RelModule& m : modules) contents += FormatRelModule(m);
    WriteCacheFile(folder, cache_name, contents);
  }
  return modules;
}

}  // namespace

std::vector<std::string> SdccHeaderFolders(const std::string& sdcc) {
  std::vector<std::string> folders;
  const std::string bin = ParentOf(sdcc);
  if (bin.empty()) return folders;
  const std::string root = ParentOf(bin);
  for (const std::string& include : {root + "share/sdcc/include/", root + "include/"}) {
    for (const std::string& folder : {include + "mcs51/", include}) {
      folders.push_back(SystemToLocalText(folder));
    }
  }
  return folders;
}

std::vector<std::string> CalledBySdccLibrary(const std::set<std::string>& named) {
  std::vector<std::string> out;
  if (named.count("___assert") != 0) out.push_back("_printf");
  if (named.count("_asctime") != 0 || named.count("_ctime") != 0) out.push_back("_sprintf");
  return out;
}

std::vector<RelModule> FramedLibraryModules(const std::string& sdcc,
                                            const std::vector<std::string>& model_args, bool floats,
                                            const std::set<std::string>& named, bool on_stack) {
  if (std::find(model_args.begin(), model_args.end(), "--stack-auto") != model_args.end()) {
    return {};
  }
  const std::string sources = SdccLibrarySources(sdcc);
  const std::string sdas = FindSdccProgram("sdas8051");
  if (sources.empty() || sdas.empty()) return {};
  std::vector<RelModule> modules;
  const bool small =
      std::find(model_args.begin(), model_args.end(), "--model-medium") == model_args.end() &&
      std::find(model_args.begin(), model_args.end(), "--model-large") == model_args.end();
  for (const FramedGroup& group : Groups()) {
    if (group.outside_small && small) continue;
    if (std::none_of(group.wanted.begin(), group.wanted.end(),
                     [&](const char* w) { return named.count(w) != 0; })) {
      continue;
    }
    std::vector<RelModule> built = GroupModules(group, sdcc, sdas, sources, model_args,
                                                floats && group.formats, on_stack && group.formats);
    for (RelModule& m : built) modules.push_back(std::move(m));
  }
  return modules;
}

}  // namespace c51::sdcc
