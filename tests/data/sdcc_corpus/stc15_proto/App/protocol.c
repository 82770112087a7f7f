#include "protocol.h"

enum { S_HEAD1, S_HEAD2, S_CMD, S_LEN, S_DATA, S_SUM };

static u8 state = S_HEAD1;
static u8 f_cmd, f_len, f_idx, f_sum;
static u8 f_buf[FRAME_MAXLEN];
u8 reply_buf[FRAME_MAXLEN];

void Proto_Send(u8 cmd, u8 *dat, u8 len)
{
    u8 sum = cmd + len;
    u8 i;
    Uart1_SendByte(FRAME_HEAD1);
    Uart1_SendByte(FRAME_HEAD2);
    Uart1_SendByte(cmd);
    Uart1_SendByte(len);
    for (i = 0; i < len; i++) {
        Uart1_SendByte(dat[i]);
        sum += dat[i];
    }
    Uart1_SendByte(sum);
}

static void dispatch(void)
{
    u8 i, rlen;
    CMD_ENTRY code *e;

    for (i = 0; cmd_list[i].handler != 0; i++) {
        e = &cmd_list[i];
        if (e->cmd == f_cmd) {
            rlen = e->handler(f_buf, f_len);
            Proto_Send(f_cmd | 0x80, reply_buf, rlen);
            return;
        }
    }
    reply_buf[0] = f_cmd;
    Proto_Send(0xEE, reply_buf, 1);     /* Î´ÖªÃüÁî */
}

void Proto_Input(u8 ch)
{
    switch (state) {
    case S_HEAD1:
        if (ch == FRAME_HEAD1) state = S_HEAD2;
        break;
    case S_HEAD2:
        state = (ch == FRAME_HEAD2) ? S_CMD : S_HEAD1;
        break;
    case S_CMD:
        f_cmd = ch;
        f_sum = ch;
        state = S_LEN;
        break;
    case S_LEN:
        f_len = ch;
        f_sum += ch;
        f_idx = 0;
        if (f_len > FRAME_MAXLEN) state = S_HEAD1;
        else state = f_len ? S_DATA : S_SUM;
        break;
    case S_DATA:
        f_buf[f_idx++] = ch;
        f_sum += ch;
        if (f_idx >= f_len) state = S_SUM;
        break;
    case S_SUM:
        if (ch == f_sum) dispatch();
        else {
            reply_buf[0] = f_sum;
            Proto_Send(0xEF, reply_buf, 1);     /* Ð£Ñé´í */
        }
        state = S_HEAD1;
        break;
    default:
        state = S_HEAD1;
        break;
    }
}
