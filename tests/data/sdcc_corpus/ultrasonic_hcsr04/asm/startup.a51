$NOMOD51
; HC-SR04 range finder - reset code.
; Clears the 128 bytes of IDATA, points the stack at the ?STACK
; segment and starts the C program.

                NAME    RANGE_STARTUP

?STACK          SEGMENT IDATA
?C_INITSEG      SEGMENT CODE

                RSEG    ?STACK
                DS      10H

                EXTRN   CODE (?C_START)
                PUBLIC  RANGE_RESET

                CSEG    AT 0
RANGE_RESET:    LJMP    RANGE_INIT

                RSEG    ?C_INITSEG
RANGE_INIT:     MOV     R0,#7FH
                CLR     A
RI_LOOP:        MOV     @R0,A
                DJNZ    R0,RI_LOOP
                MOV     SP,#?STACK-1
                LJMP    ?C_START

                END
