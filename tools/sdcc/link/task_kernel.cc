#include "sdcc/link/task_kernel.h"

#include <algorithm>
#include <cstdio>

namespace c51::sdcc {

namespace {

constexpr std::string_view kTaskPrefix = "___c51_task_";

// The kernel with @COUNT@ (task slots), @LAST@ (internal RAM's highest
// address), @GLOBLS@ and @TABLE@ (the tasks' entries) to fill in.
constexpr std::string_view kKernel =
    R"asm(; The task kernel, added by the linker to a program with tasks.
	.module	__kernel
	.globl	__sdcc_program_startup
	.globl	__start__stack
	.globl	__sdcc_gsinit_startup
	.globl	__mcs51_genXINIT
	.globl	__mcs51_genXRAMCLEAR
	.globl	__mcs51_genRAMCLEAR
	.globl	__c51_kernel_tick
	.globl	_os_create_task
	.globl	_os_delete_task
	.globl	_os_wait
	.globl	_os_wait1
	.globl	_os_wait2
	.globl	_os_send_signal
	.globl	_isr_send_signal
	.globl	_os_clear_signal
	.globl	_os_running_task_id
	.globl	_os_switch_task
	.globl	_os_set_ready
	.globl	_isr_set_ready
	.globl	_os_reset_interval
	.globl	s_OSEG
	.globl	l_OSEG
@GLOBLS@
k_count = @COUNT@
k_kernel = @COUNT@	; the kernel's own stack, above the tasks'
k_last = @LAST@	; the highest byte of internal RAM
k_ie = 0xA8
k_ea = 0xAF
k_et0 = 0xA9
k_tr0 = 0x8C
k_tmod = 0x89
k_tl0 = 0x8A
k_th0 = 0x8C
; A task's state: it exists, what it waits for, a signal kept for it, and
; the event that ended its last wait.
k_exists = 0x80
k_w_sig = 0x01
k_w_tmo = 0x02
k_waits = 0x03
k_sig = 0x04
k_short = 0x08	; switched away by a call: only the return address is saved
k_ev_sig = 0x10
k_ev_tmo = 0x20
k_ev_rdy = 0x40
k_events = 0x70
; os_wait's results.
k_sig_event = 0x01
k_tmo_event = 0x02
k_rdy_event = 0x80
; Ticks a task runs before the next ready one gets the processor.
k_slice_ticks = 5

	.area	DSEG	(DATA)
k_cur:	.ds	1	; the running task
k_slice:	.ds	1	; ticks left of its time
k_idle:	.ds	1	; 1 while no task is ready
k_gap:	.ds	1	; the stack the free space lies above
k_state:	.ds	k_count
k_tmr:	.ds	k_count	; counts down at every tick; a time-out ends at 0
; Each task's stack, and last the kernel's own: the first byte and the
; last (SP while it is switched away; the byte below the first when empty).
k_base:	.ds	k_count + 1
k_sp:	.ds	k_count + 1

	.area	SSEG
__start__stack::
	.ds	1
	; Where sdcc's int and long arithmetic keeps its operands; declared so
	; that its start and length are known to a program that has none.
	.area	OSEG	(OVR,DATA)

	.area	GSFINAL	(CODE)
	ljmp	__sdcc_program_startup

