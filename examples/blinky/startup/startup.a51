; Reset entry: clears the internal RAM and jumps to the C start-up code.
        NAME    STARTUP
        CSEG    AT 0
        LJMP    START
START:  MOV     R0, #7FH
        CLR     A
CLEAR:  MOV     @R0, A
        DJNZ    R0, CLEAR
        MOV     SP, #20H
        END
