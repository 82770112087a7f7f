$NOMOD51
; 复位入口 ---------------------------------------------------------
; 片内 RAM 全部清零后跳到 C 的初始化。堆栈段由链接器放在最后。

                NAME    START

?STACK          SEGMENT IDATA
                RSEG    ?STACK
                DS      20H             ; 留 32 字节堆栈

                EXTRN   CODE (?C_START)

                CSEG    AT 0000H
                LJMP    START

?PR?START       SEGMENT CODE
                RSEG    ?PR?START
START:          MOV     R0,#0FFH
                CLR     A
?CLR:           MOV     @R0,A
                DJNZ    R0,?CLR
                MOV     SP,#(?STACK-1)
                LJMP    ?C_START
                END
