// match/live/spielfeld_situation.h - the scripted situations: outside open play a
// player with a situation code follows a short script, one step per
// decision (throw-in, goal kick, corner, kick-off, penalty, free kick and its
// wall, substitutions, injuries). The last step of a restart hands the ball
// to the taker and releases open play.
#pragma once
#include <cstdint>

#include "match/record/spielfeld_satz.h"

namespace velmora {

// Frames from the first of a restart's play state after which its takers no
// longer wait for the players around them: the kick-off's taker, the free
// kick's taker and its second taker, and the taker of a penalty in the match
// (a shoot-out's kicks wait without this bound). A substitution running holds
// each of them for as long as it runs, and so does a referee not yet ready,
// except for the free kick's taker, whose wait for him (a free kick without a
// wall) ends at the bound too. A man who can never leave (stuck, or chasing to
// and fro in the band) would hold the match for ever. The record counts the
// restart's frames (`Spielfeld_Zustand_Dauer`); the rule checker counts them
// on its own.
constexpr uint32_t STANDARD_WARTEN_MAX = 1000;

// Every restart a wait bound released (this one, or the cap of the kick-off
// loop at a period start), for the rule checker: a bound that ends a wait
// is a restart its players could not take.
struct Spielfeld_Wartegrenze {
    uint64_t anzahl = 0;    // releases since the program started
    uint32_t spiel = 0;     // the game of the last one
    uint32_t zustand = 0;   // its play state
};
const Spielfeld_Wartegrenze& Spielfeld_Wartegrenze_Stand();
void Spielfeld_Wartegrenze_Melden(const Spielfeld_Satz* satz);

// One step of the script of player slot `slot` of `seite`.
void KI_Standardsituation(Spielfeld_Satz* satz, int32_t slot, int32_t seite);
// Finishes every substitution still walking (the period ended): the players
// going out leave the pitch at once, the substitution counter is cleared.
void Spielfeld_Wechsel_Abschliessen(Spielfeld_Satz* satz);
// The partner of a substitution: another player whose current target x is
// this one's and whose code is 36 or 38; -1 none.
int32_t KI_Gleiches_Ziel(const Spielfeld_Satz* satz, int32_t slot);

}  // namespace velmora
