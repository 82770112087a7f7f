#ifndef __MENU_H__
#define __MENU_H__
#include "..\User\common.h"
void Menu_Draw(void);
void Menu_Key(uint8 key);
void Main_Draw(bit full);
#endif
