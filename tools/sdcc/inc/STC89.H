/* STC89.H: another name projects use for the STC89C5xRC/RD+ series header;
   see STC89C5xRC.H for the registers and where their addresses come from. */

#ifndef C51_STC89_H
#define C51_STC89_H

#include "STC89C5xRC.H"

#endif
