// match/live/spielfeld_staerke.h - the players' match values.
//
// Before kick-off, when a player's line changes and when a substitute comes on,
// his 37 match values are computed from his club data, his position, form and
// fatigue, the weather, the game's importance and the difficulty. Behaviours
// and duels read these values instead of the club data. A valuation always
// starts again from the club data, so valuing a player twice gives the same values.
#pragma once
#include <cstdint>

#include "match/record/spielfeld_satz.h"

namespace velmora {

// Computes the match values of one slot (0-33).
void Spielfeld_Get_Spielerstaerke(Spielfeld_Satz* satz, int32_t team, int32_t slot);
// What the valuation of a player in a record played by the dice only leaves
// that anyone reads: the record named the active one and the valuation's draw
// (talent 42's slump); his match values stay unset.
void Spielfeld_Spielerstaerke_Ziehen(Spielfeld_Satz* satz, int32_t slot);
// Stamina and freshness of a substitute who comes on while the match runs
// (minute not 0, his on-pitch counter still 0); the valuation ends with it.
void Spielfeld_Einwechsel_Frische(Spielfeld_Satz* satz, int32_t slot);
// The talent part of match value k (0-47); 0 without a record.
int32_t Spielfeld_Staerke_Attribut(Spielfeld_Satz* satz, int32_t team, int32_t slot, int32_t k);
// Counts of a side's players bringing talents into zones.
int32_t Team_Talent_Zentrum(const Spielfeld_Satz* satz, int32_t team);
int32_t Team_Talent_Abwehr(const Spielfeld_Satz* satz, int32_t team);
int32_t Team_Talent_Zufall(const Spielfeld_Satz* satz, int32_t team);
// Whether a player on the pitch has the centre of his zone strictly inside the rectangle.
bool Spieler_In_Zone(const Spielfeld_Satz* satz, int32_t slot, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// The talent (or, above 52, player value mode) behind match value k; -1 outside 0-47.
int32_t Spielfeld_Wert_Talent(int32_t k);

}  // namespace velmora
