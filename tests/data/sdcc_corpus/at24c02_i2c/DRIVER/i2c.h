#ifndef __I2C_H__
#define __I2C_H__

void i2c_start(void);
void i2c_stop(void);
bit  i2c_send(unsigned char dat);          /* 返回 1：从机应答 */
unsigned char i2c_recv(bit ack);

#endif
