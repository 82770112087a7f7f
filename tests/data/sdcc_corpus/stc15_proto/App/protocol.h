#ifndef __PROTOCOL_H__
#define __PROTOCOL_H__

#include "uart1.h"

/* 帧格式: AA 55 CMD LEN DATA[LEN] SUM,  SUM = CMD+LEN+DATA 的低8位 */
#define FRAME_HEAD1  0xAA
#define FRAME_HEAD2  0x55
#define FRAME_MAXLEN 16

typedef u8 (*CMD_HANDLER)(u8 *dat, u8 len);   /* 回复写到 reply_buf */

typedef struct {
    u8 cmd;
    CMD_HANDLER handler;
} CMD_ENTRY;

typedef union {
    float f;
    u8 b[4];
} FLOAT_BYTES;

typedef union {
    u32 l;
    u16 w[2];
    u8 b[4];
} LONG_BYTES;

typedef union {
    int i;
    u8 b[2];
} INT_BYTES;

extern CMD_ENTRY code cmd_list[];
extern u8 reply_buf[FRAME_MAXLEN];

void Proto_Input(u8 ch);
void Proto_Send(u8 cmd, u8 *dat, u8 len);

#endif
