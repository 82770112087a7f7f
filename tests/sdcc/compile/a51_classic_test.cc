// The classic-syntax translator line by line: each construct's sdas8051
// text, the macros that join statements, what is refused and where, and
// which files count as classic at all.
#include "sdcc/compile/a51_classic.h"

#include <gtest/gtest.h>

#include "sdcc/compile/a51_c_header.h"
#include "sdcc/compile/a51_names.h"
#include "sdcc/compile/a51_syntax.h"

namespace c51::sdcc {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(pos, end - pos));
    pos = end + 1;
  }
  return lines;
}

// The translation of the last line of `text`, trimmed; the macro it calls,
// if any, as its statements joined by " / ".
std::string LastLine(const ClassicTranslation& t, size_t count, std::string* macro) {
  const std::vector<std::string> lines = Lines(t.text);
  std::string line = count <= lines.size() ? lines[count - 1] : "(missing)";
  while (!line.empty() && (line[0] == '\t' || line[0] == ' ')) line.erase(0, 1);
  const size_t call = line.find("a51$");
  if (call != std::string::npos) {
    const std::string name = line.substr(call);
    std::vector<std::string> prelude = Lines(t.prelude);
    for (size_t i = 0; i < prelude.size(); ++i) {
      if (prelude[i] != "\t.macro " + name) continue;
      for (size_t j = i + 1; j < prelude.size() && prelude[j] != "\t.endm"; ++j) {
        *macro += (macro->empty() ? "" : " / ") + prelude[j].substr(1);
      }
    }
    line = line.substr(0, call) + "(macro)";
  }
  return line;
}

