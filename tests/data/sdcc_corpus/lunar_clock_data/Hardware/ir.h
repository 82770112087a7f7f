#ifndef __IR_H__
#define __IR_H__
#include "..\User\common.h"
sbit IR_IN = P3^3;          /* INT1 */
#define IR_KEY_CH_MINUS 0x45
#define IR_KEY_CH       0x46
#define IR_KEY_CH_PLUS  0x47
#define IR_KEY_PREV     0x44
#define IR_KEY_NEXT     0x40
#define IR_KEY_PLAY     0x43
#define IR_KEY_MINUS    0x07
#define IR_KEY_PLUS     0x15
#define IR_KEY_EQ       0x09
void IR_Init(void);
extern uint8 idata ir_data[4];
#endif
