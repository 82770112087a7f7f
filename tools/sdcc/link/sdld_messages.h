// What sdcc and its linker sdld say about a link, sorted into the cases the
// linker reports in its own layout. Examples of sdld's lines:
//   ?ASlink-Warning-Undefined Global '_gone' referenced by module 'unres'
//   Multiple definition of _counter
//   ?ASlink-Error-Could not get 150 consecutive bytes in internal RAM for area DSEG.
//   ?ASlink-Error-Insufficient ROM/EPROM/FLASH memory.
// Lines indented below an sdld message continue it.
#ifndef C51_TOOLS_SDCC_LINK_SDLD_MESSAGES_H_
#define C51_TOOLS_SDCC_LINK_SDLD_MESSAGES_H_

#include <string>
#include <string_view>
#include <vector>

namespace c51::sdcc {

struct SdldMessage {
  enum Kind { kUnresolved, kMultiple, kOverflow, kOtherError, kOtherWarning } kind = kOtherError;
  std::string symbol;  // kUnresolved, kMultiple: as in the object ("_gone")
  std::string module;  // kUnresolved: the referencing module's "M" name
  std::string space;   // kOverflow: "CODE", "DATA" or "XDATA"
  std::string text;    // the message without sdld's prefix, continuations joined by "; "
};

// Every message in the order written; a message sdld repeats word for word
// is kept once. Lines that are neither errors nor warnings are skipped.
std::vector<SdldMessage> ParseSdldOutput(std::string_view output);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_LINK_SDLD_MESSAGES_H_
