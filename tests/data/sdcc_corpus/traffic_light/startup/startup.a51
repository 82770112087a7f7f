$NOMOD51
; Start-up for the crossing controller (AT89C51RC, 256 bytes IDATA).
; The stack segment is placed by the linker after the variables.

                NAME    ?C_STARTUP

IDATALEN        EQU     100H

?C_C51STARTUP   SEGMENT CODE
?STACK          SEGMENT IDATA

                RSEG    ?STACK
                DS      1

                EXTRN   CODE (?C_START)
                PUBLIC  ?C_STARTUP

                CSEG    AT      0
?C_STARTUP:     LJMP    STARTUP1

                RSEG    ?C_C51STARTUP
STARTUP1:
IF IDATALEN <> 0
                MOV     R0,#LOW (IDATALEN - 1)
                CLR     A
IDATALOOP:      MOV     @R0,A
                DJNZ    R0,IDATALOOP
ENDIF
                MOV     SP,#?STACK-1
                LJMP    ?C_START

                END
