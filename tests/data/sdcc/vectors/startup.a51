; A start-up file of the program's own: the reset comes here, which marks
; P1.7 low before sdcc's start-up code runs.
	.module	startup
	.globl	__sdcc_gsinit_startup

	.area	RESET (ABS,CODE)
	.org	0x0000
	ljmp	start

	.area	CSEG (CODE)
start:
	clr	0x97
	ljmp	__sdcc_gsinit_startup
