// match/day/minuten_wuerfel.h - the dice that play a match without a record
// computed live: cards, chances and goals, one round per game minute, written
// as events into the fixtures store.
//
// The all-at-once dice play a whole match in one go when no match record
// could be made (more than 200 matches today); the minute dice play one
// minute of a running slot whose record is not computed live, from the
// record's two match strengths.
#pragma once
#include <cstdint>

#include "match/day/spieltag.h"

namespace velmora {

struct Spielfeld_Satz;

constexpr int32_t WUERFEL_SPIELER = 20;

struct Wuerfel_Satz {                       // the all-at-once dice's context
    int32_t staerke[2];                     // home, away: 0-99
    int32_t spieler[2][WUERFEL_SPIELER];    // the starting players; -1 one who left the match
    uint8_t gebucht[2][WUERFEL_SPIELER];    // 1 once booked
    int32_t anzahl[2];
};

// Fills the context from the two clubs' starting elevens (team -1: empty side).
void Wuerfel_Satz_Fuellen(Wuerfel_Satz* w, int32_t heim, int32_t gast);
// One round of the all-at-once dice; the game's minute byte holds the minute.
void Spieltag_Ergebnis_Wuerfeln(Spieltag_Slot* slot, Wuerfel_Satz* w);
// One round of the minute dice for a slot whose record is not computed live.
void Spieltag_Minute_Ohne_Spielfeld(Spieltag_Slot* slot, const Spielfeld_Satz* satz);
// The same with the period's end for the game's minute already looked up
// (Wettbewerb_Halbzeit_Ende of the game's competition, minute and the slot's period).
void Spieltag_Minute_Ohne_Spielfeld(Spieltag_Slot* slot, const Spielfeld_Satz* satz, int32_t halbzeit_ende);

}  // namespace velmora
