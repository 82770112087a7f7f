$NOMOD51
;  28BYJ-48 stepper board: reset entry.
;  Only the register banks and the bit area are cleared (00H-2FH); the
;  C run-time start clears and initialises the variables itself.

                NAME    STEPPER_START

CLEAR_TOP       EQU     2FH

                EXTRN   CODE (?C_START)

                CSEG    AT      0
                LJMP    BOOT

?PR?BOOT?STEPPER_START  SEGMENT CODE
                RSEG    ?PR?BOOT?STEPPER_START
BOOT:           MOV     R0,#CLEAR_TOP
                CLR     A
BOOT_CLEAR:     MOV     @R0,A
                DJNZ    R0,BOOT_CLEAR
                MOV     @R0,A           ; address 0 as well
                MOV     SP,#07H
                LJMP    ?C_START

                END
