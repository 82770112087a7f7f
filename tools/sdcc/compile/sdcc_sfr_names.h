// sfr names declared in sdcc's own syntax, which the dialect's
// "sbit LED = P3^2;" may name as well as one declared "sfr P3 = 0xB0;":
// sdcc's register headers (C8051F020.h and the like, which a project
// reaches when it ships none of its own) write
//
//   __sfr __at (0xB0) P3;        __sfr __at 0xB0 P3;
//
// and the SFR(P3, 0xB0) macro of sdcc's compiler.h expands to the first.
#ifndef C51_TOOLS_SDCC_COMPILE_SDCC_SFR_NAMES_H_
#define C51_TOOLS_SDCC_COMPILE_SDCC_SFR_NAMES_H_

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include "sdcc/compile/dialect_source.h"

namespace c51::sdcc {

// When the tokens at `i` ("__sfr") declare an 8-bit sfr in sdcc's syntax
// with an address that is a constant, adds its name and address to `sfrs`.
void NoteSdccSfr(const DialectSource& source, size_t i, std::map<std::string, uint32_t>* sfrs);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_SDCC_SFR_NAMES_H_
