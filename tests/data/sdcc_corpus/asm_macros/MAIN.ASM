;**********************************************************
;  LCD1602 + 串口 温度显示 (汇编, 使用宏)
;  STC89C52RC 11.0592MHz
;  LCD: P0 数据, P2.0 RS, P2.1 RW, P2.2 E
;**********************************************************
$NOMOD51
$INCLUDE (REG52.INC)

RS      BIT     P2.0
RW      BIT     P2.1
EN      BIT     P2.2

RX_CNT  DATA    40H
RX_BUF  IDATA   80H             ; 16 字节
VALUE   DATA    41H
BCD_H   DATA    42H
BCD_L   DATA    43H
F_RX    BIT     20H.0

;------------------ 宏定义 ------------------
; 写命令
LCD_CMD MACRO   CMD
        MOV     A,#CMD
        LCALL   LCD_WCMD
        ENDM

; 写数据
LCD_DAT MACRO   DAT
        MOV     A,DAT
        LCALL   LCD_WDAT
        ENDM

; 定位: 行, 列
LCD_POS MACRO   ROW,COL
        LCD_CMD (80H + (ROW * 40H) + COL)
        ENDM

; 软件延时 N*约1ms, 使用 R6/R7
DELAY_MS MACRO  N
        LOCAL   DL1, DL2
        MOV     R6,#N
DL1:    MOV     R7,#230
DL2:    NOP
        NOP
        DJNZ    R7,DL2
        DJNZ    R6,DL1
        ENDM

; 显示字符串 (地址)
LCD_STR MACRO   ROW,COL,STR
        LCD_POS ROW,COL
        MOV     DPTR,#STR
        LCALL   LCD_PUTS
        ENDM

; 保存/恢复现场
SAVE_REGS MACRO
        PUSH    ACC
        PUSH    PSW
        PUSH    DPL
        PUSH    DPH
        ENDM
RESTORE_REGS MACRO
        POP     DPH
        POP     DPL
        POP     PSW
        POP     ACC
        ENDM

;------------------ 向量 ------------------
        ORG     0000H
        LJMP    START
        ORG     0023H
        LJMP    UART_ISR

        ORG     0100H
START:
        MOV     SP,#5FH
        MOV     RX_CNT,#0
        CLR     F_RX
        LCALL   UART_INIT
        DELAY_MS 20
        LCD_CMD 38H
        DELAY_MS 5
        LCD_CMD 38H
        LCD_CMD 0CH
        LCD_CMD 06H
        LCD_CMD 01H
        DELAY_MS 2
        LCD_STR 0,0,STR_TITLE
        LCD_STR 1,0,STR_VAL
        SETB    EA

MAIN_LOOP:
        JNB     F_RX,MAIN_LOOP
        CLR     F_RX
        ; 把接收的两位数字 (ASCII) 转成数值
        MOV     R0,#RX_BUF
        MOV     A,@R0
        CLR     C
        SUBB    A,#'0'
        MOV     B,#10
        MUL     AB
        MOV     R2,A
        INC     R0
        MOV     A,@R0
        CLR     C
        SUBB    A,#'0'
        ADD     A,R2
        MOV     VALUE,A
        LCALL   BIN2BCD
        LCD_POS 1,6
        LCD_DAT BCD_H
        LCD_DAT BCD_L
        LCD_DAT #0DFH
        LCD_DAT #'C'
        MOV     RX_CNT,#0
        SJMP    MAIN_LOOP

;------------------ 子程序 ------------------
LCD_BUSY:
        PUSH    ACC
        MOV     P0,#0FFH
        CLR     RS
        SETB    RW
LB1:    SETB    EN
        NOP
        MOV     A,P0
        CLR     EN
        JB      ACC.7,LB1
        POP     ACC
        RET

LCD_WCMD:
        LCALL   LCD_BUSY
        CLR     RS
        CLR     RW
        MOV     P0,A
        SETB    EN
        NOP
        NOP
        CLR     EN
        RET

LCD_WDAT:
        LCALL   LCD_BUSY
        SETB    RS
        CLR     RW
        MOV     P0,A
        SETB    EN
        NOP
        NOP
        CLR     EN
        RET

LCD_PUTS:
        CLR     A
        MOVC    A,@A+DPTR
        JZ      LP_END
        LCALL   LCD_WDAT
        INC     DPTR
        SJMP    LCD_PUTS
LP_END: RET

BIN2BCD:                        ; VALUE -> BCD_H/BCD_L (ASCII)
        MOV     A,VALUE
        MOV     B,#10
        DIV     AB
        ADD     A,#'0'
        MOV     BCD_H,A
        MOV     A,B
        ADD     A,#'0'
        MOV     BCD_L,A
        RET

UART_INIT:
        MOV     SCON,#50H
        MOV     TMOD,#20H
        MOV     TH1,#0FDH
        MOV     TL1,#0FDH
        SETB    TR1
        SETB    ES
        RET

UART_ISR:
        SAVE_REGS
        PUSH    00H             ; R0 (bank 0)
        JNB     RI,UI_TX
        CLR     RI
        MOV     A,SBUF
        CJNE    A,#0DH,UI_STORE
        SETB    F_RX
        SJMP    UI_EXIT
UI_STORE:
        MOV     R0,RX_CNT
        CJNE    R0,#16,$+3
        JNC     UI_EXIT
        MOV     A,R0
        ADD     A,#RX_BUF
        MOV     R0,A
        MOV     A,SBUF
        MOV     @R0,A
        INC     RX_CNT
        SJMP    UI_EXIT
UI_TX:
        CLR     TI
UI_EXIT:
        POP     00H
        RESTORE_REGS
        RETI

STR_TITLE:  DB  'Temp Monitor V1',0
STR_VAL:    DB  'Value:',0

        END
