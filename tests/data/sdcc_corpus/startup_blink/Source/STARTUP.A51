$NOMOD51
; Power-on entry of the blinker: zero the 128 bytes of internal RAM, put
; the stack above the variables and hand over to the C run-time start.

IDATA_SIZE      EQU     80H

                NAME    ?C_STARTUP

?C_C51STARTUP   SEGMENT CODE
?STACK          SEGMENT IDATA

                RSEG    ?STACK
                DS      1

                EXTRN   CODE (?C_START)
                PUBLIC  ?C_STARTUP

                CSEG    AT 0
?C_STARTUP:     LJMP    STARTUP1

                RSEG    ?C_C51STARTUP
STARTUP1:       MOV     R0,#IDATA_SIZE - 1
                CLR     A
IDATA_LOOP:     MOV     @R0,A
                DJNZ    R0,IDATA_LOOP
                MOV     81H,#?STACK-1   ; SP
                LJMP    ?C_START

                END
