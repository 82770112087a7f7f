// The device headers the sdcc toolchain ships, checked against the register
// maps of the data sheets: each header is compiled alone through C51.exe with
// SRC, and the addresses sdcc gave its sfr and sbit names (the "_P1 = 0x0090"
// equates of the assembly) and its XDATA register macros are compared with
// the tables below. Headers of one family must also go together, with
// INTRINS.H, as projects include them.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/fs.h"
#include "sdcc/compile/family_headers.h"
#include "sdcc/run_program.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"
#include "tools/tool_runner.h"

namespace c51::sdcc {
namespace {

struct Register {
  const char* name;
  unsigned address;
};

struct HeaderCase {
  const char* include;              // as projects spell it
  std::vector<Register> registers;  // sfr and sbit names: SFR or bit addresses
  std::vector<Register> xdata;      // XDATA register macros
};

// From the data sheets' SFR tables; a few bits and the family's own registers.
const HeaderCase kHeaders[] = {
    {"REGX51.H",
     {{"P0", 0x80},   {"SP", 0x81},  {"DPL", 0x82}, {"DPH", 0x83},  {"PCON", 0x87}, {"TCON", 0x88},
      {"TMOD", 0x89}, {"TH1", 0x8D}, {"P1", 0x90},  {"SCON", 0x98}, {"SBUF", 0x99}, {"IE", 0xA8},
      {"IP", 0xB8},   {"PSW", 0xD0}, {"ACC", 0xE0}, {"B", 0xF0},    {"P0_0", 0x80}, {"P1_7", 0x97},
      {"P3_2", 0xB2}, {"IT0", 0x88}, {"TF1", 0x8F}, {"RI", 0x98},   {"EA", 0xAF},   {"CY", 0xD7},
      {"RXD", 0xB0},  {"RD", 0xB7}},
     {}},
    {"regx52.h",
     {{"T2CON", 0xC8}, {"T2MOD", 0xC9}, {"RCAP2L", 0xCA}, {"RCAP2H", 0xCB}, {"TL2", 0xCC},
      {"TH2", 0xCD},   {"P2", 0xA0},    {"P3", 0xB0},     {"TMOD", 0x89},   {"PSW", 0xD0},
      {"TF2", 0xCF},   {"EXF2", 0xCE},  {"RCLK", 0xCD},   {"TCLK", 0xCC},   {"EXEN2", 0xCB},
      {"TR2", 0xCA},   {"C_T2", 0xC9},  {"CP_RL2", 0xC8}, {"ET2", 0xAD},    {"PT2", 0xBD},
      {"T2", 0x90},    {"T2EX", 0x91},  {"P2_0", 0xA0},   {"P3_7", 0xB7}},
     {}},
    {"AT89C51RC.H",
     {{"AUXR", 0x8E},
      {"AUXR1", 0xA2},
      {"WDTRST", 0xA6},
      {"SADDR", 0xA9},
      {"IPH", 0xB7},
      {"SADEN", 0xB9},
      {"T2MOD", 0xC9},
      {"RCAP2H", 0xCB},
      {"DP0L", 0x82},
      {"DP0H", 0x83},
      {"P0", 0x80},
      {"IP", 0xB8},
      {"TR2", 0xCA},
      {"PT2", 0xBD},
      {"P1_1", 0x91}},
     {}},
    {"At89s52.h",
     {{"DP1L", 0x84},
      {"DP1H", 0x85},
      {"AUXR", 0x8E},
      {"AUXR1", 0xA2},
      {"WDTRST", 0xA6},
      {"T2CON", 0xC8},
      {"T2MOD", 0xC9},
      {"TH2", 0xCD},
      {"IE", 0xA8},
      {"SP", 0x81},
      {"P2_4", 0xA4},
      {"P0_7", 0x87},
      {"ET2", 0xAD}},
     {}},
    {"STC89C5xRC.H",
     {{"AUXR", 0x8E},     {"AUXR1", 0xA2},     {"SADDR", 0xA9},     {"IPH", 0xB7},
      {"SADEN", 0xB9},    {"XICON", 0xC0},     {"T2MOD", 0xC9},     {"WDT_CONTR", 0xE1},
      {"ISP_DATA", 0xE2}, {"ISP_CONTR", 0xE7}, {"IAP_ADDRH", 0xE3}, {"IAP_ADDRL", 0xE4},
      {"IAP_CMD", 0xE5},  {"IAP_TRIG", 0xE6},  {"P4", 0xE8},        {"T2CON", 0xC8},
      {"PX3", 0xC7},      {"IT2", 0xC0},       {"EX2", 0xC2},       {"INT2", 0xEB},
      {"INT3", 0xEA},     {"P00", 0x80},       {"P37", 0xB7},       {"P40", 0xE8},
      {"P46", 0xEE},      {"TF2", 0xCF}},
     {}},
    // sdcc ships a stc89.h of its own; the project must get ours.
    {"stc89.h",
     {{"WDT_CONTR", 0xE1},
      {"IAP_CONTR", 0xE7},
      {"P4", 0xE8},
      {"XICON", 0xC0},
      {"T2MOD", 0xC9},
      {"AUXR", 0x8E},
      {"RCAP2L", 0xCA},
      {"TL2", 0xCC},
      {"TH2", 0xCD},
      {"SADEN", 0xB9},
      {"P43", 0xEB},
      {"P10", 0x90}},
     {}},
    // Names sdcc ships headers of too, spelled as its projects spell them.
    // The 20-pin parts have no ports 0 and 2.
    {"at89x051.h",
     {{"SP", 0x81},   {"DPL", 0x82},  {"PCON", 0x87}, {"TCON", 0x88}, {"TMOD", 0x89},
      {"TH1", 0x8D},  {"P1", 0x90},   {"SCON", 0x98}, {"SBUF", 0x99}, {"IE", 0xA8},
      {"P3", 0xB0},   {"IP", 0xB8},   {"PSW", 0xD0},  {"ACC", 0xE0},  {"B", 0xF0},
      {"P1_0", 0x90}, {"P1_7", 0x97}, {"P3_0", 0xB0}, {"P3_6", 0xB6}, {"P3_7", 0xB7},
      {"INT1", 0xB3}, {"T1", 0xB5},   {"TF0", 0x8D},  {"TI", 0x99},   {"PS", 0xBC},
      {"OV", 0xD2}},
     {}},
    {"at89x55.h",
     {{"T2CON", 0xC8},
      {"T2MOD", 0xC9},
      {"RCAP2L", 0xCA},
      {"TH2", 0xCD},
      {"AUXR", 0x8E},
      {"AUXR1", 0xA2},
      {"WDTRST", 0xA6},
      {"TF2", 0xCF},
      {"ET2", 0xAD},
      {"P0_0", 0x80},
      {"P2_7", 0xA7}},
     {}},
    {"at89s8252.h",
     {{"DP0L", 0x82},
      {"DP0H", 0x83},
      {"DP1L", 0x84},
      {"DP1H", 0x85},
      {"SPDR", 0x86},
      {"WMCON", 0x96},
      {"SPSR", 0xAA},
      {"SPCR", 0xD5},
      {"T2MOD", 0xC9},
      {"T2CON", 0xC8},
      {"RCAP2H", 0xCB},
      {"TR2", 0xCA},
      {"IE", 0xA8},
      {"P1_4", 0x94},
      {"P3_3", 0xB3}},
     {}},
    {"AT89C51XD2.H",
     {{"CKCON0", 0x8F}, {"CKCON", 0x8F},  {"CKCON1", 0xAF}, {"FCON", 0xD1},   {"EECON", 0xD2},
      {"IEN0", 0xA8},   {"IEN1", 0xB1},   {"IPL1", 0xB2},   {"IPH1", 0xB3},   {"IPH0", 0xB7},
      {"IPL0", 0xB8},   {"BRL", 0x9A},    {"BDRCON", 0x9B}, {"SADDR", 0xA9},  {"SADEN", 0xB9},
      {"KBLS", 0x9C},   {"KBE", 0x9D},    {"KBF", 0x9E},    {"WDTPRG", 0xA7}, {"WDTRST", 0xA6},
      {"AUXR", 0x8E},   {"AUXR1", 0xA2},  {"SPCON", 0xC3},  {"SPSTA", 0xC4},  {"SPDAT", 0xC5},
      {"CCON", 0xD8},   {"CMOD", 0xD9},   {"CCAPM0", 0xDA}, {"CCAPM4", 0xDE}, {"CL", 0xE9},
      {"CH", 0xF9},     {"CCAP0L", 0xEA}, {"CCAP4L", 0xEE}, {"CCAP0H", 0xFA}, {"CCAP4H", 0xFE},
      {"CCF0", 0xD8},   {"CCF4", 0xDC},   {"CR", 0xDE},     {"CF", 0xDF},     {"EC", 0xAE},
      {"T2MOD", 0xC9},  {"P2_0", 0xA0}},
     {}},
    {"at89c51ed2.h",
     {{"EECON", 0xD2},
      {"CKCON0", 0x8F},
      {"SPCON", 0xC3},
      {"CCAP2H", 0xFC},
      {"CCAPM3", 0xDD},
      {"KBF", 0x9E},
      {"P1_3", 0x93}},
     {}},
    {"p89v51rd2.h",
     {{"SPDAT", 0x86},  {"AUXR", 0x8E},   {"AUXR1", 0xA2},  {"IEN0", 0xA8},   {"SADDR", 0xA9},
      {"SPSR", 0xAA},   {"FCF", 0xB1},    {"IP0H", 0xB7},   {"IP0", 0xB8},    {"SADEN", 0xB9},
      {"T2MOD", 0xC9},  {"SPCR", 0xD5},   {"CCON", 0xD8},   {"CMOD", 0xD9},   {"CCAPM0", 0xDA},
      {"CCAPM4", 0xDE}, {"CL", 0xE9},     {"CCAP0L", 0xEA}, {"CCAP4L", 0xEE}, {"CH", 0xF9},
      {"CCAP0H", 0xFA}, {"CCAP4H", 0xFE}, {"CCF0", 0xD8},   {"CCF2", 0xDA},   {"CR", 0xDE},
      {"CF", 0xDF},     {"EC", 0xAE},     {"TF2", 0xCF},    {"P1_0", 0x90},   {"P2_7", 0xA7}},
     {}},
    // The name student projects for the P89V51RD2 include.
    {"P89V51RX2.H",
     {{"FCF", 0xB1},
      {"SPCR", 0xD5},
      {"CCAPM1", 0xDB},
      {"CCAP1H", 0xFB},
      {"CCAP3L", 0xED},
      {"P3_5", 0xB5}},
     {}},
    {"STC12C5A60S2.H",
     {{"AUXR", 0x8E},      {"WAKE_CLKO", 0x8F}, {"CLK_DIV", 0x97},   {"P1M1", 0x91},
      {"P1M0", 0x92},      {"P0M1", 0x93},      {"P0M0", 0x94},      {"S2CON", 0x9A},
      {"S2BUF", 0x9B},     {"BRT", 0x9C},       {"P1ASF", 0x9D},     {"BUS_SPEED", 0xA1},
      {"AUXR1", 0xA2},     {"IE2", 0xAF},       {"P4M1", 0xB3},      {"IP2", 0xB5},
      {"IPH", 0xB7},       {"P4SW", 0xBB},      {"ADC_CONTR", 0xBC}, {"ADC_RES", 0xBD},
      {"ADC_RESL", 0xBE},  {"P4", 0xC0},        {"WDT_CONTR", 0xC1}, {"IAP_DATA", 0xC2},
      {"IAP_CONTR", 0xC7}, {"P5", 0xC8},        {"P5M0", 0xCA},      {"SPSTAT", 0xCD},
      {"SPCTL", 0xCE},     {"SPDAT", 0xCF},     {"CCON", 0xD8},      {"CMOD", 0xD9},
      {"CCAPM0", 0xDA},    {"CCAPM1", 0xDB},    {"CL", 0xE9},        {"CH", 0xF9},
      {"CCAP0L", 0xEA},    {"CCAP1H", 0xFB},    {"PCA_PWM0", 0xF2},  {"PCA_PWM1", 0xF3},
      {"ELVD", 0xAE},      {"EADC", 0xAD},      {"PPCA", 0xBF},      {"CF", 0xDF},
      {"CR", 0xDE},        {"CCF0", 0xD8},      {"CCF1", 0xD9},      {"P47", 0xC7},
      {"P53", 0xCB},       {"P00", 0x80}},
     {}},
    // The STC12C5410AD and STC12C2052AD series: their own map, with the
    // ADC, the clock divider and ISP registers where the later STC12 parts
    // have others, and port modes M0 first.
    {"STC12C5410AD.H",
     {{"SPSTAT", 0x84},    {"SPCTL", 0x85},    {"SPDAT", 0x86},     {"AUXR", 0x8E},
      {"P1M0", 0x91},      {"P1M1", 0x92},     {"P0M0", 0x93},      {"P0M1", 0x94},
      {"P2M0", 0x95},      {"P2M1", 0x96},     {"P3M0", 0xB1},      {"P3M1", 0xB2},
      {"IPH", 0xB7},       {"ADC_LOW2", 0xBE}, {"ADC_CONTR", 0xC5}, {"ADC_DATA", 0xC6},
      {"CLK_DIV", 0xC7},   {"CCON", 0xD8},     {"CMOD", 0xD9},      {"CCAPM3", 0xDD},
      {"WDT_CONTR", 0xE1}, {"ISP_DATA", 0xE2}, {"ISP_ADDRH", 0xE3}, {"ISP_ADDRL", 0xE4},
      {"ISP_CMD", 0xE5},   {"ISP_TRIG", 0xE6}, {"ISP_CONTR", 0xE7}, {"CL", 0xE9},
      {"CCAP3L", 0xED},    {"PCA_PWM3", 0xF5}, {"CH", 0xF9},        {"CCAP3H", 0xFD},
      {"EPCA_LVD", 0xAE},  {"EADC_SPI", 0xAD}, {"PPCA_LVD", 0xBE},  {"PADC_SPI", 0xBD},
      {"CF", 0xDF},        {"CCF3", 0xDB},     {"P10", 0x90},       {"P37", 0xB7}},
     {}},
    {"STC12C2052AD.h",
     {{"CLK_DIV", 0xC7},
      {"ADC_CONTR", 0xC5},
      {"ADC_DATA", 0xC6},
      {"WDT_CONTR", 0xE1},
      {"ISP_CONTR", 0xE7},
      {"P1M0", 0x91},
      {"P3M1", 0xB2},
      {"CCAPM1", 0xDB},
      {"CCAP1H", 0xFB},
      {"PCA_PWM1", 0xF3},
      {"SPCTL", 0x85},
      {"EADC_SPI", 0xAD},
      {"P17", 0x97}},
     {}},
    // The CAN 8051: timer 2, the PCA, the ADC and the CAN controller's
    // window onto its message objects.
    {"t89c51cc01.h",
     {{"CKCON", 0x8F},   {"CANGIT", 0x9B},  {"CANTEC", 0x9C},   {"CANREC", 0x9D},
      {"CANTCON", 0xA1}, {"AUXR1", 0xA2},   {"CANMSG", 0xA3},   {"CANTTCL", 0xA4},
      {"CANTTCH", 0xA5}, {"WDTRST", 0xA6},  {"WDTPRG", 0xA7},   {"IEN0", 0xA8},
      {"CANGSTA", 0xAA}, {"CANGCON", 0xAB}, {"CANTIML", 0xAC},  {"CANSTMPH", 0xAF},
      {"CANPAGE", 0xB1}, {"CANSTCH", 0xB2}, {"CANCONCH", 0xB3}, {"CANBT1", 0xB4},
      {"CANBT3", 0xB6},  {"IPH0", 0xB7},    {"IPL0", 0xB8},     {"CANSIT1", 0xBA},
      {"CANSIT2", 0xBB}, {"CANIDT1", 0xBC}, {"CANIDT4", 0xBF},  {"P4", 0xC0},
      {"CANGIE", 0xC1},  {"CANIE1", 0xC2},  {"CANIE2", 0xC3},   {"CANIDM1", 0xC4},
      {"CANIDM4", 0xC7}, {"T2MOD", 0xC9},   {"CANEN1", 0xCE},   {"CANEN2", 0xCF},
      {"FCON", 0xD1},    {"EECON", 0xD2},   {"CCAPM4", 0xDE},   {"IEN1", 0xE8},
      {"CCAP4L", 0xEE},  {"ADCLK", 0xF2},   {"ADCON", 0xF3},    {"ADDL", 0xF4},
      {"ADDH", 0xF5},    {"ADCF", 0xF6},    {"IPH1", 0xF7},     {"IPL1", 0xF8},
      {"CCAP4H", 0xFE},  {"ECAN", 0xE8},    {"EADC", 0xE9},     {"ETIM", 0xEA},
      {"EC", 0xAE},      {"PCANL", 0xF8},   {"PADCL", 0xF9},    {"CCF4", 0xDC},
      {"P4_0", 0xC0},    {"P4_1", 0xC1},    {"TF2", 0xCF}},
     {}},
    // The ADuC831's map, which its PLL, single-cycle and I2C-address
    // successors extend.
    {"aduc831.h",
     {{"DPP", 0x84},      {"I2CDAT", 0x9A},   {"I2CADD", 0x9B},   {"T3FD", 0x9D},
      {"T3CON", 0x9E},    {"TIMECON", 0xA1},  {"HTHSEC", 0xA2},   {"SEC", 0xA3},
      {"MIN", 0xA4},      {"HOUR", 0xA5},     {"INTVAL", 0xA6},   {"DPCON", 0xA7},
      {"IEIP2", 0xA9},    {"PWMCON", 0xAE},   {"CFG831", 0xAF},   {"PWM0L", 0xB1},
      {"PWM0H", 0xB2},    {"PWM1L", 0xB3},    {"PWM1H", 0xB4},    {"SPH", 0xB7},
      {"ECON", 0xB9},     {"EDATA1", 0xBC},   {"EDATA4", 0xBF},   {"WDCON", 0xC0},
      {"CHIPID", 0xC2},   {"EADRL", 0xC6},    {"EADRH", 0xC7},    {"RCAP2L", 0xCA},
      {"TH2", 0xCD},      {"DMAL", 0xD2},     {"DMAH", 0xD3},     {"DMAP", 0xD4},
      {"ADCCON2", 0xD8},  {"ADCDATAL", 0xD9}, {"ADCDATAH", 0xDA}, {"PSMCON", 0xDF},
      {"I2CCON", 0xE8},   {"ADCCON1", 0xEF},  {"ADCOFSL", 0xF1},  {"ADCOFSH", 0xF2},
      {"ADCGAINL", 0xF3}, {"ADCGAINH", 0xF4}, {"ADCCON3", 0xF5},  {"SPIDAT", 0xF7},
      {"SPICON", 0xF8},   {"DAC0L", 0xF9},    {"DAC0H", 0xFA},    {"DAC1L", 0xFB},
      {"DAC1H", 0xFC},    {"DACCON", 0xFD},   {"EADC", 0xAE},     {"PADC", 0xBE},
      {"PSI", 0xBF},      {"ADCI", 0xDF},     {"SCONV", 0xDC},    {"CS0", 0xD8},
      {"MDO", 0xEF},      {"MCO", 0xED},      {"I2CM", 0xEB},     {"I2CI", 0xE8},
      {"ISPI", 0xFF},     {"SPR0", 0xF8},     {"WDWR", 0xC0},     {"PRE3", 0xC7},
      {"CNT2", 0xC9},     {"CAP2", 0xC8},     {"ES", 0xAC},       {"TR2", 0xCA}},
     {}},
    {"ADUC832.H",
     {{"CFG832", 0xAF}, {"PLLCON", 0xD7}, {"PWMCON", 0xAE}, {"ADCCON2", 0xD8}, {"T3CON", 0x9E}},
     {}},
    {"ADuC841.h",
     {{"CFG841", 0xAF},
      {"I2CADD1", 0x91},
      {"I2CADD2", 0x92},
      {"I2CADD3", 0x93},
      {"I2CADD", 0x9B},
      {"ADCCON1", 0xEF},
      {"DACCON", 0xFD}},
     {}},
    {"ADUC842.H", {{"CFG842", 0xAF}, {"PLLCON", 0xD7}, {"I2CADD3", 0x93}, {"SPICON", 0xF8}}, {}},
    {"STC15F2K60S2.H",
     {{"S4CON", 0x84},   {"S4BUF", 0x85},   {"INT_CLKO", 0x8F}, {"WAKE_CLKO", 0x8F},
      {"AUXR2", 0x8F},   {"CLK_DIV", 0x97}, {"PCON2", 0x97},    {"P_SW1", 0xA2},
      {"AUXR1", 0xA2},   {"WKTCL", 0xAA},   {"WKTCH", 0xAB},    {"S3CON", 0xAC},
      {"S3BUF", 0xAD},   {"IE2", 0xAF},     {"IP2", 0xB5},      {"P_SW2", 0xBA},
      {"ADC_RES", 0xBD}, {"P5", 0xC8},      {"P6M1", 0xCB},     {"P6M0", 0xCC},
      {"T4T3M", 0xD1},   {"T4H", 0xD2},     {"T4L", 0xD3},      {"T3H", 0xD4},
      {"T3L", 0xD5},     {"T2H", 0xD6},     {"T2L", 0xD7},      {"CCAPM2", 0xDC},
      {"P7M1", 0xE1},    {"P7M0", 0xE2},    {"CMPCR1", 0xE6},   {"CMPCR2", 0xE7},
      {"P6", 0xE8},      {"CCAP2L", 0xEC},  {"PCA_PWM2", 0xF4}, {"P7", 0xF8},
      {"CCAP2H", 0xFC},  {"IAP_CMD", 0xC5}, {"CCF2", 0xDA},     {"P60", 0xE8},
      {"P77", 0xFF},     {"ELVD", 0xAE},    {"PLVD", 0xBE}},
     {}},
    // Its projects include it for the STC15W4K series too: the family's
    // largest set, with the enhanced PWM.
    {"stc15.h",
     {{"AUXR", 0x8E},
      {"T2H", 0xD6},
      {"T2L", 0xD7},
      {"P_SW1", 0xA2},
      {"IE2", 0xAF},
      {"INT_CLKO", 0x8F},
      {"IAP_CONTR", 0xC7},
      {"P4", 0xC0},
      {"ADC_CONTR", 0xBC},
      {"CLK_DIV", 0x97},
      {"P34", 0xB4},
      {"P55", 0xCD},
      {"PWMCFG", 0xF1},
      {"PWMCR", 0xF5}},
     {{"PWMCKS", 0xFFF2}, {"PWM5CR", 0xFF34}}},
    // The STC15W4K series: the family's registers and its enhanced PWM.
    {"STC15W4K32S4.H",
     {{"P4", 0xC0},     {"P4M1", 0xB3},  {"P4M0", 0xB4},  {"P5M1", 0xC9},     {"P6", 0xE8},
      {"P6M0", 0xCC},   {"P7", 0xF8},    {"P7M1", 0xE1},  {"S3CON", 0xAC},    {"S3BUF", 0xAD},
      {"S4CON", 0x84},  {"S4BUF", 0x85}, {"T4T3M", 0xD1}, {"T3H", 0xD4},      {"T3L", 0xD5},
      {"T4H", 0xD2},    {"T4L", 0xD3},   {"IE2", 0xAF},   {"INT_CLKO", 0x8F}, {"P_SW2", 0xBA},
      {"PWMCFG", 0xF1}, {"PWMCR", 0xF5}, {"PWMIF", 0xF6}, {"PWMFDCR", 0xF7},  {"PCA_PWM2", 0xF4},
      {"CCAP2H", 0xFC}, {"P47", 0xC7},   {"P76", 0xFE}},
     {{"PWMCH", 0xFFF0},
      {"PWMCL", 0xFFF1},
      {"PWMCKS", 0xFFF2},
      {"PWM2T1H", 0xFF00},
      {"PWM2T1L", 0xFF01},
      {"PWM2T2H", 0xFF02},
      {"PWM2T2L", 0xFF03},
      {"PWM2CR", 0xFF04},
      {"PWM3T2L", 0xFF13},
      {"PWM4CR", 0xFF24},
      {"PWM5T1H", 0xFF30},
      {"PWM6T2H", 0xFF42},
      {"PWM7T1L", 0xFF51},
      {"PWM7CR", 0xFF54}}},
    // STC's example code includes this name for every STC15 part.
    {"stc15fxxxx.h",
     {{"AUXR", 0x8E},
      {"T2H", 0xD6},
      {"P_SW1", 0xA2},
      {"IAP_CONTR", 0xC7},
      {"S2CON", 0x9A},
      {"CLK_DIV", 0x97},
      {"PWMCR", 0xF5},
      {"P32", 0xB2}},
     {{"PWMCKS", 0xFFF2}, {"PWM3CR", 0xFF14}}},
    {"STC8A8K64S4A12.H",
     {{"AUXR", 0x8E},      {"P1M1", 0x91},    {"P_SW1", 0xA2},    {"IE2", 0xAF},  {"P_SW2", 0xBA},
      {"ADC_CONTR", 0xBC}, {"ADC_RES", 0xBD}, {"ADC_RESL", 0xBE}, {"P4", 0xC0},   {"IAP_CMD", 0xC5},
      {"IAP_TPS", 0xF5},   {"P5", 0xC8},      {"P6M1", 0xCB},     {"P6M0", 0xCC}, {"T2H", 0xD6},
      {"CCON", 0xD8},      {"ADCCFG", 0xDE},  {"P7M1", 0xE1},     {"P7M0", 0xE2}, {"P6", 0xE8},
      {"P7", 0xF8},        {"RSTCFG", 0xFF}},
     {{"CKSEL", 0xFE00},
      {"CLKDIV", 0xFE01},
      {"IRC24MCR", 0xFE02},
      {"P7PU", 0xFE17},
      {"P7NCS", 0xFE1F},
      {"I2CCFG", 0xFE80},
      {"I2CRXD", 0xFE87}}},
    // The name STC's programming tool gives the STC8A/STC8F header.
    {"stc8.h",
     {{"AUXR", 0x8E},
      {"P_SW2", 0xBA},
      {"ADC_CONTR", 0xBC},
      {"T4T3M", 0xD1},
      {"ADCCFG", 0xDE},
      {"P7M0", 0xE2},
      {"RSTCFG", 0xFF},
      {"P53", 0xCB}},
     {{"CKSEL", 0xFE00}, {"P0PU", 0xFE10}, {"I2CCFG", 0xFE80}}},
    {"STC8G.H",
     {{"INTCLKO", 0x8F},   {"IRCBAND", 0x9D},  {"LIRTRIM", 0x9E},  {"IRTRIM", 0x9F},
      {"P_SW1", 0xA2},     {"TA", 0xAE},       {"IP2H", 0xB6},     {"P_SW2", 0xBA},
      {"ADC_CONTR", 0xBC}, {"IAP_TRIG", 0xC6}, {"T4T3M", 0xD1},    {"CCON", 0xD8},
      {"CCAPM2", 0xDC},    {"ADCCFG", 0xDE},   {"IP3", 0xDF},      {"DPS", 0xE3},
      {"DPL1", 0xE4},      {"DPH1", 0xE5},     {"IP3H", 0xEE},     {"AUXINTIF", 0xEF},
      {"PWMSET", 0xF1},    {"IAP_TPS", 0xF5},  {"PWMCFG01", 0xF6}, {"PWMCFG23", 0xF7},
      {"PWMCFG45", 0xFE},  {"RSTCFG", 0xFF},   {"CCAP2H", 0xFC},   {"CF", 0xDF},
      {"CCF2", 0xDA},      {"P54", 0xCC},      {"P57", 0xCF}},
     {{"CLKSEL", 0xFE00},    {"CKSEL", 0xFE00},    {"CLKDIV", 0xFE01},    {"HIRCCR", 0xFE02},
      {"XOSCCR", 0xFE03},    {"IRC32KCR", 0xFE04}, {"MCLKOCR", 0xFE05},   {"IRCDB", 0xFE06},
      {"P0PU", 0xFE10},      {"P5PU", 0xFE15},     {"P3NCS", 0xFE1B},     {"P2SR", 0xFE22},
      {"P4DR", 0xFE2C},      {"P3IE", 0xFE33},     {"I2CCFG", 0xFE80},    {"I2CMSAUX", 0xFE88},
      {"TM2PS", 0xFEA2},     {"TM4PS", 0xFEA4},    {"ADCTIM", 0xFEA8},    {"PWM0CH", 0xFF00},
      {"PWM0TADCL", 0xFF04}, {"PWM0FDCR", 0xFF06}, {"PWM00T1H", 0xFF10},  {"PWM07HLD", 0xFF4D},
      {"PWM1CKS", 0xFF52},   {"PWM17CR", 0xFF9C},  {"PWM2TADCH", 0xFFA3}, {"PWM27HLD", 0xFFED},
      {"PWM3CH", 0xFC00},    {"PWM30T1H", 0xFC10}, {"PWM4TADCL", 0xFC54}, {"PWM47HLD", 0xFC9D},
      {"PWM5FDCR", 0xFCA6},  {"PWM57HLD", 0xFCED}}},
    {"STC8H.H",
     {{"USBCLK", 0xDC}, {"P7M1", 0xE1},   {"P7M0", 0xE2},     {"P6M1", 0xCB}, {"P6M0", 0xCC},
      {"P6", 0xE8},     {"USBDAT", 0xEC}, {"USBCON", 0xF4},   {"P7", 0xF8},   {"USBADR", 0xFC},
      {"S4CON", 0x84},  {"S3BUF", 0xAD},  {"ADC_RESL", 0xBE}, {"T2L", 0xD7},  {"CMPCR2", 0xE7},
      {"RSTCFG", 0xFF}, {"P60", 0xE8},    {"P77", 0xFF},      {"EADC", 0xAD}, {"PPCA", 0xBF}},
     {{"CLKSEL", 0xFE00},     {"CLKDIV", 0xFE01},     {"X32KCR", 0xFE08},
      {"P7PU", 0xFE17},       {"P6NCS", 0xFE1E},      {"P7SR", 0xFE27},
      {"P6DR", 0xFE2E},       {"P7IE", 0xFE37},       {"RTCCR", 0xFE60},
      {"INISSEC", 0xFE6E},    {"YEAR", 0xFE70},       {"SSEC", 0xFE76},
      {"I2CTXD", 0xFE86},     {"I2CRXD", 0xFE87},     {"TM3PS", 0xFEA3},
      {"ADCTIM", 0xFEA8},     {"T3T4PIN", 0xFEAC},    {"PWMA_ETRPS", 0xFEB0},
      {"PWMB_IOAUX", 0xFEB7}, {"PWMA_CR1", 0xFEC0},   {"PWMA_CCER2", 0xFECD},
      {"PWMA_CNTRH", 0xFECE}, {"PWMA_RCR", 0xFED4},   {"PWMA_CCR1H", 0xFED5},
      {"PWMA_CCR4L", 0xFEDC}, {"PWMA_OISR", 0xFEDF},  {"PWMB_CR1", 0xFEE0},
      {"PWMB_ARRL", 0xFEF3},  {"PWMB_CCR5H", 0xFEF5}, {"PWMB_CCR8L", 0xFEFC},
      {"PWMB_OISR", 0xFEFF},  {"P0INTE", 0xFD00},     {"P7INTF", 0xFD17},
      {"P3IM0", 0xFD23},      {"P5IM1", 0xFD35},      {"P7WKUE", 0xFD47},
      {"PIN_IP", 0xFD60},     {"PIN_IPH", 0xFD61},    {"MD3", 0xFCF0},
      {"MD0", 0xFCF3},        {"MD4", 0xFCF5},        {"ARCON", 0xFCF6},
      {"OPCON", 0xFCF7}}},
};

// The "_NAME = 0x0090" equates sdcc writes for sfr and sbit declarations.
std::map<std::string, unsigned> Equates(const std::string& src) {
  std::map<std::string, unsigned> equates;
  size_t pos = 0;
  while (pos < src.size()) {
    size_t end = src.find('\n', pos);
    if (end == std::string::npos) end = src.size();
    char name[64];
    unsigned value = 0;
    if (std::sscanf(src.substr(pos, end - pos).c_str(), "_%63s = 0x%x", name, &value) == 2) {
      equates[name] = value;
    }
    pos = end + 1;
  }
  return equates;
}

// The address stored in the probe's "xr_NAME" constant (two bytes, low
// first), or -1 when it is not there.
long XdataAddress(const std::string& src, const std::string& name) {
  const std::string label = "\n_xr_" + name + ":\n\t.byte ";
  const size_t at = src.find(label);
  unsigned low = 0, high = 0;
  if (at == std::string::npos ||
      std::sscanf(src.c_str() + at + label.size(), "#0x%x, #0x%x", &low, &high) != 2) {
    return -1;
  }
  return static_cast<long>(high << 8 | low);
}

class RegisterHeadersTest : public testing::Test {
 protected:
  void SetUp() override {
    if (FindSdccProgram("sdcc").empty()) GTEST_SKIP() << "sdcc is not installed";
    ASSERT_FALSE(dir_.path().empty());
  }

