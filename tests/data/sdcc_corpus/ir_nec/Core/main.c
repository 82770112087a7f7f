/* 遥控灯：收到遥控器命令后把命令码显示在 P1 上，"电源"键（0x45）全灭。 */
#include <REGX51.H>
#include "..\ir\IR_NEC.H"

void main(void)
{
    ir_init();
    EA = 1;
    P1 = 0xFF;
    while (1) {
        if (ir_ready) {
            ir_ready = 0;
            if (ir_code[2] == 0x45)
                P1 = 0xFF;
            else
                P1 = ~ir_code[2];
        }
    }
}