	.area	CSEG	(CODE)
; The tasks' entries, two bytes each, zero where a number has no task.
k_table:
@TABLE@
; After sdcc's start-up code has set the variables: share out the stacks,
; start the tick and task 0.
__sdcc_program_startup::
	mov	r0,#k_state
	mov	r7,#(2 * k_count)
00001$:
	mov	@r0,#0
	inc	r0
	djnz	r7,00001$
	; Every stack empty at the start of the free RAM; the free space above
	; the kernel's, which this code runs on.
	mov	r0,#k_base
	mov	r1,#k_sp
	mov	r7,#(k_count + 1)
00002$:
	mov	@r0,#__start__stack
	mov	@r1,#(__start__stack - 1)
	inc	r0
	inc	r1
	djnz	r7,00002$
	mov	k_gap,#k_kernel
	mov	k_cur,#(k_count - 1)
	mov	k_idle,#0
	anl	k_tmod,#0xF0
	orl	k_tmod,#0x01
	mov	k_th0,#0xD8
	mov	k_tl0,#0xF0
	setb	k_et0
	setb	k_tr0
	mov	dpl,#0
	lcall	_os_create_task
	clr	k_ea
	mov	a,k_base + k_kernel
	dec	a
	mov	k_sp + k_kernel,a
	ljmp	k_pick

; Timer 0, every 10000 machine cycles: the timers, then the next task when
; the running one has had its time.
__c51_kernel_tick::
	push	acc
	push	b
	push	dpl
	push	dph
	push	psw
	push	0x00
	push	0x01
	push	0x02
	push	0x03
	push	0x04
	push	0x05
	push	0x06
	push	0x07
	mov	psw,#0
	; sdcc's int and long arithmetic keeps its operands in the overlay
	; segment: a task switched away in the middle of it finds them again.
	mov	r0,#s_OSEG
	mov	r2,#l_OSEG
	mov	a,r2
	jz	00004$
00003$:
	mov	a,@r0
	push	acc
	inc	r0
	djnz	r2,00003$
00004$:
	; Added to what the timer counted since it overflowed, with the 7
	; cycles it stands still here.
	clr	k_tr0
	mov	a,#0xF7
	add	a,k_tl0
	mov	k_tl0,a
	mov	a,#0xD8
	addc	a,k_th0
	mov	k_th0,a
	setb	k_tr0
	mov	r0,#k_state
	mov	r1,#k_tmr
	mov	r7,#k_count
00001$:
	mov	a,@r0
	jnb	acc.7,00002$
	dec	@r1
	mov	a,@r1
	jnz	00002$
	mov	a,@r0
	jnb	acc.1,00002$
	anl	a,#~k_waits
	orl	a,#k_ev_tmo
	mov	@r0,a
00002$:
	inc	r0
	inc	r1
	djnz	r7,00001$
	mov	a,k_idle
	jnz	k_restore
	djnz	k_slice,k_restore
	clr	k_ea
	sjmp	k_save_pick

; Switches away from the running task, which calls here with interrupts
; off; the call returns when the task is picked again. The registers are
; not saved: sdcc's code keeps nothing in them across a call.
k_block:
	mov	a,k_cur
	add	a,#k_state
	mov	r0,a
	mov	a,@r0
	orl	a,#k_short
	mov	@r0,a
k_save_pick:
	mov	a,k_cur
	add	a,#k_sp
	mov	r0,a
	mov	@r0,sp
; The next ready task after the running one, round robin; the running one
; itself when no other is ready. Interrupts are off.
k_pick:
	mov	k_slice,#k_slice_ticks
	mov	r7,#k_count
	mov	a,k_cur
k_pick_next:
	inc	a
	cjne	a,#k_count,k_pick_try
	clr	a
k_pick_try:
	mov	r6,a
	add	a,#k_state
	mov	r0,a
	mov	a,@r0
	anl	a,#(k_exists | k_waits)
	cjne	a,#k_exists,k_pick_skip
	mov	k_cur,r6
	mov	k_idle,#0
	mov	a,r6
	mov	r7,a
	mov	dptr,#k_picked
	ljmp	k_move
k_picked:
	mov	a,k_cur
	add	a,#k_sp
	mov	r0,a
	mov	sp,@r0
	mov	a,k_cur
	add	a,#k_state
	mov	r0,a
	mov	a,@r0
	jnb	acc.3,k_restore
	anl	a,#~k_short
	mov	@r0,a
	setb	k_ea
	reti
k_restore:
	mov	psw,#0
	mov	r2,#l_OSEG
	mov	a,r2
	jz	00006$
	mov	a,#(s_OSEG - 1)
	add	a,r2
	mov	r0,a
00005$:
	pop	acc
	mov	@r0,a
	dec	r0
	djnz	r2,00005$
00006$:
	pop	0x07
	pop	0x06
	pop	0x05
	pop	0x04
	pop	0x03
	pop	0x02
	pop	0x01
	pop	0x00
	pop	psw
	pop	dph
	pop	dpl
	pop	b
	pop	acc
	setb	k_ea
	; Ends the tick's interrupt too when it switched tasks.
	reti
k_pick_skip:
	mov	a,r6
	djnz	r7,k_pick_next
	; No task is ready: interrupts come in here, on the free space, until
	; one is.
	mov	a,k_cur
	add	a,#k_sp
	mov	r0,a
	mov	sp,@r0
	mov	k_idle,#1
	setb	k_ea
	nop
	nop
	clr	k_ea
	sjmp	k_pick

; Where a task function that returns goes: the task ends.
k_end_task:
	mov	dpl,k_cur
	ljmp	_os_delete_task

; char os_create_task(unsigned char id)
_os_create_task::
	mov	a,dpl
	mov	r7,a
	add	a,#(0x100 - k_count)
	jc	00010$
	mov	a,r7
	rl	a
	mov	r6,a
	mov	dptr,#k_table
	movc	a,@a+dptr
	mov	b,a
	mov	a,r6
	inc	a
	movc	a,@a+dptr
	mov	r3,a
	orl	a,b
	jz	00010$
	push	k_ie
	clr	k_ea
	mov	a,r7
	add	a,#k_state
	mov	r1,a
	mov	a,@r1
	jb	acc.7,00011$
	; Room for its first frame and what an interrupt pushes on it.
	lcall	k_free
	clr	c
	subb	a,#(4 + 15)
	jc	00011$
	; Its stack, empty, gets the free space; its first frame: the end of
	; a task and the task's entry.
	mov	a,k_gap
	mov	r4,a
	add	a,#k_sp
	mov	r0,a
	mov	@r0,sp
	mov	dptr,#00001$
	ljmp	k_move
00001$:
	mov	a,r7
	add	a,#k_base
	mov	r0,a
	mov	a,@r0
	mov	r0,a
	mov	@r0,#k_end_task
	inc	r0
	mov	@r0,#(k_end_task >> 8)
	inc	r0
	mov	@r0,b
	inc	r0
	mov	a,r3
	mov	@r0,a
	mov	a,r7
	add	a,#k_sp
	xch	a,r0
	mov	@r0,a
	mov	a,r7
	add	a,#k_state
	mov	r0,a
	mov	@r0,#(k_exists | k_short)
	mov	a,r7
	add	a,#k_tmr
	mov	r0,a
	mov	@r0,#0
	; The free space back above the caller's stack, which may have moved.
	mov	a,r4
	mov	r7,a
	mov	dptr,#00003$
	ljmp	k_move
00003$:
	mov	a,k_gap
	add	a,#k_sp
	mov	r0,a
	mov	sp,@r0
	ljmp	k_ok_pop
00010$:
	ljmp	k_not_ok
00011$:
	ljmp	k_busy

; char os_delete_task(unsigned char id)
_os_delete_task::
	push	k_ie
	clr	k_ea
	lcall	k_find
	jc	00010$
	mov	@r1,#0
	mov	a,dpl
	mov	r7,a
	cjne	a,k_cur,00001$
	; The running task: its stack is given up.
	mov	a,r7
	add	a,#k_base
	mov	r0,a
	mov	a,@r0
	dec	a
	mov	r1,a
	mov	a,r7
	add	a,#k_sp
	mov	r0,a
	mov	a,r1
	mov	@r0,a
	ljmp	k_pick
00001$:
	; Its stack's bytes join the free space.
	mov	a,k_gap
	mov	r4,a
	add	a,#k_sp
	mov	r0,a
	mov	@r0,sp
	mov	dptr,#00002$
	ljmp	k_move
00002$:
	mov	a,r7
	add	a,#k_base
	mov	r0,a
	mov	a,@r0
	dec	a
	mov	r1,a
	mov	a,r7
	add	a,#k_sp
	mov	r0,a
	mov	a,r1
	mov	@r0,a
	mov	a,r4
	mov	r7,a
	mov	dptr,#00003$
	ljmp	k_move
00003$:
	mov	a,k_gap
	add	a,#k_sp
	mov	r0,a
	mov	sp,@r0
	ljmp	k_ok_pop
00010$:
	ljmp	k_busy

; The bytes free above the running code's stack, in A.
k_free:
	mov	a,k_gap
	cjne	a,#k_kernel,00001$
	mov	a,#k_last
	sjmp	00002$
00001$:
	add	a,#(k_base + 1)
	mov	r0,a
	mov	a,@r0
	dec	a
00002$:
	clr	c
	subb	a,sp
	; Less the call's return address.
	add	a,#2
	ret

; Moves the free space to lie above the stack of task R7 (the kernel's
; own for k_kernel): the stacks between move down or up by its size, and
; their bounds with them. Uses no stack, as it moves the one it runs on;
; returns to DPTR. Changes A, R0, R1, R5 and R6 only.
k_move:
	mov	a,r7
	cjne	a,k_gap,00001$
	ljmp	k_move_done
00001$:
	; R6: the free space's size.
	mov	a,k_gap
	cjne	a,#k_kernel,00002$
	mov	a,#k_last
	sjmp	00003$
00002$:
	add	a,#(k_base + 1)
	mov	r0,a
	mov	a,@r0
	dec	a
00003$:
	mov	r5,a
	mov	a,k_gap
	add	a,#k_sp
	mov	r0,a
	mov	a,r5
	clr	c
	subb	a,@r0
	mov	r6,a
	mov	a,r7
	clr	c
	subb	a,k_gap
	jc	k_move_up
	; Above: the bytes from the next stack's first to R7's last go down.
	mov	a,k_gap
	add	a,#(k_base + 1)
	mov	r0,a
	mov	a,@r0
	mov	r0,a
	mov	a,r7
	add	a,#k_sp
	mov	r1,a
	mov	a,@r1
	clr	c
	subb	a,r0
	inc	a
	mov	r5,a
	mov	a,r0
	clr	c
	subb	a,r6
	mov	r1,a
	mov	a,r5
	jz	00005$
00004$:
	mov	a,@r0
	mov	@r1,a
	inc	r0
	inc	r1
	djnz	r5,00004$
00005$:
	mov	r5,k_gap
00006$:
	inc	r5
	mov	a,r5
	add	a,#k_base
	mov	r0,a
	mov	a,@r0
	clr	c
	subb	a,r6
	mov	@r0,a
	mov	a,r5
	add	a,#k_sp
	mov	r0,a
	mov	a,@r0
	clr	c
	subb	a,r6
	mov	@r0,a
	mov	a,r5
	xrl	a,r7
	jnz	00006$
	sjmp	k_move_done
k_move_up:
	; Below: the bytes from R7's next stack's first to the free space's
	; stack's last go up, copied from the top.
	mov	a,r7
	add	a,#(k_base + 1)
	mov	r1,a
	mov	a,k_gap
	add	a,#k_sp
	mov	r0,a
	mov	a,@r0
	mov	r0,a
	clr	c
	subb	a,@r1
	inc	a
	mov	r5,a
	mov	a,r0
	add	a,r6
	mov	r1,a
	mov	a,r5
	jz	00008$
00007$:
	mov	a,@r0
	mov	@r1,a
	dec	r0
	dec	r1
	djnz	r5,00007$
00008$:
	mov	a,r7
	mov	r5,a
00009$:
	inc	r5
	mov	a,r5
	add	a,#k_base
	mov	r0,a
	mov	a,@r0
	add	a,r6
	mov	@r0,a
	mov	a,r5
	add	a,#k_sp
	mov	r0,a
	mov	a,@r0
	add	a,r6
	mov	@r0,a
	mov	a,r5
	cjne	a,k_gap,00009$
k_move_done:
	mov	k_gap,r7
	clr	a
	jmp	@a+dptr

; char os_wait(unsigned char typ, unsigned char ticks, unsigned int dummy)
; and char os_wait2(unsigned char typ, unsigned char ticks), reentrant:
; ticks is on the stack below the return address.
_os_wait::
_os_wait2::
	mov	a,sp
	add	a,#0xFE
	mov	r0,a
	mov	a,@r0
	mov	r6,a
	sjmp	k_wait
; char os_wait1(unsigned char typ)
_os_wait1::
	mov	r6,#0
; typ in DPL, ticks in R6.
k_wait:
	mov	r7,dpl
	clr	k_ea
	mov	a,k_cur
	add	a,#k_state
	mov	r0,a
	mov	a,@r0
	anl	a,#~k_events
	mov	@r0,a
	mov	a,r7
	jnb	acc.0,00002$
	mov	a,@r0
	jnb	acc.2,00001$
	; A signal came before the wait: taken at once.
	anl	a,#~k_sig
	mov	@r0,a
	mov	dpl,#k_sig_event
	setb	k_ea
	ret
00001$:
	orl	a,#k_w_sig
	mov	@r0,a
00002$:
	mov	a,k_cur
	add	a,#k_tmr
	mov	r1,a
	mov	a,r7
	jnb	acc.1,00003$
	mov	a,r6
	sjmp	00005$
00003$:
	jnb	acc.7,00006$
	; The interval runs on from where the last one ended, unless that
	; was longer ago than the interval: then it starts now.
	mov	a,@r1
	add	a,r6
	jc	00004$
	mov	a,r6
00004$:
	jz	k_timed_out
00005$:
	jz	k_timed_out
	mov	@r1,a
	mov	a,@r0
	orl	a,#k_w_tmo
	mov	@r0,a
00006$:
	mov	a,@r0
	anl	a,#k_waits
	jz	00010$
	lcall	k_block
	; Woken: the event that did it.
	clr	k_ea
	mov	a,k_cur
	add	a,#k_state
	mov	r0,a
	mov	a,@r0
	mov	r7,a
	anl	a,#~k_events
	mov	@r0,a
	mov	a,r7
	mov	dpl,#k_sig_event
	jb	acc.4,00007$
	mov	dpl,#k_tmo_event
	jb	acc.5,00007$
	mov	dpl,#k_rdy_event
00007$:
	setb	k_ea
	ret
00010$:
	; Nothing to wait for.
	mov	dpl,#0xFF
	setb	k_ea
	ret
k_timed_out:
	mov	a,@r0
	anl	a,#~k_waits
	mov	@r0,a
	mov	dpl,#k_tmo_event
	setb	k_ea
	ret

; char os_send_signal(unsigned char id), char isr_send_signal(unsigned char id)
_os_send_signal::
_isr_send_signal::
	push	k_ie
	clr	k_ea
	lcall	k_find
	jc	k_busy
	mov	a,@r1
	jnb	acc.0,00001$
	anl	a,#~k_waits
	orl	a,#k_ev_sig
	sjmp	00002$
00001$:
	orl	a,#k_sig
00002$:
	mov	@r1,a
	sjmp	k_ok_pop

; char os_clear_signal(unsigned char id)
_os_clear_signal::
	push	k_ie
	clr	k_ea
	lcall	k_find
	jc	k_busy
	mov	a,@r1
	anl	a,#~k_sig
	mov	@r1,a
	sjmp	k_ok_pop

; char os_set_ready(unsigned char id), char isr_set_ready(unsigned char id):
; ends the task's wait.
_os_set_ready::
_isr_set_ready::
	push	k_ie
	clr	k_ea
	lcall	k_find
	jc	k_busy
	mov	a,@r1
	anl	a,#k_waits
	jz	k_ok_pop
	mov	a,@r1
	anl	a,#~k_waits
	orl	a,#k_ev_rdy
	mov	@r1,a
	sjmp	k_ok_pop

k_busy:
	pop	k_ie
k_not_ok:
	mov	dpl,#0xFF
	ret
k_ok_pop:
	pop	k_ie
	mov	dpl,#0
	ret

; The task in DPL: R1 at its state; carry set when there is no such task.
k_find:
	mov	a,dpl
	add	a,#(0x100 - k_count)
	jc	00001$
	mov	a,dpl
	add	a,#k_state
	mov	r1,a
	mov	a,@r1
	mov	c,acc.7
	cpl	c
00001$:
	ret

; char os_running_task_id(void)
_os_running_task_id::
	mov	dpl,k_cur
	ret

; char os_switch_task(void): the next ready task runs; this one is ready
; again at once.
_os_switch_task::
	clr	k_ea
	lcall	k_block
	mov	dpl,#0
	ret

; char os_reset_interval(unsigned char ticks): the interval ends that many
; ticks from now.
_os_reset_interval::
	mov	a,k_cur
	add	a,#k_tmr
	mov	r0,a
	mov	@r0,dpl
	mov	dpl,#0
	ret
)asm";

void ReplaceAll(std::string* text, std::string_view from, const std::string& to) {
  for (size_t at = text->find(from); at != std::string::npos; at = text->find(from, at)) {
    text->replace(at, from.size(), to);
    at += to.size();
  }
}

}  // namespace

