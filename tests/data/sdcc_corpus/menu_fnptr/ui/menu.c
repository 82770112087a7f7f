/* A four-item menu driven by three keys. Each item's action is a function
   in code memory; the table itself is constant and sits in code memory
   too. The current title goes to the display through a hook. */
#include <REG52.H>
#include "menu.h"

extern void show_title(const char code *title);

static void act_led_on(void)  { P1 = 0x00; }
static void act_led_off(void) { P1 = 0xFF; }
static void act_blink(void)   { P1 = 0xAA; }
static void act_about(void)   { show_title("MENU DEMO 1.0"); }

static const menu_item_t code items[] = {
    { "LED ON",  act_led_on,  1, 3 },
    { "LED OFF", act_led_off, 2, 0 },
    { "BLINK",   act_blink,   3, 1 },
    { "ABOUT",   act_about,   0, 2 },
};

/* Short-cuts for keys 4..6: straight to an action. */
static void (*code hotkeys[])(void) = { act_led_on, act_led_off, act_blink };

static unsigned char current;

void menu_init(void)
{
    current = 0;
    show_title(items[current].title);
}

void menu_key(unsigned char key)
{
    void (code *run)(void);

    switch (key) {
    case KEY_DOWN:
        current = items[current].next;
        break;
    case KEY_UP:
        current = items[current].prev;
        break;
    case KEY_ENTER:
        run = items[current].action;
        run();
        return;
    default:
        if (key >= 4 && key < 4 + sizeof(hotkeys) / sizeof(hotkeys[0]))
            hotkeys[key - 4]();
        return;
    }
    show_title(items[current].title);
}