  // Compiles `source` to assembly; the assembly, or "" with the test failed.
  std::string Compile(const std::string& source) {
    std::string err;
    EXPECT_TRUE(WriteWholeFile(dir_.path() + "probe.c", source, &err)) << err;
    test::ToolRun run;
    EXPECT_TRUE(
        test::RunCommandLine("\"" + c51_ + "\" probe.c SRC(probe.SRC)", dir_.path(), &run, &err))
        << err;
    EXPECT_EQ(0, run.exit_code) << source << run.output;
    EXPECT_EQ(std::string::npos, run.output.find("***")) << run.output;
    std::string src;
    if (ReadWholeFile(dir_.path() + "probe.SRC", &src, &err) != ReadStatus::kOkay) return "";
    return src;
  }

  // Checks each of `registers` (sfr and sbit names) has its address in the
  // assembly of a use of every one under `include`.
  void ExpectAddresses(const std::string& include, const std::vector<Register>& registers) {
    std::string probe = "#include <" + include + ">\nunsigned char sum;\nvoid main(void) {\n";
    for (const Register& r : registers) probe += "  sum += " + std::string(r.name) + ";\n";
    probe += "}\n";
    const std::map<std::string, unsigned> equates = Equates(Compile(probe));
    for (const Register& r : registers) {
      const auto it = equates.find(r.name);
      if (it == equates.end()) {
        ADD_FAILURE() << r.name << " has no address in the assembly";
      } else {
        EXPECT_EQ(r.address, it->second) << r.name;
      }
    }
  }

