/* ABSACC.H: absolute memory access, e.g. XBYTE[0x8000] = 1; x = CWORD[0x10]
   (word index: the byte address is twice the index). */

#ifndef C51_ABSACC_H
#define C51_ABSACC_H

#define CBYTE ((unsigned char volatile code  *) 0)
#define DBYTE ((unsigned char volatile data  *) 0)
#define PBYTE ((unsigned char volatile pdata *) 0)
#define XBYTE ((unsigned char volatile xdata *) 0)

#define CWORD ((unsigned int volatile code  *) 0)
#define DWORD ((unsigned int volatile data  *) 0)
#define PWORD ((unsigned int volatile pdata *) 0)
#define XWORD ((unsigned int volatile xdata *) 0)

#endif
