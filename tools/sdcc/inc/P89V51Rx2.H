/* P89V51Rx2.H: the name projects for the P89V51RB2/RC2/RD2 include: the
   registers of P89V51RD2.H. */

#ifndef C51_P89V51RX2_H
#define C51_P89V51RX2_H

#include "P89V51RD2.H"

#endif
