/* RTX51TNY.H: the small real-time kernel's calls and constants. A program
   with tasks ("void job(void) _task_ 0") has no main(): the linker adds the
   kernel, which starts task 0 at reset, gives a tick every 10000 machine
   cycles from timer 0 and moves on to the next ready task after 5 ticks.
   Each task gets an equal share of the internal RAM above the program's
   data as its stack. The calls with more than one parameter are reentrant:
   their arguments go on the calling task's stack, so a task switch between
   setting them and the call cannot mix up two tasks' arguments. The
   constants are defined only where the program has not defined them. */

#ifndef C51_RTX51TNY_H
#define C51_RTX51TNY_H

#ifndef K_SIG
#define K_SIG 1 /* wait for a signal */
#endif
#ifndef K_TMO
#define K_TMO 2 /* wait for a time-out */
#endif
#ifndef K_IVL
#define K_IVL 0x80 /* wait for the rest of an interval */
#endif

#ifndef SIG_EVENT
#define SIG_EVENT 1 /* os_wait's results */
#endif
#ifndef TMO_EVENT
#define TMO_EVENT 2
#endif
#ifndef RDY_EVENT
#define RDY_EVENT 0x80
#endif
#ifndef OK
#define OK 0 /* the other calls' results */
#endif
#ifndef NOT_OK
#define NOT_OK 0xFF
#endif

char os_create_task(unsigned char task_id);
char os_delete_task(unsigned char task_id);
char os_wait(unsigned char typ, unsigned char ticks, unsigned int dummy) reentrant;
char os_wait1(unsigned char typ);
char os_wait2(unsigned char typ, unsigned char ticks) reentrant;
char os_send_signal(unsigned char task_id);
char isr_send_signal(unsigned char task_id);
char os_clear_signal(unsigned char task_id);
char os_running_task_id(void);
char os_switch_task(void);
char os_set_ready(unsigned char task_id);
char isr_set_ready(unsigned char task_id);
char os_reset_interval(unsigned char ticks);

#endif
