// match/live/ki_abwehr.h - a field player while the other side has the ball: he
// tackles the holder, chases or intercepts the ball, covers a pass, marks a
// man or his zone, holds the offside trap's line, defends his box at free
// kicks and corners and keeps his distance at set pieces.
#pragma once
#include <cstdint>

#include "match/record/spielfeld_satz.h"

namespace velmora {

// Half-width along x of the band around a free kick's ball that the taker
// waits to see clear of opponents when a wall is formed.
constexpr float ABWEHR_FREISTOSS_GASSE = 415.0f;

// Decides for field player `slot` of `seite` (0 or 1) and gives at most one
// order. The tackles it orders are what the duel pass resolves.
void KI_Abwehr(Spielfeld_Satz* satz, int32_t slot, int32_t seite);

// The bounds the running offside trap sets for a defender's target x, given
// the x of his own goal line, the foremost attacker's x and the ball's x.
// False (and the trap ends) when the attacker has broken through it.
struct Abwehr_Fallengrenzen {
    float unten, oben;
};
bool Abwehr_Fallengrenzen_Berechnen(float eigenes_tor_x, float angreifer_x, float ball_x, Abwehr_Fallengrenzen* g);

}  // namespace velmora
