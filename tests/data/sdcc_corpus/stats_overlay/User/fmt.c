/* 格式化输出: 显示缓冲区在函数内 */
#include <stdio.h>
#include "fmt.h"

void show_line(char *label, int value, unsigned char width)
{
    char buf[13];

    sprintf(buf, "%-*s%d", width, label, value);
    printf("%s\n", buf);
}

void show_temp(float t)
{
    printf("T=%5.1f C\n", t);
}

void show_bins(unsigned char idata *bins)
{
    unsigned char i;

    for (i = 0; i < 8; i++)
        printf("%bu%c", bins[i], i == 7 ? '\n' : ' ');
}
