/* 帧解析状态机 + 命令分发表 */
#include "proto.h"
#include "..\App\handlers.h"

static code CMD_ENTRY cmd_table[] =
{
	{ 0x01, on_set_led   },
	{ 0x02, on_sum       },
	{ 0x03, on_echo      },
};
#define CMD_NUM (sizeof(cmd_table) / sizeof(cmd_table[0]))

static UART_DRIVER code *uart;
static u8 state, cmd, len, idx, sum;
static u8 payload[MAX_PAYLOAD];

void proto_init(UART_DRIVER code *drv)
{
	uart = drv;
	state = 0;
}

bit proto_dispatch(u8 c, u8 p[], u8 n)
{
	u8 i;
	for (i = 0; i < CMD_NUM; i++)
	{
		if (cmd_table[i].cmd == c)
		{
			cmd_table[i].handler(p, n);
			return 1;
		}
	}
	return 0;
}

void proto_feed(u8 ch)
{
	switch (state)
	{
	case 0:
		if (ch == FRAME_HEAD) { state = 1; sum = 0; }
		break;
	case 1:
		cmd = ch; sum += ch; state = 2;
		break;
	case 2:
		len = ch; sum += ch; idx = 0;
		state = (len == 0) ? 4 : ((len > MAX_PAYLOAD) ? 0 : 3);
		break;
	case 3:
		payload[idx++] = ch; sum += ch;
		if (idx >= len) state = 4;
		break;
	case 4:
		if (ch == sum)
			proto_dispatch(cmd, payload, len);
		state = 0;
		break;
	}
}
