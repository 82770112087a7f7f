$NOMOD51
;*****************************************************************
; STC15F2K60S2 start-up: feed the watchdog once (it may already run
; after an ISP download), clear the 256 bytes of internal RAM, set
; the stack and jump to the C start.
;*****************************************************************
                NAME    STC_START

WDT_CONTR       DATA    0C1H
STACK_AT        EQU     0C0H            ; 64 bytes at the top of IDATA

                EXTRN   CODE (?C_START)
                PUBLIC  POWER_ON

                CSEG    AT      0
POWER_ON:       LJMP    INIT

?PR?INIT        SEGMENT CODE
                RSEG    ?PR?INIT
INIT:           ORL     WDT_CONTR,#10H  ; CLR_WDT
                MOV     R0,#0
                CLR     A
ZERO:           MOV     @R0,A
                INC     R0
                CJNE    R0,#0,ZERO      ; wraps after 0FFH
                MOV     SP,#STACK_AT-1
                LJMP    ?C_START

                END
