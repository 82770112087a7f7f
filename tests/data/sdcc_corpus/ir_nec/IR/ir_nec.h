#ifndef __IR_NEC_H__
#define __IR_NEC_H__

extern volatile bit ir_ready;           /* 收到一帧 */
extern unsigned char ir_code[4];        /* 地址 反码 命令 反码 */

void ir_init(void);

#endif
