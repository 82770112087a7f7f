/* STC15Fxxxx.H: the name STC's example code includes for any STC15 part;
   the registers are those of STC15W4K32S4.H, the family's largest set, which
   says where their addresses come from. The example code's own typedefs and
   helper macros are not here: a program using them is told the name is
   unknown. */

#ifndef C51_STC15FXXXX_H
#define C51_STC15FXXXX_H

#include "STC15W4K32S4.H"

#endif
