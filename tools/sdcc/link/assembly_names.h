// Names shared between C modules and assembly written for the original
// toolchain, which spells a C name without sdcc's "_" and in any letter case
// ("CRC_COUNT" for C's crc_count, "_LCD_PUT" for a function taking
// parameters in registers), and which sdcc's linker, matching names exactly,
// would leave unresolved:
//
//   C reads crc_count, assembly defines CRC_COUNT (DATA)
//       => the assembly module also defines _crc_count there
//   C reads the table hex_digits[], assembly defines HEX_DIGITS: DB ...
//       => the same (a code symbol C does not call is data to it)
//   assembly reads TICKS, C defines ticks
//       => the C module also defines TICKS there (for a variable the linker
//          lays, the linker's module does: LinkModule::variable_aliases)
//   assembly calls LCD_PUT or _LCD_PUT, C defines lcd_put(c)
//       => a module of the linker's defines LCD_PUT: it moves R7, R6, R5, R4
//          to where sdcc passes the first parameter (DPL, DPH, B, A), calls
//          _lcd_put, and moves the result back (DPL.. to R7, R6, R5, R4)
//
//   C calls key_scan() with no prototype, another C module defines Key_Scan
//       => the calling module names _Key_Scan (and _Key_Scan_PARM_2...)
//
// C calling a function of the assembly is the call shim's (library_names.h).
#ifndef C51_TOOLS_SDCC_LINK_ASSEMBLY_NAMES_H_
#define C51_TOOLS_SDCC_LINK_ASSEMBLY_NAMES_H_

#include <string>
#include <string_view>
#include <vector>

#include "sdcc/link/link_module.h"

namespace c51::sdcc {

// A C function assembly calls under the original compiler's name.
struct ReverseCall {
  std::string symbol;  // as the assembly names it: "LCD_PUT"
  std::string target;  // sdcc's name: "_lcd_put"
};

// Adds the data aliases to the modules' relocatables and symbol lists; the
// calls from assembly into C that need a module of their own come back.
std::vector<ReverseCall> BridgeAssemblyNames(std::vector<LinkModule>* modules);

// A second name for a symbol `rel` defines: the line "S <alias> Def<value>"
// after the symbol's, the header's symbol count one more. False when `rel`
// does not define `symbol`.
bool AddSymbolAlias(std::string* rel, std::string_view symbol, std::string_view alias);

// The sdas8051 source of the module that defines `call.symbol`.
std::string ReverseCallSource(const ReverseCall& call);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_LINK_ASSEMBLY_NAMES_H_
