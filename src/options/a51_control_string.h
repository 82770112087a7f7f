// The assembler's control strings: one file's, the settings page's, and
// the fixed one for assembling a C file's generated assembly source.
#ifndef C51_OPTIONS_A51_CONTROL_STRING_H_
#define C51_OPTIONS_A51_CONTROL_STRING_H_

#include <string>
#include <string_view>

#include "options/a51_options.h"
#include "options/option_inputs.h"

namespace c51 {

struct ConfigurationRef;
struct ProjectNode;

// One file's effective assembler options.
struct ResolvedA51Options {
  A51Options options;  // settled: no switch at inherit
  // Joined from the file outward: file, nearest group, outer groups,
  // project; " " between set and misc texts, ";" between include texts.
  std::string set;
  std::string misc;
  std::string include;
  std::string reset;  // the file's own "A51RST" alone
};

// As ResolveC51Options, over the "A51Tool" nodes. False when the current
// configuration has no "A51Tool".
bool ResolveA51Options(const ProjectNode* file, ConfigurationRef* ref, ResolvedA51Options* out);

// The directives for assembling `file`, e.g.
//   "SET (SMALL) DEBUG NOPRINT OBJECT(.\Debug\start.obj) EP "
// Empty when the project has no "A51Tool" or the file no "RelativePath".
std::string BuildA51ControlString(const ProjectNode* file, const BuildInputs& inputs);
// The same with `title` in place of the file's name without folder and
// extension wherever the string names a file after it.
std::string BuildA51ControlString(const ProjectNode* file, const BuildInputs& inputs,
                                  std::string_view title);

// For a C file compiled to assembly source and then assembled; the
// project's assembler options are not read:
//   0 => "SET (SMALL) DEBUG EP";  2 => "SET (LARGE) DEBUG EP";  7 => " DEBUG EP"
std::string BuildGeneratedAsmControlString(int mem_mode);
// The same with the current configuration's "MemMode" (0 when missing).
std::string BuildGeneratedAsmControlString(ConfigurationRef* ref);

// What the assembler page holds for its own scope.
struct A51PageValues {
  A51Options options;  // check states (2 = inherit)
  std::string set;
  std::string reset;
  std::string misc;
  std::string include;
};

// What a group or file scope inherits from the scopes around it.
struct A51Inherited {
  int group_flags = kA51InheritFlags;  // the enclosing groups' first non-inherit "A51FL"
  int project_flags = kA51ProjectFlags;
  std::string project_set;
  std::string project_include;
  std::string project_misc;
  std::string group_set;
  std::string group_include;
  std::string group_misc;
};

// The page's box: the build's grammar over the page's values, with
// wildcards in place of the file title; no object piece at project scope.
std::string BuildA51DisplayString(const A51PageValues& page, const A51Inherited& inherited,
                                  const DisplayInputs& inputs);

}  // namespace c51

#endif  // C51_OPTIONS_A51_CONTROL_STRING_H_
