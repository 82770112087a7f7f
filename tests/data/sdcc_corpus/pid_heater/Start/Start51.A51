$NOMOD51
;==============================================================
; 恒温加热器 启动文件
; 清零 IDATA，设置堆栈，跳转到 C 初始化
;==============================================================
                NAME    START51

$INCLUDE (CONST.INC)

?STACK          SEGMENT IDATA
                RSEG    ?STACK
                DS      STACK_SIZE

                EXTRN   CODE (?C_START)
                PUBLIC  START51

                CSEG    AT      0
START51:        LJMP    INIT51

?PR?START51     SEGMENT CODE
                RSEG    ?PR?START51
INIT51:         MOV     R0,#IRAM_TOP
                CLR     A
CLR_LOOP:       MOV     @R0,A
                DJNZ    R0,CLR_LOOP
                MOV     SP,#?STACK-1
                LJMP    ?C_START
                END
