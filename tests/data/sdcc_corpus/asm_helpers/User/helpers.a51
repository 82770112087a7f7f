; Helpers for the C code, in the original compiler's calling convention:
; names in upper case, "_" before those that take parameters in registers.
        NAME    HELPERS

?PR?WAIT_LOOP?HELPERS   SEGMENT CODE
?PR?_ADD3?HELPERS       SEGMENT CODE
?PR?GET_SEED?HELPERS    SEGMENT CODE
?PR?_SWAP_WORD?HELPERS  SEGMENT CODE

        PUBLIC  WAIT_LOOP
        PUBLIC  _ADD3
        PUBLIC  GET_SEED
        PUBLIC  _SWAP_WORD

        RSEG    ?PR?WAIT_LOOP?HELPERS
WAIT_LOOP:
        MOV     R7,#100
WAIT1:  DJNZ    R7,WAIT1
        RET

        RSEG    ?PR?_ADD3?HELPERS
_ADD3:                          ; R7 = x, result in R7
        MOV     A,R7
        ADD     A,#3
        MOV     R7,A
        RET

        RSEG    ?PR?GET_SEED?HELPERS
GET_SEED:
        MOV     R7,#2AH
        RET

        RSEG    ?PR?_SWAP_WORD?HELPERS
_SWAP_WORD:                     ; R6:R7 = w, result in R6:R7
        MOV     A,R7
        XCH     A,R6
        MOV     R7,A
        RET

        END
