/* 贪吃蛇逻辑 */
#include <stdlib.h>
#include <string.h>
#include "game.h"

static SNAKE idata snake;
unsigned char idata screen[8];
static unsigned int seed_cnt = 0;

static bit on_snake(signed char x, signed char y)
{
    unsigned char i;
    for (i = 0; i < snake.len; i++)
        if (snake.body[i].x == x && snake.body[i].y == y) return 1;
    return 0;
}

static void new_food(void)
{
    do {
        snake.food.x = rand() % 8;
        snake.food.y = rand() % 8;
    } while (on_snake(snake.food.x, snake.food.y));
}

void Game_Init(void)
{
    srand(seed_cnt);
    snake.len = 3;
    snake.body[0].x = 3; snake.body[0].y = 4;
    snake.body[1].x = 2; snake.body[1].y = 4;
    snake.body[2].x = 1; snake.body[2].y = 4;
    snake.dir = RIGHT;
    snake.score = 0;
    new_food();
}

void Game_Turn(DIR d)
{
    /* 不能直接掉头 */
    if ((d + 2) % 4 != snake.dir) snake.dir = d;
}

bit Game_Step(void)
{
    POINT head = snake.body[0];
    signed char i;
    static signed char code dx[4] = {0, 1, 0, -1};
    static signed char code dy[4] = {-1, 0, 1, 0};

    seed_cnt++;
    head.x += dx[snake.dir];
    head.y += dy[snake.dir];
    if (head.x < 0 || head.x > 7 || head.y < 0 || head.y > 7) return 0;   /* 撞墙 */
    if (on_snake(head.x, head.y)) return 0;                                 /* 撞自己 */

    if (head.x == snake.food.x && head.y == snake.food.y) {
        if (snake.len < MAX_LEN) snake.len++;
        snake.score += 10;
        new_food();
    }
    for (i = snake.len - 1; i > 0; i--) snake.body[i] = snake.body[i - 1];
    snake.body[0] = head;
    return 1;
}

void Game_Draw(void)
{
    unsigned char i;
    memset(screen, 0, sizeof(screen));
    for (i = 0; i < snake.len; i++)
        screen[snake.body[i].y] |= 0x80 >> snake.body[i].x;
    screen[snake.food.y] |= 0x80 >> snake.food.x;
}

unsigned int Game_Score(void)
{
    return snake.score;
}