  test::ScopedTempDir dir_{"regheaders"};
  const std::string c51_ = ExecutableDirectory() + "sdcctool/C51/BIN/C51.exe";
  test::ScopedEnv c51inc_{"C51INC", ExecutableDirectory() + "sdcctool/C51/INC/"};
};

TEST_F(RegisterHeadersTest, EveryHeaderAloneGivesTheDataSheetAddresses) {
  for (const HeaderCase& header : kHeaders) {
    SCOPED_TRACE(header.include);
    // Every name used, so none can be missing; XDATA addresses kept as data.
    std::string probe = "#include <" + std::string(header.include) + ">\n";
    for (const Register& r : header.xdata) {
      probe +=
          "unsigned int code xr_" + std::string(r.name) + " = (unsigned int)&" + r.name + ";\n";
    }
    probe += "unsigned char sum;\nvoid main(void) {\n";
    for (const Register& r : header.registers) probe += "  sum += " + std::string(r.name) + ";\n";
    for (const Register& r : header.xdata) probe += "  sum += " + std::string(r.name) + ";\n";
    probe += "}\n";

    const std::string src = Compile(probe);
    const std::map<std::string, unsigned> equates = Equates(src);
    for (const Register& r : header.registers) {
      const auto it = equates.find(r.name);
      if (it == equates.end()) {
        ADD_FAILURE() << r.name << " has no address in the assembly";
      } else {
        EXPECT_EQ(r.address, it->second) << r.name;
      }
    }
    for (const Register& r : header.xdata) {
      EXPECT_EQ(static_cast<long>(r.address), XdataAddress(src, r.name)) << r.name;
    }
  }
}

// sdcc ships headers of these names with the same addresses, so only our
// include guard tells that the project got ours, with our names.
TEST_F(RegisterHeadersTest, OursComeBeforeSdccsOfTheSameName) {
  const std::pair<const char*, const char*> headers[] = {
      {"stc89.h", "C51_STC89_H"},           {"at89x051.h", "C51_AT89X051_H"},
      {"at89x55.h", "C51_AT89X55_H"},       {"at89s8252.h", "C51_AT89S8252_H"},
      {"at89c51ed2.h", "C51_AT89C51ED2_H"}, {"p89v51rd2.h", "C51_P89V51RD2_H"},
  };
  for (const auto& [include, guard] : headers) {
    SCOPED_TRACE(include);
    const std::string probe = "#include <" + std::string(include) + ">\n#ifndef " + guard +
                              "\n#error not our header\n#endif\nvoid main(void) {}\n";
    EXPECT_NE("", Compile(probe));
  }
}

// The Atmel headers name the bits of the registers that are not bit
// addressable: a UART set up with "PCON |= SMOD_" runs at the rate meant.
TEST_F(RegisterHeadersTest, AtmelHeadersMaskThePowerAndTimerModeBits) {
  const std::string checks =
      "#if SMOD_ != 0x80 || GF1_ != 8 || GF0_ != 4 || PD_ != 2 || IDL_ != 1\n#error PCON\n#endif\n"
      "#if T1_GATE_ != 0x80 || T1_CT_ != 0x40 || T1_M1_ != 0x20 || T1_M0_ != 0x10 || "
      "T0_GATE_ != 8 || T0_CT_ != 4 || T0_M1_ != 2 || T0_M0_ != 1 || T0_MASK_ != 0x0F || "
      "T1_MASK_ != 0xF0\n#error TMOD\n#endif\n";
  const std::string use =
      "void main(void) { PCON |= SMOD_; TMOD = (TMOD & ~T1_MASK_) | T1_M1_; }\n";
  for (const char* header : {"AT89X51.H", "AT89X52.H", "AT89X55.H", "AT89S52.H"}) {
    SCOPED_TRACE(header);
    EXPECT_NE("", Compile("#include <" + std::string(header) + ">\n" + checks + use));
  }
  EXPECT_NE(
      "",
      Compile("#include <AT89X52.H>\n#if DCEN_ != 1 || T2OE_ != 2\n#error T2MOD\n#endif\n" + use));
}

// The STC8 headers name the bits of the registers that are not bit
// addressable, with the data sheets' values: "P_SW2 |= EAXFR" must open the
// XDATA registers, not fail on an unknown name or set another bit.
TEST_F(RegisterHeadersTest, Stc8HeadersMaskTheBitsOfTheirRegisters) {
  const std::string common =
      "#if EAXFR != 0x80 || T0x12 != 0x80 || T1x12 != 0x40 || T2R != 0x10 || T2x12 != 4 || "
      "S1ST2 != 1\n#error AUXR or P_SW2\n#endif\n"
      "#if SMOD != 0x80 || SMOD0 != 0x40 || LVDF != 0x20 || POF != 0x10 || PD != 2 || IDL != 1 || "
      "T1_GATE != 0x80 || T0_M1 != 2\n#error PCON or TMOD\n#endif\n"
      "#if S2SM0 != 0x80 || S2REN != 0x10 || S2TI != 2 || S2RI != 1 || S3ST3 != 0x40 || "
      "S3TI != 2 || S4ST4 != 0x40 || S4RI != 1\n#error UARTs\n#endif\n"
      "#if ET4 != 0x40 || ES3 != 8 || ET2 != 4 || ES2 != 1 || EX4 != 0x40 || EX2 != 0x10 || "
      "T0CLKO != 1 || PX4 != 0x10 || PS2 != 1 || PS2H != 1 || PLVDH != 0x40 || PX0H != 1\n"
      "#error interrupts\n#endif\n"
      "#if WDT_FLAG != 0x80 || EN_WDT != 0x20 || CLR_WDT != 0x10 || IDL_WDT != 8 || "
      "IAPEN != 0x80 || SWBS != 0x40 || SWRST != 0x20 || CMD_FAIL != 0x10 || WKTEN != 0x80 || "
      "ENLVR != 0x40 || P54RST != 0x10\n#error system\n#endif\n"
      "#if ADC_POWER != 0x80 || ADC_START != 0x40 || ADC_FLAG != 0x20 || SPIF != 0x80 || "
      "SSIG != 0x80 || MSTR != 0x10 || CPHA != 4 || T4R != 0x80 || T3x12 != 2 || "
      "INT4IF != 0x40 || T2IF != 1 || CMPEN != 0x80 || CMPRES != 1 || INVCMPO != 0x80\n"
      "#error peripherals\n#endif\n";
  const struct {
    const char* include;
    const char* own;  // the series' own bits
  } headers[] = {
      {"STC8H.H",
       "#if S1BRT != 1 || S1M0x6 != 0x20 || EUSB != 0x80 || PPWMA != 4 || PPWMBH != 8 || "
       "PRTC != 4 || PS4H != 2 || RESFMT != 0x20 || ENUSB != 0x80 || DP != 2\n#error\n#endif\n"},
      {"STC8G.H",
       "#if PPCAH != 0x80 || PPWM0FD != 8 || PPWM2FDH != 0x80 || PPWM5 != 0x40 || PS3H != 1 || "
       "RESFMT != 0x20 || CIDL != 0x80 || ECOM1 != 0x40 || PWM2 != 2 || ECCF0 != 1 || "
       "PIS != 8\n#error\n#endif\n"},
      {"STC8A8K64S4A12.H",
       "#if PPCAH != 0x80 || PPWMFD != 8 || PPWMH != 4 || S2ST4 != 0x40 || S3ST4 != 0x40 || "
       "ADC_RESFMT != 0x20 || CCAPN2 != 0x10 || MAT0 != 8\n#error\n#endif\n"},
      {"STC8.H", "#if TOG1 != 4 || NIS != 4\n#error\n#endif\n"},
  };
  const std::string use =
      "void main(void) {\n  P_SW2 |= EAXFR;\n  AUXR |= T1x12;\n  PCON |= PD;\n"
      "  WDT_CONTR = EN_WDT | CLR_WDT;\n  VOCTRL = 0;\n  while (!(S2CON & S2TI)) {}\n}\n";
  for (const auto& h : headers) {
    SCOPED_TRACE(h.include);
    const std::string src =
        Compile("#include <" + std::string(h.include) + ">\n" + common + h.own + use);
    EXPECT_EQ(0xBBu, Equates(src)["VOCTRL"]);
  }
  // Projects written for these headers often define a bit themselves too.
  EXPECT_NE("", Compile("#include <STC8H.H>\n#include <INTRINS.H>\n#define S2RI 0x01\n"
                        "#define EAXFR 0x80\n#define ENLVR 0x40\n" +
                        use));
}

// Projects include a family's headers together, with INTRINS.H, and often
// declare a register the header already has; none of that may clash.
TEST_F(RegisterHeadersTest, HeadersOfOneFamilyGoTogether) {
  struct Combination {
    std::vector<const char*> includes;
    const char* project;  // the project's own declarations
  };
  const Combination combinations[] = {
      {{"REG51.H", "REGX51.H", "AT89X51.H"}, "sbit LED = P1^0;\n"},
      {{"REG52.H", "REGX52.H", "AT89X52.H", "AT89C51RC.H", "AT89S52.H"}, "sfr AUXR = 0x8E;\n"},
      {{"REG51.H", "AT89X051.H"}, "sbit LED = P1^0;\n"},
      {{"REG52.H", "AT89X52.H", "AT89X55.H", "AT89S8252.H"}, "sfr T2MOD = 0xC9;\n"},
      {{"REG52.H", "AT89C51XD2.H", "AT89C51ED2.H"}, "sfr CKCON = 0x8F;\n"},
      {{"REG52.H", "P89V51Rx2.H", "P89V51RD2.H"}, "sfr AUXR = 0x8E;\nsbit LED = P1^0;\n"},
      {{"reg52.h", "STC89C5xRC.H", "STC89.H"}, "sfr ISP_CONTR = 0xE7;\nsbit P41 = P4^1;\n"},
      {{"REG51.H", "STC12C5A60S2.H"}, "sfr P4 = 0xC0;\n"},
      {{"REG51.H", "STC12C2052AD.H", "STC12C5410AD.H"}, "sfr CLK_DIV = 0xC7;\n"},
      {{"REG52.H", "AT89X52.H", "T89C51CC01.H"}, "sfr CANGCON = 0xAB;\nsbit LED = P4^1;\n"},
      {{"REG52.H", "ADUC831.H", "ADUC832.H"}, "sfr PWMCON = 0xAE;\n"},
      {{"REG52.H", "ADUC841.H", "ADUC842.H"}, "sfr PLLCON = 0xD7;\n"},
      {{"REG51.H", "STC15F2K60S2.H", "STC15.H"}, "sfr AUXR = 0x8E;\nsfr T2H = 0xD6;\n"},
      {{"STC15W4K32S4.H", "STC15Fxxxx.H", "STC15.H"}, "sfr PWMCR = 0xF5;\n"},
      {{"STC8.H", "STC8A8K64S4A12.H"}, "sfr P_SW2 = 0xBA;\n"},
      {{"STC8G.H", "STC8H.H"}, "sfr P_SW2 = 0xBA;\n"},
  };
  for (const Combination& c : combinations) {
    std::string probe;
    for (const char* include : c.includes) probe += "#include <" + std::string(include) + ">\n";
    probe += "#include <INTRINS.H>\n" + std::string(c.project) +
             "void main(void) {\n  P1 = _crol_(P1, 1);\n  _nop_();\n}\n";
    SCOPED_TRACE(probe);
    EXPECT_EQ(0x90u, Equates(Compile(probe))["P1"]);
  }
}

// The P89LPC932A1's header by the spellings course projects use; its map
// is the 8051's core under the data sheet's names (IEN0, IP0) with the
// part's own registers, and no P3 beyond its two pins.
TEST_F(RegisterHeadersTest, Lpc932HeaderGivesTheDataSheetAddresses) {
  // The registers, then bits at their register's address plus the bit's
  // number, then the port pins.
  const std::vector<Register> registers = {
      {"P0", 0x80},     {"P0M1", 0x84},   {"P0M2", 0x85},   {"KBMASK", 0x86}, {"PCON", 0x87},
      {"TAMOD", 0x8F},  {"P1M1", 0x91},   {"P1M2", 0x92},   {"KBPATN", 0x93}, {"KBCON", 0x94},
      {"DIVM", 0x95},   {"TRIM", 0x96},   {"AUXR1", 0xA2},  {"P2M1", 0xA4},   {"P2M2", 0xA5},
      {"WDCON", 0xA7},  {"IEN0", 0xA8},   {"SADDR", 0xA9},  {"ICRAL", 0xAA},  {"CMP1", 0xAC},
      {"CMP2", 0xAD},   {"ICRBH", 0xAF},  {"P3M1", 0xB1},   {"P3M2", 0xB2},   {"PCONA", 0xB5},
      {"IP0H", 0xB7},   {"IP0", 0xB8},    {"SADEN", 0xB9},  {"SSTAT", 0xBA},  {"BRGCON", 0xBD},
      {"BRGR0", 0xBE},  {"BRGR1", 0xBF},  {"WDL", 0xC1},    {"WFEED1", 0xC2}, {"WFEED2", 0xC3},
      {"TCR20", 0xC8},  {"TICR2", 0xC9},  {"TPCR2H", 0xCB}, {"TL2", 0xCC},    {"TOR2H", 0xCF},
      {"RTCCON", 0xD1}, {"RTCH", 0xD2},   {"RTCL", 0xD3},   {"I2CON", 0xD8},  {"I2STAT", 0xD9},
      {"I2DAT", 0xDA},  {"I2ADR", 0xDB},  {"I2SCLL", 0xDC}, {"I2SCLH", 0xDD}, {"TISE2", 0xDE},
      {"RSTSRC", 0xDF}, {"SPSTAT", 0xE1}, {"SPCTL", 0xE2},  {"SPDAT", 0xE3},  {"FMCON", 0xE4},
      {"FMDATA", 0xE5}, {"FMADRL", 0xE6}, {"FMADRH", 0xE7}, {"IEN1", 0xE8},   {"TIFR2", 0xE9},
      {"CCCRA", 0xEA},  {"CCCRD", 0xED},  {"OCRAH", 0xEF},  {"DEECON", 0xF1}, {"DEEDAT", 0xF2},
      {"DEEADR", 0xF3}, {"PT0AD", 0xF6},  {"IP1H", 0xF7},   {"IP1", 0xF8},    {"TCR21", 0xF9},
      {"OCRBL", 0xFA},  {"OCRDH", 0xFF},  {"IE", 0xA8},     {"IP", 0xB8},     {"EA", 0xAF},
      {"EWDRT", 0xAE},  {"EBO", 0xAD},    {"ES", 0xAC},     {"ESR", 0xAC},    {"ET0", 0xA9},
      {"EX0", 0xA8},    {"EIEE", 0xEF},   {"EST", 0xEE},    {"ECCU", 0xEC},   {"ESPI", 0xEB},
      {"EC", 0xEA},     {"EKBI", 0xE9},   {"EI2C", 0xE8},   {"PWDRT", 0xBE},  {"PBO", 0xBD},
      {"PSR", 0xBC},    {"PX0", 0xB8},    {"PIEE", 0xFF},   {"PST", 0xFE},    {"PI2C", 0xF8},
      {"I2EN", 0xDE},   {"STA", 0xDD},    {"STO", 0xDC},    {"SI", 0xDB},     {"AA", 0xDA},
      {"CRSEL", 0xD8},  {"FE", 0x9F},     {"SM0", 0x9F},    {"RI", 0x98},     {"TF1", 0x8F},
      {"IT0", 0x88},    {"F1", 0xD1},     {"CY", 0xD7},     {"PLLEN", 0xCF},  {"TMOD20", 0xC8},
      {"P0_0", 0x80},   {"KB5", 0x85},    {"T1", 0x87},     {"TXD", 0x90},    {"RXD", 0x91},
      {"T0", 0x92},     {"INT0", 0x93},   {"INT1", 0x94},   {"P1_7", 0x97},   {"P2_7", 0xA7},
      {"P3_1", 0xB1},
  };
  for (const char* include : {"reg932.h", "REG932.H", "Reg932.h"}) {
    SCOPED_TRACE(include);
    ExpectAddresses(include, registers);
  }
}

// Course projects name their own pins after the functions they give them
// (a bit-banged SDA, a display's RST), on other pins than the part's: the
// header leaves those names free. A register declared again is no clash.
TEST_F(RegisterHeadersTest, Lpc932HeaderLeavesProjectsTheirPinNames) {
  const std::string probe =
      "#include <REG932.H>\n#include <INTRINS.H>\n"
      "sbit SDA = P0^4;\nsbit SCL = P0^5;\nsbit MOSI = P3^0;\nsbit RST = P2^0;\n"
      "sbit SS = P0^1;\nsbit SPKR = P1^7;\nsfr P2M1 = 0xA4;\n"
      "void main(void) {\n  P2M1 = 0;\n  SPKR = !SPKR;\n  SDA = MOSI;\n  SCL = SS;\n"
      "  RST = 0;\n  _nop_();\n}\n";
  const std::map<std::string, unsigned> equates = Equates(Compile(probe));
  const Register expected[] = {{"SDA", 0x84}, {"SCL", 0x85},  {"MOSI", 0xB0}, {"RST", 0xA0},
                               {"SS", 0x81},  {"SPKR", 0x97}, {"P2M1", 0xA4}};
  for (const Register& r : expected) {
    const auto it = equates.find(r.name);
    EXPECT_TRUE(it != equates.end() && it->second == r.address) << r.name;
  }
}

// The 80C517 and 80C517A headers by the spellings projects use: the
// 517's map from its data sheet, and the 517A's, which has it all and its
// own 10-bit converter and XRAM registers besides.
TEST_F(RegisterHeadersTest, Sab517HeadersGiveTheDataSheetAddresses) {
  // Registers, then bits at their register's address plus the bit's number.
  const std::vector<Register> both = {
      {"P0", 0x80},     {"WDTREL", 0x86}, {"PCON", 0x87},  {"P1", 0x90},     {"DPSEL", 0x92},
      {"S0CON", 0x98},  {"SCON", 0x98},   {"S0BUF", 0x99}, {"IEN2", 0x9A},   {"S1CON", 0x9B},
      {"S1BUF", 0x9C},  {"S1RELL", 0x9D}, {"IEN0", 0xA8},  {"IE", 0xA8},     {"IP0", 0xA9},
      {"S0RELL", 0xAA}, {"IEN1", 0xB8},   {"IP1", 0xB9},   {"S0RELH", 0xBA}, {"S1RELH", 0xBB},
      {"IRCON", 0xC0},  {"CCEN", 0xC1},   {"CCL1", 0xC2},  {"CCH1", 0xC3},   {"CCH3", 0xC7},
      {"T2CON", 0xC8},  {"CC4EN", 0xC9},  {"CRCL", 0xCA},  {"CRCH", 0xCB},   {"TL2", 0xCC},
      {"TH2", 0xCD},    {"CCL4", 0xCE},   {"CCH4", 0xCF},  {"CML0", 0xD2},   {"CMH2", 0xD7},
      {"ADCON0", 0xD8}, {"ADDAT", 0xD9},  {"P7", 0xDB},    {"ADCON1", 0xDC}, {"P8", 0xDD},
      {"CTRELL", 0xDE}, {"CTRELH", 0xDF}, {"CTCON", 0xE1}, {"CML3", 0xE2},   {"CMH5", 0xE7},
      {"P4", 0xE8},     {"MD0", 0xE9},    {"MD5", 0xEE},   {"ARCON", 0xEF},  {"CML6", 0xF2},
      {"CMH7", 0xF5},   {"CMEN", 0xF6},   {"CMSEL", 0xF7}, {"P5", 0xF8},     {"P6", 0xFA},
      {"RI0", 0x98},    {"TI", 0x99},     {"SM20", 0x9D},  {"SM0", 0x9F},    {"ES0", 0xAC},
      {"ET2", 0xAD},    {"WDT", 0xAE},    {"EAL", 0xAF},   {"EA", 0xAF},     {"EADC", 0xB8},
      {"EX6", 0xBD},    {"SWDT", 0xBE},   {"EXEN2", 0xBF}, {"IADC", 0xC0},   {"IEX2", 0xC1},
      {"TF2", 0xC6},    {"EXF2", 0xC7},   {"T2I0", 0xC8},  {"T2CM", 0xCA},   {"I3FR", 0xCE},
      {"T2PS", 0xCF},   {"MX0", 0xD8},    {"BSY", 0xDC},   {"BD", 0xDF},     {"CY", 0xD7},
      {"IT0", 0x88},    {"TF1", 0x8F},    {"P4_0", 0xE8},  {"P4_7", 0xEF},   {"P5_7", 0xFF},
      {"INT3", 0x90},   {"INT2", 0x94},   {"T2EX", 0x95},  {"T2", 0x97},     {"RXD", 0xB0},
      {"RD", 0xB7},
  };
  const struct {
    const char* include;
    std::vector<Register> own;
  } cases[] = {
      {"reg517.h", {{"DAPR", 0xDA}}},
      {"REG517.H", {{"DAPR", 0xDA}}},
      {"reg517a.h", {{"ADDATH", 0xD9}, {"ADDATL", 0xDA}, {"SYSCON", 0xB1}}},
      {"Reg517a.h", {{"ADDATH", 0xD9}, {"ADDATL", 0xDA}, {"SYSCON", 0xB1}}},
      {"REG517A.H", {{"ADDATH", 0xD9}, {"ADDATL", 0xDA}, {"SYSCON", 0xB1}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.include);
    std::vector<Register> registers = both;
    registers.insert(registers.end(), c.own.begin(), c.own.end());
    ExpectAddresses(c.include, registers);
  }
}

// A part's own header the project does not ship: the family's stands in,
// with a warning naming both.
TEST_F(RegisterHeadersTest, OnePartsHeaderFoundNowhereIsTheFamilys) {
  const struct {
    const char* include;
    const char* family;  // empty: no stand-in
  } cases[] = {
      {"STC15W408AS.H", "STC15F2K60S2.H"},
      {"stc15w4k56s4.h", "STC15W4K32S4.H"},
      {"STC8H1K08.H", "STC8H.H"},
      {"Stc8g1k08a.h", "STC8G.H"},
      {"STC8F2K64S4.H", "STC8A8K64S4A12.H"},
      {"STC12LE5A60S2.H", "STC12C5A60S2.H"},
      {"STC90C516RD.H", "STC89C5xRC.H"},
      {"AT89S51.H", "AT89X51.H"},
      {"at89c2051.h", "AT89X051.H"},
      // 8052-class parts with timer 2 and the X2 family's registers.
      {"at89c5131.h", "AT89C51XD2.H"},
      {"AT89C5131A.H", "AT89C51XD2.H"},
      {"AT89C5130.H", "AT89C51XD2.H"},
      {"AT89C51RB2.H", "AT89C51XD2.H"},
      {"AT89C51RC2.H", "AT89C51XD2.H"},
      {"at89c51rd2.h", "AT89C51XD2.H"},
      {"AT89C51IC2.H", "AT89C51XD2.H"},
      {"AT89C51ID2.H", "AT89C51XD2.H"},
      // Other 8052-class parts: timer 2 at least.
      {"AT89C51RE2.H", "AT89X52.H"},
      {"AT89C51AC2.H", "AT89X52.H"},
      {"AT89C51CC03.H", "AT89X52.H"},
      {"AT89C51.H", "AT89X51.H"},
      {"IAP15W4K58S4.H", "STC15W4K32S4.H"},
      {"IAP15F2K61S2.H", "STC15F2K60S2.H"},
      {"P89V51RC2.H", "P89V51RD2.H"},
      // The STC12C52xxAD and STC11/10 series: the STC12C5A60S2's map, less
      // its second UART, SPI and PCA where a series has none of them.
      {"STC12C5202AD.H", "STC12C5A60S2.H"},
      {"STC12C5201AD.H", "STC12C5A60S2.H"},
      {"stc12le5204ad.h", "STC12C5A60S2.H"},
      {"STC11F04E.H", "STC12C5A60S2.H"},
      {"STC10F08XE.H", "STC12C5A60S2.H"},
      {"IAP11F62X.H", "STC12C5A60S2.H"},
      // The older STC12 series have a map of their own.
      {"STC12C5404AD.H", "STC12C5410AD.H"},
      {"STC12LE5412AD.H", "STC12C5410AD.H"},
      {"STC12C1052AD.H", "STC12C2052AD.H"},
      {"STC12C4052.H", "STC12C2052AD.H"},
      {"STC12LE2052AD.H", "STC12C2052AD.H"},
      {"STC12C5410AD.H", ""},
      {"AT89C51CC01UA.H", "T89C51CC01.H"},
      {"T89C51CC01CA.H", "T89C51CC01.H"},
      {"ADUC843.H", "ADUC842.H"},
      // The LPC932A1 and its successor have one map.
      {"P89LPC932A1.H", "REG932.H"},
      {"p89lpc9321.h", "REG932.H"},
      // The P89LPC935 adds A/D converters under names of its own.
      {"P89LPC935.H", ""},
      // Sigma-delta ADuC parts: another map, no stand-in of ours.
      {"ADUC834.H", ""},
      {"ADUC845.H", ""},
      {"MYBOARD.H", ""},
      {"STC15W.C", ""},
      // A driver library's header is more than a part's registers.
      {"STC8G_H_GPIO.h", ""},
      {"STC15W4K32S4-PWM.H", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.include);
    EXPECT_EQ(c.family, FamilyHeader(c.include));
  }
  std::string err;
  ASSERT_TRUE(WriteWholeFile(dir_.path() + "part.c",
                             "\n#include \"STC15W408AS.H\"\nvoid main(void) { AUXR = 0x80; }\n",
                             &err));
  test::ToolRun run;
  ASSERT_TRUE(test::RunCommandLine("\"" + c51_ + "\" part.c", dir_.path(), &run, &err)) << err;
  EXPECT_EQ(1, run.exit_code) << run.output;
  EXPECT_NE(std::string::npos,
            run.output.find("*** WARNING C998 IN LINE 2 OF part.c: 'STC15W408AS.H' not found: "
                            "STC15F2K60S2.H, the family's registers, stands in"))
      << run.output;
}

}  // namespace
}  // namespace c51::sdcc
