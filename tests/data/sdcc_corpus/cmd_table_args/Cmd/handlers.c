/* 命令处理函数: 两个以上参数 */
#include <REG52.H>
#include "handlers.h"

unsigned char total;

void cmd_add(unsigned char a, unsigned char b)
{
    total = a + b;
    P0 = total;
}

void cmd_mix(unsigned char a, unsigned int b, unsigned char c)
{
    P1 = a ^ (unsigned char)(b >> 8) ^ c;
}

unsigned char cmd_sub(unsigned char a, unsigned char b)
{
    return a - b;
}
