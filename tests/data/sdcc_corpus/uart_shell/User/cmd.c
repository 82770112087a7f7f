#include <REG52.H>
#include <stdio.h>
#include <string.h>
#include <stdlib.h>
#include <ctype.h>
#include "cmd.h"
#include "uart.h"

sbit LED1 = P1^0;
sbit LED2 = P1^1;

unsigned char led_state = 0;
long total = 0;
static char name_buf[12] = "guest";

static void cmd_help(char *arg);
static void cmd_led(char *arg);
static void cmd_add(char *arg);
static void cmd_hex(char *arg);
static void cmd_name(char *arg);
static void cmd_table_show(char *arg);

CMD_T code cmd_table[] = {
    {"help", "list commands",  cmd_help},
    {"led",  "led <n> on|off", cmd_led},
    {"add",  "add <num>",      cmd_add},
    {"hex",  "hex <num>",      cmd_hex},
    {"name", "name <str>",     cmd_name},
    {"tab",  "show table",     cmd_table_show},
};
unsigned char code CMD_COUNT = sizeof(cmd_table) / sizeof(cmd_table[0]);

static void cmd_help(char *arg)
{
    unsigned char i;
    arg = arg;
    for (i = 0; i < CMD_COUNT; i++)
        printf("%-6s- %s\n", cmd_table[i].name, cmd_table[i].help);
}

static void cmd_led(char *arg)
{
    unsigned char n;
    char *p;

    n = atoi(arg);
    p = strchr(arg, ' ');
    if (p == NULL || n < 1 || n > 2) {
        printf("bad arg\n");
        return;
    }
    p++;
    if (strcmp(p, "on") == 0)
        led_state |= (1 << (n - 1));
    else if (strcmp(p, "off") == 0)
        led_state &= ~(1 << (n - 1));
    else {
        printf("bad arg\n");
        return;
    }
    LED1 = !(led_state & 0x01);
    LED2 = !(led_state & 0x02);
    printf("led=%bx\n", led_state);
}

static void cmd_add(char *arg)
{
    int v = atoi(arg);
    total += v;
    printf("v=%d total=%ld abs=%d\n", v, total, abs(v));
}

static void cmd_hex(char *arg)
{
    unsigned int v = (unsigned int)atoi(arg);
    printf("%u = 0x%04X = %o\n", v, v, v);
}

static void cmd_name(char *arg)
{
    char i;
    if (strlen(arg) >= sizeof(name_buf)) {
        printf("too long\n");
        return;
    }
    strcpy(name_buf, arg);
    for (i = 0; name_buf[i]; i++)
        name_buf[i] = toupper(name_buf[i]);
    printf("hello %s!\n", name_buf);
}

static void cmd_table_show(char *arg)
{
    unsigned char i;
    int w = atoi(arg);
    if (w <= 0) w = 4;
    for (i = 1; i <= 3; i++)
        printf("[%*d]%c", w, (int)i * 111, i == 3 ? '\n' : ' ');
}

void cmd_exec(char *line)
{
    unsigned char i, len;
    char *arg;

    arg = strchr(line, ' ');
    if (arg) {
        *arg++ = '\0';
        while (*arg == ' ') arg++;
    } else {
        arg = line + strlen(line);
    }
    len = strlen(line);
    for (i = 0; i < CMD_COUNT; i++) {
        if (strcmp(line, cmd_table[i].name) == 0) {
            cmd_table[i].handler(arg);
            return;
        }
    }
    if (len) printf("unknown: %s (%bu)\n", line, len);
}
