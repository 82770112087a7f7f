// The compiler's control string: one file's effective options resolved
// through its scopes, and the directive text built from them, for the
// build and for the settings page's read-only box.
#ifndef C51_OPTIONS_C51_CONTROL_STRING_H_
#define C51_OPTIONS_C51_CONTROL_STRING_H_

#include <string>
#include <string_view>

#include "options/c51_options.h"
#include "options/option_inputs.h"

namespace c51 {

struct ConfigurationRef;
struct ProjectNode;

// One file's effective compiler options.
struct ResolvedC51Options {
  C51Options options;      // settled: no field holds an inherit value
  int vector_address = 0;  // the project's "C51VA"
  // Joined from the file outward: file, nearest group, outer groups,
  // project; " " between define and misc texts, ";" between include texts.
  std::string define;
  std::string misc;
  std::string include;
  std::string undefine;  // the file's own "C51UDF" alone
};

// Resolves the file's options: its own "C51Tool", then each enclosing
// group's from the nearest outward, then the project's fill the fields
// still at inherit. Only the file's ancestors are visited. False when the
// current configuration has no "C51Tool" (`out` is resolved against the
// project defaults then).
bool ResolveC51Options(const ProjectNode* file, ConfigurationRef* ref, ResolvedC51Options* out);

// The directives for compiling `file`, each ending in a blank, e.g.
//   "ROM (SMALL) DEBUG OBJECTEXTEND PRINT(.\Debug\main.lst) "
// Empty when the project has no "C51Tool" or the file no "RelativePath".
// The object and source-output directives are the caller's.
std::string BuildC51ControlString(const ProjectNode* file, const BuildInputs& inputs);
// The same with `title` in place of the file's name without folder and
// extension wherever the string names a file after it.
std::string BuildC51ControlString(const ProjectNode* file, const BuildInputs& inputs,
                                  std::string_view title);

// What the compiler page holds for its own scope.
struct C51PageValues {
  C51Options options;  // list indexes and check states (2 = inherit)
  std::string define;
  std::string undefine;
  std::string misc;
  std::string include;
  std::string vector_address;  // the address edit's text, e.g. "0x8000"
  int gen_asm = 2;             // the scope's "GenAsm" (group and file scope)
};

// What a group or file scope inherits from the scopes around it.
struct C51Inherited {
  int group_flags = kC51InheritFlags;  // the enclosing groups' first non-inherit "C51FL"
  int project_flags = kC51ProjectFlags;
  int gen_asm = 2;  // the enclosing groups' first "GenAsm" other than 2
  std::string project_define;
  std::string project_include;
  std::string project_misc;
  std::string group_define;
  std::string group_include;
  std::string group_misc;
};

// The page's box: the build's grammar over the page's values, with
// wildcards in place of the file title and the scope's output directive.
std::string BuildC51DisplayString(const C51PageValues& page, const C51Inherited& inherited,
                                  const DisplayInputs& inputs);

}  // namespace c51

#endif  // C51_OPTIONS_C51_CONTROL_STRING_H_
