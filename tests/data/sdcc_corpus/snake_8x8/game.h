#ifndef _GAME_H_
#define _GAME_H_

#define MAX_LEN 32

typedef struct {
    signed char x;
    signed char y;
} POINT;

typedef enum { UP = 0, RIGHT, DOWN, LEFT } DIR;

typedef struct {
    POINT body[MAX_LEN];
    unsigned char len;
    DIR dir;
    POINT food;
    unsigned int score;

} SNAKE;

extern unsigned char idata screen[8];
void Game_Init(void);
bit  Game_Step(void);
void Game_Turn(DIR d);
void Game_Draw(void);
unsigned int Game_Score(void);

#endif
