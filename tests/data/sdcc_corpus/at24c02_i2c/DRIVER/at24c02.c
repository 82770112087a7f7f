/* AT24C02：256 字节 EEPROM，页写 8 字节，写周期最长 5ms。 */
#include <intrins.h>
#include "I2C.H"
#include "AT24C02.H"

static void wait_write_cycle(void)
{
    unsigned char tries = 50;

    do {                        /* 应答查询：写完前不应答 */
        i2c_start();
        if (i2c_send(AT24_ADDR))
            break;
    } while (--tries);
    i2c_stop();
}

bit at24_write(unsigned char addr, unsigned char dat)
{
    bit ok;

    i2c_start();
    ok = i2c_send(AT24_ADDR) && i2c_send(addr) && i2c_send(dat);
    i2c_stop();
    if (ok)
        wait_write_cycle();
    return ok;
}

unsigned char at24_read(unsigned char addr)
{
    unsigned char dat;

    i2c_start();
    i2c_send(AT24_ADDR);
    i2c_send(addr);
    i2c_start();
    i2c_send(AT24_ADDR | 1);
    dat = i2c_recv(0);          /* 最后一个字节不应答 */
    i2c_stop();
    return dat;
}
