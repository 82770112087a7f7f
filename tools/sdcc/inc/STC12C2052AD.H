/* STC12C2052AD.H: the STC12C2052AD series (STC12C1052, STC12C2052,
   STC12C4052, with or without the ADC): the 20-pin parts of the
   STC12C5410AD series' map, with two of its PCA modules and ports 1 and 3:
   the registers of STC12C5410AD.H. */

#ifndef C51_STC12C2052AD_H
#define C51_STC12C2052AD_H

#include "STC12C5410AD.H"

#endif
