/* SFR 页切换和受 TA 保护的位操作 */
#define ENABLE_SFR_PAGE0            SFRS=0x00
#define ENABLE_SFR_PAGE1            SFRS=0x01
#define ENABLE_SFR_PAGE2            SFRS=0x02

#define ENABLE_GLOBAL_INTERRUPT     EA=1
#define DISABLE_GLOBAL_INTERRUPT    EA=0

#define ENABLE_TIMER0_INTERRUPT     ET0=1
#define ENABLE_UART0_INTERRUPT      ES=1
#define ENABLE_WKT_INTERRUPT        SFRS=0;EIE1|=0x04
#define ENABLE_WDT_INTERRUPT        SFRS=0;EIE0|=0x10

#define set_CHPCON_IAPEN            SFRS=0;TA=0xAA;TA=0x55;CHPCON|=0x01
#define clr_CHPCON_IAPEN            SFRS=0;TA=0xAA;TA=0x55;CHPCON&=0xFE
#define set_CHPCON_SWRST            SFRS=0;TA=0xAA;TA=0x55;CHPCON|=0x80
#define set_IAPUEN_APUEN            SFRS=0;TA=0xAA;TA=0x55;IAPUEN|=0x01
#define clr_IAPUEN_APUEN            SFRS=0;TA=0xAA;TA=0x55;IAPUEN&=0xFE
#define set_IAPTRG_IAPGO            SFRS=0;TA=0xAA;TA=0x55;IAPTRG|=0x01

#define set_WDCON_WDCLR             SFRS=0;TA=0xAA;TA=0x55;WDCON|=0x40
#define set_WDCON_WDTR              SFRS=0;TA=0xAA;TA=0x55;WDCON|=0x80

#define set_WKCON_WKTR              WKCON|=0x08
#define clr_WKCON_WKTF              WKCON&=0xEF

#define set_SCON_TI                 TI=1
#define clr_SCON_TI                 TI=0
#define clr_SCON_RI                 RI=0
#define set_PCON_SMOD               PCON|=0x80
#define set_CKCON_T1M               CKCON|=0x10
#define clr_T3CON_BRCK              T3CON&=0xDF
