$NOMOD51
;---------------------------------------------------------------------
;  红外遥控接收板的启动代码
;  1. 清 128 字节内部 RAM
;  2. 设堆栈指针
;  3. 跳到 C 程序的初始化入口
;---------------------------------------------------------------------

RAMLEN          EQU     80H

                NAME    IR_STARTUP

?STACK          SEGMENT IDATA
                RSEG    ?STACK
                DS      1

                EXTRN   CODE (?C_START)

                CSEG    AT      0000H
                AJMP    ENTRY           ; 2 字节跳转就够了

?PR?ENTRY       SEGMENT CODE INBLOCK
                RSEG    ?PR?ENTRY
ENTRY:          MOV     R0,#RAMLEN-1
                CLR     A
L1:             MOV     @R0,A
                DJNZ    R0,L1
                MOV     SP,#?STACK-1
                LJMP    ?C_START

                END
