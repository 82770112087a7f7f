// Classic 8051 assembly, the syntax our users' projects are written in,
// translated to sdas8051's before sdas8051 runs. Every source line stays on
// its line, so sdas8051's messages keep the user's file and line; a line that
// needs several sdas8051 statements calls a macro defined in the prelude
// (assembled before the file), and what must come last goes after the last
// line. Examples (each is a row of the translator's tests):
//
//   NAME    BLINK                  =>  .module BLINK
//   $NOMOD51  /  $TITLE (x)        =>  (nothing: listing and SFR controls)
//   $SET (DEBUG)  /  $RESET (X)    =>  DEBUG = 1  /  X = 0
//   $IF (DEBUG)  $ELSE  $ENDIF     =>  .if DEBUG  .else  .endif (names no SET
//                                      defines are 0)
//   CSEG    AT 0BH                 =>  a macro: .area CABS_0A (ABS,CODE) / .org 0xB
//   CSEG / DSEG / ISEG / BSEG / XSEG  =>  .area CSEG (CODE) / DSEG (DATA) /
//                                      ISEG (DATA) / BSEG (BIT) / XSEG (XDATA)
//   ?PR?MAIN SEGMENT CODE          =>  (nothing; RSEG uses it)
//   RSEG    ?PR?MAIN               =>  .area $PR$MAIN (CODE)
//   ?STACK  SEGMENT IDATA          =>  (nothing)
//   RSEG    ?STACK                 =>  .area ISEG (DATA), and the label $STACK
//                                      there when the file uses the name
//   ORG     30H                    =>  .org 0x30 (in a plain CSEG...: an
//                                      absolute area from here, as CSEG AT)
//   PUBLIC  MAIN, ?C_STARTUP       =>  .globl MAIN, $C_STARTUP
//   EXTRN   CODE (?C_START), DATA (V, W)  =>  .globl __sdcc_gsinit_startup, V, W
//   LED     BIT  P1.0              =>  LED = P1.0
//   COUNT   DATA 30H  /  N EQU 10  =>  COUNT = 0x30  /  N = 0xA
//   CNT     EQU  R7                =>  (nothing; CNT stands for R7 from here)
//   LOOP:   DJNZ CNT,LOOP          =>  LOOP:  DJNZ R7,LOOP
//   START   MOV  A,#LOW(TAB)       =>  START: MOV A,#<TAB
//   TAB:    DB   'Hi',0DH,0        =>  TAB: .db 0x48,0x69,0xD,0
//           DW   1234H  /  DS 2  /  DBIT 1  =>  .dw 0x1234 / .ds 2 / .ds 1
//           USING 1 ... PUSH AR7   =>  PUSH 0xF, and bank 1 reserved at the end
//           SJMP $  /  JMP X  /  CALL X  =>  SJMP .  /  ljmp X  /  lcall X
//           IF N EQ 10 ... ELSE ... ENDIF  =>  .ifeq (N)-(0xA) ... .else ... .endif
//           END                    =>  (nothing; the lines after it are not read)
//
// Segments: xSEG AT (and ORG after a plain xSEG) opens a new absolute area
// each time, as sdas8051 cannot go back into an absolute area and set its
// address again; ORG inside an absolute segment is ".org";
// CSEG, DSEG... without AT are sdcc's own relocatable areas, and so are
// RSEG segments of the data spaces (DATA => DSEG, IDATA => ISEG, BIT =>
// BSEG, XDATA => XSEG: sdcc's linker keeps its stack clear only of those);
// a CODE segment keeps its own (mangled) name. Names are mangled as
// a51_names.h says; symbols ignore letter case (sdas8051 runs with -z).
// Which files count as classic: a51_syntax.h.
//
// Macros become sdas8051's: "name MACRO a, b" => ".macro name a, b" with
// each LOCAL label a "?" dummy (a label of its own per use), REPT, IRP and
// IRPC => ".rept", ".irp", ".irpc", EXITM => ".mexit", ENDM => ".endm"; a
// use's arguments are translated as operands ("DELAY 0FFH" => "DELAY 0xFF").
//
// Refused with an error naming the construct (the file is not assembled):
// ELSEIF and $ELSEIF, the relocation types INPAGE, PAGE and BITADDRESSABLE
// (INBLOCK in data segments), ORG in an
// RSEG segment, comparisons outside an IF, C preprocessor lines other than
// #include, other controls and directives, operators sdas8051 lacks.
#ifndef C51_TOOLS_SDCC_COMPILE_A51_CLASSIC_H_
#define C51_TOOLS_SDCC_COMPILE_A51_CLASSIC_H_

#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace c51::sdcc {

struct A51Issue {
  int line = 0;      // 1-based
  std::string text;  // upper case, for the assembler's error line
};

struct ClassicOptions {
  std::string tag;      // in the names of this file's macros and areas: unique per file
  bool header = false;  // an included file: it goes on in its includer's segment
  std::vector<std::string> set_symbols;  // SET on the command line: no default for $IF
  // Names of the C file around inline assembly, exact case: they get the
  // "_" sdcc gives C names.
  std::set<std::string> c_names;
  // Inline assembly in a C file: its names are the C file's, exact case.
  bool in_c = false;
};

struct ClassicTranslation {
  std::string text;     // sdas8051, line for line, then the lines that come last
  std::string prelude;  // to assemble before the file: macros, $IF defaults, the first area
  std::vector<A51Issue> issues;  // in line order; the file must not be assembled
};

void TranslateClassic(std::string_view text, const ClassicOptions& options,
                      ClassicTranslation* out);

// sdcc's areas in the order sdcc's own modules declare them, to go before a
// translated file: the linker lays areas out in the order it first meets
// them, and a module whose code area came first would push sdcc's reset
// vector away from address 0.
std::string SdccAreaOrder();

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_A51_CLASSIC_H_
