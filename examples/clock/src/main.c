/* A clock: shows the time of day and lets two keys set it. */
#include "clock.h"
#include "display.h"
#include "keys.h"

void main(void) {
  clock_init();
  while (1) {
    unsigned char hours = clock_hours();
    unsigned char minutes = clock_minutes();
    switch (keys_read()) {
      case KEY_HOURS:
        clock_set((hours + 1) % 24, minutes);
        break;
      case KEY_MINUTES:
        clock_set(hours, (minutes + 1) % 60);
        break;
    }
    display_show(clock_hours(), clock_minutes());
    display_refresh();
  }
}
