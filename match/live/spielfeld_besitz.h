// match/live/spielfeld_besitz.h - pitch geometry and possession: small queries
// about the players on the pitch, and Ballbesitz_Setzen, the one place where
// the ball changes hands.
//
// Distances are Euclidean in x and y; "on the pitch" is state bit 16 of a
// player slot. Side 0 owns slots 0-16, side 1 slots 17-33.
#pragma once
#include <cstdint>

#include "match/record/spielfeld_satz.h"

namespace velmora {

// The figure's distance (truncated) to the goal attacked by the side in possession.
int32_t Spielfeld_Abstand_Tor(const Spielfeld_Satz* satz, int32_t figur);
// The distance between two figures, truncated; 0 for a bad figure.
int32_t Spielfeld_Abstand(const Spielfeld_Satz* satz, int32_t a, int32_t b);
// The midpoint between a figure and its current order's target.
void Figur_Wegmitte(const Figur* f, float* x, float* y);
// 1 when the holder's index is above 16, else 0 (also with nobody holding the ball).
int32_t Spielfeld_Ballbesitz_Seite(const Spielfeld_Satz* satz);

// Gives the ball to player slot `h`, or to nobody (-1). A change of holder
// ends or completes a pass in flight (the assist goes to the passer of a
// completed pass, an interception clears it), counts the new holder's ball
// contact and wakes the referee, the old holder, the keepers and the ball
// chasers. Taken again by its holder, or while the ball is out of play, it
// changes nothing but gives a stopped ball a speed of 20 cm/s. True when the
// holder changed.
bool Ballbesitz_Setzen(Spielfeld_Satz* satz, int32_t h);

// The players within `radius` (cm) of a point: the figure's position, or
// (x, y) when `figur` is -1. welche: 0 all 34 slots, 1 the figure's side (the
// side in possession for -1), 2 the other side. In slot order, while `liste`
// has room (`groesse` entries): the slot, its distance (negative when he
// stands behind the point, towards his own goal), and his list position in
// the row |dx| / 100 of the 34-byte rows of `eimer` (each ended by 255);
// `eimer_anzahl[i]` counts the players within (i + 1) x 100 cm (with modus 1
// not those behind). Tables of radius / 100 rows; null outputs are skipped.
// The number of players found, also those beyond the list.
int32_t Spielfeld_Spieler_Umgebung(const Spielfeld_Satz* satz, int32_t radius, int32_t welche, int32_t modus,
                                   int32_t figur, int32_t x, int32_t y, int32_t* liste, int32_t* abstaende,
                                   uint8_t* eimer, uint8_t* eimer_anzahl, int32_t groesse);
// Players near a figure (welche: 0 side 0, 1 side 1, 2 all): each within
// `abstand` of its x (moved by its velocity with `mit_tempo`) and y counts 1,
// or 2 when his y distance is below a third of `abstand`. With `markieren`
// each of them takes the figure as his marking target and, in open play
// without a set piece being taken, decides now.
int32_t Spielfeld_Nachbarn_Zaehlen(Spielfeld_Satz* satz, int32_t figur, int32_t welche, int32_t abstand, bool mit_tempo,
                                   bool markieren);
// Whether the player in `slot` (0-33) is on the pitch and playing: his state
// says on the pitch and his figure is drawn there. A player carried off
// injured keeps the state bit until his substitute comes (or for good when
// his side has no substitution left) but is no longer drawn: he takes no part
// in play, and no search, restart or distance rule may count him.
bool Spielfeld_Spielt_Mit(const Spielfeld_Satz* satz, int32_t slot);
// The first opponent of the figure (slot order) on the pitch and in open play
// (situation code 0) within `radius` of (x, y), or of the figure's position
// when x is -1; with figur -1 the opponents are the side not in possession.
// -1 when none.
int32_t Spielfeld_Gegner_Suchen(const Spielfeld_Satz* satz, int32_t figur, int32_t x, int32_t y, float radius);
// The same over all 34 slots (any side, never the figure itself).
int32_t Spielfeld_Spieler_Suchen(const Spielfeld_Satz* satz, int32_t figur, int32_t x, int32_t y, float radius);
// The other side's players strictly inside a rectangle (corners in any
// order), and the least pressed of them: with `beste` given, the one with the
// smallest pressure x 2000 (less 1500 for the new holder) + distance to the
// point on the rectangle's goal side nearest the pitch's middle y, among
// those pressed by fewer than 3 (-1 when none); with `px`, `py` given the
// rectangle is first shortened by `prozent` of its length from the far end
// and that point written out.
int32_t Spielfeld_Deckung_Suchen(const Spielfeld_Satz* satz, int32_t seite, int32_t x1, int32_t y1, int32_t x2,
                                 int32_t y2, int32_t* beste, int32_t* px, int32_t* py, int32_t prozent);
// Players (slots 0-33, on the pitch, not the figure) strictly inside a
// rectangle; the last one found goes to `letzter` when given.
int32_t Spielfeld_Spieler_Im_Rechteck(const Spielfeld_Satz* satz, int32_t figur, int32_t x1, int32_t y1, int32_t x2,
                                      int32_t y2, int32_t* letzter);
// Keeps a point 50 cm inside the pitch: x 50-10750, y 50-6756.
void Punkt_Ins_Feld(int32_t* x, int32_t* y);

}  // namespace velmora
