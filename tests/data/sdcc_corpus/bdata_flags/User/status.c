#include <REG52.H>
#include "status.h"

unsigned char bdata status;

/* Flips the middle flag and copies READY into ERROR when ERROR is clear. */
void status_step(void)
{
    ST_MID = !ST_MID;
    if (!ST_ERROR)
        ST_ERROR = ST_READY;
}
