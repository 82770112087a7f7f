#ifndef __NUMICRO_8051_H__
#define __NUMICRO_8051_H__

#include "MS51_16K.h"
#include "sfr_macro_ms51_16k.h"
#include "function_define_ms51_16k.h"
#include "common.h"
#include "delay.h"
#include <intrins.h>
#include <stdio.h>

#endif
