// A member assigned the low bit of a value: "st.dir = d[0] & 1;". sdcc 4.2
// stores the wrong bit when the member is a one-bit field above bit 0 and
// the value is read from memory (it rotates before it masks); the
// comparison form compiles right and has the same value for any member:
//
//   st.dir = d[0] & 1;        =>  st.dir = ((d[0] & 1) != 0);
//   p->flag = (v >> 3) & 1;   =>  p->flag = (((v >> 3) & 1) != 0);
//
// Only a plain "=" whose value's last operation is "& 1": "a | b & 1",
// "c ? x : y & 1" and the like stay as written.
//
// And a bit field read into anything but a plain variable (an array
// element, a member, a pointer's target): sdcc 4.2 stores it as if the
// destination were a bit field of the same place ("buf[1] = st.dir;"
// changes bit 1 of buf[1] and keeps the others; a cast or "+ 0" does not
// help). A member that the file declares as a bit field
// anywhere is passed through a function that returns it, whose value sdcc
// stores whole:
//
//   buf[1] = st.dir;          =>  buf[1] = __c51_field(st.dir);
//   *p = frame->flags.mode;   =>  *p = __c51_field(frame->flags.mode);
#ifndef C51_TOOLS_SDCC_COMPILE_DIALECT_BIT_FIELDS_H_
#define C51_TOOLS_SDCC_COMPILE_DIALECT_BIT_FIELDS_H_

#include "sdcc/compile/dialect_source.h"

namespace c51::sdcc {

void BridgeLowBitToMember(DialectSource* source);
void BridgeBitFieldToElement(DialectSource* source);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_DIALECT_BIT_FIELDS_H_
