// The original compiler keeps an int or a long high byte first; sdcc keeps
// it low byte first. A union that lays bytes over a multi-byte member
// ("union { unsigned int w; unsigned char b[2]; }", a common way to split a
// timer or ADC value, or to send a float) therefore reads or writes the
// bytes in the other order, and the program builds without a word; so do
// bytes read over one through a cast to a byte pointer or by memcpy
// ("(u8 *)crc_table", "memcpy(&w, msg, 4)"). Each gets a warning at its
// line, so the difference is seen. (An int at a fixed address is bridged:
// dialect_fixed_words.h.)
#ifndef C51_TOOLS_SDCC_COMPILE_DIALECT_BYTE_ORDER_H_
#define C51_TOOLS_SDCC_COMPILE_DIALECT_BYTE_ORDER_H_

#include <vector>

#include "sdcc/compile/dialect_source.h"

namespace c51::sdcc {

void ReportByteOrderUnions(const DialectSource& source, std::vector<DialectIssue>* warnings);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_DIALECT_BYTE_ORDER_H_
