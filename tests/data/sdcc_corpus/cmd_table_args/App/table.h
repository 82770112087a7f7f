#ifndef __TABLE_H__
#define __TABLE_H__
typedef struct {
    char *name;
    void (*two)(unsigned char a, unsigned char b);
    void (*three)(unsigned char, unsigned int, unsigned char);
} CMD;
extern CMD code cmd_table[];
extern unsigned char (*calc)(unsigned char, unsigned char);
#endif
