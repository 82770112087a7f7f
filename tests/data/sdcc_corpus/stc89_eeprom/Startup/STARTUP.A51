$NOMOD51
;----------------------------------------------------------------------
; 上电复位入口：清内部 RAM，设堆栈，再交给 C 运行库初始化。
; 片内 RAM 256 字节 (STC89C52RC)。
;----------------------------------------------------------------------
                NAME    BOOT_ENTRY

RAM_TOP         EQU     0FFH            ; 要清零的最高地址
SP_REG          DATA    81H

?STACK          SEGMENT IDATA
                RSEG    ?STACK
STACK_BASE:     DS      1               ; 堆栈从这里往上长

                EXTRN   CODE (?C_START)
                PUBLIC  RESET_ENTRY

                CSEG    AT      0000H
RESET_ENTRY:    LJMP    BOOT

?PR?BOOT        SEGMENT CODE
                RSEG    ?PR?BOOT
BOOT:           MOV     R0,#RAM_TOP
                CLR     A
WIPE:           MOV     @R0,A           ; 从顶往下清
                DJNZ    R0,WIPE
                MOV     SP_REG,#STACK_BASE-1
                LJMP    ?C_START

                END
