// screens/einsetzen1_zeichnen.h - how the line-up list screen draws: the
// club's title, a player's row (shirt, number, kind, name, ambition, morale or
// why he cannot play, stars with the deduction for his field, talents,
// fitness) and a shirt marker on the pitch, and the deduction a player
// suffers in a formation row that is not his.
#pragma once
#include <cstdint>

namespace velmora {

// Half stars a player loses in formation row `reihe` (0 goal, 1-3 defence,
// 4-7 midfield, 8-10 attack): none in his own group; his whole strength when
// he cannot play; 2 per group between two field groups, at most his
// strength; 80 % of his strength (rounded down) for a goalkeeper in the field
// or a field player in goal. 0 for a bad player or row.
int32_t E1_Screen_Positions_Abzug(int32_t spieler, int32_t reihe);

// The title, centred over the list: the club's name, gold-white for the own
// club, orange for the opponent.
void E1_Titel_Zeichnen(int32_t club, bool gegner);

// A row at (x, y) for player p: `abzug` half stars shown as taken (-1 none),
// `hell` lit (selected, hovered or a drop target).
// Forgets the shirt numbers read for drawing (each filling of the list reads them again).
void E1_Nummern_Vergessen();
void E1_Zeile_Zeichnen(int32_t spieler, int32_t x, int32_t y, int32_t abzug, bool hell);

// A marker at (x, y) for player p with his shirt number; `hell` the lit
// marker (drawn 2 pixels up and left), greyed for a player who cannot play.
void E1_Marker_Zeichnen(int32_t spieler, int32_t x, int32_t y, bool hell);

// The marker picture of a player's kind (hell: the lit one), -1 for a bad player.
int32_t E1_Marker_Bild(int32_t spieler, bool hell);

}  // namespace velmora
