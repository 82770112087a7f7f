/* Counts timer 0 overflows into seconds, minutes and hours. */
#include <REG52.H>
#include "clock.h"

static unsigned int ticks;
static unsigned char seconds;
static unsigned char minutes;
static unsigned char hours;

void clock_init(void) {
  TMOD = (TMOD & 0xF0) | 0x01; /* timer 0, mode 1 */
  TH0 = 0xFC;                  /* 65536 - 1000 */
  TL0 = 0x18;
  ET0 = 1;
  TR0 = 1;
  EA = 1;
}

void clock_tick(void) interrupt 1 {
  TH0 = 0xFC;
  TL0 = 0x18;
  if (++ticks < TICKS_PER_SECOND) return;
  ticks = 0;
  if (++seconds < 60) return;
  seconds = 0;
  if (++minutes < 60) return;
  minutes = 0;
  if (++hours == 24) hours = 0;
}

void clock_set(unsigned char new_hours, unsigned char new_minutes) {
  EA = 0;
  hours = new_hours;
  minutes = new_minutes;
  seconds = 0;
  EA = 1;
}

unsigned char clock_hours(void) {
  return hours;
}

unsigned char clock_minutes(void) {
  return minutes;
}
