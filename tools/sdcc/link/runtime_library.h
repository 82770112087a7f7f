// The run-time libraries of the original toolchain, which projects made for
// it name among the linker's inputs (often by a path on the Windows machine
// they came from: C:\...\LIB\C51S.LIB). The original linker links one of
// them by default anyway; here the run-time library sdcc's driver brings in
// for the memory model serves instead, so such an input is left out when it
// cannot be read or is no library of relocatables.
#ifndef C51_TOOLS_SDCC_LINK_RUNTIME_LIBRARY_H_
#define C51_TOOLS_SDCC_LINK_RUNTIME_LIBRARY_H_

#include <string_view>

namespace c51::sdcc {

// True when the name after the folder part is one of the memory models'
// run-time or floating-point libraries, in any letter case:
// C51S.LIB C51C.LIB C51L.LIB C51FPS.LIB C51FPC.LIB C51FPL.LIB.
bool IsClassicRuntimeLibrary(std::string_view path);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_LINK_RUNTIME_LIBRARY_H_
