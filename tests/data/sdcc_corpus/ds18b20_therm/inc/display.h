#ifndef _DISPLAY_H_
#define _DISPLAY_H_

void disp_set_number(int value);
void disp_set_error(void);
void disp_scan(void);

#endif
