/* STC8.H: the name STC's programming tool gives the STC8A and STC8F series'
   header, which many STC8 projects include; the registers are those of
   STC8A8K64S4A12.H, which says where their addresses come from. */

#ifndef C51_STC8_H
#define C51_STC8_H

#include "STC8A8K64S4A12.H"

#endif
