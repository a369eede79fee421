// match/live/spielfeld_zweikampf.h - ball contact, duels, fouls and injuries after
// the figures moved.
//
// Once per frame of a live match: the ball-contact pass (spielfeld_ballkontakt)
// and, every third frame, the duel pass over every pair of players on the
// pitch standing within 50 cm of each other on both axes. A holder and his
// challenger fight for the ball; a tackle wins it cleanly, brings the other
// down (a foul) or is dived into; the referee sees the foul or not, plays
// advantage or whistles, may punish a dive, and the fouled player may be
// injured. Every pair in contact is pushed apart. The foul record (position
// +25044/+25048, side awarded +25053, offender +25054, fouled +25055, dive flag
// +25056, fouls +25057) and the stoppage countdown hand over to the tick's
// free kick, card decision and injury sequence.
#pragma once

#include <cstdint>

#include "match/live/spielfeld_ballkontakt.h"
#include "match/record/spielfeld_satz.h"

namespace velmora {

void Spielfeld_Zweikampf(Spielfeld_Satz* satz);

// The duel pass alone over a list of players (countdown not consulted).
void Spielfeld_Zweikampf_Paare(Spielfeld_Satz* satz, const Ballkontakt_Liste& liste);

// True when the point lies in the penalty area at the goal line x `torlinie`
// (0 or 10800), widened across by `breiter` and in depth by `tiefer` cm.
bool Zweikampf_Im_Strafraum(float x, float y, float torlinie, float breiter, float tiefer);

// Whether the referee (value r at +25059) sees a foul by `taeter`: a draw
// from 0 to r + 2 (0 when that is negative) below twice his foul visibility
// + 3, or a diving holder, and the offender does not conceal fouls.
bool Zweikampf_Foul_Gesehen(const Spielfeld_Satz* satz, int32_t taeter, bool taucher);

// Whether a whistled foul on a fouled player injures him (the draws are made
// here): t = 2 x robustness + 1000 (+ 2000 total when his strength is below
// his robustness, + 0 when above); never a keeper; always one injury-prone.
bool Zweikampf_Verletzt(const Spielfeld_Satz* satz, int32_t opfer, bool schwalbe, int32_t* t_aus);

}  // namespace velmora
