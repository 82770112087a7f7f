/* 8x8 点阵贪吃蛇 四个方向键接 P1.0~P1.3 */
#include <reg51.h>
#include "game.h"
#include "matrix.h"

sbit K_UP    = P1^0;
sbit K_RIGHT = P1^1;
sbit K_DOWN  = P1^2;
sbit K_LEFT  = P1^3;
sbit BEEP    = P1^7;

unsigned int speed_ms = 400;
unsigned char game_over_cnt = 0;

void delay1ms(void)
{
    unsigned char i = 2, j = 199;
    do {
        while (--j);
    } while (--i);
}

void wait_and_read_keys(unsigned int ms)
{
    while (ms--) {
        if (!K_UP) Game_Turn(UP);
        else if (!K_RIGHT) Game_Turn(RIGHT);
        else if (!K_DOWN) Game_Turn(DOWN);
        else if (!K_LEFT) Game_Turn(LEFT);
        delay1ms();
    }
}

void main(void)
{
    unsigned int score;

    Matrix_Init();
    EA = 1;
    Game_Init();
    while (1) {
        Game_Draw();
        wait_and_read_keys(speed_ms);
        if (!Game_Step()) {
            BEEP = 0;
            score = Game_Score();
            P1 = 0x7F & ~(unsigned char)(score / 10 << 4);  /* 调试: 分数从 P1 高位看 */
            game_over_cnt++;
            wait_and_read_keys(2000);
            BEEP = 1;
            Game_Init();
        }
        speed_ms = 400 - (Game_Score() > 300 ? 300 : Game_Score());
    }
}
