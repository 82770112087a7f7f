/* 报警逻辑：门开超过 3 秒就叫，关门后停。 */
#include "board.h"
#include "alarm.h"

bit alarm_on;
static unsigned int open_ms;

void alarm_poll_1ms(void)
{
    if (DOOR) {
        if (open_ms < 3000)
            open_ms++;
        else
            alarm_on = 1;
    } else {
        open_ms = 0;
        alarm_on = 0;
    }
    LED_ALM = !alarm_on;
}
