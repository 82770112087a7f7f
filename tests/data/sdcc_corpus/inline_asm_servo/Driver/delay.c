/*******************************************************************
 * 精确延时 (12MHz, 12T)
 * 内嵌汇编, 这个文件要设置 SRC 选项
 *******************************************************************/
#include <reg52.h>
#include "delay.h"

unsigned char data loops;

/* 10us: LCALL(2) + 3*DJNZ(2) + NOP + RET(2) */
void Delay10us(void)
{
#pragma asm
        MOV     R7,#02H
D10_1:  DJNZ    R7,D10_1
        NOP
#pragma endasm
}

/* 100us */
void Delay100us(void)
{
#pragma asm
        MOV     R7,#031H
D100_1: DJNZ    R7,D100_1
#pragma endasm
}

/* ms 毫秒, 参数 ms 在 R7 里 */
void Delay_ms(unsigned char ms)
{
    ms = ms;            /* 防止编译器警告 */
#pragma asm
DMS_1:  MOV     R6,#02H
DMS_2:  MOV     R5,#0F8H
DMS_3:  DJNZ    R5,DMS_3
        DJNZ    R6,DMS_2
        INC     loops
        DJNZ    R7,DMS_1
#pragma endasm
}

unsigned char Get_Loops(void)
{
    return loops;
}
