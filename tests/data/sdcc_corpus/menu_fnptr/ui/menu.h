#ifndef MENU_H
#define MENU_H

typedef struct menu_item {
    const char code *title;
    void (code *action)(void);      /* runs when the item is chosen */
    unsigned char next;             /* item below */
    unsigned char prev;             /* item above */
} menu_item_t;

void menu_init(void);
void menu_key(unsigned char key);

#define KEY_DOWN  1
#define KEY_UP    2
#define KEY_ENTER 3

#endif
