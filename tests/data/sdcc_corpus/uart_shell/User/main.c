/*
 * 串口命令行 (课程设计)
 * 晶振 11.0592MHz, 波特率 9600
 */
#include <reg52.h>
#include <stdio.h>
#include <string.h>
#include "uart.h"
#include "cmd.h"

#define LINE_MAX 24

char line[LINE_MAX];
unsigned char line_len = 0;

void main(void)
{
    u8 c;

    uart_init();
    printf("\nshell v1.0, %bu cmds\n", CMD_COUNT);
    uart_puts("> ");
    while (1) {
        if (!uart_getc(&c)) continue;
        if (c == '\r' || c == '\n') {
            if (line_len == 0) continue;
            line[line_len] = '\0';
            putchar('\n');
            cmd_exec(line);
            line_len = 0;
            uart_puts("> ");
        } else if (c == 0x08) {
            if (line_len) line_len--;
        } else if (line_len < LINE_MAX - 1) {
            line[line_len++] = c;
            putchar(c);
        }
    }
}
