#ifndef _STEPPER_H_
#define _STEPPER_H_

/* ULN2003 inputs on P1.0-P1.3 */
#define STEPPER_PORT P1

void stepper_step(bit clockwise);
void stepper_off(void);

#endif
