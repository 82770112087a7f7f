$NOMOD51
;------------------------------------------------------------------
;  Reset code of the legacy controller board.
;  Clears IDATA 00H..7FH and the first 256 bytes of external RAM,
;  then jumps to the C start.
;------------------------------------------------------------------
                NAME    RESET

IRAMSIZE        EQU     128
XRAMSTART       EQU     0000H
XRAMSIZE        EQU     0100H

                EXTRN   CODE (?C_START)

                CSEG    AT      0
                LJMP    COLD

                CSEG    AT      0030H
COLD:           MOV     R0,#IRAMSIZE-1
                CLR     A
CLRI:           MOV     @R0,A
                DJNZ    R0,CLRI

                MOV     DPTR,#XRAMSTART
                MOV     R7,#LOW (XRAMSIZE)
                MOV     R6,#HIGH (XRAMSIZE)
CLRX:           MOVX    @DPTR,A
                INC     DPTR
                DJNZ    R7,CLRX
                DJNZ    R6,CLRX

                MOV     SP,#5FH
                LJMP    ?C_START

                END
