// match/live/spielfeld_linie.h - team lines: a player's zone from his line position.
//
// Every player slot keeps eight line values (x range, y range, line x, second
// line x, line y, second line y). All eight follow from one line position and
// the side's depth tactic d by the zone rule; the club data keeps the same
// eight values per formation cell, always for a team attacking towards x = 10800.
#pragma once
#include <cstdint>

#include "match/record/spielfeld_satz.h"

namespace velmora {

// Clamp bounds of the three uses of the zone rule.
enum SpielfeldLinienArt : int32_t {
    LINIE_FORMATION = 0,   // the club data's formation values
    LINIE_FELDSPIELER = 1, // a field player's slot
    LINIE_TORWART = 2,     // a goalkeeper's slot
};

// The eight values of the zone rule, in slot order.
struct SpielfeldZone {
    int32_t x_von, x_bis, y_von, y_bis;
    int32_t linie_x, linie_x2, linie_y, linie_y2;
};

// The zone of line position (x, y), in the frame of a team attacking towards
// x = 10800, for depth d, clamped for `art`.
SpielfeldZone Spielfeld_Zonenregel(int32_t x, int32_t y, int32_t d, SpielfeldLinienArt art);
// The pitch point of a formation cell (column 0-6, row 0-10).
void Spielfeld_Zelle_Zu_Punkt(int32_t spalte, int32_t reihe, int32_t* x, int32_t* y);
// The formation line values of a player of `team` in a cell: line x, line y,
// second line x, second line y, x range low, y range low, x range high, y range high.
void Spielfeld_Taktik_Linie(int32_t team, int16_t out[8], int32_t spalte, int32_t reihe);
// The same for a team playing tactic `taktik` (7 bytes as the club keeps
// them; its depth byte decides), without asking for the team's tactic.
void Spielfeld_Taktik_Linie_Fuer(const int8_t taktik[7], int16_t out[8], int32_t spalte, int32_t reihe);
// Sets a slot's zone from a line position in pitch coordinates and values the
// player again.
void Spielfeld_Linie_Setzen_Lokal(Spielfeld_Satz* satz, int32_t team, int32_t slot, int32_t x, int32_t y);
// The match panels' entry: alone the local set; in network play the four line
// values of the edit copy only.
void Spielfeld_Linie_Setzen(Spielfeld_Satz* satz, int32_t team, int32_t slot, int32_t x, int32_t y);
// The line position x read back from a slot's line values.
int32_t Spielfeld_Linie_X(const Spielfeld_Satz* satz, int32_t slot);
// The same as the match panels see it: in network play from the edit copy's
// line values and depth tactic, alone from the slot's own.
int32_t Spielfeld_Linie_X_Netz(const Spielfeld_Satz* satz, int32_t slot);
// The per-minute tactic step: derived tactic flags, computer sides at d = 100
// with their zones re-set, and four role bytes of every slot.
void Spielfeld_Taktik_Aktualisieren(Spielfeld_Satz* satz);
// True when `team` plays towards x = 0 in this record.
bool Spielfeld_Spielt_Nach_Links(const Spielfeld_Satz* satz, int32_t team);

}  // namespace velmora
