// matchview/anzeigetafel.h - the score line across the top of a match view:
// a plate with both clubs' crests and names, the goals from the digit strips,
// the spectators and the minute. A full-size view (and one of two halves)
// carries the large plate, the quarter views the small one.
#pragma once
#include <cstddef>
#include <cstdint>

namespace velmora {

struct Rastport;

constexpr int32_t TAFEL_GROSS_H = 32, TAFEL_KLEIN_H = 18;

// Loads the digit strips of "stadion_menue.res" (entries 23, 24); false with
// a debug line when one is missing (the views then show no score line).
bool Anzeigetafel_Init();
void Anzeigetafel_Exit();

// A view's two plates: copies of entries 1 and 2 with the home club's crest
// and name on the left and the away club's on the right. A plate that cannot
// be loaded stays null.
struct Anzeigetafeln {
    Rastport* gross = nullptr;
    Rastport* klein = nullptr;
    int32_t gezeigt = -1;   // the club whose name stands out, -1 none
};
// The name of the club the team panel shows stands out in this colour; the others are white.
constexpr uint16_t TAFEL_NAME_GEZEIGT = 52743;
// Builds both plates; the name of club `gezeigt` (the team panel's) in
// TAFEL_NAME_GEZEIGT.
Anzeigetafeln Anzeigetafeln_Bauen(int32_t heim, int32_t gast, int32_t gezeigt = -1);
void Anzeigetafeln_Freigeben(Anzeigetafeln* t);

// What the score line shows.
struct Spielstand {
    int32_t tore[2] = {0, 0};
    uint32_t zuschauer = 0;
    int32_t minute = 0;   // the match minute as counted from 0
};
// Draws the score line of a view at (x, y), `breite` wide, on the screen:
// the small plate when `klein`. Goals outside 0-9 show their last digit.
void Anzeigetafel_Zeichnen(const Anzeigetafeln& t, bool klein, int32_t x, int32_t y, int32_t breite,
                           const Spielstand& s);

// The spectators with points between the thousands ("12.345").
void Anzeigetafel_Zahl(char* out, size_t groesse, uint32_t wert);

}  // namespace velmora
