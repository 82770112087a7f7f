// A declaration "void delay();" says nothing of the parameters. The
// original compiler takes it as it stands and every call passes what it
// passes; sdcc reads "()" as "(void)" and refuses the calls. The function's
// definition usually sits in a .c file beside the header that declares it
// (Hardware\delay.h, Hardware\delay.c) or beside the source: its parameter
// list is what the declaration meant. A call with no declaration at all
// takes the definition's result type and parameters the same way.
#ifndef C51_TOOLS_SDCC_COMPILE_SIBLING_DEFINITIONS_H_
#define C51_TOOLS_SDCC_COMPILE_SIBLING_DEFINITIONS_H_

#include <string>
#include <string_view>

namespace c51::sdcc {

// Which definition of a name is wanted.
struct DefinitionWanted {
  bool any_case = false;   // "Key_Scan" for "key_scan": the original linker ignores case
  bool parameters = true;  // only one with parameters (not "()" or "(void)")
};

// A function's definition, in sdcc's words.
struct FunctionDefinition {
  std::string result;      // the words before the name: "static unsigned char __code *"
  std::string params;      // "unsigned char __xdata *p, __bit b", "void", or empty
  bool reentrant = false;  // "reentrant" after the parameters
  std::string file;        // where it was found (FindSiblingDefinition)
};

// The first file-scope definition of `name` that `wanted` describes in the
// C files of `folder` (a text of ours; ".c" in any letter case, by name
// order). `skip` (a file of that folder) is not read. False when no file
// there defines it so.
bool FindSiblingDefinition(const std::string& folder, std::string_view name,
                           const DefinitionWanted& wanted, const std::string& skip,
                           FunctionDefinition* found);

// The same in the C text `text` (comments and all, as written); `file` is
// left as it is.
bool FindDefinitionIn(std::string_view text, std::string_view name, const DefinitionWanted& wanted,
                      FunctionDefinition* found);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_SIBLING_DEFINITIONS_H_