TEST(A51Classic, TranslatesEachConstruct) {
  struct Case {
    const char* in;  // context lines, then the line under test
    const char* out;
    const char* macro;
  };
  const Case cases[] = {
      {"\tNAME\tBLINK", ".module BLINK", ""},
      {"\tNAME ?C_STARTUP", ".module $C_STARTUP", ""},
      {"$NOMOD51", "", ""},
      {"$TITLE (start-up) PAGELENGTH (60)", "", ""},
      {"$SET (DEBUG)", "DEBUG = 1", ""},
      {"$SET (A1, B1 = 5) RESET (C1)", "(macro)", "A1 = 1 / B1 = 5 / C1 = 0"},
      {"$IF (DEBUG)", ".if DEBUG", ""},
      {"$ELSE", ".else", ""},
      {"$ENDIF", ".endif", ""},
      {"\tCSEG AT 0BH", "(macro)", ".area CABS_0A (ABS,CODE) / .org 0xB"},
      {"\tCSEG AT 0\n\tCSEG AT 3", "(macro)", ".area CABS_0B (ABS,CODE) / .org 3"},
      {"\tDSEG AT 30H", "(macro)", ".area DABS_0A (ABS,DATA) / .org 0x30"},
      {"\tISEG AT 80H", "(macro)", ".area IABS_0A (ABS,DATA) / .org 0x80"},
      {"\tBSEG AT 2", "(macro)", ".area BABS_0A (ABS,BIT) / .org 2"},
      {"\tXSEG AT 8000H", "(macro)", ".area XABS_0A (ABS,XDATA) / .org 0x8000"},
      {"\tCSEG", ".area CSEG (CODE)", ""},
      {"\tdseg", ".area DSEG (DATA)", ""},
      {"\tISEG", ".area ISEG (DATA)", ""},
      {"\tBSEG", ".area BSEG (BIT)", ""},
      {"\tXSEG", ".area XSEG (XDATA)", ""},
      {"?PR?MAIN SEGMENT CODE", "", ""},
      {"?PR?MAIN SEGMENT CODE\n\tRSEG ?PR?MAIN", ".area $PR$MAIN (CODE)", ""},
      {"VARS SEGMENT DATA\n\tRSEG VARS", ".area DSEG (DATA)", ""},
      {"BITS SEGMENT BIT UNIT\n\tRSEG BITS", ".area BSEG (BIT)", ""},
      {"BUF SEGMENT XDATA\n\tRSEG BUF", ".area XSEG (XDATA)", ""},
      {"?STACK SEGMENT IDATA\n\tMOV SP,#?STACK-1\n\tRSEG ?STACK", "(macro)",
       ".area ISEG (DATA) / $STACK:"},
      {"\tORG 30H", ".org 0x30", ""},
      {"\tCSEG\n\tORG 100H", "(macro)", ".area CABS_0A (ABS,CODE) / .org 0x100"},
      {"\tPUBLIC MAIN, ?C_STARTUP", ".globl MAIN, $C_STARTUP", ""},
      {"\tEXTRN CODE (?C_START), DATA (V, W)", ".globl __sdcc_gsinit_startup, V, W", ""},
      {"\tEXTERN BIT (F), NUMBER (N)", ".globl F, N", ""},
      {"LED BIT P1.0", "LED = P1.0", ""},
      {"FLAG BIT 20H.3", "FLAG = 3", ""},
      {"FLAGS DATA 21H\nF2 BIT FLAGS.2", "F2 = 0xA", ""},
      {"EXTRN DATA (REG)\nRB BIT REG.1", "RB = (REG+1+(1-((REG>>7)&1))*(7*REG-0x100))", ""},
      {"COUNT DATA 30H", "COUNT = 0x30", ""},
      {"BUF IDATA 80H", "BUF = 0x80", ""},
      {"PORT XDATA 8000H", "PORT = 0x8000", ""},
      {"ENTRY CODE 1000H", "ENTRY = 0x1000", ""},
      {"N EQU 10", "N = 0xA", ""},
      {"N SET 1010B", "N = 0xA", ""},
      {"N EQU 17O + 17Q + 99D", "N = (0xF+0xF)+0x63", ""},
      {"N EQU 1 + 2 SHL 1", "N = 1+(2<<1)", ""},
      {"N EQU (1 + 2) SHL 1", "N = (1+2)<<1", ""},
      {"N EQU NOT 5 AND 0FFH", "N = (~5)&0xFF", ""},
      {"N EQU 7 MOD 3 OR 8 XOR 1", "N = ((7%3)|8)^1", ""},
      {"N EQU 'A'", "N = 0x41", ""},
      {"N EQU 'AB'", "N = 0x4142", ""},
      {"N EQU -1", "N = -1", ""},
      {"HERE EQU $", "HERE = .", ""},
      {"X = 0x12", "X = 0x12", ""},
      {"CNT EQU R7", "", ""},
      {"CNT EQU R7\nLOOP: DJNZ CNT,LOOP", "LOOP:\tDJNZ\tR7,LOOP", ""},
      {"START MOV A,#LOW(TAB)", "START:\tMOV\tA,#<TAB", ""},
      {"\tMOV A,#HIGH TAB + 1", "MOV\tA,#(>TAB)+1", ""},
      {"Loop: SJMP $", "Loop:\tSJMP\t.", ""},
      {"\tJMP X", "ljmp\tX", ""},
      {"\tCALL X", "lcall\tX", ""},
      {"\tJMP @A+DPTR", "JMP\t@A+DPTR", ""},
      {"\tMOVX @DPTR,A", "MOVX\t@DPTR,A", ""},
      {"\tANL C,/ACC.7", "ANL\tC,/ACC.7", ""},
      {"\tSETB 20H.3", "SETB\t3", ""},
      {"\tCLR 2FH.7", "CLR\t0x7F", ""},
      {"\tMOV C,PSW.2", "MOV\tC,PSW.2", ""},
      {"\tCJNE A,#'x',NEXT", "CJNE\tA,#0x78,NEXT", ""},
      {"\tPUSH AR7", "PUSH\t7", ""},
      {"\tUSING 1\n\tPUSH AR7", "PUSH\t0xF", ""},
      {"\tUSING 3\n\tPOP AR2", "POP\t0x1A", ""},
      {"\tUSING 2", "", ""},
      {"TAB: DB 'Hi',0DH,0", "TAB:\t.db 0x48,0x69,0xD,0", ""},
      {"\tDB 'It''s'", ".db 0x49,0x74,0x27,0x73", ""},
      {"\tDB 'A'+1", ".db 0x41+1", ""},
      {"\tDW 1234H, TAB", ".dw 0x1234,TAB", ""},
      {"\tDS 2", ".ds 2", ""},
      {"\tDBIT 1", ".ds 1", ""},
      {"\tIF N EQ 10", ".ifeq (N)-(0xA)", ""},
      {"\tIF N <> 0", ".ifne (N)-(0)", ""},
      {"\tIF N GE 2", ".ifge (N)-(2)", ""},
      {"\tIF N", ".if N", ""},
      {"\tELSE", ".else", ""},
      {"\tENDIF", ".endif", ""},
      {"\tEND", "", ""},
      {"\tNOP ; done", "NOP\t; done", ""},
      {"; only a comment", "; only a comment", ""},
      {"\tNOP // done", "NOP\t; done", ""},
      {"// only a comment", "; only a comment", ""},
      {"\tMOV A,#'/' // slash", "MOV\tA,#0x2F\t; slash", ""},
      {"\tSJMP $ // a; b", "SJMP\t.\t; a; b", ""},
      {"/* two\n  lines */ NOP", "NOP\t;  lines ", ""},
      {"/* a */\tNOP\t/* b */", "NOP\t; a  b ", ""},
      {"\tNOP ; x /* y", "NOP\t; x /* y", ""},
      {"/* open\n  ORG 10H\n */\n\tNOP", "NOP", ""},
      {".include \"/tmp/x/i1/REGS.INC\"", ".include \"/tmp/x/i1/REGS.INC\"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.in);
    ClassicTranslation t;
    TranslateClassic(c.in, ClassicOptions{"0", false, {}, {}}, &t);
    EXPECT_TRUE(t.issues.empty()) << t.issues[0].text;
    std::string macro;
    EXPECT_EQ(c.out, LastLine(t, Lines(c.in).size(), &macro));
    EXPECT_EQ(c.macro, macro);
  }
}

TEST(A51Classic, KeepsEveryLineOnItsLine) {
  const std::string source =
      "$NOMOD51\r\n\tNAME X\r\n\r\nSTART: CSEG AT 0\r\n\tLJMP START\r\n\tEND\r\nanything\r\n";
  ClassicTranslation t;
  TranslateClassic(source, ClassicOptions{"0", false, {}, {}}, &t);
  const std::vector<std::string> lines = Lines(t.text);
  ASSERT_GE(lines.size(), 7u);
  EXPECT_EQ("\tLJMP\tSTART", lines[4]);
  EXPECT_EQ("", lines[6]);  // after END
  // The register bank the code uses goes after the last line.
  EXPECT_EQ("\t.area REG_BANK_0 (REL,OVR,DATA)", lines[7]);
}

TEST(A51Classic, ReadsWhatWindowsEditorsSave) {
  ClassicTranslation t;
  TranslateClassic("\xEF\xBB\xBF\tNAME X\r\n\tNOP\r\n\x1A", ClassicOptions{"0", true, {}, {}}, &t);
  EXPECT_TRUE(t.issues.empty()) << t.issues[0].text;
  EXPECT_EQ("\t.module X\n\tNOP\n\n", t.text);
}

TEST(A51Classic, PreludeOpensTheDefaultSegmentAndZeroesUnsetControls) {
  ClassicTranslation t;
  TranslateClassic("$IF (DEBUG)\n$ENDIF\n$IF (SMALL OR MINE)\n$ENDIF\n\tORG 0\n\tLJMP 0\n",
                   ClassicOptions{"0", false, {"small"}, {}}, &t);
  ASSERT_TRUE(t.issues.empty()) << t.issues[0].text;
  // SET on the command line defines SMALL; the others are 0 unless the file sets them.
  EXPECT_EQ("DEBUG = 0\nMINE = 0\n\t.area CABS_0A (ABS,CODE)\n", t.prelude);
  EXPECT_EQ("\t.if SMALL|MINE", Lines(t.text)[2]);

  // Headers go on in their includer's segment and reserve no bank.
  TranslateClassic("\tORG 0\n\tNOP\n", ClassicOptions{"1", true, {}, {}}, &t);
  EXPECT_EQ("", t.prelude);
  EXPECT_EQ("\t.org 0\n\tNOP\n", t.text);
}

TEST(A51Classic, ReservesTheBanksUsingNames) {
  ClassicTranslation t;
  TranslateClassic("\tUSING 2\n\tUSING 0\n", ClassicOptions{"0", false, {}, {}}, &t);
  EXPECT_EQ(
      "\n\n\t.area REG_BANK_0 (REL,OVR,DATA)\n\t.ds 8\n\t.area REG_BANK_1 (REL,OVR,DATA)\n\t.ds 8\n"
      "\t.area REG_BANK_2 (REL,OVR,DATA)\n\t.ds 8\n",
      t.text);
}

// ORG in a relocatable segment before anything is laid in it counts from
// the segment's start: space skipped, none for ORG 0.
TEST(A51Classic, OrgAtTheStartOfARelocatableSegmentSkipsSpace) {
  for (const auto& [org, skip] : {std::pair<const char*, bool>{"0000H", false}, {"2", true}}) {
    SCOPED_TRACE(org);
    ClassicTranslation t;
    TranslateClassic(
        std::string("X SEGMENT CODE\n\tRSEG X\nS EQU 1\nGO:\n\tORG ") + org + "\n\tNOP\n\tEND\n",
        ClassicOptions{}, &t);
    ASSERT_TRUE(t.issues.empty()) << t.issues[0].text;
    EXPECT_EQ(skip, t.text.find(".ds 2\n\tNOP") != std::string::npos) << t.text;
    EXPECT_EQ(std::string::npos, t.text.find(".org")) << t.text;
  }
}

TEST(A51Classic, RefusesWhatItCannotTranslateAtItsLine) {
  struct Case {
    const char* in;
    int line;
    const char* text;
  };
  const Case cases[] = {
      {"\tNOP\nDELAY MACRO N\n\tDJNZ N,$\n", 3, "MACRO, REPT, IRP OR IRPC WITHOUT ENDM"},
      {"\tNOP\n\tEXITM\n", 2, "'EXITM' OUTSIDE A MACRO"},
      {"\tIRP X\n\tNOP\n\tENDM\n", 1, "'IRP' NEEDS A PARAMETER, A COMMA AND ITS VALUES"},
      {"M MACRO 1\n\tENDM\n", 1, "PARAMETER NAME EXPECTED, NOT '1'"},
      {"\tIF 1\n\tNOP\n\tELSEIF 2\n", 3, "DIRECTIVE 'ELSEIF' IS NOT SUPPORTED (NEST IF IN ELSE)"},
      {"$IF (A)\n$ELSEIF (B)\n", 2, "CONTROL '$ELSEIF' IS NOT SUPPORTED (NEST $IF IN $ELSE)"},
      {"$REGUSE X(A)\n", 1, "CONTROL '$REGUSE' IS NOT SUPPORTED"},
      {"\n#define N 1\n", 2, "PREPROCESSOR LINE '#DEFINE' IS NOT SUPPORTED"},
      {"X SEGMENT CODE INPAGE\n", 1, "RELOCATION TYPE 'INPAGE' IS NOT SUPPORTED"},
      {"X SEGMENT DATA INBLOCK\n", 1, "RELOCATION TYPE 'INBLOCK' IS NOT SUPPORTED"},
      {"X SEGMENT DATA BITADDRESSABLE\n", 1, "RELOCATION TYPE 'BITADDRESSABLE' IS NOT SUPPORTED"},
      {"X SEGMENT HDATA\n", 1, "SEGMENT TYPE 'HDATA' IS NOT SUPPORTED"},
      {"X SEGMENT CODE\n\tRSEG X\n\tNOP\n\tORG 10H\n", 4,
       "ORG IN A RELOCATABLE SEGMENT (RSEG) IS NOT SUPPORTED AFTER CODE OR DATA IN IT"},
      {"\tRSEG NOWHERE\n", 1, "SEGMENT 'NOWHERE' IS NOT DECLARED (name SEGMENT type)"},
      {"\tMOV A,#1 EQ 1\n", 1, "OPERATOR 'EQ' IS NOT SUPPORTED HERE (ONLY AS THE CONDITION OF IF)"},
      {"N EQU 1 << 2\n", 1, "UNEXPECTED '<<'"},
      {"\tSETB 30H.1\n", 1, "BYTE 0x30 HAS NO BIT ADDRESSES"},
      {"\tSETB P1.8\n", 1, "THE BIT NUMBER AFTER '.' MUST BE A CONSTANT FROM 0 TO 7"},
      {"\tUSING 4\n", 1, "USING TAKES A REGISTER BANK FROM 0 TO 3"},
      {"\tALIGN 4\n", 1, "DIRECTIVE 'ALIGN' IS NOT SUPPORTED"},
      {"T LIT 'x'\n", 1, "DIRECTIVE 'LIT' IS NOT SUPPORTED"},
      {"\tFOO A\n", 1, "'FOO' IS NOT AN 8051 INSTRUCTION OR A SUPPORTED DIRECTIVE"},
      {"\tMOV A,#0FFG\n", 1, "BAD NUMBER '0FFG'"},
      {"\tDB 'open\n", 1, "TEXT WITHOUT ITS CLOSING QUOTE"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.in);
    ClassicTranslation t;
    TranslateClassic(c.in, ClassicOptions{"0", false, {}, {}}, &t);
    ASSERT_EQ(1u, t.issues.size()) << (t.issues.empty() ? "" : t.issues[1].text);
    EXPECT_EQ(c.line, t.issues[0].line);
    EXPECT_EQ(c.text, t.issues[0].text);
  }
}

// Macros become sdas8051's: parameters and LOCAL labels are dummies spelled
// as the MACRO line spells them, and a use's arguments are expressions.
TEST(A51Classic, MacrosBecomeSdasMacros) {
  ClassicTranslation t;
  TranslateClassic(
      "DELAY MACRO CNT, REG\n\tLOCAL Again\n\tMOV reg,#cnt + 1\nagain: DJNZ Reg,AGAIN\n"
      "\tIF CNT EQ 0\n\tEXITM\n\tENDIF\n\tENDM\n"
      "\tCSEG AT 0\nL1: delay 0FFH, R7\n\tDELAY #LOW(TAB), @R0\n"
      "\tREPT 2*2\n\tNOP\n\tENDM\n\tIRP P, <P0, 0A0H>\n\tMOV p,#0\n\tENDM\n"
      "\tIRPC C, AB\n\tDB 'C'\n\tENDM\nTAB: NOP\n",
      ClassicOptions{"0", false, {}, {}}, &t);
  ASSERT_TRUE(t.issues.empty()) << t.issues[0].text;
  const std::vector<std::string> lines = Lines(t.text);
  ASSERT_GE(lines.size(), 21u);
  const std::vector<std::string> expected = {
      "\t.macro DELAY CNT, REG, ?Again",
      "",
      "\tMOV\tREG,#CNT+1",
      "Again:\tDJNZ\tREG,Again",
      "\t.ifeq (CNT)-(0)",
      "\t.mexit",
      "\t.endif",
      "\t.endm",
      lines[8],
      "L1:\tDELAY 0xFF, R7",
      "\tDELAY #<TAB, @R0",
      "\t.rept 2*2",
      "\tNOP",
      "\t.endm",
      "\t.irp P, P0, 0xA0",
      "\tMOV\tP,#0",
      "\t.endm",
      "\t.irpc C, AB",
  };
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(expected[i], lines[i]) << i;
}

TEST(A51Classic, TellsTheSyntaxOfAFile) {
  struct Case {
    const char* text;
    AsmSyntax syntax;
  };
  const Case cases[] = {
      {"\t.module start\n\tmov a,#1\n", AsmSyntax::kSdas},
      {"\xEF\xBB\xBF.module start\n", AsmSyntax::kSdas},
      {"start:\t.area CSEG (CODE)\n", AsmSyntax::kSdas},
      {"; x\n\t.include \"a.inc\"\n\tMOV A,#1\n", AsmSyntax::kClassic},
      {"VALUE = 0x12\n", AsmSyntax::kClassic},
      {"\tCSEG AT 0\n\tLJMP MAIN ; .area in a comment\n", AsmSyntax::kClassic},
      {"\tDB '.area'\n", AsmSyntax::kClassic},
      {"/* REG51.H */\n#define X 1\n", AsmSyntax::kCHeader},
      {"#ifndef X\nsfr P1 = 0x90;\n#endif\n", AsmSyntax::kCHeader},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(c.syntax, DetectAsmSyntax(c.text));
  }
}

TEST(A51CHeader, DeclarationsBecomeEquates) {
  struct Case {
    const char* in;
    const char* out;
    const char* macro;
  };
  const Case cases[] = {
      {"sfr P1 = 0x90;   /* port 1 */", "P1 = 0x90", ""},
      {"sfr16 T2 = 0xCC;", "T2 = 0xCC", ""},
      {"sfr T2CON = 0xC8;\nsbit TF2 = T2CON^7;", "TF2 = 0xCF", ""},
      {"sbit ET2 = IE^5;", "ET2 = (IE+5)", ""},
      {"sbit CY = 0xD7;", "CY = 0xD7", ""},
      {"sbit X = (0x80 + 0x10) ^ 1;", "X = 0x91", ""},
      {"#define LIMIT (0x10 + 2)", "LIMIT = 0x10+2", ""},
      {"#define MASK (1 << 3) | 0x01u", "MASK = (1<<3)|1", ""},
      {"#define XREG (*(unsigned char volatile xdata *)0xFE00)", "", ""},
      {"#define MAX(a, b) ((a) > (b))", "", ""},
      {"#ifndef REG_H\n#define REG_H", "", ""},
      {"#ifndef REG_H\n#define REG_H\n#endif", "", ""},
      {"#pragma save", "", ""},
      {"extern void f(void);", "", ""},
      {"sfr A = 0xE0, B = 0xF0;", "(macro)", "A = 0xE0 / B = 0xF0"},
      {"sfr P3 = 0xB0; sbit RD = P3^7;", "(macro)", "P3 = 0xB0 / RD = 0xB7"},
      {"/* a comment\n   sfr P9 = 0x99; still in it */", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.in);
    ClassicTranslation t;
    TranslateCHeader(c.in, "1", &t);
    EXPECT_TRUE(t.issues.empty()) << t.issues[0].text;
    std::string macro;
    EXPECT_EQ(c.out, LastLine(t, Lines(c.in).size(), &macro));
    EXPECT_EQ(c.macro, macro);
  }
}

TEST(A51CHeader, RefusesConditionalsOtherThanTheGuard) {
  ClassicTranslation t;
  TranslateCHeader("#ifndef H\n#define H\n#ifdef BIG\nsfr X = 1;\n#endif\n#endif\n", "1", &t);
  ASSERT_EQ(2u, t.issues.size());
  EXPECT_EQ(3, t.issues[0].line);
  EXPECT_EQ("'#IFDEF' IN A C HEADER IS NOT SUPPORTED IN ASSEMBLY", t.issues[0].text);
  EXPECT_EQ(5, t.issues[1].line);
}

TEST(A51Names, QuestionMarksBecomeDollarsAndBack) {
  EXPECT_EQ("$PR$MAIN$BLINK", MangleClassicName("?PR?MAIN?BLINK"));
  EXPECT_EQ("?PR?MAIN?BLINK", ClassicDisplayName(MangleClassicName("?PR?MAIN?BLINK")));
  EXPECT_EQ("__sdcc_gsinit_startup", MangleClassicName("?c_start"));
  EXPECT_EQ("_main", ClassicDisplayName("_main"));
  EXPECT_EQ("G$init$0_0$0", ClassicDisplayName("G$init$0_0$0"));
}

}  // namespace
}  // namespace c51::sdcc
