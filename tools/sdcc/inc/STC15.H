/* STC15.H: the name most STC15 projects include; the registers are those of
   STC15F2K60S2.H, which says where their addresses come from. */

#ifndef C51_STC15_H
#define C51_STC15_H

#include "STC15F2K60S2.H"

#endif
