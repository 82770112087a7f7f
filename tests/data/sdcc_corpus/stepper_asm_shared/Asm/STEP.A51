;==========================================================
; 步进电机驱动 (汇编)  配合 C51 编译器的命名规则
;   C 函数 void motor_start(unsigned int steps) -> _MOTOR_START, 参数 R6:R7
;   C 函数 unsigned char get_phase(void)       -> GET_PHASE, 返回 R7
;   调用 C: ON_STEP_DONE (无参数), _LOG_POS (参数 R7)
;==========================================================
$NOMOD51
$INCLUDE (REG52.INC)

        NAME    STEP

        PUBLIC  _MOTOR_START, GET_PHASE, MOTOR_STOP
        PUBLIC  PHASE_IDX, STEP_DONE, HALF_STEP
        EXTRN   DATA (STEP_DIR, STEPS_LEFT, SPEED_RELOAD)
        EXTRN   BIT  (MOTOR_RUN)
        EXTRN   CODE (ON_STEP_DONE, _LOG_POS)

?PR?STEP        SEGMENT CODE
?DT?STEP        SEGMENT DATA
?BI?STEP        SEGMENT BIT
?CO?STEP        SEGMENT CODE

        RSEG    ?DT?STEP
PHASE_IDX:      DS      1

        RSEG    ?BI?STEP
STEP_DONE:      DBIT    1

        CSEG    AT      000BH
        LJMP    T0_ISR

        RSEG    ?PR?STEP
; void motor_start(unsigned int steps)   R6 = 高字节, R7 = 低字节
_MOTOR_START:
        MOV     STEPS_LEFT,R6           ; C51: int 高字节在低地址
        MOV     STEPS_LEFT+1,R7
        CLR     STEP_DONE
        SETB    MOTOR_RUN
        MOV     TH0,SPEED_RELOAD
        MOV     TL0,#0
        SETB    ET0
        SETB    TR0
        RET

GET_PHASE:
        MOV     R7,PHASE_IDX
        RET

MOTOR_STOP:
        CLR     TR0
        CLR     MOTOR_RUN
        ANL     P1,#0F0H
        RET

        USING   1
T0_ISR:
        PUSH    ACC
        PUSH    PSW
        PUSH    DPL
        PUSH    DPH
        PUSH    B
        MOV     PSW,#08H
        MOV     TH0,SPEED_RELOAD
        JNB     MOTOR_RUN,T0_END
        ; 相位 +1 或 -1
        MOV     A,STEP_DIR
        JNZ     T0_REV
        INC     PHASE_IDX
        SJMP    T0_OUT
T0_REV:
        DEC     PHASE_IDX
T0_OUT:
        ANL     PHASE_IDX,#07H
        MOV     A,PHASE_IDX
        MOV     DPTR,#HALF_STEP
        MOVC    A,@A+DPTR
        MOV     B,A
        MOV     A,P1
        ANL     A,#0F0H
        ORL     A,B
        MOV     P1,A
        ; 16 位减一 (高字节在前)
        MOV     A,STEPS_LEFT+1
        JNZ     T0_DECLO
        DEC     STEPS_LEFT
T0_DECLO:
        DEC     STEPS_LEFT+1
        MOV     A,STEPS_LEFT
        ORL     A,STEPS_LEFT+1
        JNZ     T0_END
        ; 走完
        CLR     MOTOR_RUN
        CLR     TR0
        MOV     R7,PHASE_IDX
        LCALL   _LOG_POS
        LCALL   ON_STEP_DONE
        SETB    STEP_DONE
T0_END:
        POP     B
        POP     DPH
        POP     DPL
        POP     PSW
        POP     ACC
        RETI

        RSEG    ?CO?STEP
HALF_STEP:
        DB      01H,03H,02H,06H,04H,0CH,08H,09H

        END
