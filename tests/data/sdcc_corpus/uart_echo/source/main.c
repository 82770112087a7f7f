/* 串口回显：收到的字母转成大写再发回去，回车后补一个换行。
   STC89C52RC，11.0592MHz，9600bps。接收在中断里进环形缓冲区。 */
#include <STC89.H>
#include <stdio.h>
#include "uart.h"

void main(void)
{
    char c;

    uart_init();
    EA = 1;
    puts("ECHO READY");
    while (1) {
        c = _getkey();
        if (c >= 'a' && c <= 'z')
            c -= 'a' - 'A';
        putchar(c);
        if (c == '\r')
            putchar('\n');
    }
}
