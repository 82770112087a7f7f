// A declaration "void delay();" says nothing of the parameters. The
// original compiler takes it as it stands and every call passes what it
// passes; sdcc reads "()" as "(void)" and refuses the calls. The function's
// definition usually sits in a .c file beside the header that declares it
// (Hardware\delay.h, Hardware\delay.c) or beside the source: its parameter
// list is what the declaration meant.
#ifndef C51_TOOLS_SDCC_COMPILE_SIBLING_DEFINITIONS_H_
#define C51_TOOLS_SDCC_COMPILE_SIBLING_DEFINITIONS_H_

#include <string>
#include <string_view>

namespace c51::sdcc {

// The parameter list of the first file-scope definition of `name` with
// parameters in the C files of `folder` (a text of ours; ".c" in any letter
// case, by name order), in sdcc's words ("unsigned char __xdata *p, __bit
// b"), and the file it is in. `skip` (a file of that folder) is not read.
// False when no file there defines it so.
bool FindSiblingDefinition(const std::string& folder, std::string_view name,
                           const std::string& skip, std::string* params, std::string* file);

// The parameter list of the definition of `name` in the C text `text`
// (comments and all, as written); false when `text` has none with
// parameters.
bool FindDefinitionIn(std::string_view text, std::string_view name, std::string* params);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_SIBLING_DEFINITIONS_H_
