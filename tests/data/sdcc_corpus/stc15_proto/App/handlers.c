/* 命令处理函数 */
#include <string.h>
#include "protocol.h"

static float set_point = 25.5;
static u32 run_seconds = 0;
static u16 pwm_duty = 500;

/* 0x01 读状态: 设定值*10(int), 占空比(u16), 运行秒数(u32) */
static u8 cmd_status(u8 *dat, u8 len)
{
    INT_BYTES t;
    LONG_BYTES s;
    dat = dat; len = len;

    t.i = (int)(set_point * 10);
    reply_buf[0] = t.b[0];
    reply_buf[1] = t.b[1];
    reply_buf[2] = pwm_duty >> 8;
    reply_buf[3] = pwm_duty & 0xFF;
    s.l = run_seconds;
    memcpy(reply_buf + 4, s.b, 4);
    return 8;
}

/* 0x02 写设定值(float, 4字节) */
static u8 cmd_set_float(u8 *dat, u8 len)
{
    FLOAT_BYTES fb;
    INT_BYTES t;
    if (len != 4) return 0;
    fb.b[0] = dat[0];
    fb.b[1] = dat[1];
    fb.b[2] = dat[2];
    fb.b[3] = dat[3];
    set_point = fb.f;
    t.i = (int)(set_point * 100);
    reply_buf[0] = t.b[0];
    reply_buf[1] = t.b[1];
    return 2;
}

/* 0x03 写占空比(u16, 高字节在前) */
static u8 cmd_set_duty(u8 *dat, u8 len)
{
    if (len != 2) return 0;
    pwm_duty = ((u16)dat[0] << 8) | dat[1];
    if (pwm_duty > 1000) pwm_duty = 1000;
    reply_buf[0] = pwm_duty / 10;
    return 1;
}

/* 0x04 写运行时间(u32), 回复加一后的值 */
static u8 cmd_set_time(u8 *dat, u8 len)
{
    LONG_BYTES v;
    if (len != 4) return 0;
    memcpy(v.b, dat, 4);
    run_seconds = v.l + 1;
    v.l = run_seconds;
    reply_buf[0] = v.b[0]; reply_buf[1] = v.b[1];
    reply_buf[2] = v.b[2]; reply_buf[3] = v.b[3];
    reply_buf[4] = v.w[0] >> 8;         /* 高16位的高字节 */
    return 5;
}

CMD_ENTRY code cmd_list[] = {
    {0x01, cmd_status},
    {0x02, cmd_set_float},
    {0x03, cmd_set_duty},
    {0x04, cmd_set_time},
    {0x00, 0}
};
