/* 独立按键 (主循环中调用, 带消抖延时) */
#include "key.h"

static bit key_up = 1;

static void Key_Delay10ms(void)
{
    uint8 i, j;
    for (i = 20; i > 0; i--)
        for (j = 248; j > 0; j--);
}

uint8 Key_Scan(void)
{
    uint8 k = KV_NONE;
    if (key_up && (!KEY_MENU || !KEY_ADD || !KEY_SUB || !KEY_OK))
    {
        Key_Delay10ms();
        key_up = 0;
        if (!KEY_MENU)      k = KV_MENU;
        else if (!KEY_ADD)  k = KV_ADD;
        else if (!KEY_SUB)  k = KV_SUB;
        else if (!KEY_OK)   k = KV_OK;
        else key_up = 1;
    }
    else if (KEY_MENU && KEY_ADD && KEY_SUB && KEY_OK)
        key_up = 1;
    return k;
}
