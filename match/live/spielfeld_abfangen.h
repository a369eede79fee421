// match/live/spielfeld_abfangen.h - where a figure meets the ball: the meeting
// point, the ball's height there, the later point where a high ball has come
// down, the reach animation that fits the moment of contact (keeper and field
// player), and springing the offside trap.
//
// The ball's flight law: height(t) = t vz - g' t², g' = 981 - s / 10, with vz
// the ball order's vertical launch speed and s its speed; t counts from the
// start of the flight clock (the ball's flug_start).
#pragma once
#include <cstdint>

#include "match/record/spielfeld_satz.h"

namespace velmora {

// The point where figure `figur` (index 0-33, the keeper flag of `f` read)
// meets the ball. `abstand` is read on entry (the distance given) and may be
// lowered to the figure's distance to the ball destination; nothing happens
// unless it is then below `grenze`. `tempo` is the figure's speed (cm/s) and
// comes back lowered when a high ball lets him arrive just in time. The
// outputs are the meeting point and the ball's height there; without a
// meeting point they are the ball destination. Returns the running distance
// to the meeting point, -1 when there is none.
int32_t KI_Abfangpunkt(Spielfeld_Satz* satz, int32_t figur, const Figur* f, float* abstand, int32_t* tempo,
                       float* x, float* y, float* hoehe, float grenze);
// The ball's height when the figure has run `lauf` cm at `tempo`; `hoehe` is
// read (the ball counts as out of reach above 220 when the run takes less
// than 0.11 s) and written. A ball above `reichweite` moves the point (x, y)
// to where it has come down to that height (Ball_Abfang_Loesen), or to the
// ball destination when he cannot be there in time.
void Ball_Hoehe_Nach_Zeit(Spielfeld_Satz* satz, const Figur* f, float lauf, int32_t* tempo, float reichweite,
                          float* x, float* y, float* hoehe);
// The later time T (s on the flight clock) at which the ball has come down to
// height r, with the point there and the speed at which the figure reaches it
// just in time (at least 5 km/h). `t` stands (and is returned) when it is not
// after the ball rose through r, or when the ball is already below r at t;
// -1.0 when the figure cannot be there in time. `t0` is the flight time so far.
float Ball_Abfang_Loesen(const Figur* ball, const Figur* f, float t, float t0, float r, int32_t* tempo, float* x,
                         float* y, float* zeit);
// The keeper's catch or save row for a ball `seite` cm beside him at height
// `hoehe` reaching him in `zeit` s, tried in a fixed order; -1 when none fits.
// A catch clears the wrong-footed flag.
int32_t KI_Torwart_Anim_Waehlen(Spielfeld_Satz* satz, const Figur* f, int32_t slot, float seite, float hoehe,
                                float zeit);
// A field player's reach row (overhead kick, header, diving header, volley)
// for the same moment; the overhead kick only with `mit_fallrueckzieher` and
// no opponent within 250 cm, overhead kick and volley only with `mit_markierten`.
int32_t KI_Spieler_Anim_Waehlen(Spielfeld_Satz* satz, const Figur* f, int32_t slot, float seite, float hoehe,
                                float zeit, bool mit_fallrueckzieher, bool mit_markierten);
// Springs the offside trap of `seite`: each of its players is drawn once
// against the side's line value 6 and, nearer his own goal line than the
// foremost attacker (or, with zone marking, running to a point nearer it),
// decides now.
// The trap byte is then set.
void KI_Abseitsfalle(Spielfeld_Satz* satz, int32_t seite);


}  // namespace velmora
