#ifndef MODBUS_H
#define MODBUS_H

#define MB_ADDRESS   0x01
#define MB_BUF_SIZE  64
#define MB_REGS      16

extern unsigned char xdata mb_rx[MB_BUF_SIZE];
extern unsigned char xdata mb_tx[MB_BUF_SIZE];
extern volatile unsigned char mb_rx_len;
extern volatile bit mb_frame_ready;
extern unsigned int xdata holding[MB_REGS];

void mb_init(void);
void mb_poll(void);
unsigned char mb_handle(unsigned char len);     /* returns reply length */
void mb_char_gap_restart(void);                 /* from the UART ISR */

#endif
