/* "Twinkle" opening at 12 MHz. Reloads are 65536 - 500000 / f; the
   table is flat, reload and length alternating, as it came out of the
   conversion spreadsheet. */
#include "song.h"

#define C4 (65536 - 1911)
#define D4 (65536 - 1703)
#define E4 (65536 - 1517)
#define F4 (65536 - 1432)
#define G4 (65536 - 1276)
#define A4 (65536 - 1136)
#define REST 0

note_t code song[] = {
    C4, 2, C4, 2, G4, 2, G4, 2, A4, 2, A4, 2, G4, 4,
    F4, 2, F4, 2, E4, 2, E4, 2, D4, 2, D4, 2, C4, 4,
    REST, 4
};

unsigned char code song_length = sizeof(song) / sizeof(song[0]);
