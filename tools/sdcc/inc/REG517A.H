/* REG517A.H: the SAB 80C517A, the 80C517's map (REG517.H) with the
   517A's 10-bit A/D converter and its 2 KB of on-chip XRAM. The
   addresses are the 80C517A data sheet's special function register table.
   The 517A has no DAPR: its address holds the result's low bits, and
   REG517.H's DAPR is left as the older part's name. */

#ifndef C51_REG517A_H
#define C51_REG517A_H

#include "REG517.H"

/* A/D converter, 10 bits: ADDATH holds the upper eight (where 8-bit
   sources read ADDAT), ADDATL the lower two in its top bits */
sfr ADDATH = 0xD9;
sfr ADDATL = 0xDA;

/* System control: XMAP1 and XMAP0 (bits 1 and 0) map the on-chip XRAM
   at 0xF800-0xFFFF; reset sets XMAP0, which keeps it off until cleared */
sfr SYSCON = 0xB1;

#endif
