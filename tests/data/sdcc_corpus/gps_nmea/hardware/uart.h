#ifndef _UART_H_
#define _UART_H_

#define NMEA_MAX 82

extern char xdata nmea_line[NMEA_MAX + 1];
extern bit nmea_ready;

void Uart_Init(void);
#endif
