/* A command table in code memory, handlers taking two or three values. */
#include "..\Cmd\handlers.h"
#include "table.h"

CMD code cmd_table[] = {
    {"add", cmd_add, 0},
    {"mix", 0, cmd_mix},
};

unsigned char (*calc)(unsigned char, unsigned char) = cmd_sub;
