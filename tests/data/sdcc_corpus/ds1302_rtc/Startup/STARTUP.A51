$NOMOD51
;------------------------------------------------------------------------
; 万年历的启动文件（LARGE 模式）：清 IDATA 和 XDATA 的前 1K，
; 设好堆栈后进 C 程序。
;------------------------------------------------------------------------
IDATALEN        EQU     0FFH            ; 清到 0FFH
XDATASTART      EQU     0
XDATALEN        EQU     400H

                NAME    ?C_STARTUP

?C_C51STARTUP   SEGMENT CODE
?STACK          SEGMENT IDATA

                RSEG    ?STACK
                DS      1

                EXTRN   CODE (?C_START)
                PUBLIC  ?C_STARTUP

                CSEG    AT      0
?C_STARTUP:     LJMP    STARTUP1

                RSEG    ?C_C51STARTUP
STARTUP1:       MOV     R0,#IDATALEN
                CLR     A
IDATALOOP:      MOV     @R0,A
                DJNZ    R0,IDATALOOP

                MOV     DPTR,#XDATASTART
                MOV     R7,#LOW (XDATALEN)
IF (LOW (XDATALEN)) <> 0
                MOV     R6,#(HIGH (XDATALEN)) + 1
ELSE
                MOV     R6,#HIGH (XDATALEN)
ENDIF
                CLR     A
XDATALOOP:      MOVX    @DPTR,A
                INC     DPTR
                DJNZ    R7,XDATALOOP
                DJNZ    R6,XDATALOOP

                MOV     SP,#?STACK-1
                LJMP    ?C_START

                END
