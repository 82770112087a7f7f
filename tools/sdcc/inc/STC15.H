/* STC15.H: the name most STC15 projects include, for any part of the series
   (the STC15W4K ones too): the registers are those of STC15W4K32S4.H, the
   family's largest set, which says where their addresses come from. */

#ifndef C51_STC15_H
#define C51_STC15_H

#include "STC15W4K32S4.H"

#endif
