#ifndef _CMD_H_
#define _CMD_H_

typedef struct {
    char code *name;
    char code *help;
    void (*handler)(char *arg);
} CMD_T;

extern CMD_T code cmd_table[];
extern unsigned char code CMD_COUNT;
extern unsigned char led_state;
extern long total;

void cmd_exec(char *line);

#endif
