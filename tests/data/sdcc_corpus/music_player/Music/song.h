#ifndef SONG_H
#define SONG_H

/* One note: the timer 0 reload for half its period (0 = rest) and its
   length in eighths. */
typedef struct {
    unsigned int reload;
    unsigned char eighths;
} note_t;

extern note_t code song[];
extern unsigned char code song_length;

#endif
