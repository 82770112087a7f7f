typedef bit                   BIT;
typedef unsigned char         UINT8;
typedef unsigned int          UINT16;
typedef unsigned long         UINT32;

typedef unsigned char xdata   UINT8X;

extern bit BIT_TMP;
extern unsigned char data SFRS_TMP;

void UART_Open(unsigned long u32SysClock, unsigned char u8UARTPort, unsigned long u32Baudrate);
void UART_Send_Data(unsigned char UARTPort, unsigned char c);
