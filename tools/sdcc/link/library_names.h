// Standard C functions our users' programs call that sdcc's run-time library
// lacks or names differently. sdcc's library has the math functions only in
// their float form (sinf, not sin); since float and double are the same type
// on this target, a one-argument function is the float one reached by a
// jump, which the linker supplies from a library of its own:
//   _sin:  ljmp _sinf
// A function of more arguments cannot be bridged so (its second argument
// goes to a place named after the function), nor can one sdcc does not have
// at all (sscanf): those stay unresolved, with a reason the user can act on.
#ifndef C51_TOOLS_SDCC_LINK_LIBRARY_NAMES_H_
#define C51_TOOLS_SDCC_LINK_LIBRARY_NAMES_H_

#include <string>
#include <string_view>

namespace c51::sdcc {

// The float function a one-argument math function is: "_sin" => "_sinf";
// empty for any other symbol.
std::string FloatAlias(std::string_view symbol);

// The sdas8051 source of the module that defines `symbol` as a jump to
// `target`.
std::string AliasModuleSource(std::string_view symbol, std::string_view target);

// The serial console of the original run-time library, which sdcc's lacks
// and which programs rely on without defining it (printf after "TI = 1"):
// "_putchar" (waits for TI, clears it, writes SBUF; a line feed goes out as
// carriage return and line feed), "__getkey" (waits for RI, clears it,
// returns SBUF) and "_getchar" (_getkey, echoed through putchar). The
// sdas8051 source of the module that defines `symbol`; empty for any other
// symbol. A program's own definition wins: these sit in a library.
std::string ConsoleModuleSource(std::string_view symbol);

// The symbols ConsoleModuleSource defines.
inline constexpr std::string_view kConsoleSymbols[] = {"_putchar", "__getkey", "_getchar"};

// The original run-time library's reentrant stack pointers, which a classic
// start-up file sets when it enables a reentrant stack (IBPSTACK, XBPSTACK,
// PBPSTACK): "?C_IBP" and "?C_PBP" (a byte of DATA each) and "?C_XBP" (two),
// spelled with "$" in the object. sdcc keeps reentrant functions' locals on
// its own stack, so nothing else reads them; they only need their bytes.
// The sdas8051 source of the module that defines `symbol`; empty for any
// other symbol.
std::string StackPointerModuleSource(std::string_view symbol);

// The symbols StackPointerModuleSource defines.
inline constexpr std::string_view kStackPointerSymbols[] = {"$C_IBP", "$C_PBP", "$C_XBP"};

// Assembly written for the original compiler names a C function in upper
// case, with a leading "_" when it takes parameters in registers
// ("WAIT_LOOP", "_ADD3"), and passes values in registers: the first
// parameter in R7, R6:R7, R4..R7 or R1..R3 (generic pointer), the result in
// R7, R6:R7 or R4..R7. sdcc names the function "_wait_loop" and passes both
// in DPL, DPH, B and A. The sdas8051 source of the module that defines
// `symbol` as a call of `target` that moves the first parameter and the
// result across. Later parameters cannot be moved (sdcc passes them in
// memory named after the function); they stay unresolved.
std::string CallShimSource(std::string_view symbol, std::string_view target);

// The REASON text for an unresolved symbol that is a C library function
// sdcc's library lacks ("_sscanf", also its "_sscanf_PARM_2"); empty for any
// other symbol.
//   "_sscanf" => "SDCC'S LIBRARY HAS NO sscanf"
//   "_pow"    => "SDCC'S LIBRARY HAS NO pow, ONLY ITS FLOAT VERSION powf"
std::string MissingLibraryReason(std::string_view symbol);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_LINK_LIBRARY_NAMES_H_
