/* 上电后从串口报一次型号和一行菜单，然后每隔一会发一个心跳。
   串口中断写在 serial.c 里，但 main.c 这里也声明了它（老习惯）。 */
#include <REG52.H>
#include "SERIAL.H"

void serial_isr(void) interrupt 4;

static const char code banner[] = "HELLO 8052\r\n";
static const char code menu[]   = "1:RUN 2:STOP\r\n";
static const char code beat[]   = ".";

void main(void)
{
    unsigned int i;

    serial_init();
    EA = 1;
    serial_send(banner);
    serial_send(menu);
    while (1) {
        for (i = 0; i < 30000; i++)
            ;
        serial_send(beat);
    }
}
