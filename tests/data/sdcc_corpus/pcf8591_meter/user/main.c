/*
 * PCF8591 四通道电压表 + DA 输出锯齿波
 * 通道0: 外部电压  通道1: 光敏  通道2: 热敏  通道3: 电位器
 */
#include <reg52.h>
#include <stdio.h>
#include <string.h>
#include "..\bsp\pcf8591.h"
#include "..\bsp\uart.h"
#include "..\bsp\lcd1602.h"

#define VREF 5.0

float code cal_gain[4]  = {1.000, 1.020, 0.985, 1.000};
float code cal_offset[4] = {0.00, -0.02, 0.01, 0.00};
char code *ch_name[4] = {"VIN", "LIGHT", "TEMP", "POT"};

unsigned char ad_raw[4];
float volt[4];
char txt[40];

void main(void)
{
    unsigned char ch, da = 0, round = 0;
    float sum;

    UART_Init();
    LCD_Init();
    UART_SendStr("PCF8591 meter\r\n");

    while (1) {
        sum = 0;
        for (ch = 0; ch < 4; ch++) {
            ad_raw[ch] = PCF8591_ReadAD(ch);
            volt[ch] = ad_raw[ch] * VREF / 255 * cal_gain[ch] + cal_offset[ch];
            sum += volt[ch];
        }
        if (pcf_error) UART_SendStr("no ack!\r\n");

        sprintf(txt, "%4.2fV %4.2fV  ", volt[0], volt[1]);
        LCD_Disp(0, 0, txt);
        sprintf(txt, "%4.2fV %4.2fV  ", volt[2], volt[3]);
        LCD_Disp(0, 1, txt);

        for (ch = 0; ch < 4; ch++) {
            sprintf(txt, "%-6s raw=%3bu %5.3fV %3d%%\r\n", ch_name[ch], ad_raw[ch], volt[ch],
                    (int)(volt[ch] * 100 / VREF));
            UART_SendStr(txt);
        }
        sprintf(txt, "avg=%.3f len=%d\r\n", sum / 4, (int)strlen(txt));
        UART_SendStr(txt);

        PCF8591_WriteDA(da);
        da += 16;
        if (++round >= 2) while (1);        /* 调试: 只跑两轮 */
    }
}
