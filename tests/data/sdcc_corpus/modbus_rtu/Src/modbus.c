/* Modbus RTU slave: function 3 (read holding registers) and 6 (write
   one register). A frame ends after 3.5 quiet characters, which timer 0
   measures (timer_isr.c); the UART interrupt collects bytes (uart_isr.c). */
#include <REG52.H>
#include "crc16.h"
#include "modbus.h"

unsigned char xdata mb_rx[MB_BUF_SIZE];
unsigned char xdata mb_tx[MB_BUF_SIZE];
volatile unsigned char mb_rx_len;
volatile bit mb_frame_ready;
unsigned int xdata holding[MB_REGS];

/* 3.5 characters at 9600 baud: about 4 ms, timer 0 at 11.0592 MHz */
#define GAP_RELOAD (65536 - 3686)

void mb_init(void)
{
    SCON = 0x50;
    TMOD = (TMOD & 0x00) | 0x21;    /* T1 baud rate, T0 16-bit gap timer */
    TH1 = TL1 = 0xFD;
    TR1 = 1;
    ET0 = 1;
    ES = 1;
}

void mb_char_gap_restart(void)
{
    TR0 = 0;
    TH0 = GAP_RELOAD >> 8;
    TL0 = GAP_RELOAD & 0xFF;
    TF0 = 0;
    TR0 = 1;
}

static void send(unsigned char len)
{
    unsigned char i;

    ES = 0;
    for (i = 0; i < len; i++) {
        SBUF = mb_tx[i];
        while (!TI)
            ;
        TI = 0;
    }
    ES = 1;
}

static unsigned char reply_error(unsigned char code_)
{
    mb_tx[1] |= 0x80;
    mb_tx[2] = code_;
    return 3;
}

unsigned char mb_handle(unsigned char len)
{
    unsigned int crc, reg, count, i;
    unsigned char n;

    if (len < 4 || mb_rx[0] != MB_ADDRESS)
        return 0;
    crc = crc16(mb_rx, len - 2);
    if (mb_rx[len - 2] != (crc & 0xFF) || mb_rx[len - 1] != (crc >> 8))
        return 0;
    mb_tx[0] = mb_rx[0];
    mb_tx[1] = mb_rx[1];
    reg = ((unsigned int)mb_rx[2] << 8) | mb_rx[3];
    count = ((unsigned int)mb_rx[4] << 8) | mb_rx[5];
    switch (mb_rx[1]) {
    case 3:
        if (count == 0 || reg + count > MB_REGS)
            n = reply_error(2);
        else {
            mb_tx[2] = count * 2;
            n = 3;
            for (i = 0; i < count; i++) {
                mb_tx[n++] = holding[reg + i] >> 8;
                mb_tx[n++] = holding[reg + i] & 0xFF;
            }
        }
        break;
    case 6:
        if (reg >= MB_REGS)
            n = reply_error(2);
        else {
            holding[reg] = count;
            for (n = 2; n < 6; n++)
                mb_tx[n] = mb_rx[n];
        }
        break;
    default:
        n = reply_error(1);
        break;
    }
    crc = crc16(mb_tx, n);
    mb_tx[n++] = crc & 0xFF;
    mb_tx[n++] = crc >> 8;
    return n;
}

void mb_poll(void)
{
    unsigned char len;

    if (!mb_frame_ready)
        return;
    len = mb_handle(mb_rx_len);
    mb_rx_len = 0;
    mb_frame_ready = 0;
    if (len)
        send(len);
}
