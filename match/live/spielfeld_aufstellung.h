// match/live/spielfeld_aufstellung.h - line-ups to player slots, and substitutions.
#pragma once
#include <cstdint>

#include "match/record/spielfeld_satz.h"

namespace velmora {

// Fills the 17 slots of a side from its team's line-up (first call) or, when
// the side's first slot is filled, places the slots again for a new period
// with their lines mirrored. `gespiegelt`: the side plays towards x = 0.
// `nur_wuerfel`: the record is played by the dice only, which read the slots'
// players and states but never a figure: the figures are left where they are
// (no draw is made either way).
void Spielfeld_Team_An_Positionen(Spielfeld_Satz* satz, int32_t seite, int32_t gespiegelt, bool nur_wuerfel = false);
// Chooses one substitution for a computer-managed side and enters it into the
// record's lists: modus 0 prefers defence, 1 midfield, 2 a random order;
// aus_slot -1 lets the function choose who leaves. True when a pair was entered.
bool Spielfeld_Auswechseln(Spielfeld_Satz* satz, int32_t seite, int32_t modus, int32_t aus_slot);
// Whether a slot stands in a live substitution list.
bool Spielfeld_Ist_Ausgewechselt(const Spielfeld_Satz* satz, int32_t slot);
bool Spielfeld_Ist_Eingewechselt(const Spielfeld_Satz* satz, int32_t slot);

}  // namespace velmora
