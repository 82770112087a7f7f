#define  LOBYTE(v)    ((UINT8)(v))
#define  HIBYTE(v)    ((UINT8)((v) >> 8))

/* 常用功能宏 */
#define  P12_PUSHPULL_MODE      P1M1&=0xFB;P1M2|=0x04
#define  P15_PUSHPULL_MODE      P1M1&=0xDF;P1M2|=0x20
#define  P06_QUASI_MODE         P0M1&=0xBF;P0M2&=0xBF
#define  P07_QUASI_MODE         P0M1&=0x7F;P0M2&=0x7F
#define  P15_SCHMITT_ENABLE     SFRS=1;P1S|=0x20;SFRS=0

#define  WKT_CLOCK_LIRC_DIV64   WKCON&=0xF8;WKCON|=0x03

#define  TIMER0_MODE1_ENABLE    TMOD&=0xF0;TMOD|=0x01
