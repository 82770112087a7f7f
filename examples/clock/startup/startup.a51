; Reset entry: clears the internal RAM, puts the stack above the variables
; and hands over to the run-time library's C start-up code.
        NAME    STARTUP
        EXTRN   CODE (?C_START)

?STACK  SEGMENT IDATA
        RSEG    ?STACK
        DS      16

?C_STARTUP SEGMENT CODE
        CSEG    AT 0
        LJMP    START

        RSEG    ?C_STARTUP
START:  MOV     R0, #0FFH
        CLR     A
CLEAR:  MOV     @R0, A
        DJNZ    R0, CLEAR
        MOV     SP, #?STACK-1
        LJMP    ?C_START
        END
