// sdcc's library formats floats in printf only when built for it, and the
// linker can build it so (library_frames.h) at a cost in code; the original
// library always could. A module that holds a format of a float asks for it.
#ifndef C51_TOOLS_SDCC_COMPILE_FLOAT_FORMATS_H_
#define C51_TOOLS_SDCC_COMPILE_FLOAT_FORMATS_H_

#include <string_view>

namespace c51::sdcc {

// True when a string literal of `text` (sdcc's input) holds a conversion
// of a float: "%f", "%6.2f", "%-e", "%G", not "%%f".
bool HasFloatFormat(std::string_view text);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_FLOAT_FORMATS_H_
