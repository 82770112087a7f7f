$NOMOD51
;------------------------------------------------------------------------------
; Start-up code for the tests, in the classic syntax real projects keep theirs
; in: the reset jumps here, internal RAM is cleared, the stack is set, port 2
; shows that this code ran, and the C run-time takes over.
;------------------------------------------------------------------------------
$INCLUDE (MCU.INC)

IDATALEN        EQU     80H             ; bytes of internal RAM to clear
MARK            EQU     5AH             ; left on port 2 for the test to see

                NAME    ?C_STARTUP

?C_C51STARTUP   SEGMENT CODE
?STACK          SEGMENT IDATA

                RSEG    ?STACK
                DS      1

                EXTRN CODE (?C_START)
                PUBLIC  ?C_STARTUP

                CSEG    AT      0
?C_STARTUP:     LJMP    STARTUP1

                RSEG    ?C_C51STARTUP

STARTUP1:
IF IDATALEN <> 0
                MOV     R0,#IDATALEN - 1
                CLR     A
IDATALOOP:      MOV     @R0,A
                DJNZ    R0,IDATALOOP
ENDIF
                MOV     SP,#?STACK-1
                MOV     PORT2,#MARK
                LJMP    ?C_START

                END
