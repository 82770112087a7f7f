/* Reads the keys with a simple debounce: a key counts once per press. */
#include <REG52.H>
#include "keys.h"

sbit KEY_HOURS_PIN = P3 ^ 2;
sbit KEY_MINUTES_PIN = P3 ^ 3;

static unsigned char last = KEY_NONE;

unsigned char keys_read(void) {
  unsigned char now = KEY_NONE;
  unsigned char held; /* SIM: WARNING C280 'held': unreferenced local variable */

  if (!KEY_HOURS_PIN) now = KEY_HOURS;
  if (!KEY_MINUTES_PIN) now = KEY_MINUTES;
  if (now == last) return KEY_NONE;
  last = now;
  return now;
}
