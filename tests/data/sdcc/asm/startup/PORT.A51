$NOMOD51
; An assembly routine the C code calls: it reads a table in code memory and
; shows one of its bytes on port 3. The registers come from the C header.
#include <reg52.h>

                NAME    PORT

?PR?SET_PORT?PORT       SEGMENT CODE
?CO?PORT                SEGMENT CODE

                PUBLIC  _set_port

                RSEG    ?CO?PORT
PATTERN:        DB      0C3H, 3CH

                RSEG    ?PR?SET_PORT?PORT
_set_port:      MOV     DPTR,#PATTERN
                MOV     A,#1
                MOVC    A,@A+DPTR
                MOV     P3,A
                CLR     TR2
                RET

                END
