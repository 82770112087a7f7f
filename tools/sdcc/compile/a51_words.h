// The words of classic 8051 assembly the translator knows, upper case: the
// instructions, the directives, the words that make a line define a name,
// the controls that change nothing sdas8051 does, the registers, and the
// five address spaces with the sdas8051 areas each one maps to.
#ifndef C51_TOOLS_SDCC_COMPILE_A51_WORDS_H_
#define C51_TOOLS_SDCC_COMPILE_A51_WORDS_H_

#include <optional>
#include <string_view>

namespace c51::sdcc::a51 {

bool IsMnemonic(std::string_view upper);
// Directives that start a statement (supported or not): CSEG, DB, MACRO...
bool IsDirective(std::string_view upper);
// Words after a name that make the line define it: EQU, DATA, SEGMENT...
bool IsDefiner(std::string_view upper);
// Controls that only shape the listing or the object, or choose the
// predefined SFRs (sdas8051 always knows the 8051's; a header may redefine them).
bool IsQuietControl(std::string_view upper);
// A, AB, C, DPTR, PC, R0..R7.
bool IsRegister(std::string_view upper);
// "AR0".."AR7" => 0..7; else -1.
int AbsoluteRegister(std::string_view upper);

enum class Space { kCode, kData, kIdata, kBit, kXdata };

struct SpaceInfo {
  std::string_view word;       // CODE... as SEGMENT and EXTRN write it
  std::string_view plain;      // CSEG...: the directive without AT
  std::string_view area;       // sdcc's relocatable area
  std::string_view flags;      // its flags
  std::string_view absolute;   // the prefix of absolute areas
  std::string_view abs_flags;  // their flags
};

const SpaceInfo& InfoOf(Space space);
std::optional<Space> SpaceOfWord(std::string_view upper);   // "IDATA" => kIdata
std::optional<Space> SpaceOfPlain(std::string_view upper);  // "ISEG" => kIdata

}  // namespace c51::sdcc::a51

#endif  // C51_TOOLS_SDCC_COMPILE_A51_WORDS_H_