bool TaskNumber(std::string_view symbol, uint32_t* number) {
  if (symbol.substr(0, kTaskPrefix.size()) != kTaskPrefix) return false;
  const std::string_view digits = symbol.substr(kTaskPrefix.size());
  if (digits.empty() || digits.size() > 2 ||
      digits.find_first_not_of("0123456789") != std::string_view::npos ||
      (digits.size() > 1 && digits[0] == '0')) {
    return false;
  }
  const uint32_t value = static_cast<uint32_t>(std::stoul(std::string(digits)));
  if (value > kHighestTask) return false;
  *number = value;
  return true;
}

std::vector<uint32_t> ProgramTasks(const std::vector<LinkModule>& modules) {
  std::vector<uint32_t> tasks;
  for (const LinkModule& m : modules) {
    for (const std::string& symbol : m.symbols.code_publics) {
      uint32_t number = 0;
      if (TaskNumber(symbol, &number) &&
          std::find(tasks.begin(), tasks.end(), number) == tasks.end()) {
        tasks.push_back(number);
      }
    }
  }
  std::sort(tasks.begin(), tasks.end());
  return tasks;
}

std::string KernelSource(const std::vector<uint32_t>& tasks, uint32_t iram_top) {
  const uint32_t count = tasks.empty() ? 1 : tasks.back() + 1;
  std::string globls, table;
  for (uint32_t number = 0; number < count; ++number) {
    if (std::find(tasks.begin(), tasks.end(), number) == tasks.end()) {
      table += "\t.byte\t0, 0\n";
      continue;
    }
    const std::string symbol = std::string(kTaskPrefix) + std::to_string(number);
    globls += "\t.globl\t" + symbol + "\n";
    table += "\t.byte\t" + symbol + ", (" + symbol + " >> 8)\n";
  }
  char last[8];
  snprintf(last, sizeof last, "0x%02X", static_cast<unsigned>((iram_top - 1) & 0xFF));
  std::string source(kKernel);
  ReplaceAll(&source, "@COUNT@", std::to_string(count));
  ReplaceAll(&source, "@LAST@", last);
  ReplaceAll(&source, "@GLOBLS@\n", globls);
  ReplaceAll(&source, "@TABLE@\n", table);
  return source;
}

}  // namespace c51::sdcc
